#include "simulator/machine/grids.h"

#include "gridcontrol/nadrel_ids.h"
#include "platform/forms/hosted.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

namespace id = nadrel::dispid;
using plat::com::Variant;

void Grid::AutoSetup(int16_t rows, int16_t cols, bool row_header, bool col_header, const std::string& format) {
  d_->call(id::AutoSetup, {Variant::i2(rows), Variant::i2(cols), Variant(row_header), Variant(col_header), Variant(format)});
}
void Grid::ColWidth(int32_t col, int32_t width) { d_->let(id::ColWidth, {Variant(col), Variant(width)}); }
int32_t Grid::Cols() const { return d_->get(id::Cols).to_i4(); }
void Grid::ColAllowEdit(int32_t col, bool allowed) { d_->let(id::ColAllowEdit, {Variant(col), Variant(allowed)}); }
bool Grid::ColAllowEdit(int32_t col) const { return d_->get(id::ColAllowEdit, {Variant(col)}).to_bool(); }
void Grid::Clear() { d_->call(id::Clear); }
void Grid::AddItem(const std::string& row_data) { d_->call(id::AddItem, {Variant(row_data)}); }
void Grid::TextMatrix(int32_t row, int32_t col, const std::string& text) {
  d_->let(id::TextMatrix, {Variant(row), Variant(col), Variant(text)});
}
std::string Grid::TextMatrix(int32_t row, int32_t col) const {
  return d_->get(id::TextMatrix, {Variant(row), Variant(col)}).to_string();
}
void Grid::CellBackColor(int32_t col, int32_t row, int32_t color) {
  d_->let(id::CellBackColor, {Variant(col), Variant(row), Variant(color)});
}
int32_t Grid::CellBackColor(int32_t col, int32_t row) const {
  return d_->get(id::CellBackColor, {Variant(col), Variant(row)}).to_i4();
}
void Grid::CellForeColor(int32_t col, int32_t row, int32_t color) {
  d_->let(id::CellForeColor, {Variant(col), Variant(row), Variant(color)});
}
int32_t Grid::CellForeColor(int32_t col, int32_t row) const {
  return d_->get(id::CellForeColor, {Variant(col), Variant(row)}).to_i4();
}
int32_t Grid::Rows() const { return d_->get(id::Rows).to_i4(); }

namespace {
template <class W>
Grid grid_of(const char* name, int index = -1) {
  return Grid(plat::object(plat::form<W>().ctl(name, index)));
}
}  // namespace

Grid Nagusia_NadrelMikro() { return grid_of<Nagusia>("NadrelMikro"); }
Grid Nagusia_Nadrel1() { return grid_of<Nagusia>("Nadrel1"); }
Grid Nagusia_Nadrel4() { return grid_of<Nagusia>("Nadrel4", 1); }
Grid Nagusia_Nadrel3() { return grid_of<Nagusia>("Nadrel3"); }
Grid Mikroprograma_NadrelMikro() { return grid_of<Mikroprograma>("NadrelMikro"); }
Grid Kontrolmemoria_Nadrel2() { return grid_of<Kontrolmemoria>("Nadrel2"); }
Grid MNetaEM_Nadrel1() { return grid_of<MNetaEM>("Nadrel1"); }
Grid MNetaEM_Nadrel3() { return grid_of<MNetaEM>("Nadrel3", 0); }

void Guard_grid_edits(plat::Form& window, const char* grid, Grid_edit_guard guard) {
  window.on_object_event(grid, nadrel::event::BeforeEdit, [guard](int index, std::span<Variant> args) {
    if (args.size() < 3 || !guard) return;
    guard(index, args[0].to_i4(), args[1].to_i4());
  });
}

}  // namespace brendalo
