#include "simulator/dialogs/kontrolmemoria.h"

#include "gridcontrol/nadrel_ids.h"
#include "simulator/dialogs/birprogramatumikroagindua.h"
#include "simulator/dialogs/listing_windows.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/grids.h"
#include "simulator/mainwindow/grid_guards.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  // The grid shows the whole listing without scroll bars: its 21 columns
  // (840 pixels and a grid line each) and its 23 rows of 15 pixels and a
  // line, inside the grid's border.
  return {
      {"Kontrolmemoria", -1, Kind::Form, "", -1, {0, 0, 13500, 6105}, "Kontrol Memoria", {{"BackColor", 0xE0E0E0}}},
      {"Nadrel2", -1, Kind::Hosted, "", -1, {240, 240, 13020, 5625}, nadrel::kClassName, {}},
  };
}
}  // namespace

Kontrolmemoria::Kontrolmemoria() : Form(kName, layout()) { Bind_grid_guards(*this); }

void Kontrolmemoria::Form_Load() {
  // The start-up loading lists the window itself, before any run or dialog.
  if (Start_up_loading_runs()) return;
  Show_control_memory_window();
  // A listing from the tables shows the reprogrammed rows marked again.
  Grid g = Kontrolmemoria_Nadrel2();
  Mark_reprogrammed_rows(g, kControlMemoryColumns);
  Take_present_look(*this, "Nadrel2");
}

void Kontrolmemoria::Form_Unload(int16_t&) { Focus_main_window(); }

}  // namespace brendalo
