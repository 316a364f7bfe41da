#include "simulator/dialogs/ualeragiketak.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  return {
      {"UALeragiketak", -1, Kind::Form, "", -1, {0, 0, 4800, 5400}, "UALaren eragiketak", {{"BackColor", 0xE0E0E0}}},
  };
}
}  // namespace

UALeragiketak::UALeragiketak() : Form(kName, layout()) {}

}  // namespace brendalo
