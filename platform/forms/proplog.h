#pragma once
// A log of property writes that a test can switch on, to check the order in
// which a routine paints. A whole run writes hundreds of thousands of
// properties: the log grows in blocks and never moves what it holds.
#include <deque>
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
  static std::deque<PropWrite>& writes();
  static void record(PropWrite w);
};

}  // namespace plat
