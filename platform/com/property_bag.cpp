#include "platform/com/property_bag.h"

#include <cctype>
#include <charconv>
#include <cstdio>

#include "platform/com/errors.h"
#include "platform/com/names.h"

namespace plat::com {

namespace {

std::string quote(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out + "\"";
}

std::string real_text(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17G", v);
  return buf;
}

std::string value_text(const Variant& v) {
  char buf[24];
  switch (v.value_type()) {
    case VarType::Empty: case VarType::Missing: return "Empty";
    case VarType::Null: return "Null";
    case VarType::Int16: return std::to_string(v.to_i2());
    case VarType::Int32: return std::to_string(v.to_i4()) + "&";
    case VarType::Single: return real_text(v.to_r4()) + "!";
    case VarType::Double: return real_text(v.to_r8()) + "#";
    case VarType::Bool: return v.to_bool() ? "True" : "False";
    case VarType::Color:
      std::snprintf(buf, sizeof buf, "&H%08X", v.to_color());
      return buf;
    case VarType::String: return quote(v.to_string());
    case VarType::Object: case VarType::ByRef: break;
  }
  return "Nothing";
}

struct Parser {
  int line = 0;
  [[noreturn]] void fail(const std::string& what) const {
    throw RuntimeError(kErrInvalidCall, "property text, line " + std::to_string(line) + ": " + what);
  }

  Variant value(std::string_view s) const {
    if (s.empty()) fail("missing value");
    if (s.front() == '"') {
      std::string out;
      size_t i = 1;
      for (; i < s.size() && s[i] != '"'; ++i) {
        if (s[i] != '\\') { out += s[i]; continue; }
        if (++i == s.size()) fail("unfinished escape");
        switch (s[i]) {
          case 't': out += '\t'; break;
          case 'n': out += '\n'; break;
          case 'r': out += '\r'; break;
          default: out += s[i];
        }
      }
      if (i + 1 != s.size()) fail("text not closed by a quote");
      return Variant(std::move(out));
    }
    if (same_name(s, "True")) return Variant(true);
    if (same_name(s, "False")) return Variant(false);
    if (same_name(s, "Empty")) return Variant();
    if (same_name(s, "Null")) return Variant::null();
    if (same_name(s, "Nothing")) return Variant::nothing();
    if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) {
      std::string_view hex = s.substr(2);
      if (hex.back() == '&') hex.remove_suffix(1);
      uint32_t v = 0;
      auto [p, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), v, 16);
      if (ec != std::errc() || p != hex.data() + hex.size()) fail("bad hex value");
      return Variant::color(v);
    }
    char suffix = s.back();
    std::string_view num = s;
    if (suffix == '%' || suffix == '&' || suffix == '!' || suffix == '#') num.remove_suffix(1);
    if (!num.empty() && num.front() == '+') num.remove_prefix(1);
    bool integral = num.find_first_of(".eE") == std::string_view::npos;
    if (integral && suffix != '!' && suffix != '#') {
      long long v = 0;
      auto [p, ec] = std::from_chars(num.data(), num.data() + num.size(), v);
      if (ec != std::errc() || p != num.data() + num.size()) fail("bad value '" + std::string(s) + "'");
      if (suffix == '%' || (suffix != '&' && v >= INT16_MIN && v <= INT16_MAX)) {
        if (v < INT16_MIN || v > INT16_MAX) fail("Int16 value out of range");
        return Variant::i2(int16_t(v));
      }
      if (v < INT32_MIN || v > INT32_MAX) fail("Int32 value out of range");
      return Variant(int32_t(v));
    }
    double d = 0;
    auto [p, ec] = std::from_chars(num.data(), num.data() + num.size(), d);
    if (ec != std::errc() || p != num.data() + num.size()) fail("bad value '" + std::string(s) + "'");
    return suffix == '!' ? Variant::r4(float(d)) : Variant(d);
  }

  // "Key = value" into its parts.
  std::pair<std::string, Variant> entry(std::string_view s) const {
    size_t eq = s.find('=');
    if (eq == std::string_view::npos) fail("expected 'Key = value'");
    std::string_view key = trim_blanks(s.substr(0, eq));
    if (key.empty()) fail("missing key");
    for (char c : key)
      if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_')) fail("bad key '" + std::string(key) + "'");
    return {std::string(key), value(trim_blanks(s.substr(eq + 1)))};
  }
};

}  // namespace

const PropertyBag::Entry* PropertyBag::find(std::string_view key) const {
  auto it = index_.find(folded_name(key));
  return it == index_.end() ? nullptr : &entries_[it->second];
}

