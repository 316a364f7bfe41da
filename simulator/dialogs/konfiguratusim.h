#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// The options window: the clk1 period (Combo1(0)), the stepping mode
// (Option1(8) continuous, (7) cycle by cycle, (6) step by step) and whether Z
// is reported (Check2). Loaded hidden with the main window; its OK and load
// come with its own part of the program.
class KonfiguratuSIM : public plat::Form {
 public:
  static constexpr const char* kName = "KonfiguratuSIM";
  KonfiguratuSIM();

 protected:
  void Form_Load() override;
};

}  // namespace brendalo
