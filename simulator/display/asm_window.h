#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `ASM`; the rest of its layout comes with its own part of the program.
class ASM : public plat::Form {
 public:
  static constexpr const char* kName = "ASM";
  ASM();
};

}  // namespace brendalo
