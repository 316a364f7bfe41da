#include "simulator/display/grid_paint.h"

#include <initializer_list>

#include "gridcontrol/nadrel_ids.h"

namespace brendalo {

namespace {
void let_cell(Grid& grid, plat::com::DispId id, int row, std::initializer_list<plat::com::Variant> args) {
  if (row > grid.Rows()) return;  // data rows 1..Rows(): not laid out that far yet
  grid.object().let(id, args);
}
}  // namespace

void Paint_cell(Grid& grid, int col, int row, uint32_t color) {
  let_cell(grid, nadrel::dispid::CellBackColor, row,
           {plat::com::Variant(int32_t(col)), plat::com::Variant(int32_t(row)), plat::com::Variant(int32_t(color))});
}

void Write_cell_text(Grid& grid, int row, int col, const std::string& text) {
  let_cell(grid, nadrel::dispid::TextMatrix, row,
           {plat::com::Variant(int32_t(row)), plat::com::Variant(int32_t(col)), plat::com::Variant(text)});
}

}  // namespace brendalo
