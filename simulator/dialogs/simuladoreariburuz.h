#pragma once
// The about window `Simuladoreariburuz` ("Simuladoreari buruz"): the
// simulator's title, version and year; "&Onartu" closes it.
#include "platform/forms/form.h"

namespace brendalo {

class Simuladoreariburuz : public plat::Form {
 public:
  static constexpr const char* kName = "Simuladoreariburuz";
  Simuladoreariburuz();

  void Command1_Click();
};

}  // namespace brendalo
