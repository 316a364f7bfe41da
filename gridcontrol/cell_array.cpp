#include "gridcontrol/cell_array.h"

#include <algorithm>

#include "platform/com/errors.h"

namespace nadrel {

using plat::com::RuntimeError;

CellArray::CellArray() {
  rows_.resize(1);
  rows_[0].resize(1);
  InitCell(rows_[0][0], 0, 0);
}

void CellArray::InitCell(CellRecord& c, int32_t lCol, int32_t lRow) {
  c.BackColor = -1;
  c.ForeColor = -1;
  c.FontName.clear();
  c.FontSize = 9;
  c.FontBold = (lRow == 0 || lCol == 0) ? -1 : 0;
  c.FontItalic = c.FontUnderline = c.FontStrikethru = 0;
}

void CellArray::check_size(int32_t rows, int32_t cols) {
  if (rows < 0 || cols < 0) throw RuntimeError(plat::com::kErrSubscript);
  if ((int64_t(rows) + 1) * (int64_t(cols) + 1) > kMaxCells) throw RuntimeError(plat::com::kErrOutOfMemory);
}

void CellArray::Rows(int32_t n) {
  const int32_t old = Rows();
  if (n == old) return;
  check_size(n, cols_);
  rows_.resize(size_t(n) + 1);
  for (int32_t r = old + 1; r <= n; ++r) {
    rows_[r].resize(size_t(cols_) + 1);
    for (int32_t c = 0; c <= cols_; ++c) InitCell(rows_[r][c], c, r);
  }
}

void CellArray::Cols(int32_t n) {
  const int32_t old = cols_;
  if (n == old) return;
  check_size(Rows(), n);
  for (int32_t r = 0; r <= Rows(); ++r) {
    rows_[r].resize(size_t(n) + 1);
    for (int32_t c = old + 1; c <= n; ++c) InitCell(rows_[r][c], c, r);
  }
  cols_ = n;
}

CellRecord& CellArray::cell(int32_t lCol, int32_t lRow) {
  if (!contains(lCol, lRow)) throw RuntimeError(plat::com::kErrSubscript);
  return rows_[lRow][lCol];
}

const CellRecord& CellArray::cell(int32_t lCol, int32_t lRow) const {
  if (!contains(lCol, lRow)) throw RuntimeError(plat::com::kErrSubscript);
  return rows_[lRow][lCol];
}

void CellArray::Remove(int32_t iRow) {
  const int32_t rows = Rows();
  if (rows < iRow || rows < 1) return;
  if (iRow < 0) throw RuntimeError(plat::com::kErrSubscript);
  for (int32_t r = iRow; r < rows; ++r)
    std::copy(rows_[r + 1].begin() + 1, rows_[r + 1].end(), rows_[r].begin() + 1);
}

}  // namespace nadrel
