#pragma once
// Cell writes of the display routines. A grid that no listing has laid out
// yet has fewer rows than a mark names; such a cell is left alone rather
// than ending the run.
#include <cstdint>
#include <string>

#include "simulator/machine/grids.h"

namespace brendalo {

void Paint_cell(Grid& grid, int col, int row, uint32_t color);
void Write_cell_text(Grid& grid, int row, int col, const std::string& text);

}  // namespace brendalo
