#include "simulator/display/display_calls.h"

namespace brendalo {

// Placeholders: the simulation display comes with its own part of the program.
void Show_micro_address() {}
void Highlight_asm_state(int16_t&) {}
void Unhighlight_asm_state(int16_t&) {}
void Reset_process_unit_diagram() {}
void Highlight_process_unit_diagram() {}
void Show_control_signals() {}
void Clear_control_signals() {}
void Step_example_display() {}
void Set_example_status_text(const std::string&) {}
void Write_example_c_element() {}
void Unmark_register(const std::string&) {}
void Unmark_instruction_rows(int16_t) {}
void Unmark_example_a_element() {}
void Unmark_example_b_element() {}

}  // namespace brendalo
