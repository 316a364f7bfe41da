// The painter: cells, headers, grid lines and the background on the cell
// surface, the control's border, the layout of the constituents and
// scrolling with the two bars.
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "gridcontrol/nadrel.h"
#include "gridcontrol/surface.h"
#include "platform/com/errors.h"
#include "platform/forms/fonts.h"

namespace nadrel {

namespace gdi = plat::gdi;

namespace {
constexpr uint32_t kFaceGrey = 0xC0C0C0;
constexpr uint32_t kBlack = 0;
constexpr int kBarSize = 18;

plat::com::FontProps props_of(const plat::com::Font* f) { return f ? f->props() : plat::com::FontProps{}; }

bool bars_shown(const QScrollBar* h, const QScrollBar* v) { return h && v && !h->isHidden() && !v->isHidden(); }

// Sets a flag for the life of the guard.
class Raised {
 public:
  explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
  ~Raised() { flag_ = false; }
  Raised(const Raised&) = delete;
  Raised& operator=(const Raised&) = delete;

 private:
  bool& flag_;
};
}  // namespace

gdi::HDC Nadrel::dc() {
  if (repaint_waiting_ && !measuring_) draw_invalidated();
  return pic_ ? pic_->dc() : nullptr;
}
int Nadrel::ScaleWidth() const { return pic_ ? pic_->width() : 0; }
int Nadrel::ScaleHeight() const { return pic_ ? pic_->height() : 0; }

int32_t Nadrel::rh(int32_t r) const {
  return r >= 0 && size_t(r) < S.RowHeights.size() ? S.RowHeights[size_t(r)] : 0;
}
int32_t Nadrel::cw(int32_t c) const {
  return c >= 0 && size_t(c) < S.ColWidths.size() ? S.ColWidths[size_t(c)] : 0;
}

bool Nadrel::both_bars() const {
  const bool shown = drawing_waiting_ ? waiting_bars_shown_ : bars_shown(hbar_, vbar_);
  return shown || (S.HScrollShown && S.VScrollShown);
}

int Nadrel::bar_left() const { return vbar_ && pic_ ? vbar_->x() - pic_->x() : ScaleWidth(); }
int Nadrel::bar_top() const { return hbar_ && pic_ ? hbar_->y() - pic_->y() : ScaleHeight(); }

bool Nadrel::in_bar_corner(float x, float y) const {
  return both_bars() && vbar_ && !vbar_->isHidden() && x > float(bar_left()) && y > float(bar_top());
}

// --- Primitives ------------------------------------------------------------

void Nadrel::FillCellRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour) {
  if (measuring_) return;
  gdi::HBRUSH brush = gdi::CreateSolidBrush(colour);
  const gdi::Rect r{x, y, x + w, y + h};
  gdi::FillRect(dc(), &r, brush);
  gdi::DeleteObject(brush);
}

void Nadrel::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour) {
  if (measuring_) return;
  gdi::HDC d = dc();
  if (!d) return;
  gdi::Pen pen = d->pen();
  pen.color = colour;
  d->setPen(pen);
  gdi::MoveToEx(d, x1, y1, nullptr);
  gdi::LineTo(d, x2, y2);
}

void Nadrel::DrawRectOutline(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour) {
  DrawLine(x1, y1, x2, y1, colour);
  DrawLine(x1, y2, x2, y2, colour);
  DrawLine(x1, y1, x1, y2, colour);
  DrawLine(x2, y1, x2, y2, colour);
}

void Nadrel::Draw3DFace(int32_t x, int32_t y, int32_t w, int32_t h, int16_t pressed) {
  FillCellRect(x, y, w, h, kFaceGrey);
  gdi::Rect r{x, y, x + w, y + h};
  if (pressed == -1) {
    gdi::DrawEdge(dc(), &r, gdi::BDR_SUNKENINNER, gdi::BF_TOPLEFT);
    gdi::DrawEdge(dc(), &r, gdi::BDR_SUNKENOUTER, gdi::BF_BOTTOMRIGHT);
  } else if (pressed == 0) {
    gdi::DrawEdge(dc(), &r, gdi::BDR_RAISEDINNER, gdi::BF_TOPLEFT);
    gdi::DrawEdge(dc(), &r, gdi::BDR_RAISEDOUTER, gdi::BF_BOTTOMRIGHT);
  }
}

