#pragma once
// A log of property writes that a test can switch on, to check the order in
// which a routine paints.
#include <string>
#include <vector>

#include "platform/forms/value.h"

namespace plat {

struct PropWrite {
  std::string form, control;
  int index;
  std::string property;
  Value value;
};

class PropertyLog {
 public:
  static void start();  // clears and switches on
  static void stop();
  static bool on();
  static std::vector<PropWrite>& writes();
  static void record(PropWrite w);
};

}  // namespace plat
