#pragma once
// The simulator's grids, reached late-bound through the grid's automation
// interface by dispatch identifier. Data rows and columns count from 1;
// TextMatrix takes the row first, the cell colours the column first.
//
// Each accessor reaches its window first: a window that is not loaded is
// loaded hidden there, and its load (which may list the same grid) has run
// to its end before the caller's first call into the grid.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/com/dispatch.h"

namespace plat {
class Form;
}

namespace brendalo {

class Grid {
 public:
  explicit Grid(plat::com::Dispatch& d) : d_(&d) {}

  void AutoSetup(int16_t rows, int16_t cols, bool row_header, bool col_header, const std::string& format);
  void ColWidth(int32_t col, int32_t width);
  int32_t Cols() const;
  void ColAllowEdit(int32_t col, bool allowed);
  bool ColAllowEdit(int32_t col) const;
  void Clear();
  void AddItem(const std::string& row_data);
  void TextMatrix(int32_t row, int32_t col, const std::string& text);
  std::string TextMatrix(int32_t row, int32_t col) const;
  void CellBackColor(int32_t col, int32_t row, int32_t color);
  int32_t CellBackColor(int32_t col, int32_t row) const;
  void CellForeColor(int32_t col, int32_t row, int32_t color);
  int32_t CellForeColor(int32_t col, int32_t row) const;
  int32_t Rows() const;

  plat::com::Dispatch& object() const { return *d_; }

 private:
  plat::com::Dispatch* d_;
};

// A guard of a grid's BeforeEdit: the sender's control-array index (-1 for
// a single grid) and the cell's row and column.
using Grid_edit_guard = std::function<void(int index, int row, int col)>;
// Binds `guard` to the BeforeEdit of the window's grid `grid`. No text is
// ever typed into a grid cell: the grid's Cancel is its handler's own copy,
// so the listings lay every grid out with no column open to an in-place edit
// (ColAllowEdit False); a key still raises BeforeEdit, the guard refuses with
// a message or opens the dialog in which the value is changed, and no editor
// opens.
void Guard_grid_edits(plat::Form& window, const char* grid, Grid_edit_guard guard);

Grid Nagusia_NadrelMikro();       // microprogram
Grid Nagusia_Nadrel1();           // control memory
Grid Nagusia_Nadrel4();           // register file, element 1 of Nadrel4
Grid Nagusia_Nadrel3();           // main memory
Grid Mikroprograma_NadrelMikro();
Grid Kontrolmemoria_Nadrel2();
Grid MNetaEM_Nadrel1();           // register file
Grid MNetaEM_Nadrel3();           // main memory, element 0 of Nadrel3

}  // namespace brendalo
