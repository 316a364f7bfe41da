#include "simulator/engine/run_loop.h"

#include "platform/forms/services.h"
#include "simulator/display/display_calls.h"
#include "simulator/engine/conversions.h"
#include "simulator/engine/cycle_phases.h"
#include "simulator/engine/drawing.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

using namespace drawing;

namespace {

bool valid_micro_address(const std::string& bits) {
  return bits == "00000" || Microaddress_to_integer(bits) != 0;
}

constexpr const char* kRunning = "KU simulatzen";

// The text of the clock wait in progress, nullptr outside one.
const char* clock_wait_text = nullptr;

// Panel 1 while the run goes on. A requested pause keeps "Simulazioa
// geldirik" there until the continue command, which shows the run's state
// again: the run stays held though a clock wait may come or end meanwhile.
void show_run_state(const char* text) {
  if (!engine().Stop_requested) Set_status_panel(1, text);
}

// A clock wait: its button enabled and its text shown until `ended` holds.
// However the wait ends (a pulse, a mode change, RESET, the end), the button
// is disabled again: one left enabled would, once a manual mode shows it
// again, take a pulse before the next wait and end that wait at once.
template <class Ended>
void clock_wait(int button, const char* text, Ended ended) {
  // The two buttons take turns in step-by-step mode: the focus that a pulse
  // given on one left waiting goes to the one offered now, so that Space
  // after Space steps the run.
  plat::Control& offered = at({"Command3", button});
  offered.form().pass_waiting_focus(at({"Command3", 1 - button}), offered);
  offered.set_enabled(true);
  clock_wait_text = text;
  show_run_state(text);
  while (!ended() && !aborted()) plat::wait_event();
  clock_wait_text = nullptr;
  at({"Command3", button}).set_enabled(false);
}

// The clk2 wait in the middle of a step-by-step cycle.
void step_wait() {
  EngineState& e = engine();
  clock_wait(1, "clk2-ren zain", [&e] { return e.Step_pulse || e.Mode_continuous || e.Mode_cycle_by_cycle; });
  if (!reset_requested() && e.Step_pulse && !e.Simulation_ended) e.Step_pulse = kFlagFalse;
  if (!aborted()) show_run_state(kRunning);
}

// The clk1 wait at the end of a cycle in the two manual modes.
void cycle_wait() {
  EngineState& e = engine();
  clock_wait(0, "clk1-en zain", [&e] { return e.Cycle_pulse || e.Mode_continuous; });
  if (!reset_requested() && !e.Simulation_ended && e.Cycle_pulse) e.Cycle_pulse = false;
  if (!aborted()) show_run_state(kRunning);
}

void pass() {
  EngineState& e = engine();
  e.Micro_address = Microaddress_to_integer(e.Micro_address_bits);
  Update_phase_delay();
  // Only continue (or the end) lifts a pause here; a restart waits for it.
  while (e.Stop_requested && !e.Simulation_ended && !plat::ending()) plat::wait_event();
  for (void (*phase)() : {Animate_clk1_edge, Update_microaddress_counter, Read_control_word})
    if (!aborted()) phase();
  if (!aborted() && e.Mode_step_by_step) step_wait();
  for (void (*phase)() : {Decode_instruction, Show_control_word_fields, Apply_control_signals, Evaluate_condition_z,
                          Select_next_microaddress})
    if (!aborted()) phase();
  if (!aborted() && (e.Mode_step_by_step || e.Mode_cycle_by_cycle)) cycle_wait();
  // A next micro-address that names no microinstruction (an edited control
  // word can give one) ends the instruction as "00000" does.
  if (!valid_micro_address(e.Micro_address_bits)) e.Micro_address_bits = "00000";
  if (e.Micro_address_bits == "00000") e.Instruction_done = kFlagTrue;
}

}  // namespace

std::string Running_state_text() { return clock_wait_text ? clock_wait_text : kRunning; }

void Run_ku_simulation() {
  EngineState& e = engine();
  while (!reset_requested() && !e.Simulation_ended && !e.Instruction_done && !plat::ending()) pass();
  e.Micro_address = 0;
}

void Stop_ku_simulation() {
  EngineState& e = engine();
  visible({{"Command3", 0}, {"Command3", 1}}, false);
  at({"Command1"}).set_enabled(false);
  if (!reset_requested()) Finish_instruction_run();
  Reset_process_unit_diagram();
  if (!reset_requested()) {
    e.Mode_cycle_by_cycle = false;
    e.Mode_step_by_step = kFlagFalse;
    e.Mode_continuous = false;
  }
  if (!reset_requested()) Enter_idle_state();
  e.Instruction_running = kFlagFalse;
  e.Simulation_ended = kFlagFalse;
  e.Instruction_done = kFlagFalse;
  e.Stop_requested = kFlagFalse;
}

}  // namespace brendalo