plat::com::FontProps Nadrel::cell_font() const {
  return drawing_waiting_ || fonts_as_drawn_ ? drawn_cell_font_ : props_of(S.CellFont.get());
}

plat::com::FontProps Nadrel::fixed_font() const {
  return drawing_waiting_ || fonts_as_drawn_ ? drawn_fixed_font_ : props_of(S.FixedFont.get());
}

QFont Nadrel::qfont_of(const plat::com::FontProps& p) {
  for (FontCache& c : font_cache_)
    if (c.valid && c.props == p) return c.font;
  FontCache& c = font_cache_[font_cache_next_];
  font_cache_next_ = (font_cache_next_ + 1) % int(std::size(font_cache_));
  c.props = p;
  c.font = plat::make_font(p.name, p.size, p.bold, p.italic, p.underline, p.strikethrough);
  c.valid = true;
  return c.font;
}

// --- Cells -------------------------------------------------------------------

void Nadrel::DrawCell(int32_t row, int32_t col, int32_t x, int32_t y, int32_t w, int32_t h) {
  if (measuring_) return;
  gdi::HDC d = dc();
  if (!d) return;
  const CellRecord& c = S.Cells.cell(col, row);
  const bool data = row > 0 && col > 0;
  const int16_t mask = col >= 0 && size_t(col) < S.ColMasks.size() ? S.ColMasks[size_t(col)] : 0;

  if (c.Style == 1) {
    if (data || S.FixedLook != FixedStyles::Flat) Draw3DFace(x, y, w + 1, h + 1, c.Value);
    else FillCellRect(x, y, w, h, uint32_t(S.FixedBackColor));
  } else {
    FillCellRect(x, y, w, h, uint32_t(c.BackColor < 0 ? S.GridBackColor : c.BackColor));
  }

  const std::string text = data ? display_text(row, col) : c.Text;

  if (mask == 4 && data) {
    const int32_t l = int32_t(plat::com::round_half_even(x + w / 2.0 - 7));
    const gdi::Rect box{l, y + 1, l + 15, y + 16};
    gdi::DrawFrameControl(d, &box, gdi::DFC_BUTTON, gdi::DFCS_BUTTONCHECK | (c.Text == "1" ? gdi::DFCS_CHECKED : 0));
  }

  if (data) {
    d->setTextColor(uint32_t(c.ForeColor < 0 ? S.GridForeColor : c.ForeColor));
    d->setFont(qfont_of(cell_font()));
  } else {
    d->setTextColor(uint32_t(S.FixedForeColor));
    d->setFont(qfont_of(fixed_font()));
  }
  if (!c.FontName.empty()) {
    plat::com::FontProps p;
    p.name = c.FontName;
    p.size = c.FontSize;
    p.bold = c.FontBold != 0;
    p.italic = c.FontItalic != 0;
    p.underline = c.FontUnderline != 0;
    p.strikethrough = c.FontStrikethru != 0;
    d->setFont(qfont_of(p));
  }
  if (data && (text.empty() || mask == 4)) return;

  unsigned flags = gdi::DT_SINGLELINE;
  const int16_t align = col >= 0 && size_t(col) < S.ColAligns.size() ? S.ColAligns[size_t(col)] : 0;
  if (align == 1) flags |= gdi::DT_CENTER;
  else if (align == 2) flags |= gdi::DT_RIGHT;
  if (c.TextAlignVertical == 1) flags |= gdi::DT_VCENTER;
  else if (c.TextAlignVertical == 2) flags |= gdi::DT_BOTTOM;
  gdi::Rect r{x + 2, y, x + w - 2, y + h};
  const std::string ansi = gdi::ToAnsi(QString::fromStdString(text));
  gdi::DrawTextA(d, ansi, -1, &r, flags);
}

void Nadrel::DrawRow(int32_t lThisRow, int32_t y, bool) {
  row_index(lThisRow);
  Marks marks(*this);
  S.LineWidth = S.GridLinesOn ? 1 : 0;
  const int32_t h = rh(lThisRow);
  const int sw = ScaleWidth();
  int32_t x = 1;
  if (S.RowHeaderOn) {
    DrawCell(lThisRow, 0, 1, y, cw(0), h);
    x = 1 + cw(0) + S.LineWidth;
  }
  S.HScrollShown = S.ScrollLeftCol >= 2;
  for (int32_t c = left(); c <= S.ColCount; ++c) {
    DrawCell(lThisRow, c, x, y, cw(c), h);
    x += cw(c) + S.LineWidth;
    last_col_shown_ = std::max(last_col_shown_, c);  // the header row's too: it may be all there is
    if (x > sw - 1) {
      S.HScrollShown = true;
      if (S.ColsPerPage == 0) {
        S.ColsPerPage = c - left();
        if (S.ColsPerPage > 0 && hbar_) hbar_->setPageStep(S.ColsPerPage);
      }
      break;
    }
  }
  S.CellsRight = std::min(x - 1, sw - 1);
}

