#pragma once
// The eight phases of one microinstruction cycle, in the order the run loop
// calls them: the clk1 edge, the micro-address counter and the control-word
// read (the front), then the decode, the fields of the microinstruction
// register, the control signals, the condition Z and the next micro-address
// (the back). Each animates the control-unit drawing of the main window,
// paced by waits of Phase_delay.
//
// The guarded forms wait while the run is paused before each step and skip
// the step once a restart or the end of the simulation is requested; the
// waits of the phase still run (only the end cuts them short). The closing
// forms of the front phases replay it at micro-address 0 at the end of a run,
// straight through.
#include <optional>
#include <string>

namespace brendalo {

void Animate_clk1_edge();
void Update_microaddress_counter();
void Read_control_word();
void Decode_instruction();
void Show_control_word_fields();
void Apply_control_signals();
void Evaluate_condition_z();
void Select_next_microaddress();

void Animate_clk1_edge_final();
void Update_microaddress_counter_final();
void Read_control_word_final();

// What the decoder answers for an instruction of the example program.
struct ExampleInstruction {
  const char* text;   // status panel 3
  const char* code;   // status panel 2, the six-bit operation code
  const char* start;  // start of its microroutine
};
// Instruction 1..10 of the example program; nullptr for any other number.
const ExampleInstruction* Example_instruction_entry(int instruction);
// The condition Z at the conditional jump of example instruction 9 ("beq r2,
// buka": 1 only in the last iteration) and 10 ("beq r0, segi": always 1);
// nothing for any other instruction.
std::optional<std::string> Example_z_value(int instruction, int iteration);

}  // namespace brendalo
