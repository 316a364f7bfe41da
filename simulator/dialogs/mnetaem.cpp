#include "simulator/dialogs/mnetaem.h"

#include "simulator/engine/status_texts.h"
#include "simulator/mainwindow/run_commands.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  auto rows = status_window_layout(MNetaEM::kName, "Memoria Nagusia eta Erregistro Multzoa", 15240, 11040);
  rows.front().props.push_back({"BackColor", 0xE0E0E0});
  const plat::Prop bold{"FontBold", true};
  const std::vector<plat::ControlDef> more = {
      {"Frame1", 0, Kind::Frame, "", -1, {480, 240, 8175, 10095}, "MEMORIA  NAGUSIA", {bold, {"BackColor", 0xE0E0E0}}},
      {"Nadrel3", 0, Kind::Hosted, "Frame1", 0, {1080, 720, 6015, 8295}, "NadrelControl.Nadrel", {}},
      {"Frame1", 1, Kind::Frame, "", -1, {8640, 240, 6135, 10095}, "ERREGISTRO MULTZOA", {bold, {"BackColor", 0xE0E0E0}}},
      {"Nadrel1", -1, Kind::Hosted, "Frame1", 1, {960, 720, 4095, 8295}, "NadrelControl.Nadrel", {}},
  };
  rows.insert(rows.begin() + 1, more.begin(), more.end());
  return With_period_buttons(std::move(rows));
}
}  // namespace

MNetaEM::MNetaEM() : Form(kName, layout()) { Bind_period_buttons(*this); }

}  // namespace brendalo
