#pragma once
// Automation variant: the one value type that crosses a late-bound call.
//
// Kinds: Empty, Null, Missing (an optional argument left out), Int16, Int32,
// Single, Double, Bool (held as -1 / 0), String (UTF-8), Color (packed 32-bit,
// high bit set = system colour), Object (a shared Dispatch) and ByRef (a
// reference to another variant, so a callee can write an argument back).
//
// The to_*() conversions follow the automation rules the controls rely on:
//  - numbers become integers by rounding half to even; a result outside the
//    target range raises error 6 (overflow);
//  - text converts when it holds a number (decimal, exponent, "&H" hex) or,
//    for to_bool, "True"/"False"; anything else raises error 13;
//  - Null raises 94, Missing raises 449, an Object where a value is needed 13;
//  - Empty converts to 0, "" or False.
// Every conversion reads through a ByRef.
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

namespace plat::com {

class Dispatch;

enum class VarType : uint8_t {
  Empty, Null, Missing, Int16, Int32, Single, Double, Bool, String, Color, Object, ByRef
};

class Variant {
 public:
  Variant() = default;
  Variant(int32_t v) : type_(VarType::Int32) { n_.i4 = v; }
  Variant(double v) : type_(VarType::Double) { n_.r8 = v; }
  Variant(bool v) : type_(VarType::Bool) { n_.i2 = v ? -1 : 0; }
  Variant(std::string v) : type_(VarType::String), s_(std::move(v)) {}
  Variant(const char* v) : type_(VarType::String), s_(v) {}
  Variant(std::string_view v) : type_(VarType::String), s_(v) {}
  Variant(const QString& v);
  Variant(std::shared_ptr<Dispatch> obj);
  template <class T, class = std::enable_if_t<std::is_base_of_v<Dispatch, T> && !std::is_same_v<T, Dispatch>>>
  Variant(std::shared_ptr<T> obj) : Variant(std::shared_ptr<Dispatch>(std::move(obj))) {}

  static Variant i2(int16_t v) { Variant r; r.type_ = VarType::Int16; r.n_.i2 = v; return r; }
  static Variant r4(float v) { Variant r; r.type_ = VarType::Single; r.n_.r4 = v; return r; }
  static Variant color(uint32_t v) { Variant r; r.type_ = VarType::Color; r.n_.color = v; return r; }
  static Variant null() { Variant r; r.type_ = VarType::Null; return r; }
  static Variant missing() { Variant r; r.type_ = VarType::Missing; return r; }
  // An object variant holding no object.
  static Variant nothing();
  // A reference to `target`, which must outlive the variant.
  static Variant by_ref(Variant* target) { Variant r; r.type_ = VarType::ByRef; r.n_.ref = target; return r; }

  // The kind of this slot (ByRef for a reference) and of the value behind it.
  VarType type() const { return type_; }
  VarType value_type() const { return deref().type_; }
  const Variant& deref() const { return type_ == VarType::ByRef ? n_.ref->deref() : *this; }
  Variant& deref() { return type_ == VarType::ByRef ? n_.ref->deref() : *this; }

  bool is_empty() const { return value_type() == VarType::Empty; }
  bool is_missing() const { return value_type() == VarType::Missing; }
  bool is_null() const { return value_type() == VarType::Null; }
  bool is_object() const { return value_type() == VarType::Object; }
  bool is_numeric() const;

  int16_t to_i2() const;
  int32_t to_i4() const;
  float to_r4() const;
  double to_r8() const;
  bool to_bool() const;
  std::string to_string() const;
  QString to_qstring() const { return QString::fromStdString(to_string()); }
  uint32_t to_color() const;
  // The object held (null for Nothing); error 13 for any other kind.
  std::shared_ptr<Dispatch> to_object() const;

  // Stores `v` into the value behind a ByRef, or into this slot otherwise.
  void assign(Variant v) { deref() = std::move(v); }

  // Equality of values as a saved property compares them: numbers (Int16,
  // Int32, Single, Double, Bool, Color) by value, texts exactly, objects by
  // identity, Empty/Null only to themselves.
  bool same_value(const Variant& other) const;

 private:
  VarType type_ = VarType::Empty;
  union {
    int16_t i2;
    int32_t i4;
    float r4;
    double r8;
    uint32_t color;
    Variant* ref;
  } n_{};
  std::string s_;
  std::shared_ptr<Dispatch> o_;
};

// Rounds half to even (2.5 -> 2, 3.5 -> 4), as every number-to-integer
// conversion of the platform does.
double round_half_even(double v);

}  // namespace plat::com
