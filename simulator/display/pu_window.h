#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `PU`; the rest of its layout comes with its own part of the program.
class PU : public plat::Form {
 public:
  static constexpr const char* kName = "PU";
  PU();
};

}  // namespace brendalo