void Nadrel::DrawCol(int32_t lThisCol, int32_t x, bool bDrawHeader) {
  col_index(lThisCol);
  Marks marks(*this);
  S.LineWidth = S.GridLinesOn ? 1 : 0;
  const int32_t w = cw(lThisCol);
  const int sh = ScaleHeight();
  int32_t y = 1;
  if (S.ColHeaderOn) {
    if (bDrawHeader) DrawCell(0, lThisCol, x, 1, w, rh(0));
    y = 1 + rh(0) + S.LineWidth;
  }
  S.VScrollShown = S.ScrollTopRow >= 2;
  for (int32_t r = top(); r <= S.RowCount; ++r) {
    DrawCell(r, lThisCol, x, y, w, rh(r));
    y += rh(r) + S.LineWidth;
    last_row_shown_ = std::max(last_row_shown_, r);
    if (y > sh) {
      S.VScrollShown = true;
      break;
    }
  }
  S.CellsBottom = std::min(y - 1, sh - 1);
}

void Nadrel::DrawGrid(bool bDrawHeader) {
  if (!pic_) return;
  Marks marks(*this);
  if (!measuring_) ++render_count_;
  pending_.clear();
  pending_all_ = false;
  last_row_shown_ = last_col_shown_ = 0;
  // Painted over whole: the client's highlights go, and what was stored
  // since shows now (the header row only when it is drawn again).
  client_inverted_.clear();
  drawn_cell_font_ = cell_font();
  if (bDrawHeader || !S.ColHeaderOn) {
    drawn_fixed_font_ = fixed_font();
    unshown_ = false;
  }
  const int sw = ScaleWidth(), sh = ScaleHeight();
  int32_t y = 1;
  if (S.ColHeaderOn) {
    if (bDrawHeader) DrawRow(0, 1, true);
    y = rh(0) + S.LineWidth + 1;
    S.CellsBottom = rh(0) + 1;
  } else {
    S.CellsBottom = 0;
  }
  for (int32_t r = top(); r <= S.RowCount; ++r) {
    DrawRow(r, y, true);
    last_row_shown_ = r;
    y += rh(r) + S.LineWidth;
    if (y > sh - 1 || r == S.RowCount) {
      // The page is measured only on rows that reach the bottom: a grid
      // that starts short would otherwise keep a page of no rows for good.
      if (S.RowsPerPage == 0 && y > sh - 1) {
        S.RowsPerPage = r - top() - 1;
        if (S.RowsPerPage > 0 && vbar_) vbar_->setPageStep(S.RowsPerPage);
      }
      S.CellsBottom = y - 1;
      break;
    }
  }
  if (S.CellsBottom >= sh - 1) {
    S.CellsBottom = sh - 1;
    S.VScrollShown = true;
  } else {
    S.VScrollShown = S.ScrollTopRow >= 2;
  }
  if (S.CellsRight >= sw - 1) {
    S.CellsRight = sw - 1;
    S.HScrollShown = true;
  } else {
    S.HScrollShown = S.ScrollLeftCol >= 2;
  }
  FillCellRect(1, S.CellsBottom + 1, sw - 1, sh - 1, uint32_t(S.BkgColor));
  FillCellRect(S.CellsRight + 1, 1, sw, sh - 1, uint32_t(S.BkgColor));
  if (S.RowCount > 0) DrawGridLines();
  RebuildColumnBorders();
  if (S.RedrawOn) pic_->refresh();
}

// --- Positions -----------------------------------------------------------------

