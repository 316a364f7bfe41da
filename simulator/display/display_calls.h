#pragma once
// The display routines that the engine and the run commands call while a run
// goes on: the micro-address marks in the grids and the state chart, the
// process-unit drawing, the control-signal panel and the example program's
// step-by-step display. They read the engine's variables and the machine
// tables, paint, and return; none gives a value back.
// The marking helpers of grid_marks.h belong with them.
#include <cstdint>
#include <string>

#include "simulator/display/grid_marks.h"

namespace brendalo {

// Moves the marks of the grids and the state chart from Previous_micro_address to Micro_address.
void Show_micro_address();
// State `state` (0..21) lit, or back to rest, in the chart of ASM and in
// Shape3 of the main window; lighting also names the state in Text4(0)
// (empty on grey for state 20 and for the end-of-run replay of state 0).
// Un-lighting leaves Text4(0) alone. Other numbers change nothing.
void Highlight_asm_state(int16_t& state);
void Unhighlight_asm_state(int16_t& state);
// The process-unit drawing back to its idle look.
void Reset_process_unit_diagram();
// Lights the paths that the signals of row Micro_address open.
void Highlight_process_unit_diagram();
// The 17 signal indicators of the main window: lit by row Micro_address, or idle.
void Show_control_signals();
void Clear_control_signals();
// The example instruction's effect at the current micro-address.
void Step_example_display();
// Panel 4 of the seven status windows (the example's program counter).
void Set_example_status_text(const std::string& text);
// Stores `value` as C element Example_iteration: Word_bits 0..15, its text in
// Main_memory_text and column 2 of its row in both memory grids.
void Write_example_c_element(int32_t value);
// Undo of the example's marks.
void Unmark_register(const std::string& name);  // "r1".."r5"
void Unmark_instruction_rows(int16_t first_row);
void Unmark_example_a_element();
void Unmark_example_b_element();

}  // namespace brendalo
