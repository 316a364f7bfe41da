#include "simulator/dialogs/kontrolmemoria.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  return {
      {"Kontrolmemoria", -1, Kind::Form, "", -1, {0, 0, 11520, 8400}, "Kontrol Memoria", {{"BackColor", 0xE0E0E0}}},
      {"Nadrel2", -1, Kind::Hosted, "", -1, {240, 240, 10935, 7815}, "NadrelControl.Nadrel", {}},
  };
}
}  // namespace

Kontrolmemoria::Kontrolmemoria() : Form(kName, layout()) {}

}  // namespace brendalo
