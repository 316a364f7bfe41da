#include "platform/forms/value.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace plat {

int64_t Value::to_int() const {
  if (auto p = std::get_if<int64_t>(&v_)) return *p;
  if (auto p = std::get_if<bool>(&v_)) return *p ? -1 : 0;
  if (auto p = std::get_if<double>(&v_)) return int64_t(std::nearbyint(*p));
  if (auto p = std::get_if<std::string>(&v_)) return int64_t(std::nearbyint(std::strtod(p->c_str(), nullptr)));
  return 0;
}

double Value::to_double() const {
  if (auto p = std::get_if<double>(&v_)) return *p;
  if (auto p = std::get_if<int64_t>(&v_)) return double(*p);
  if (auto p = std::get_if<bool>(&v_)) return *p ? -1.0 : 0.0;
  if (auto p = std::get_if<std::string>(&v_)) return std::strtod(p->c_str(), nullptr);
  return 0.0;
}

bool Value::to_bool() const {
  if (auto p = std::get_if<bool>(&v_)) return *p;
  if (auto p = std::get_if<std::string>(&v_)) return *p == "True" || *p == "true" || to_double() != 0.0;
  return to_double() != 0.0;
}

std::string Value::to_string() const {
  if (auto p = std::get_if<std::string>(&v_)) return *p;
  if (auto p = std::get_if<int64_t>(&v_)) return std::to_string(*p);
  if (auto p = std::get_if<bool>(&v_)) return *p ? "True" : "False";
  if (auto p = std::get_if<double>(&v_)) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.15g", *p);
    return buf;
  }
  return "";
}

}  // namespace plat
