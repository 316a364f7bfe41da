// The running and idle looks of the windows.
#include "platform/comctl/comctl.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/display/asm_window.h"
#include "simulator/engine/drawing.h"
#include "simulator/engine/run_loop.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

using namespace drawing;

namespace {

// The File and Simulation items that a run disables, in menu order.
constexpr Refs kRunLocked = {{"Artxibo3", 1},    {"Artxibo6", 1},    {"Artxibo7", 1},    {"Artxibo8", 1},
                             {"Artxiboaldatu", 1}, {"Artxibo11", 1}, {"Simulazioa1", 5}, {"Simulazioa2", 5},
                             {"Simulazioa3", 5}, {"Simulazioa4", 5}};

void enable(Ref item, bool on) { at(item).set_enabled(on); }

void toolbar(std::initializer_list<std::pair<int, bool>> buttons) {
  plat::Control& tb = at({"Toolbar1"});
  for (auto [button, on] : buttons) plat::set_toolbar_button_enabled(tb, button, on);
}

// Writes a control of the state chart's window when its layout has it.
template <class F>
void on_asm(const char* name, int index, F&& write) {
  plat::form<ASM>();
  if (plat::Control* c = find_in(ASM::kName, name, index)) write(*c);
}

}  // namespace

void Start_ku_simulation() {
  EngineState& e = engine();
  e.Simulation_ended = kFlagFalse;
  // Nothing left from an earlier run may pause or step this one.
  e.Stop_requested = kFlagFalse;
  e.Cycle_pulse = false;
  e.Step_pulse = kFlagFalse;
  at({"Command1"}).set_enabled(true);
  plat::Control& counter = at({"Label10", 1});
  counter.set_visible(true);
  counter.set_caption("11111");
  at({"Shape7", 1}).set_visible(true);
  e.Micro_address_bits = "00000";

  // The marks the end of the last run left at micro-address 0.
  Nagusia& m = main_window();
  plat::Control& mikro_main = m.ctl("NadrelMikro");
  plat::Control& mikro_window = plat::form<Mikroprograma>().ctl("NadrelMikro");
  plat::Control& km_main = m.ctl("Nadrel1");
  plat::Control& km_window = plat::form<Kontrolmemoria>().ctl("Nadrel2");
  for (plat::Control* g : {&mikro_main, &mikro_window, &km_main, &km_window})
    for (int col : {1, 2}) cell_back_color(*g, col, 1, kSilver);
  for (int col = 3; col <= 21; ++col)
    for (plat::Control* g : {&km_main, &km_window}) cell_back_color(*g, col, 1, kLightGrey);
  at({"Shape3", 0}).set_back_color(kWhite);
  for (const char* line : {"Line51", "Line55", "Line54", "Line53"})
    on_asm(line, 0, [](plat::Control& c) { c.set_border_width(2); });
  on_asm("Label4", 0, [](plat::Control& c) { c.set_back_color(kWhite); });
  for (int i = 0; i <= 3; ++i) on_asm("Label1", i, [](plat::Control& c) { c.set_back_color(kWhite); });
  on_asm("Text1", 0, [](plat::Control& c) { c.set_back_color(kLightGrey); });
  plat::Control& state = at({"Text4", 0});
  state.set_back_color(kLightGrey);
  state.set_text("");

  Set_status_panel(1, "KU simulatzen");
  Set_status_panel(4, "");
  if (e.Example_running) Set_status_panel(4, "PC:16384 (4000H)");

  toolbar({{1, false}, {2, true}, {4, true}, {5, false}, {6, false}});
  for (const Ref& item : kRunLocked) enable(item, false);

  const int checked = e.Mode_continuous ? 1 : !e.Mode_cycle_by_cycle ? 3 : 2;
  for (int k = 1; k <= 3; ++k)
    at({k == 1 ? "Simulazioa5_1" : k == 2 ? "Simulazioa5_2" : "Simulazioa5_3", 4}).set("Checked", k == checked);

  enable({"Simulazioa9", 5}, true);
  enable({"Simulazioa10", 5}, false);
  enable({"Simulazioa11", 5}, true);
  mikro_window.set_enabled(false);
  km_window.set_enabled(false);
}

void Enter_idle_state() {
  const EngineState& e = engine();
  const bool opened = e.Example_opened != 0, loaded = e.Example_loaded != 0;
  // Each command is usable where it can work in the example's life cycle:
  // open once, load when open and not loaded, unload, change data and run
  // the example only when loaded.
  enable({"Artxibo3", 1}, !opened);
  enable({"Artxibo6", 1}, opened && !loaded);
  enable({"Artxibo7", 1}, loaded);
  enable({"Artxibo8", 1}, loaded);
  enable({"Artxiboaldatu", 1}, true);
  enable({"Artxibo11", 1}, e.Control_memory_modified != 0);
  for (const char* item : {"Simulazioa1", "Simulazioa2", "Simulazioa3"}) enable({item, 5}, true);
  enable({"Simulazioa4", 5}, loaded);
  for (const char* item : {"Simulazioa9", "Simulazioa10", "Simulazioa11"}) enable({item, 5}, false);

  // Nothing to continue: "Hasi" too is disabled.
  toolbar({{1, false}, {2, false}, {4, false}, {5, false}, {6, true}});

  Set_status_panel(1, "Aginduaren zain");
  Set_status_panel(4, "");
  Set_status_panel(2, "");
  Set_status_panel(3, "");

  Nagusia& m = main_window();
  m.ctl("NadrelMikro").set_enabled(true);
  m.ctl("Nadrel1").set_enabled(true);
  plat::form<Mikroprograma>().ctl("NadrelMikro").set_enabled(true);
  plat::form<Kontrolmemoria>().ctl("Nadrel2").set_enabled(true);
  if (loaded) {
    m.ctl("Nadrel4", 1).set_enabled(true);
    m.ctl("Nadrel3").set_enabled(true);
    MNetaEM& mn = plat::form<MNetaEM>();
    mn.ctl("Nadrel3", 0).set_enabled(true);
    mn.ctl("Nadrel1").set_enabled(true);
  }
}

}  // namespace brendalo