Nadrel::Position Nadrel::CellPosition(int32_t row, int32_t col) const {
  const int32_t lw = S.GridLinesOn ? 1 : 0;
  Position p;
  p.y = S.ColHeaderOn ? rh(0) + lw + 1 : 1;
  p.x = S.RowHeaderOn ? cw(0) + lw + 1 : 1;
  const int sw = ScaleWidth(), sh = ScaleHeight();
  // A row or column past the last one counts as off the surface.
  if (row > S.RowCount || col > S.ColCount) p.offscreen = true;
  for (int32_t i = top(); i <= std::min(row, S.RowCount); ++i) {
    if (p.y > sh - 1) {
      p.offscreen = true;
      break;
    }
    if (i < row) p.y += rh(i) + lw;
  }
  for (int32_t i = left(); i <= std::min(col, S.ColCount); ++i) {
    if (p.x > sw - 1) {
      p.offscreen = true;
      break;
    }
    if (i < col) p.x += cw(i) + lw;
  }
  return p;
}

bool Nadrel::cell_box(int32_t row, int32_t col, gdi::Rect& box) const {
  if (row < 0 || col < 0 || row > S.RowCount || col > S.ColCount) return false;
  if (row == 0 ? !S.ColHeaderOn : row < top()) return false;
  if (col == 0 ? !S.RowHeaderOn : col < left()) return false;
  const Position p = CellPosition(std::max(row, 1), std::max(col, 1));
  if (p.offscreen && !(row == 0 && col == 0)) {
    // A header cell is off the surface only along its own direction.
    if (row > 0 && col > 0) return false;
    if (row == 0 && p.x > ScaleWidth() - 1) return false;
    if (col == 0 && p.y > ScaleHeight() - 1) return false;
  }
  box.left = col == 0 ? 1 : p.x;
  box.top = row == 0 ? 1 : p.y;
  box.right = box.left + cw(col);
  box.bottom = box.top + rh(row);
  return true;
}

// --- Lines -------------------------------------------------------------------

void Nadrel::DrawGridLines(const gdi::Rect* only) {
  if (measuring_) return;
  gdi::HDC d = dc();
  if (!d) return;
  // A line that misses `only` is not drawn: every line starts where it
  // starts in a whole repaint, so a dotted one keeps its pattern.
  auto misses = [only](int32_t l, int32_t t, int32_t r, int32_t b) {
    return only && (r < only->left || l >= only->right || b < only->top || t >= only->bottom);
  };
  const int32_t row1 = top(), col1 = left(), row2 = S.RowCount, col2 = S.ColCount;
  const int sw = ScaleWidth(), sh = ScaleHeight();
  if (S.GridLinesOn) {
    gdi::Pen pen = d->pen();
    pen.style = S.GridLinesSolid ? gdi::PS_SOLID : gdi::PS_DOT;
    d->setPen(pen);
    const Position p1 = CellPosition(row1, col1), p2 = CellPosition(row2, col2);
    int32_t x = S.RowHeaderOn ? cw(0) + S.LineWidth : 0;
    for (int32_t c = col1; c <= col2; ++c) {
      x += cw(c) + S.LineWidth;
      if (x > sw) break;
      if (!misses(x, p1.y, x, p2.y + rh(row2))) DrawLine(x, p1.y, x, p2.y + rh(row2), uint32_t(S.LineColor));
    }
    int32_t y = S.ColHeaderOn ? rh(0) + S.LineWidth : 0;
    for (int32_t r = row1; r <= row2; ++r) {
      y += rh(r) + S.LineWidth;
      if (y > sh) break;
      if (!misses(p1.x, y, p2.x + cw(col2), y)) DrawLine(p1.x, y, p2.x + cw(col2), y, uint32_t(S.LineColor));
    }
    pen.style = gdi::PS_SOLID;
    d->setPen(pen);
  }
  DrawRangeGridLines();
  if (both_bars() && !misses(ScaleWidth() - 20, ScaleHeight() - 20, ScaleWidth(), ScaleHeight())) fill_scroll_corner();
}

void Nadrel::DrawRangeGridLines() {
  const Position p1 = CellPosition(top(), left()), p2 = CellPosition(S.RowCount, S.ColCount);
  const int32_t r = p2.x + cw(S.ColCount), b = p2.y + rh(S.RowCount);
  const bool flat = S.FixedLook == FixedStyles::Flat;
  if (flat) DrawLine(p1.x, p1.y, r, p1.y, kBlack);
  DrawLine(p1.x, b, r, b, kBlack);
  if (!S.RowHeaderOn) DrawLine(p1.x, p1.y, p1.x, b, kBlack);
  DrawLine(r, p1.y, r, b, kBlack);
  if (flat) DrawRectOutline(p1.x, p1.y - rh(top()) - 1, r, p1.y, kBlack);
}