PropertyBag::Entry& PropertyBag::slot(std::string_view key) {
  if (const Entry* e = find(key)) return const_cast<Entry&>(*e);
  index_.emplace(folded_name(key), entries_.size());
  entries_.push_back({std::string(key), {}, nullptr});
  return entries_.back();
}

Variant PropertyBag::read(std::string_view key, const Variant& default_value) const {
  const Entry* e = find(key);
  if (!e) return default_value;
  if (e->font) return Variant(e->font->clone());
  return e->value;
}

void PropertyBag::write(std::string_view key, const Variant& value) {
  Entry& e = slot(key);
  e.value = value.deref();
  e.font.reset();
}

void PropertyBag::write(std::string_view key, const Variant& value, const Variant& default_value) {
  if (value.same_value(default_value)) {
    remove(key);
    return;
  }
  write(key, value);
}

std::shared_ptr<Font> PropertyBag::read_font(std::string_view key, const Font* default_font) const {
  const Entry* e = find(key);
  if (!e) return default_font ? default_font->clone() : nullptr;
  if (!e->font) throw RuntimeError(kErrTypeMismatch);
  return e->font->clone();
}

void PropertyBag::write_font(std::string_view key, const Font& font, const Font* default_font) {
  if (default_font && font.same_as(*default_font)) {
    remove(key);
    return;
  }
  Entry& e = slot(key);
  e.value = Variant();
  e.font = font.clone();
}

bool PropertyBag::is_font(std::string_view key) const {
  const Entry* e = find(key);
  return e && e->font;
}

void PropertyBag::remove(std::string_view key) {
  auto it = index_.find(folded_name(key));
  if (it == index_.end()) return;
  const size_t at = it->second;
  index_.erase(it);
  entries_.erase(entries_.begin() + ptrdiff_t(at));
  for (auto& [k, pos] : index_)
    if (pos > at) --pos;
}

std::vector<std::string> PropertyBag::keys() const {
  std::vector<std::string> out;
  for (const Entry& e : entries_) out.push_back(e.key);
  return out;
}

std::string PropertyBag::to_text() const {
  std::string out;
  for (const Entry& e : entries_) {
    if (!e.font) {
      out += e.key + " = " + value_text(e.value) + "\n";
      continue;
    }
    const FontProps& p = e.font->props();
    out += "BeginFont " + e.key + "\n";
    out += "  Name = " + quote(p.name) + "\n";
    out += "  Size = " + real_text(p.size) + "#\n";
    out += std::string("  Bold = ") + (p.bold ? "True" : "False") + "\n";
    out += std::string("  Italic = ") + (p.italic ? "True" : "False") + "\n";
    out += std::string("  Underline = ") + (p.underline ? "True" : "False") + "\n";
    out += std::string("  Strikethrough = ") + (p.strikethrough ? "True" : "False") + "\n";
    out += "EndFont\n";
  }
  return out;
}

PropertyBag PropertyBag::from_text(std::string_view text) {
  PropertyBag bag;
  Parser p;
  std::shared_ptr<Font> font;  // the font block being read
  std::string font_key;
  while (!text.empty()) {
    size_t nl = text.find('\n');
    std::string_view raw = text.substr(0, nl);
    text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
    ++p.line;
    std::string_view s = trim_blanks(raw);
    if (s.empty() || s.front() == '\'' || s.front() == '#') continue;
    if (s.size() > 10 && same_name(s.substr(0, 10), "BeginFont ")) {
      if (font) p.fail("font block inside a font block");
      font_key = std::string(trim_blanks(s.substr(10)));
      if (font_key.empty()) p.fail("font block without a key");
      font = Font::create();
      continue;
    }
    if (same_name(s, "EndFont")) {
      if (!font) p.fail("EndFont without BeginFont");
      bag.write_font(font_key, *font);
      font.reset();
      continue;
    }
    auto [key, value] = p.entry(s);
    if (!font) {
      bag.write(key, value);
      continue;
    }
    try {
      FontProps& f = font->props();
      if (same_name(key, "Name")) f.name = value.to_string();
      else if (same_name(key, "Size")) f.size = value.to_r8();
      else if (same_name(key, "Bold")) f.bold = value.to_bool();
      else if (same_name(key, "Italic")) f.italic = value.to_bool();
      else if (same_name(key, "Underline")) f.underline = value.to_bool();
      else if (same_name(key, "Strikethrough")) f.strikethrough = value.to_bool();
      else p.fail("unknown font property '" + key + "'");
    } catch (const RuntimeError& e) {
      if (e.number == kErrInvalidCall) throw;
      p.fail("bad font property '" + key + "'");
    }
  }
  if (font) p.fail("font block not closed by EndFont");
  return bag;
}

}  // namespace plat::com
