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

// The clk2 wait in the middle of a step-by-step cycle.
void step_wait() {
  EngineState& e = engine();
  at({"Command3", 1}).set_enabled(true);
  Set_status_panel(1, "clk2-ren zain");
  while (!e.Step_pulse && !e.Mode_continuous && !e.Mode_cycle_by_cycle && !aborted()) plat::wait_event();
  if (!reset_requested() && e.Step_pulse && !e.Simulation_ended) {
    e.Step_pulse = kFlagFalse;
    at({"Command3", 1}).set_enabled(false);
  }
  if (!aborted()) Set_status_panel(1, "KU simulatzen");
}

// The clk1 wait at the end of a cycle in the two manual modes.
void cycle_wait() {
  EngineState& e = engine();
  at({"Command3", 0}).set_enabled(true);
  Set_status_panel(1, "clk1-en zain");
  while (!e.Cycle_pulse && !e.Mode_continuous && !aborted()) plat::wait_event();
  if (!reset_requested() && !e.Simulation_ended && e.Cycle_pulse) {
    e.Cycle_pulse = false;
    at({"Command3", 0}).set_enabled(false);
  }
  if (!aborted()) Set_status_panel(1, "KU simulatzen");
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