void Nadrel::fill_scroll_corner() { FillCellRect(ScaleWidth() - 20, ScaleHeight() - 20, 20, 20, kFaceGrey); }

// --- Single cells ------------------------------------------------------------

gdi::Rect Nadrel::cell_extent(int32_t row, int32_t col, const gdi::Rect& box) const {
  // The cell's box with the grid-line pixels right of and below it, the 3D
  // face one pixel further and a check box wherever it stands.
  const CellRecord& c = S.Cells.cell(col, row);
  const bool data = row > 0 && col > 0;
  gdi::Rect e{box.left, box.top, box.right + S.LineWidth, box.bottom + S.LineWidth};
  auto add = [&e](const gdi::Rect& r) {
    e = {std::min(e.left, r.left), std::min(e.top, r.top), std::max(e.right, r.right), std::max(e.bottom, r.bottom)};
  };
  if (c.Style == 1 && (data || S.FixedLook != FixedStyles::Flat)) add({box.left, box.top, box.right + 1, box.bottom + 1});
  const int16_t mask = col >= 0 && size_t(col) < S.ColMasks.size() ? S.ColMasks[size_t(col)] : 0;
  if (mask == 4 && data) {
    const int32_t l = int32_t(plat::com::round_half_even(box.left + box.width() / 2.0 - 7));
    add({l, box.top + 1, l + 15, box.top + 16});
  }
  return e;
}

void Nadrel::repaint_cell(int32_t row, int32_t col) {
  gdi::Rect box;
  if (!cell_box(row, col, box)) return;
  S.LineWidth = S.GridLinesOn ? 1 : 0;
  repaint_area(cell_extent(row, col, box));
}

void Nadrel::repaint_area(const gdi::Rect& area) {
  gdi::HDC d = dc();
  if (!d || !pic_) return;
  Marks marks(*this);
  // What a whole repaint leaves inside the area, drawn in its order and
  // clipped to the area: the cleared image, every cell that reaches into it
  // (a neighbour's face or check box may), the background, the lines.
  auto reaches = [&area](const gdi::Rect& r) {
    return r.left < area.right && r.right > area.left && r.top < area.bottom && r.bottom > area.top;
  };
  const int sw = ScaleWidth(), sh = ScaleHeight();
  // Rows as DrawGrid walks them: the header row, then from the first shown
  // on until one passes the bottom; columns as DrawRow walks them.
  std::vector<std::pair<int32_t, int32_t>> rows, cols;  // (index, start)
  if (S.ColHeaderOn) rows.emplace_back(0, 1);
  for (int32_t r = top(), y = data_top(); r <= S.RowCount; ++r) {
    rows.emplace_back(r, y);
    y += rh(r) + S.LineWidth;
    if (y > sh - 1) break;
  }
  if (S.RowHeaderOn) cols.emplace_back(0, 1);
  for (int32_t c = left(), x = data_left(); c <= S.ColCount; ++c) {
    cols.emplace_back(c, x);
    x += cw(c) + S.LineWidth;
    if (x > sw - 1) break;
  }
  d->setClip(&area);
  pic_->clear();
  for (auto [r, y] : rows) {
    // Nothing of a cell reaches below its face or its check box.
    if (!reaches({INT32_MIN / 2, y, INT32_MAX / 2, y + std::max(rh(r) + 1, 16)})) continue;
    for (auto [c, x] : cols)
      if (reaches(cell_extent(r, c, {x, y, x + cw(c), y + rh(r)}))) DrawCell(r, c, x, y, cw(c), rh(r));
  }
  if (reaches({1, S.CellsBottom + 1, sw, S.CellsBottom + sh}))
    FillCellRect(1, S.CellsBottom + 1, sw - 1, sh - 1, uint32_t(S.BkgColor));
  if (reaches({S.CellsRight + 1, 1, S.CellsRight + 1 + sw, sh}))
    FillCellRect(S.CellsRight + 1, 1, sw, sh - 1, uint32_t(S.BkgColor));
  if (S.RowCount > 0) DrawGridLines(&area);
  d->setClip(nullptr);
  if (S.RedrawOn) pic_->refresh();
}

bool Nadrel::image_current() const {
  return !unshown_ && !S.RecordsetBound && props_of(S.CellFont.get()) == drawn_cell_font_ &&
         props_of(S.FixedFont.get()) == drawn_fixed_font_;
}

void Nadrel::stored_unshown() {
  flush_pending();
  unshown_ = true;
}

