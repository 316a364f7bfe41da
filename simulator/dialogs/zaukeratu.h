#pragma once
// The choice of Z `Zaukeratu` ("Z balioaren aukeraketa"): at a conditional
// jump the engine asks for the condition Z. Its OK accepts "0" or "1" only,
// stores it in Z_value and raises Dialog_answered; only that button closes
// it, since the engine's wait ends only on the answer.
#include "platform/forms/form.h"

namespace brendalo {

class Zaukeratu : public plat::Form {
 public:
  static constexpr const char* kName = "Zaukeratu";
  Zaukeratu();

  void Command1_Click();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;

 private:
  bool may_close_ = false;
};

// Shows the dialog (loaded afresh) for the engine.
void Show_z_dialog();

}  // namespace brendalo
