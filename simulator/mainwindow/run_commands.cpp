#include "simulator/mainwindow/run_commands.h"

#include "platform/comctl/comctl.h"
#include "platform/forms/services.h"
#include "simulator/dialogs/ademaitza.h"
#include "simulator/dialogs/konfiguratusim.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/display/display_calls.h"
#include "simulator/engine/conversions.h"
#include "simulator/engine/drawing.h"
#include "simulator/engine/run_loop.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/end_command.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

using namespace drawing;

namespace {

KonfiguratuSIM& options() { return plat::form<KonfiguratuSIM>(); }

// Toolbar buttons 1 "Hasi", 2 "Gelditu", 4 "Martxan", 5 "Geldirik".
void set_run_buttons(bool paused) {
  plat::Control& tb = main_window().ctl("Toolbar1");
  plat::set_toolbar_button_enabled(tb, 1, paused);
  plat::set_toolbar_button_enabled(tb, 2, !paused);
  plat::set_toolbar_button_enabled(tb, 4, !paused);
  plat::set_toolbar_button_enabled(tb, 5, paused);
}

enum class Mode { Continuous, CycleByCycle, StepByStep };

// The option button of the options window that mirrors a mode.
int option_of(Mode m) { return m == Mode::Continuous ? 8 : m == Mode::CycleByCycle ? 7 : 6; }

// The clock buttons for the modes flags, tested in this order; with no mode
// set they are left as they are.
void clock_buttons_for_mode() {
  const EngineState& e = engine();
  plat::Control& clk1 = at({"Command3", 0});
  plat::Control& clk2 = at({"Command3", 1});
  if (e.Mode_continuous) {
    clk1.set_visible(false);
    clk2.set_visible(false);
  } else if (e.Mode_cycle_by_cycle) {
    clk1.set_visible(true);
    clk1.set_enabled(false);
    clk2.set_visible(false);
  } else if (e.Mode_step_by_step) {
    clk1.set_visible(true);
    clk1.set_enabled(false);
    clk2.set_visible(true);
    clk2.set_enabled(false);
  }
}

void hide_clock_buttons() { visible({{"Command3", 0}, {"Command3", 1}}, false); }

// The RESET branch of the restart loop: true when the run starts again.
bool restart_requested() {
  if (!reset_requested() || plat::ending()) return false;
  Simulazioa11_Click(5);
  engine().Simulation_ended = kFlagFalse;
  return true;
}

// Every run of the example, and every restart, starts from the same texts,
// so that what it shows is what this run computes: vector C empty in memory,
// in both memory grids (in the listing's colours, none marked as stored) and
// in a results window left open, and the registers back at their start texts
// in both register grids.
void fresh_example_start() {
  plat::Control& memory_main = main_window().ctl("Nadrel3");
  plat::Control& memory_window = plat::form<MNetaEM>().ctl("Nadrel3", 0);
  plat::Form* results = plat::loaded_form(Ademaitza::kName);
  for (int i = 0; i < kVectorLength; ++i) {
    machine().Main_memory_text[size_t(2 * kVectorLength + i)].clear();
    const int row = 2 * kVectorLength + i + 1;
    cell_text(memory_main, row, 2, "");
    cell_text(memory_window, row, 2, "");
    if (results) results->ctl("Text6", i).set_text("");
  }
  Unmark_all_example_c_elements();
  Reset_register_file_text();
  Refresh_registers_main();
  Refresh_registers_window();
}

void run_example_program() {
  EngineState& e = engine();
  Start_ku_simulation();
  e.Example_instruction = 1;
  Run_ku_simulation();
  e.Example_instruction = 2;
  e.Instruction_done = kFlagFalse;
  Run_ku_simulation();
  e.Instruction_done = kFlagFalse;
  // A run cut short keeps the position it was cut at, so that the end
  // command undoes the marks of that very instruction.
  const auto cut = [&e] { return e.Simulation_ended || reset_requested() || plat::ending(); };
  for (e.Example_iteration = 1; e.Example_iteration <= 16 && !cut(); ++e.Example_iteration) {
    const int last = e.Example_iteration == 16 ? 9 : 10;
    for (e.Example_instruction = 3; e.Example_instruction <= last; ++e.Example_instruction) {
      Run_ku_simulation();
      e.Instruction_done = kFlagFalse;
      if (cut()) break;
    }
    if (cut()) break;
  }
  if (!cut()) {
    Unmark_register("r2");
    Unmark_instruction_rows(67);
    Mark_memory_row(71);
    cell_back_color(main_window().ctl("Nadrel3"), 2, 48, 0xC0FFFF);
    cell_back_color(plat::form<MNetaEM>().ctl("Nadrel3", 0), 2, 48, 0xC0FFFF);
  }
  Stop_ku_simulation();
  hide_clock_buttons();
}

// The mode items: check marks, option buttons, flags, then the clock buttons.
void choose_mode(Mode m) {
  const char* items[] = {"Simulazioa5_1", "Simulazioa5_2", "Simulazioa5_3"};
  for (int k = 0; k < 3; ++k) at({items[k], 4}).set("Checked", k == int(m));
  KonfiguratuSIM& o = options();
  for (Mode x : {Mode::Continuous, Mode::CycleByCycle, Mode::StepByStep})
    o.ctl("Option1", option_of(x)).set_value(x == m);
  EngineState& e = engine();
  e.Mode_continuous = m == Mode::Continuous;
  e.Mode_cycle_by_cycle = m == Mode::CycleByCycle;
  e.Mode_step_by_step = to_flag(m == Mode::StepByStep);
  // Shown or hidden whether or not a run is in progress; their enabled state is
  // the engine's.
  at({"Command3", 0}).set_visible(m != Mode::Continuous);
  at({"Command3", 1}).set_visible(m == Mode::StepByStep);
}

void set_period(const std::string& period) {
  EngineState& e = engine();
  e.Clk1_period_text = period;
  Set_status_panel(5, period + "''");
  Update_phase_delay();
}

void check_presets(bool fast, bool slow) {
  at({"Simulazioa6", 5}).set("Checked", fast);
  at({"Simulazioa7", 5}).set("Checked", slow);
}

void preset(const char* period) {
  check_presets(std::string(period) == "3", std::string(period) == "20");
  set_period(period);
  options().ctl("Combo1", 0).set_text(period);
}

// The period the one-second steps start from: the options window's text when
// it is a whole period, otherwise the period in use.
std::string step_origin() {
  const std::string t = options().ctl("Combo1", 0).text();
  bool digits = !t.empty() && t.size() <= 2 && t[0] != '0';
  for (char ch : t) digits = digits && ch >= '0' && ch <= '9';
  if (digits) {
    const int p = std::stoi(t);
    if (p >= kMinClk1Period && p <= kMaxClk1Period) return t;
  }
  return std::to_string(Clk1_period_seconds(engine().Clk1_period_text));
}

}  // namespace