void Nadrel::flush_pending() {
  draw_invalidated();
  if (!S.RedrawOn || (pending_.empty() && !pending_all_)) return;
  // Each cell as it was written: a cell is queued only while the image
  // shows the grid as it stands, so it is drawn with the fonts the image
  // was drawn with, whatever the client did to the font objects since.
  std::vector<std::pair<int32_t, int32_t>> cells;
  cells.swap(pending_);
  const bool all = std::exchange(pending_all_, false);
  const Raised as_drawn(fonts_as_drawn_);
  if (all) {
    redraw_image();
    return;
  }
  Marks marks(*this);
  for (auto [r, c] : cells) repaint_cell(r, c);
}

void Nadrel::redraw_image() {
  // The client's highlights stay, as they would over the cells drawn one
  // by one; what only stored waits on.
  const std::vector<gdi::Rect> client = client_inverted_;
  const bool unshown = unshown_;
  S.LineWidth = S.GridLinesOn ? 1 : 0;
  clear_image();
  DrawGrid(true);
  unshown_ = unshown;
  if (!client.empty()) {
    Marks marks(*this);
    client_inverted_ = client;
  }
}

// --- Whole grid ------------------------------------------------------------------

void Nadrel::Refresh() {
  if (!S.RedrawOn) unshown_ = true;  // the image keeps what it showed
  if (!S.RedrawOn || !pic_) return;
  repaint_waiting_ = false;  // drawn now, as the state stands
  {
    Marks marks(*this);
    S.LineWidth = S.GridLinesOn ? 1 : 0;
    clear_image();
    DrawGrid(true);
  }
  apply_scroll_bars();
}

void Nadrel::clear_image() {
  pic_->clear();
  // Whatever marks the image held went with it.
  inverted_.clear();
  focus_drawn_ = false;
}

void Nadrel::invalidate() {
  if (!S.RedrawOn || !pic_ || S.RecordsetBound) {
    Refresh();
    return;
  }
  // The repaint draws the corner square as the bars stand before it places them.
  waiting_bars_shown_ = bars_shown(hbar_, vbar_);
  repaint_waiting_ = true;
  {
    const Raised measuring(measuring_);
    S.LineWidth = S.GridLinesOn ? 1 : 0;
    DrawGrid(true);
  }
  if (transactions_ > 0) {
    if (requested_state_) *requested_state_ = S;
    else requested_state_ = std::make_unique<State>(S);
  }
  apply_scroll_bars();
  pic_->update();
}

void Nadrel::draw_invalidated() {
  if (!repaint_waiting_ || measuring_ || drawing_waiting_) return;
  repaint_waiting_ = false;
  if (!pic_) return;
  // Cells queued since need no repaint of their own once drawn with the rest,
  // unless the rest is drawn with fonts or a corner square that are no
  // longer those of the moment: then they are repainted after it, as they
  // would have been over the repaint drawn when it was asked for.
  const bool both_needed = S.HScrollShown && S.VScrollShown;
  const bool as_of_now = drawn_cell_font_ == props_of(S.CellFont.get()) &&
                         drawn_fixed_font_ == props_of(S.FixedFont.get()) &&
                         (waiting_bars_shown_ || both_needed) == (bars_shown(hbar_, vbar_) || both_needed);
  std::vector<std::pair<int32_t, int32_t>> cells = std::move(pending_);
  const bool all = pending_all_;
  {
    const Raised drawing(drawing_waiting_);
    redraw_image();
  }
  if (!as_of_now) {
    pending_ = std::move(cells);
    pending_all_ = all;
  }
}

void Nadrel::apply_scroll_bars() {
  if (!hbar_ || !vbar_ || !pic_) return;
  {
    // Setting a range never runs the change handlers.
    const QSignalBlocker bh(hbar_), bv(vbar_);
    hbar_->setRange(1, std::max<int>(1, S.HScrollMax));
    vbar_->setRange(1, std::max<int>(1, S.VScrollMax));
  }
  const int sw = ScaleWidth(), sh = ScaleHeight();
  if (S.VScrollShown) {
    vbar_->setGeometry(vbar_->x(), vbar_->y(), kBarSize, std::max(0, sh - (S.HScrollShown ? kBarSize : 0)));
    vbar_->show();
  } else {
    vbar_->hide();
  }
  if (S.HScrollShown) {
    hbar_->setGeometry(hbar_->x(), hbar_->y(), std::max(0, sw - (S.VScrollShown ? kBarSize : 0)), kBarSize);
    hbar_->show();
  } else {
    hbar_->hide();
  }
}

