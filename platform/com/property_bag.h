#pragma once
// A control's saved properties: named variants, keys matched without regard
// to case, kept in the order they were written.
//
// Writing with a default stores nothing when the value equals the default
// (Variant::same_value); reading a missing key gives the read default. Fonts
// are stored as a snapshot of their properties and read back as a new font.
//
// Text form (what tests and window definitions hold), one entry a line:
//   Rows = 23&                 Int32 ("&" suffix), "%" Int16, "!" Single, "#" Double;
//   Cols = 3                   an integer without suffix is Int16 when it fits, else Int32;
//   BackColor = &H00FFFFFF     a hex literal is a colour;
//   FormatString = "a|b"       text in double quotes, with \" \\ \t \n \r escapes;
//   Redraw = True              True / False, Empty, Null, Nothing (an object is saved as Nothing);
//   BeginFont Font             a font: Name, Size, Bold, Italic, Underline, Strikethrough
//     Name = "Liberation Sans" lines up to EndFont;
//     Size = 8#
//   EndFont
// Blank lines and lines starting with ' or # are ignored.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/com/font.h"
#include "platform/com/variant.h"

namespace plat::com {

class PropertyBag {
 public:
  Variant read(std::string_view key, const Variant& default_value = {}) const;
  // Always stores the value.
  void write(std::string_view key, const Variant& value);
  // Stores the value unless it equals `default_value`.
  void write(std::string_view key, const Variant& value, const Variant& default_value);

  // A new font with the stored properties, or a clone of `default_font`
  // (null when that is null too).
  std::shared_ptr<Font> read_font(std::string_view key, const Font* default_font) const;
  // Stores the font's properties unless they equal those of `default_font`.
  void write_font(std::string_view key, const Font& font, const Font* default_font = nullptr);

  bool contains(std::string_view key) const { return find(key) != nullptr; }
  bool is_font(std::string_view key) const;
  void remove(std::string_view key);
  std::vector<std::string> keys() const;
  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  std::string to_text() const;
  // Throws RuntimeError(kErrInvalidCall) naming the line of a malformed text.
  static PropertyBag from_text(std::string_view text);

 private:
  struct Entry {
    std::string key;
    Variant value;
    std::shared_ptr<Font> font;  // set for a font entry
  };
  const Entry* find(std::string_view key) const;
  Entry& slot(std::string_view key);

  std::vector<Entry> entries_;  // in the order written
  // Position in entries_ of each key, lower-cased: a bag with thousands of
  // keys (lookup items) is read in linear time.
  std::unordered_map<std::string, size_t> index_;
};

}  // namespace plat::com
