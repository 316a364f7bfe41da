#pragma once
// A property value as the forms layer stores it: read back exactly as written.
#include <cstdint>
#include <string>
#include <variant>

namespace plat {

class Value {
 public:
  using Storage = std::variant<std::monostate, bool, int64_t, double, std::string>;

  Value() = default;
  Value(bool b) : v_(b) {}
  Value(int i) : v_(int64_t(i)) {}
  Value(long i) : v_(int64_t(i)) {}
  Value(long long i) : v_(int64_t(i)) {}
  Value(unsigned i) : v_(int64_t(i)) {}
  Value(unsigned long i) : v_(int64_t(i)) {}
  Value(double d) : v_(d) {}
  Value(const char* s) : v_(std::string(s)) {}
  Value(std::string s) : v_(std::move(s)) {}
  Value(std::string_view s) : v_(std::string(s)) {}

  bool empty() const { return std::holds_alternative<std::monostate>(v_); }
  bool is_text() const { return std::holds_alternative<std::string>(v_); }
  bool is_bool() const { return std::holds_alternative<bool>(v_); }
  bool is_int() const { return std::holds_alternative<int64_t>(v_); }
  bool is_double() const { return std::holds_alternative<double>(v_); }

  // Conversions in the forgiving way property reads expect: a text holding a
  // number converts, an empty value is 0 / "" / false.
  int64_t to_int() const;
  double to_double() const;
  bool to_bool() const;
  std::string to_string() const;

  const Storage& storage() const { return v_; }
  bool operator==(const Value& o) const { return v_ == o.v_; }

 private:
  Storage v_;
};

}  // namespace plat
