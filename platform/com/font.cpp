#include "platform/com/font.h"

#include "platform/forms/fonts.h"

#include <QString>

namespace plat::com {

bool Font::same_as(const Font& o) const {
  return QString::fromStdString(p_.name).compare(QString::fromStdString(o.p_.name), Qt::CaseInsensitive) == 0 &&
         p_.size == o.p_.size && p_.bold == o.p_.bold && p_.italic == o.p_.italic &&
         p_.underline == o.p_.underline && p_.strikethrough == o.p_.strikethrough;
}

QFont Font::to_qfont() const {
  // Through the one mapping of design font names to installed fonts.
  return make_font(p_.name, p_.size > 0 ? p_.size : kDesignFontSize, p_.bold, p_.italic, p_.underline,
                   p_.strikethrough);
}

std::shared_ptr<Font> Font::from_qfont(const QFont& f) {
  FontProps p;
  p.name = f.family().toStdString();
  p.size = f.pointSizeF() > 0 ? f.pointSizeF() : 8.0;
  p.bold = f.bold();
  p.italic = f.italic();
  p.underline = f.underline();
  p.strikethrough = f.strikeOut();
  return create(p);
}

const TypeInfo& Font::type_info() const {
  static const TypeInfo info = [] {
    TypeInfo t;
    t.name = "Font";
    auto prop = [&t](const char* name, DispId id, const char* type) {
      t.funcs.push_back(make_func(name, id, CallKind::Get, type));
      t.funcs.push_back(make_func(name, id, CallKind::Let, type));
    };
    prop("Name", kFontName, "String");
    prop("Size", kFontSize, "Double");
    prop("Bold", kFontBold, "Boolean");
    prop("Italic", kFontItalic, "Boolean");
    prop("Underline", kFontUnderline, "Boolean");
    prop("Strikethrough", kFontStrikethrough, "Boolean");
    return t;
  }();
  return info;
}

Variant Font::dispatch(DispId id, CallKind kind, std::span<Variant> args) {
  if (kind != CallKind::Get && kind != CallKind::Let) throw RuntimeError(kErrNoMember);
  const bool get = kind == CallKind::Get;
  Args a(args, get ? 0 : 1, get ? 0 : 1);
  bool* flag = nullptr;
  switch (id) {
    case kFontName:
      if (get) return Variant(p_.name);
      p_.name = a.value().to_string();
      return {};
    case kFontSize:
      if (get) return Variant(p_.size);
      p_.size = a.value().to_r8();
      return {};
    case kFontBold: flag = &p_.bold; break;
    case kFontItalic: flag = &p_.italic; break;
    case kFontUnderline: flag = &p_.underline; break;
    case kFontStrikethrough: flag = &p_.strikethrough; break;
    default: throw RuntimeError(kErrNoMember);
  }
  if (get) return Variant(*flag);
  *flag = a.value().to_bool();
  return {};
}

}  // namespace plat::com
