#pragma once
// Marks of the example run in the memory and register grids. Each routine
// paints columns 1, 2 and 3 of its row in the main window's grid first and
// then in its twin in MNetaEM, so both windows always show the same marks.
// Unmarking writes the ordinary colours of the row, not what it had before.
#include <cstdint>
#include <string>

namespace brendalo {

// Memory grids: row 1 + word (A rows 1..16, B 17..32, C 33..48, the program from row 51).
void Mark_memory_row(int16_t row);            // a word being read
void Mark_example_a_element();  // word Example_iteration - 1
void Mark_example_b_element();  // word Example_iteration + 15
void Mark_example_c_element();  // word Example_iteration + 31
void Unmark_example_c_element();
// The sixteen C elements in the listing's colours, none stored yet: how
// every example run starts.
void Unmark_all_example_c_elements();

// Register grids: row r + 1 for register r.
void Mark_register_row(int16_t row);
void Unmark_register_row(int16_t row);
void Mark_register(const std::string& name);  // "r1".."r5"; any other name paints nothing

// The A or B element of Example_iteration read as a 16-bit two's-complement
// number; a bit cell counts only when it holds exactly 1.
int32_t Read_example_a_element();
int32_t Read_example_b_element();

}  // namespace brendalo
