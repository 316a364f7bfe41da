#include "simulator/dialogs/birprogramaziorakopausoa.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  return {
      {"Birprogramaziorakopausoa", -1, Kind::Form, "", -1, {0, 0, 4800, 2400}, "Birprogamaziorako pausoa", {{"BackColor", 0xE0E0E0}}},
  };
}
}  // namespace

Birprogramaziorakopausoa::Birprogramaziorakopausoa() : Form(kName, layout()) {}

}  // namespace brendalo
