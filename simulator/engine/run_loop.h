#pragma once
// A run of the control unit, as the run commands of the main window drive it:
//
//   reset := true; one mode flag set;
//   while reset: reset := false; Instruction_running := true; clock buttons;
//                Start_ku_simulation(); Run_ku_simulation() (once per
//                instruction); Stop_ku_simulation(); ...
#include <cstdint>
#include <string>

namespace brendalo {

// Runs the microinstruction passes of one instruction until the next
// micro-address is "00000" (or names no microinstruction), or a restart or
// the end of the simulation is requested. Returns at once when one of those
// or Instruction_done is already set. Leaves Micro_address 0.
void Run_ku_simulation();

// Closes a run: hides the clock buttons, disables "RESET"; unless a restart
// is pending it finishes the instruction, clears the modes and returns the
// windows to their idle look; always clears the run flags.
void Stop_ku_simulation();

// Panel 1's text for a run that goes on: the text of the clock wait in
// progress ("clk1-en zain", "clk2-ren zain"), else "KU simulatzen".
std::string Running_state_text();

// The running look, and the engine made ready for a run.
void Start_ku_simulation();
// The idle look: each command usable where it can work.
void Enter_idle_state();

// The end of a run: the replay at micro-address 0, the drawing back at rest,
// the closing message and, after the example, the results window.
void Finish_instruction_run();

// The value of data word `word` of main memory: its 16 bits as a
// two's-complement number.
int16_t Data_word_value(int word);

}  // namespace brendalo
