#pragma once
// Marks of the example run in the memory and register grids of the main
// window and of MNetaEM. Placeholders until the grids can be painted.
#include <cstdint>
#include <string>

namespace brendalo {
void Mark_memory_row(int16_t row);
void Mark_register(const std::string& name);  // "r1".."r5"
void Mark_example_a_element();  // word Example_iteration - 1
void Mark_example_b_element();  // word Example_iteration + 15
void Mark_example_c_element();  // word Example_iteration + 31
}  // namespace brendalo
