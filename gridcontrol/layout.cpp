// Rows and columns as a whole: the format string, AutoSetup, adding and
// removing rows.
#include <algorithm>

#include "gridcontrol/nadrel.h"
#include "platform/com/errors.h"

namespace nadrel {

using plat::com::kErrSubscript;
using plat::com::RuntimeError;

namespace {

std::string trim_right(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

std::string trim(const std::string& s) {
  size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

}  // namespace

void Nadrel::FormatString(const std::string& s) {
  transaction([&] {
    S.FormatText = s;
    ClearLookupItems();
    ParseFormatString();
  });
  invalidate();
  notify_property_changed("FormatString");
}

// Tokens are separated by "|" and ";"; those before the first ";" are
// column headers (with an optional alignment mark "<", "^" or ">"), those
// after it row headers. Runs inside a transaction: a width or count that does
// not fit fails the whole text.
void Nadrel::ParseFormatString() {
  int32_t i = 1, j = 1;
  std::string tok;
  bool rows = false;
  auto width_of = [this](const std::string& t) { return to16(int64_t(plat::com::round_half_even(text_width(t) + 5))); };
  auto ensure_col = [this](int32_t c) {
    if (S.ColCount < c) Cols(c);
  };
  auto column_token = [&] {
    ensure_col(i);
    std::string t = tok;
    int16_t align = 0;
    if (t[0] == '<' || t[0] == '^' || t[0] == '>') {
      align = t[0] == '<' ? 0 : t[0] == '^' ? 1 : 2;
      t.erase(0, 1);
    }
    S.ColAligns[i] = align;
    S.ColWidths[i] = width_of(t);
    S.Cells.cell(i, 0).Text = trim_right(t);
    ++i;
  };
  auto row_token = [&] {
    i = 0;
    if (S.RowCount < j) Rows(j);
    int16_t w = width_of(tok);
    if (w > S.ColWidths[0]) S.ColWidths[0] = w;
    S.Cells.cell(0, j).Text = trim_right(tok);
  };
  for (char ch : S.FormatText) {
    if (ch != '|' && ch != ';') {
      tok += ch;
      continue;
    }
    if (!tok.empty() && !rows) {
      column_token();
    } else if (!tok.empty()) {
      row_token();
      ++j;
    } else {
      // An empty token past the last column makes room for it, as a named
      // one does, instead of failing half-way.
      ensure_col(i);
      S.Cells.cell(i, 0).Text.clear();
      S.ColWidths[i] = 64;
      ++i;
    }
    tok.clear();
    if (ch == ';') rows = true;
  }
  if (tok.empty()) return;
  if (!rows) {
    column_token();
    for (int32_t c = i; c <= S.ColCount; ++c) {
      S.Cells.cell(c, 0).Text.clear();
      S.ColWidths[c] = 64;
    }
  } else {
    row_token();
    for (int32_t r = j + 1; r <= S.RowCount; ++r) S.Cells.cell(0, r).Text.clear();
  }
}

void Nadrel::AutoSetup(const Variant& NRows, const Variant& NCols, bool vRowHeader, bool vColHeader,
                       const Variant& vFormatString) {
  // Every conversion first, so a value that does not convert leaves the
  // grid as it was, painting included.
  const int32_t rows = NRows.to_i4();
  const int32_t cols = NCols.to_i4();
  const std::string format = vFormatString.to_string();
  transaction([&] {
    S.RedrawOn = false;
    Rows(rows);
    Cols(cols);
    RowHeader(vRowHeader);
    ColHeader(vColHeader);
    S.FormatText = format;
    ClearLookupItems();
    ParseFormatString();
    S.RedrawOn = true;
  });
  invalidate();
}

bool Nadrel::RowEmpty(int32_t iRow) const {
  if (!S.Cells.contains(0, iRow)) throw RuntimeError(kErrSubscript);
  for (int32_t c = 1; c <= S.ColCount; ++c)
    if (!trim(S.Cells.cell(c, iRow).Text).empty()) return false;
  return true;
}

void Nadrel::AddItem(const std::string& RowData) {
  // Split at every Tab; the piece after the last Tab counts only when it is
  // not empty.
  std::vector<std::string> pieces;
  size_t start = 0;
  for (size_t tab; (tab = RowData.find('\t', start)) != std::string::npos; start = tab + 1)
    pieces.push_back(RowData.substr(start, tab - start));
  if (start < RowData.size()) pieces.push_back(RowData.substr(start));
  // Refused before the row is added: a text too long for the 16-bit
  // counters, more pieces than columns, or no room for another row.
  auto check = [&] {
    to16(int64_t(RowData.size()));
    to16(int64_t(S.RowCount) + 1);
    if (int64_t(pieces.size()) > S.Cells.Cols()) throw RuntimeError(kErrSubscript);
    CellArray::check_size(S.RowCount + 1, S.Cells.Cols());
  };
  check();
  fire_event(event::BeforeAddRow, {Variant(false)});
  check();  // the handler may have changed the grid
  {
    // One repaint, once the row holds its texts.
    const bool redraw = S.RedrawOn;
    S.RedrawOn = false;
    try {
      Rows(S.RowCount + 1);
    } catch (...) {
      S.RedrawOn = redraw;
      throw;
    }
    S.RedrawOn = redraw;
  }
  for (size_t k = 0; k < pieces.size(); ++k) S.Cells.cell(int32_t(k) + 1, S.RowCount).Text = std::move(pieces[k]);
  invalidate();
  fire_event(event::AfterAddRow, {Variant::i2(int16_t(S.RowCount))});
}

void Nadrel::RemoveItem(int16_t iRow) {
  if (S.RowCount == 0) return;
  // Only an existing data row can go: another number would drop the last
  // row, whatever it holds. Refused before the container hears of it.
  auto check = [&] {
    if (iRow < 1 || iRow > S.RowCount) throw RuntimeError(kErrSubscript);
  };
  check();
  fire_event(event::BeforeDeleteRow, {Variant::i2(iRow), Variant(false)});
  if (S.RowCount == 0) return;
  check();  // the handler may have changed the grid
  if (S.EditorOpen) CommitEdit();
  {
    Marks marks(*this);
    S.Cells.Remove(iRow);
    // The row's height and bookmark go with it.
    S.RowHeights.erase(S.RowHeights.begin() + iRow);
    S.RowBookmarks.erase(S.RowBookmarks.begin() + iRow);
    S.RowHeights.push_back(15);
    S.RowBookmarks.emplace_back();
    resize_rows(S.RowCount - 1);
  }
  invalidate();
  fire_event(event::AfterDeleteRow, {Variant::i2(iRow)});
}

void Nadrel::Clear() {
  // Removing row 1 until none is left ends with the header row alone; done
  // in one step rather than shifting every row once per row.
  if (S.EditorOpen) CommitEdit();
  if (S.RowCount > 0) resize_rows(0);
  invalidate();
}

}  // namespace nadrel
