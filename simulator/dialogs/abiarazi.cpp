#include "simulator/dialogs/abiarazi.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  return {
      {"Abiarazi", -1, Kind::Form, "", -1, {0, 0, 7200, 4800}, "Berria", {{"BackColor", 0xE0E0E0}}},
      {"ProgressBar1", -1, Kind::ProgressBar, "", -1, {480, 3960, 6240, 255}, "", {{"Visible", false}}},
  };
}
}  // namespace

Abiarazi::Abiarazi() : Form(kName, layout()) {}

}  // namespace brendalo
