#pragma once
// The results window of the example program `Ademaitza`: vectors A and B and
// their sums C, one box per component (Text4, Text5, Text6, indices 0..15),
// filled by the end of the example run. "&Onartu" closes it.
#include "platform/forms/form.h"

namespace brendalo {

class Ademaitza : public plat::Form {
 public:
  static constexpr const char* kName = "Ademaitza";
  Ademaitza();

  void Command1_Click();
};

}  // namespace brendalo
