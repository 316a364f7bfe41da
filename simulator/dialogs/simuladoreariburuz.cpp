#include "simulator/dialogs/simuladoreariburuz.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  return {
      {"Simuladoreariburuz", -1, Kind::Form, "", -1, {0, 0, 6960, 3960}, "Simuladoreari buruz", {{"BackColor", 0xE0E0E0}}},
  };
}
}  // namespace

Simuladoreariburuz::Simuladoreariburuz() : Form(kName, layout()) {}

}  // namespace brendalo