void Run_single_instruction(const std::string& name) {
  if (Run_in_progress()) return;
  Nagusia& m = main_window();
  EngineState& e = engine();
  m.reset = kFlagTrue;
  KonfiguratuSIM& o = options();
  e.Mode_continuous = false;
  o.ctl("Option1", 8).set_value(false);
  e.Mode_cycle_by_cycle = false;
  e.Mode_step_by_step = kFlagFalse;
  o.ctl("Option1", 7).set_value(false);
  o.ctl("Option1", 6).set_value(false);
  if (name == "Simulazioa1") {
    e.Mode_continuous = true;
    o.ctl("Option1", 8).set_value(true);
  } else if (name == "Simulazioa2") {
    e.Mode_cycle_by_cycle = true;
    o.ctl("Option1", 7).set_value(true);
  } else if (name == "Simulazioa3") {
    e.Mode_step_by_step = kFlagTrue;
    o.ctl("Option1", 6).set_value(true);
  }
  do {
    m.reset = kFlagFalse;
    e.Instruction_running = kFlagTrue;
    clock_buttons_for_mode();
    Start_ku_simulation();
    Run_ku_simulation();
    Stop_ku_simulation();
    hide_clock_buttons();
  } while (restart_requested());
}

void Simulazioa4_Click(int) {
  if (Run_in_progress()) return;
  Nagusia& m = main_window();
  EngineState& e = engine();
  at({"Simulazioa4", 5}).set_enabled(false);
  // The restore comes before the run counts as in progress: no table changes
  // under a run, and this one is the run's own first step.
  if (e.Control_memory_modified) {
    plat::message_box("Kontrol memoria aldatuta dagoenez, berrezarri egingo da simulazioari ekin aurretik.",
                      plat::vbInformation, "Programa adibidea simulatzen");
    m.Artxibo11_Click(1);
  }
  e.Example_running = kFlagTrue;
  m.reset = kFlagTrue;
  do {
    m.reset = kFlagFalse;
    e.Instruction_running = kFlagTrue;
    if (at({"Simulazioa5_1", 4}).get("Checked").to_bool()) {
      e.Mode_continuous = true;
      hide_clock_buttons();
    } else if (at({"Simulazioa5_2", 4}).get("Checked").to_bool()) {
      at({"Command3", 0}).set_visible(true);
      at({"Command3", 1}).set_visible(false);
      at({"Command3", 0}).set_enabled(false);
      e.Mode_cycle_by_cycle = true;
    } else {
      e.Mode_step_by_step = kFlagTrue;
      for (int i : {0, 1}) {
        at({"Command3", i}).set_visible(true);
        at({"Command3", i}).set_enabled(false);
      }
    }
    fresh_example_start();
    run_example_program();
  } while (restart_requested());
  at({"Simulazioa4", 5}).set_enabled(e.Example_loaded != 0);
  e.Example_running = kFlagFalse;
}

