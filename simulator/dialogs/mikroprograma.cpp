#include "simulator/dialogs/mikroprograma.h"

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
  // The grid shows the whole listing without scroll bars: its two columns
  // (200 + 200 pixels, each with its grid line) and its 23 rows of 15 pixels
  // and a line, inside the grid's border.
  return {
      {"Mikroprograma", -1, Kind::Form, "", -1, {0, 0, 6615, 6105}, "Mikroprograma", {{"BackColor", 0xE0E0E0}}},
      {"NadrelMikro", -1, Kind::Hosted, "", -1, {240, 240, 6135, 5625}, nadrel::kClassName, {}},
  };
}
}  // namespace

Mikroprograma::Mikroprograma() : Form(kName, layout()) { Bind_grid_guards(*this); }

void Mikroprograma::Form_Load() {
  // The start-up loading lists the window itself, before any run or dialog.
  if (Start_up_loading_runs()) return;
  Show_microprogram_window();
  // A listing from the tables shows the reprogrammed rows marked again.
  Grid g = Mikroprograma_NadrelMikro();
  Mark_reprogrammed_rows(g, kMicroprogramColumns);
  Take_present_look(*this, "NadrelMikro");
}

void Mikroprograma::Form_Unload(int16_t&) { Focus_main_window(); }

}  // namespace brendalo
