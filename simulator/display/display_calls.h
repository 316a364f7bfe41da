#pragma once
// The display routines that the engine and the run commands call while a run
// goes on: the micro-address marks in the grids and the state chart, the
// process-unit drawing, the control-signal panel and the example program's
// step-by-step display. They read the engine's variables and the machine
// tables, paint, and return; none gives a value back.
//
// Placeholders: they paint nothing yet; the simulation display fills them.
// The marking helpers of grid_marks.h belong with them.
#include <cstdint>
#include <string>

#include "simulator/display/grid_marks.h"

namespace brendalo {

// Moves the marks of the grids and the state chart from Previous_micro_address to Micro_address.
void Show_micro_address();
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
// Stores the text of C element Example_iteration in memory and both memory grids.
void Write_example_c_element();
// Undo of the example's marks.
void Unmark_register(const std::string& name);  // "r1".."r5"
void Unmark_instruction_rows(int16_t first_row);
void Unmark_example_a_element();
void Unmark_example_b_element();

}  // namespace brendalo
