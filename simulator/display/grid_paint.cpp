#include "simulator/display/grid_paint.h"

#include <vector>

#include "gridcontrol/nadrel_ids.h"

namespace brendalo {

namespace {
void let(Grid& grid, plat::com::DispId id, std::vector<plat::com::Variant> args) {
  // invoke reports a cell outside the grid as an error and changes nothing.
  grid.object().invoke(id, plat::com::CallKind::Let, args);
}
}  // namespace

void Paint_cell(Grid& grid, int col, int row, uint32_t color) {
  let(grid, nadrel::dispid::CellBackColor,
      {plat::com::Variant(int32_t(col)), plat::com::Variant(int32_t(row)), plat::com::Variant(int32_t(color))});
}

void Write_cell_text(Grid& grid, int row, int col, const std::string& text) {
  let(grid, nadrel::dispid::TextMatrix,
      {plat::com::Variant(int32_t(row)), plat::com::Variant(int32_t(col)), plat::com::Variant(text)});
}

}  // namespace brendalo
