#include "platform/com/variant.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/com/dispatch.h"
#include "platform/com/errors.h"
#include "platform/com/names.h"

namespace plat::com {

namespace {

// The number in a text: decimal (with fraction and exponent) or "&H" hex.
// Hex of up to 4 digits is a 16-bit pattern, of up to 8 a 32-bit one, as
// literals are. Throws 13 when the text is no number.
double parse_number(const std::string& text) {
  std::string_view s = trim_blanks(text);
  if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) {
    std::string_view hex = s.substr(2);
    if (!hex.empty() && (hex.back() == '&' || hex.back() == '%')) hex.remove_suffix(1);
    uint64_t v = 0;
    auto [p, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), v, 16);
    if (ec != std::errc() || p != hex.data() + hex.size() || hex.empty()) throw RuntimeError(kErrTypeMismatch);
    if (hex.size() <= 4) return double(int16_t(uint16_t(v)));
    if (hex.size() <= 8) return double(int32_t(uint32_t(v)));
    throw RuntimeError(kErrOverflow);
  }
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double v = 0;
  auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || p != s.data() + s.size()) throw RuntimeError(kErrTypeMismatch);
  if (ec == std::errc::result_out_of_range) throw RuntimeError(kErrOverflow);
  if (ec != std::errc()) throw RuntimeError(kErrTypeMismatch);
  return v;
}

// Any value as a double, for the integer conversions; Color keeps its bits
// as an unsigned number.
double numeric_value(const Variant& v) {
  switch (v.value_type()) {
    case VarType::Empty: return 0;
    case VarType::Null: throw RuntimeError(kErrInvalidNull);
    case VarType::Missing: throw RuntimeError(kErrNotOptional);
    case VarType::String: return parse_number(v.to_string());
    case VarType::Object: throw RuntimeError(kErrTypeMismatch);
    default: return v.to_r8();
  }
}

int64_t to_integer(const Variant& v, int64_t lo, int64_t hi) {
  double d = round_half_even(numeric_value(v));
  if (!(d >= double(lo) && d <= double(hi))) throw RuntimeError(kErrOverflow);
  return int64_t(d);
}

std::string format_real(double v, int digits) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.*G", digits, v);
  return buf;
}

}  // namespace

double round_half_even(double v) {
  if (!std::isfinite(v)) return v;
  double r = std::round(v);
  if (std::fabs(r - v) == 0.5) r = 2.0 * std::round(v / 2.0);
  return r;
}

Variant::Variant(const QString& v) : type_(VarType::String), s_(v.toStdString()) {}

Variant::Variant(std::shared_ptr<Dispatch> obj) : type_(VarType::Object), o_(std::move(obj)) {}

Variant Variant::nothing() {
  Variant r;
  r.type_ = VarType::Object;
  return r;
}

bool Variant::is_numeric() const {
  switch (value_type()) {
    case VarType::Int16: case VarType::Int32: case VarType::Single: case VarType::Double:
    case VarType::Bool: case VarType::Color:
      return true;
    default:
      return false;
  }
}

int16_t Variant::to_i2() const {
  const Variant& v = deref();
  if (v.type_ == VarType::Int16 || v.type_ == VarType::Bool) return v.n_.i2;
  return int16_t(to_integer(v, INT16_MIN, INT16_MAX));
}

int32_t Variant::to_i4() const {
  const Variant& v = deref();
  switch (v.type_) {
    case VarType::Int32: return v.n_.i4;
    case VarType::Int16: case VarType::Bool: return v.n_.i2;
    case VarType::Color: return int32_t(v.n_.color);  // a colour is a Long with its bits
    default: return int32_t(to_integer(v, INT32_MIN, INT32_MAX));
  }
}

uint32_t Variant::to_color() const {
  const Variant& v = deref();
  switch (v.type_) {
    case VarType::Color: return v.n_.color;
    case VarType::Int32: return uint32_t(v.n_.i4);
    case VarType::Int16: case VarType::Bool: return uint32_t(int32_t(v.n_.i2));
    default: return uint32_t(int64_t(to_integer(v, INT32_MIN, UINT32_MAX)) & 0xFFFFFFFF);
  }
}

double Variant::to_r8() const {
  const Variant& v = deref();
  switch (v.type_) {
    case VarType::Int16: case VarType::Bool: return v.n_.i2;
    case VarType::Int32: return v.n_.i4;
    case VarType::Single: return v.n_.r4;
    case VarType::Double: return v.n_.r8;
    case VarType::Color: return v.n_.color;
    default: return numeric_value(v);
  }
}

float Variant::to_r4() const {
  double d = to_r8();
  if (std::isfinite(d) && std::fabs(d) > FLT_MAX) throw RuntimeError(kErrOverflow);
  return float(d);
}

bool Variant::to_bool() const {
  const Variant& v = deref();
  if (v.type_ == VarType::String) {
    std::string_view s = trim_blanks(v.s_);
    if (same_name(s, "True")) return true;
    if (same_name(s, "False")) return false;
    return parse_number(v.s_) != 0;
  }
  return numeric_value(v) != 0;
}

std::string Variant::to_string() const {
  const Variant& v = deref();
  switch (v.type_) {
    case VarType::Empty: return {};
    case VarType::Null: throw RuntimeError(kErrInvalidNull);
    case VarType::Missing: throw RuntimeError(kErrNotOptional);
    case VarType::Int16: return std::to_string(v.n_.i2);
    case VarType::Int32: return std::to_string(v.n_.i4);
    case VarType::Color: return std::to_string(int32_t(v.n_.color));
    case VarType::Single: return format_real(v.n_.r4, 7);
    case VarType::Double: return format_real(v.n_.r8, 15);
    case VarType::Bool: return v.n_.i2 ? "True" : "False";
    case VarType::String: return v.s_;
    case VarType::Object: case VarType::ByRef: break;
  }
  throw RuntimeError(kErrTypeMismatch);
}

std::shared_ptr<Dispatch> Variant::to_object() const {
  const Variant& v = deref();
  if (v.type_ != VarType::Object) throw RuntimeError(kErrTypeMismatch);
  return v.o_;
}

bool Variant::same_value(const Variant& other) const {
  const Variant& a = deref();
  const Variant& b = other.deref();
  if (a.is_numeric() && b.is_numeric()) {
    if (a.type_ == VarType::Color || b.type_ == VarType::Color) return a.to_color() == b.to_color();
    return a.to_r8() == b.to_r8();
  }
  if (a.type_ != b.type_) return false;
  switch (a.type_) {
    case VarType::String: return a.s_ == b.s_;
    case VarType::Object: return a.o_ == b.o_;
    default: return true;  // Empty, Null, Missing
  }
}

}  // namespace plat::com
