#include "simulator/machine/listings.h"

namespace brendalo {

// Placeholders: the grid listings come with the grids.
void Show_microprogram_main() {}
void Show_microprogram_window() {}
void Show_control_memory_main() {}
void Show_control_memory_window() {}
void Show_registers_main() {}
void Show_registers_window() {}
void Refresh_registers_main() {}
void Refresh_registers_window() {}
void Show_main_memory_main() {}
void Show_main_memory_window() {}

}  // namespace brendalo