void Simulazioa5_1_Click(int) { choose_mode(Mode::Continuous); }
void Simulazioa5_2_Click(int) { choose_mode(Mode::CycleByCycle); }
void Simulazioa5_3_Click(int) { choose_mode(Mode::StepByStep); }
void Simulazioa6_Click(int) { preset("3"); }
void Simulazioa7_Click(int) { preset("20"); }

void Command2_Click(int Index) {
  if (Index != 0 && Index != 1) return;
  const std::string from = step_origin();
  const std::string to = Index == 0 ? Next_decimal_step(from) : Previous_decimal_step(from);
  if (to.empty()) {
    plat::message_box(Index == 0 ? "Ezinzezkoa da denbora handiagotzea. clk1-en denbora maximoa:59s."
                                 : "Ezinzezkoa da denbora txikiagotzea. clk1-en denbora minimoa:3s.",
                      plat::vbCritical, "Arazoak denbora handiagotzen saiatzean");
    return;
  }
  options().ctl("Combo1", 0).set_text(to);
  set_period(to);
  check_presets(to == "3", to == "20");
}

void Simulazioa8_1_Click(int) { Command2_Click(0); }
void Simulazioa8_2_Click(int) { Command2_Click(1); }

void Simulazioa9_Click(int) {
  // Pause and continue mean something only while a run is in progress.
  if (!Run_in_progress()) return;
  engine().Stop_requested = kFlagTrue;
  main_window().ctl("Simulazioa9", 5).set_enabled(false);
  main_window().ctl("Simulazioa10", 5).set_enabled(true);
  Set_status_panel(1, "Simulazioa geldirik");
  set_run_buttons(true);
}

void Simulazioa10_Click(int) {
  if (!Run_in_progress()) return;
  engine().Stop_requested = kFlagFalse;
  main_window().ctl("Simulazioa9", 5).set_enabled(true);
  main_window().ctl("Simulazioa10", 5).set_enabled(false);
  // A clock wait still in progress shows its own text again.
  Set_status_panel(1, Running_state_text());
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