void Nadrel::sync_widget() {
  if (!uc_) return;
  uc_->setCursor(plat::com::cursor_shape_of(S.MousePointer));
  apply_scroll_bars();
}

void Nadrel::UserControl_Resize() {
  if (!uc_ || !pic_) return;
  const int w = uc_->width(), h = uc_->height();
  hbar_->setGeometry(2, h - 21, std::max(0, w - 23), kBarSize);
  vbar_->setGeometry(w - 21, 2, kBarSize, std::max(0, h - 23));
  pic_->setGeometry(2, 2, std::max(0, w - 5), std::max(0, h - 5));
  invalidate();
  uc_->clear();
  UserControl_Paint();
}

void Nadrel::UserControl_Paint() {
  if (!uc_) return;
  gdi::HDC d = uc_->dc();
  gdi::Rect r;
  gdi::GetClientRect(d, &r);
  auto pair = [&](unsigned edge_tl, unsigned edge_br) {
    gdi::Rect a = r;
    gdi::DrawEdge(d, &a, edge_tl, gdi::BF_TOPLEFT);
    a = r;
    gdi::DrawEdge(d, &a, edge_br, gdi::BF_BOTTOMRIGHT);
  };
  switch (S.BorderKind) {
    case NadrelBorderStyleEnum::Single: {
      gdi::Rect a = r;
      gdi::DrawEdge(d, &a, gdi::BDR_RAISEDOUTER, gdi::BF_RECT | gdi::BF_MONO);
      break;
    }
    case NadrelBorderStyleEnum::ThinRaised: pair(gdi::BDR_RAISEDINNER, gdi::BDR_RAISEDOUTER); break;
    case NadrelBorderStyleEnum::ThickRaised: pair(gdi::EDGE_RAISED, gdi::EDGE_RAISED); break;
    case NadrelBorderStyleEnum::ThinInset: pair(gdi::BDR_SUNKENINNER, gdi::BDR_SUNKENOUTER); break;
    case NadrelBorderStyleEnum::ThickInset: pair(gdi::EDGE_SUNKEN, gdi::EDGE_SUNKEN); break;
    case NadrelBorderStyleEnum::Etched: pair(gdi::EDGE_ETCHED, gdi::EDGE_ETCHED); break;
    case NadrelBorderStyleEnum::Bump: pair(gdi::EDGE_BUMP, gdi::EDGE_BUMP); break;
    default: break;
  }
  uc_->refresh();
}

// --- Column borders ------------------------------------------------------------

void Nadrel::RebuildColumnBorders() {
  // Without resizing no border is live.
  S.ColBorders.clear();
  if (!S.ResizeAllowed) return;
  int32_t x = 0;
  if (S.RowHeaderOn) {
    x = cw(0);
    S.ColBorders.push_back(x);
  }
  const int sw = ScaleWidth();
  for (int32_t c = left(); c <= S.ColCount; ++c) {
    x += cw(c) + 1;
    if (x > sw) break;
    S.ColBorders.push_back(x);
  }
}

// --- Scrolling -------------------------------------------------------------------

int Nadrel::scroll_value(bool vertical) const {
  const QScrollBar* b = vertical ? vbar_.data() : hbar_.data();
  return b ? b->value() : 1;
}

int Nadrel::scroll_max(bool vertical) const {
  const QScrollBar* b = vertical ? vbar_.data() : hbar_.data();
  return b ? b->maximum() : 1;
}

void Nadrel::set_scroll_value(bool vertical, int value) {
  QScrollBar* b = vertical ? vbar_.data() : hbar_.data();
  if (b) b->setValue(value);  // runs the change handler when the value moves
}

void Nadrel::scroll_changed(bool vertical) {
  if (vertical) VChange();
  else HChange();
  after_scroll();
}

