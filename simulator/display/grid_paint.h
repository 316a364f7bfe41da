#pragma once
// Cell writes of the display routines. A grid that no listing has laid out
// yet has fewer rows than a mark names: a write to a row the grid does not
// have is left out rather than ending the run. Any other failure of the call
// (a wrong identifier, column or argument) ends with the grid's error.
#include <cstdint>
#include <string>

#include "simulator/machine/grids.h"

namespace brendalo {

void Paint_cell(Grid& grid, int col, int row, uint32_t color);
void Write_cell_text(Grid& grid, int row, int col, const std::string& text);

}  // namespace brendalo
