#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Main memory (grid Nadrel3(0), the 72-row layout) and the register file
// (grid Nadrel1) side by side, with the shared status bar and the clk1
// period buttons. Its load lays out and fills both grids from the tables;
// closing it discards them with their marks.
class MNetaEM : public plat::Form {
 public:
  static constexpr const char* kName = "MNetaEM";
  MNetaEM();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};

}  // namespace brendalo
