#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `Simuladoreariburuz`; its contents come with its own part of the program.
class Simuladoreariburuz : public plat::Form {
 public:
  static constexpr const char* kName = "Simuladoreariburuz";
  Simuladoreariburuz();
};

}  // namespace brendalo
