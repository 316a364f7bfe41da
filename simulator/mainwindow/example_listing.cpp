#include "simulator/mainwindow/example_listing.h"

namespace brendalo {
// Placeholders: the memory listings come with the grids.
void Fill_example_program_grid() {}
void Fill_example_program_memory_window() {}
void Clear_main_memory_grid() {}
void Clear_main_memory_window_grid() {}
}  // namespace brendalo
