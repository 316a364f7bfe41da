#include "simulator/dialogs/mnetaem.h"

#include "gridcontrol/nadrel_ids.h"
#include "simulator/dialogs/listing_windows.h"
#include "simulator/engine/status_texts.h"
#include "simulator/machine/grids.h"
#include "simulator/mainwindow/grid_guards.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/listings.h"
#include "simulator/mainwindow/example_listing.h"
#include "simulator/mainwindow/period_buttons.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  auto rows = status_window_layout(MNetaEM::kName, "Memoria Nagusia eta Erregistro Multzoa", 15240, 11040);
  rows.front().props.push_back({"BackColor", 0xE0E0E0});
  const plat::Prop bold{"FontBold", true};
  const std::vector<plat::ControlDef> more = {
      {"Frame1", 0, Kind::Frame, "", -1, {480, 240, 8175, 10095}, "MEMORIA  NAGUSIA", {bold, {"BackColor", 0xE0E0E0}}},
      {"Nadrel3", 0, Kind::Hosted, "Frame1", 0, {1080, 720, 6015, 8295}, nadrel::kClassName, {}},
      {"Frame1", 1, Kind::Frame, "", -1, {8640, 240, 6135, 10095}, "ERREGISTRO MULTZOA", {bold, {"BackColor", 0xE0E0E0}}},
      {"Nadrel1", -1, Kind::Hosted, "Frame1", 1, {960, 720, 4095, 8295}, nadrel::kClassName, {}},
  };
  rows.insert(rows.begin() + 1, more.begin(), more.end());
  // Above the status bar, which comes last.
  rows.insert(rows.end() - 1, {Period_button(1, 12600, 10440, "clk1 denbora segundu batean txikiagotuko du"),
                               Period_button(0, 13320, 10440, "clk1 denbora segundu batean handigotuko du")});
  return rows;
}
}  // namespace

MNetaEM::MNetaEM() : Form(kName, layout()) {
  Bind_period_buttons(*this);
  Bind_grid_guards(*this);
}

void MNetaEM::Form_Load() {
  set_window_state(2);
  focus_itself();  // no control first: Return or Space would press a period button
  Show_main_memory_window();
  Show_registers_window();
  // The grids take input only while the example program is loaded into main memory.
  const bool loaded = engine().Example_loaded != 0;
  ctl("Nadrel3", 0).set_enabled(loaded);
  if (loaded)
    Fill_example_program_memory_window();
  else
    Clear_main_memory_window_grid();
  ctl("Nadrel1").set_enabled(loaded);
  Refresh_registers_window();
  Take_present_look(*this, nullptr);
}

void MNetaEM::Form_Unload(int16_t&) { Focus_main_window(); }

}  // namespace brendalo
