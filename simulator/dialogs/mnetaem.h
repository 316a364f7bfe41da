#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `MNetaEM`; the rest of its layout comes with its own part of the program.
class MNetaEM : public plat::Form {
 public:
  static constexpr const char* kName = "MNetaEM";
  MNetaEM();
};

}  // namespace brendalo
