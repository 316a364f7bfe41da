#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// The options window "Simulaziorako aukerak": the clk1 period (Combo1(0),
// "3".."59"), the stepping mode (Option1(8) continuous, (7) cycle by cycle,
// (6) step by step) and whether Z is reported (Check2). Loaded hidden with
// the main window, whose clock commands keep its controls in step. Its OK
// stores the options and makes the main window's marks and clock buttons
// agree. Closing it otherwise changes no setting: it is unloaded, and the
// next load shows the settings in use again.
class KonfiguratuSIM : public plat::Form {
 public:
  static constexpr const char* kName = "KonfiguratuSIM";
  KonfiguratuSIM();

  void Command1_Click();

 protected:
  void Form_Load() override;

 private:
  void show_settings();
};

}  // namespace brendalo
