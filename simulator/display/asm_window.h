#pragma once
// Window `ASM`: the state chart of the control algorithm, one box per
// micro-address joined by arrows and the two decisions (decoder, Z).
#include <array>
#include <cstdint>
#include <vector>

#include "platform/forms/form.h"

namespace brendalo {

class ASM : public plat::Form {
 public:
  static constexpr const char* kName = "ASM";
  ASM();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};

// A control of the chart: name and control-array index (-1 for none).
struct AsmRef {
  const char* name;
  int index = -1;
};

// The elements of one state box, each list in the order it is written.
struct AsmState {
  int name_box;            // index into Text1, -1 for the unnamed state 20
  const char* name;        // the name box's text, nullptr for state 20
  std::array<AsmRef, 4> lines;  // the box outline
  AsmRef backdrop;
  struct Signal {
    AsmRef label;
    const char* caption;
  };
  std::vector<Signal> actions;
};

// State 0..21 of the chart.
const AsmState& Asm_state(int state);

// Looks of a state box.
inline constexpr int kAsmIdleWidth = 2, kAsmLitWidth = 3;
inline constexpr uint32_t kAsmIdleBack = 0xFFFFFF, kAsmLitBack = 0x80FF80;
inline constexpr uint32_t kAsmIdleName = 0xE0E0E0, kAsmLitName = 0xC0FFC0;

}  // namespace brendalo
