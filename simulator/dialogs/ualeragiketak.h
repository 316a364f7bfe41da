#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `UALeragiketak`; its contents come with its own part of the program.
class UALeragiketak : public plat::Form {
 public:
  static constexpr const char* kName = "UALeragiketak";
  UALeragiketak();
};

}  // namespace brendalo
