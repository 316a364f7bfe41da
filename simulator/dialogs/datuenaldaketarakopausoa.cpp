#include "simulator/dialogs/datuenaldaketarakopausoa.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  return {
      {"Datuenaldaketarakopausoa", -1, Kind::Form, "", -1, {0, 0, 4800, 2400}, "Datuen aldaketarako pausoa", {{"BackColor", 0xE0E0E0}}},
  };
}
}  // namespace

Datuenaldaketarakopausoa::Datuenaldaketarakopausoa() : Form(kName, layout()) {}

}  // namespace brendalo