void Nadrel::scroll_into_view(int32_t row, int32_t col) {
  const int32_t lw = S.GridLinesOn ? 1 : 0;
  // The first row (column) that lets the cell end inside the cells' area,
  // and never one past the cell.
  auto first_to_show = [lw](int32_t cell, int32_t first, int32_t start, int32_t limit, auto size) {
    if (cell < first) return cell;
    int64_t end = start;
    for (int32_t i = first; i < cell; ++i) end += size(i) + lw;
    end += size(cell);
    while (first < cell && end > limit) end -= size(first++) + lw;
    return first;
  };
  const bool hbar_shown = hbar_ && !hbar_->isHidden(), vbar_shown = vbar_ && !vbar_->isHidden();
  const int32_t bottom = (hbar_shown ? bar_top() : ScaleHeight()) - 1;
  const int32_t right = (vbar_shown ? bar_left() : ScaleWidth()) - 1;
  const int32_t t = first_to_show(row, top(), data_top(), bottom, [this](int32_t r) { return rh(r); });
  const int32_t l = first_to_show(col, left(), data_left(), right, [this](int32_t c) { return cw(c); });
  for (auto [vertical, first] : {std::pair{true, t}, std::pair{false, l}}) {
    if (first == (vertical ? S.ScrollTopRow : S.ScrollLeftCol)) continue;
    // Scrolled directly, not through the bar's signal: a bar already at the
    // value (TopRow set by hand) would move nothing.
    const QSignalBlocker block(vertical ? vbar_.data() : hbar_.data());
    set_scroll_value(vertical, first);
    scroll_changed(vertical);
  }
}

void Nadrel::VChange() { scroll_to_bar(true); }
void Nadrel::HChange() { scroll_to_bar(false); }

// Applies a bar's value to TopRow (vertical) or LeftCol. A step of one
// moves the pixels and draws the row or column that came in before the data
// area is repainted; anything else repaints at once.
void Nadrel::scroll_to_bar(bool vertical) {
  close_editor_for_scroll();
  const int v = scroll_value(vertical);
  int32_t& first = vertical ? S.ScrollTopRow : S.ScrollLeftCol;
  const int16_t d = to16(int64_t(first) - v);
  Marks marks(*this);
  if (d != 1 && d != -1) {
    first = v;
    DrawGrid(!vertical);
  } else {
    const bool saved = S.RedrawOn;
    S.RedrawOn = false;
    const int32_t old = first;
    first = v;
    S.LineWidth = S.GridLinesOn ? 1 : 0;
    const gdi::Rect area = vertical ? gdi::Rect{1, data_top(), ScaleWidth() - 1, ScaleHeight() - 1}
                                    : gdi::Rect{data_left(), 1, ScaleWidth() - 1, ScaleHeight() - 1};
    // The pitch of the row or column that left (forward) or came in (back).
    const int32_t gone = d == -1 ? old : first;
    const int32_t amount = (vertical ? rh(gone) : cw(gone)) + S.LineWidth;
    gdi::ScrollDC(dc(), vertical ? 0 : d * amount, vertical ? d * amount : 0, &area, &area, nullptr);
    if (vertical) {
      if (d == -1) DrawExposedRows(first, amount);
      else DrawRow(first, area.top, true);
    } else {
      if (d == -1) DrawExposedCols(first, amount);
      else DrawCol(first, area.left, true);
    }
    DrawGrid(!vertical);
    S.RedrawOn = saved;
    if (saved && pic_) pic_->refresh();
  }
  RebuildColumnBorders();
}

void Nadrel::DrawExposedRows(int32_t first, int32_t amount) {
  Marks marks(*this);
  const int sw = ScaleWidth(), sh = ScaleHeight();
  int32_t y = data_top();
  int32_t r = first;
  for (; r <= S.RowCount; ++r) {
    if (y + rh(r) + 2 < sh - amount) y += rh(r) + S.LineWidth;
    else break;
  }
  for (; r <= S.RowCount && y <= sh; ++r) {
    DrawRow(r, y, true);
    y += rh(r) + S.LineWidth;
  }
  S.CellsBottom = y - 1;
  FillCellRect(0, y, sw, sh - y, kFaceGrey);
}

void Nadrel::DrawExposedCols(int32_t first, int32_t amount) {
  Marks marks(*this);
  const int sw = ScaleWidth(), sh = ScaleHeight();
  int32_t x = data_left();
  int32_t c = first;
  for (; c <= S.ColCount; ++c) {
    if (x + cw(c) < sw - amount) x += cw(c) + S.LineWidth;
    else break;
  }
  for (; c <= S.ColCount && x <= sw; ++c) {
    DrawCol(c, x, true);
    x += cw(c) + S.LineWidth;
  }
  S.CellsRight = x - 1;
  FillCellRect(x, 1, sw - x, sh - 1, kFaceGrey);
}

}  // namespace nadrel
