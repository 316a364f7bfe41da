#pragma once
// The grid's cell store: one record for every cell, header row 0 and header
// column 0 included. `Rows` and `Cols` are the highest indices, so the store
// holds (Rows+1) x (Cols+1) records. Every accessor takes the column first.
#include <cstdint>
#include <string>
#include <vector>

namespace nadrel {

struct CellRecord {
  std::string Text;
  std::string FontName;   // empty: the grid's font
  int16_t FontSize = 0;
  int16_t FontBold = 0;   // Booleans are -1 / 0
  int16_t FontItalic = 0;
  int16_t FontUnderline = 0;
  int16_t FontStrikethru = 0;
  uint8_t TextAlignVertical = 0;  // 0 top, 1 centred, 2 bottom
  int32_t BackColor = 0;  // negative: the grid's colour
  int32_t ForeColor = 0;
  uint8_t Style = 0;      // 1: drawn as a header cell
  int16_t Value = 0;      // header cell pressed (-1) or raised (0)
};

class CellArray {
 public:
  // Far beyond any real grid; growing past it fails with error 7 instead of
  // exhausting memory.
  static constexpr int64_t kMaxCells = int64_t(1) << 22;

  CellArray();

  int32_t Rows() const { return int32_t(rows_.size()) - 1; }
  int32_t Cols() const { return cols_; }
  // Resize, keeping what fits; new cells get their defaults. A negative
  // count fails with error 9, too many cells with error 7, before any change.
  void Rows(int32_t n);
  void Cols(int32_t n);
  // Whether the store could be resized to (rows, cols) without error.
  static void check_size(int32_t rows, int32_t cols);

  bool contains(int32_t lCol, int32_t lRow) const {
    return lRow >= 0 && lRow <= Rows() && lCol >= 0 && lCol <= cols_;
  }
  // The record of (lCol, lRow); error 9 outside the store.
  CellRecord& cell(int32_t lCol, int32_t lRow);
  const CellRecord& cell(int32_t lCol, int32_t lRow) const;

  // Moves the data cells (columns 1..Cols) of rows iRow+1..Rows up by one;
  // column 0 and the count stay. Nothing happens when iRow > Rows or Rows < 1.
  void Remove(int32_t iRow);

 private:
  static void InitCell(CellRecord& c, int32_t lCol, int32_t lRow);

  std::vector<std::vector<CellRecord>> rows_;  // jagged: one array per row
  int32_t cols_ = 0;
};

}  // namespace nadrel
