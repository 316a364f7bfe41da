#pragma once
// Window `PU`: the process unit of the machine as a fixed drawing whose
// wires, signal names and multiplexer inputs light while a run goes on.
#include <cstdint>
#include <vector>

#include "platform/forms/form.h"

namespace brendalo {

class PU : public plat::Form {
 public:
  static constexpr const char* kName = "PU";
  PU();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};

struct PuRef {
  const char* name;
  int index = -1;
};

// What one group of the drawing lights: signal names, multiplexer inputs
// (and the operand), memory and register-file ports, wire segments.
struct PuRow {
  std::vector<PuRef> names, inputs, ports, wires;
};

// The groups, in the order the drawing is lit and reset.
enum class PuPath { A, B1, B2, B3, C1, C2, D1, D2, E, E0, E1, F, G, G0, G1, H, H0, H1, J, K, L, L0, L1, M };
inline constexpr int kPuPaths = 24;
const PuRow& Pu_path(PuPath p);

// Colours of the animated elements.
inline constexpr uint32_t kPuWireIdle = 0xC0C0C0, kPuWireLit = 0xC00000;
inline constexpr uint32_t kPuNameIdle = 0xC0C0C0, kPuNameLit = 0x00FFFF;
inline constexpr uint32_t kPuInputIdle = 0xE0E0E0, kPuPortIdle = 0xFFFFFF, kPuPortLit = 0xFFC0C0;

}  // namespace brendalo
