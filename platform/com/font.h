#pragma once
// The standard font object: shared by reference (whoever holds the pointer
// sees later changes) and cloneable when a private copy is wanted.
#include <QFont>
#include <memory>
#include <string>

#include "platform/com/dispatch.h"

namespace plat::com {

// Dispatch identifiers of the font's properties.
enum FontDispId : DispId {
  kFontName = 1, kFontSize = 2, kFontBold = 3, kFontItalic = 4, kFontUnderline = 5, kFontStrikethrough = 6,
};

struct FontProps {
  std::string name = "Liberation Sans";
  double size = 8.0;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  bool operator==(const FontProps&) const = default;
};

class Font final : public Dispatch {
 public:
  Font() = default;
  explicit Font(FontProps p) : p_(std::move(p)) {}
  static std::shared_ptr<Font> create(FontProps p = {}) { return std::make_shared<Font>(std::move(p)); }

  std::shared_ptr<Font> clone() const { return create(p_); }

  const FontProps& props() const { return p_; }
  FontProps& props() { return p_; }
  const std::string& Name() const { return p_.name; }
  double Size() const { return p_.size; }
  bool Bold() const { return p_.bold; }
  bool Italic() const { return p_.italic; }
  bool Underline() const { return p_.underline; }
  bool Strikethrough() const { return p_.strikethrough; }
  void Name(std::string v) { p_.name = std::move(v); }
  void Size(double v) { p_.size = v; }
  void Bold(bool v) { p_.bold = v; }
  void Italic(bool v) { p_.italic = v; }
  void Underline(bool v) { p_.underline = v; }
  void Strikethrough(bool v) { p_.strikethrough = v; }

  // Same name (without regard to case), size and styles.
  bool same_as(const Font& other) const;

  QFont to_qfont() const;
  static std::shared_ptr<Font> from_qfont(const QFont& f);

  const TypeInfo& type_info() const override;

 protected:
  Variant dispatch(DispId id, CallKind kind, std::span<Variant> args) override;

 private:
  FontProps p_;
};

}  // namespace plat::com
