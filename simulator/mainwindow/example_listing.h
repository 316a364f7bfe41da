#pragma once
// The example program in the two main-memory grids (Nadrel3 of Nagusia and
// Nadrel3(0) of MNetaEM): filled when the example is loaded, emptied when it
// is unloaded. Placeholders until the grids can be filled.
namespace brendalo {
void Fill_example_program_grid();
void Fill_example_program_memory_window();
void Clear_main_memory_grid();
void Clear_main_memory_window_grid();
}  // namespace brendalo
