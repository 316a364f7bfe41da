#pragma once
// The register-row view `EMkoerrenkada` ("EMko datuak"): number, decimal
// value and 16 binary digits of one register, a copy taken when it opened.
// "&Onartu" closes it; its unload returns as the data-word editor's does.
#include "platform/forms/form.h"
#include "simulator/dialogs/openers.h"

namespace brendalo {

class EMkoerrenkada : public plat::Form {
 public:
  static constexpr const char* kName = "EMkoerrenkada";
  EMkoerrenkada();

  void Onartu_Click();

  Openers openers;

 protected:
  void Form_Unload(int16_t& Cancel) override;
};

// Shows register `row - 1` of the register file (grid row `row`, 1..32):
// `opener` disabled, the view shown modeless with the register's three texts.
void Show_register_row(plat::Form& opener, int row);

}  // namespace brendalo
