#include "simulator/mainwindow/run_commands.h"

#include "platform/comctl/comctl.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

namespace {
Nagusia& main_window() { return plat::form<Nagusia>(); }

// Toolbar buttons 1 "Hasi", 2 "Gelditu", 4 "Martxan", 5 "Geldirik".
void set_run_buttons(bool paused) {
  plat::Control& tb = main_window().ctl("Toolbar1");
  plat::set_toolbar_button_enabled(tb, 1, paused);
  plat::set_toolbar_button_enabled(tb, 2, !paused);
  plat::set_toolbar_button_enabled(tb, 4, !paused);
  plat::set_toolbar_button_enabled(tb, 5, paused);
}
}  // namespace

// Placeholders: the run commands come with the engine.
void Run_single_instruction(const std::string&) {}
void Simulazioa4_Click(int) {}
void Simulazioa5_1_Click(int) {}
void Simulazioa5_2_Click(int) {}
void Simulazioa5_3_Click(int) {}
void Simulazioa6_Click(int) {}
void Simulazioa7_Click(int) {}
void Command2_Click(int) {}
void Simulazioa8_1_Click(int) { Command2_Click(0); }
void Simulazioa8_2_Click(int) { Command2_Click(1); }
void Simulazioa11_Click(int) {}

void Simulazioa9_Click(int) {
  engine().Stop_requested = kFlagTrue;
  main_window().ctl("Simulazioa9", 5).set_enabled(false);
  main_window().ctl("Simulazioa10", 5).set_enabled(true);
  Set_status_panel(1, "Simulazioa geldirik");
  set_run_buttons(true);
}

void Simulazioa10_Click(int) {
  engine().Stop_requested = kFlagFalse;
  main_window().ctl("Simulazioa9", 5).set_enabled(true);
  main_window().ctl("Simulazioa10", 5).set_enabled(false);
  Set_status_panel(1, "KU simulatzen");
  set_run_buttons(false);
}

void Command3_Click(int Index) {
  if (Index == 0) {
    engine().Cycle_pulse = true;
  } else if (Index == 1) {
    engine().Step_pulse = kFlagTrue;
  } else {
    return;
  }
  main_window().ctl("Command3", Index).set_enabled(false);
}

void Command1_Click() { main_window().reset = kFlagTrue; }

}  // namespace brendalo
