#include "simulator/dialogs/mikroprograma.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  return {
      {"Mikroprograma", -1, Kind::Form, "", -1, {0, 0, 11520, 8400}, "Mikroprograma", {{"BackColor", 0xE0E0E0}}},
      {"NadrelMikro", -1, Kind::Hosted, "", -1, {240, 240, 10935, 7815}, "NadrelControl.Nadrel", {}},
  };
}
}  // namespace

Mikroprograma::Mikroprograma() : Form(kName, layout()) {}

}  // namespace brendalo
