// Mouse, keyboard and selection: the hit test, header presses, block
// selection by dragging, column sizing with the splitter bar, arrow keys
// and check-box cells.
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "gridcontrol/nadrel.h"
#include "gridcontrol/surface.h"

namespace nadrel {

namespace {
constexpr int kDragRepeatMs = 50;

// A mouse coordinate within the 16-bit range of the surface's pixels, so any
// value a caller passes converts to an integer; NaN counts as 0.
float coordinate(float v) { return std::isnan(v) ? 0.0f : std::clamp(v, float(INT16_MIN), float(INT16_MAX)); }
}

int32_t Nadrel::RowFromY(float y) {
  S.LineWidth = S.GridLinesOn ? 1 : 0;
  float t = float(S.ColHeaderOn ? rh(0) + S.LineWidth + 1 : 1);
  if (y > 0 && y <= t) return 0;
  for (int32_t r = top(); r <= S.RowCount; ++r) {
    if (t <= y && y <= t + float(rh(r))) return r;
    t += float(rh(r) + S.LineWidth);
  }
  return -1;
}

int32_t Nadrel::ColFromX(float x) {
  S.LineWidth = S.GridLinesOn ? 1 : 0;
  float l = float(S.RowHeaderOn ? cw(0) + S.LineWidth + 1 : 1);
  if (x > 0 && x <= l) return 0;
  for (int32_t c = left(); c <= S.ColCount; ++c) {
    if (l <= x && x <= l + float(cw(c))) return c;
    l += float(cw(c) + S.LineWidth);
  }
  return -1;
}

void Nadrel::release_pressed_headers() {
  auto release = [this](int32_t row, int32_t col) {
    if (!S.Cells.contains(col, row)) return;
    CellRecord& c = S.Cells.cell(col, row);
    if (c.Value == 0) return;
    c.Value = 0;
    redraw_header(row, col);
  };
  release(0, 0);
  for (int32_t c = std::max(1, S.SelCol1); c <= std::min(S.SelCol2, S.ColCount); ++c) release(0, c);
  for (int32_t r = std::max(1, S.SelRow1); r <= std::min(S.SelRow2, S.RowCount); ++r) release(r, 0);
}

void Nadrel::toggle_check() {
  CellRecord& c = S.Cells.cell(S.CurCol, S.CurRow);
  const bool checked = c.Text == "1";
  c.Text.assign(1, checked ? '0' : '1');
  repaint_cell(S.CurRow, S.CurCol);
}

void Nadrel::MouseDown(int16_t button, int16_t Shift, float x, float y) {
  x = coordinate(x), y = coordinate(y);
  S.Selecting = true;
  const bool sizing = S.MousePointer == 9 || S.MousePointer == 7;
  if (!sizing) {
    release_pressed_headers();
    // The square where the two bars meet: nothing more, an open edit stays open.
    if (in_bar_corner(x, y)) return;
  }
  // A press anywhere else ends an open edit on the cell it was made on.
  if (S.EditorOpen) CommitEdit();
  bool on_current_check = false;
  if (sizing) {
    const bool col = S.MousePointer == 9;
    sizer_x_ = int32_t(x), sizer_y_ = int32_t(y);
    if (sizer_) {
      if (col) sizer_->setGeometry(sizer_x_, 0, 2, ScaleHeight());
      else sizer_->setGeometry(0, sizer_y_, ScaleWidth(), 2);
      sizer_->show();
      sizer_->raise();
    }
    (col ? S.ColResizing : S.RowResizing) = true;
  } else {
    int32_t row = RowFromY(y), col = ColFromX(x);
    const bool shift_left = (button & 1) && (Shift & 1);
    if (row != -1 && col != -1 && (row == 0 || col == 0) && !shift_left) {
      Marks marks(*this);
      if (S.SelectionAllowed && S.SelMode > 0 && S.Cells.contains(col, row)) S.Cells.cell(col, row).Value = -1;
      if (col == 0 && row > 0 && S.SelMode == SelectionByRow && S.SelectionAllowed) {
        redraw_header(row, 0);
        S.SelRow1 = S.SelRow2 = row, S.SelCol1 = 1, S.SelCol2 = S.ColCount;
        S.WholeRowsSelected = true;
      } else if (row == 0 && col > 0 && S.SelMode == SelectionByCol && S.SelectionAllowed) {
        redraw_header(0, col);
        S.SelCol1 = S.SelCol2 = col, S.SelRow1 = 1, S.SelRow2 = S.RowCount;
        S.WholeColsSelected = true;
      } else if (row == 0 && col == 0 && S.SelMode == SelectionFree && S.SelectionAllowed) {
        redraw_header(0, 0);
        for (int32_t c = 1; c <= S.ColCount; ++c) S.Cells.cell(c, 0).Value = -1, redraw_header(0, c);
        for (int32_t r = 1; r <= S.RowCount; ++r) S.Cells.cell(0, r).Value = -1, redraw_header(r, 0);
        S.SelRow1 = S.SelCol1 = 1, S.SelRow2 = S.RowCount, S.SelCol2 = S.ColCount;
        S.WholeRowsSelected = S.WholeColsSelected = true;
      }
      S.CurCol = S.SelCol1;
      S.CurRow = S.SelRow1;
    } else if (row != -1 && col != -1) {
      const Position p = CellPosition(row, col);
      if (p.x + cw(col) > bar_left() && scroll_value(false) < scroll_max(false))
        set_scroll_value(false, scroll_value(false) + 1);
      if (p.y + rh(row) > bar_top() && scroll_value(true) < scroll_max(true))
        set_scroll_value(true, scroll_value(true) + 1);
      Marks marks(*this);
      if (shift_left) {
        S.SelRow2 = row, S.SelCol2 = col;
      } else {
        S.SelRow1 = S.SelRow2 = row, S.SelCol1 = S.SelCol2 = col;
        S.CurRow = row, S.CurCol = col;
        S.RedrawOn = true;
      }
      // Only a press on the current data cell itself toggles its box.
      on_current_check = data_cell(row, col) && row == S.CurRow && col == S.CurCol;
    }
  }
  hide_lookup();
  PlaceCellButton();
  if (on_current_check && current_mask() == 4) toggle_check();
}

void Nadrel::MouseMove(int16_t button, int16_t Shift, float x, float y) {
  x = coordinate(x), y = coordinate(y);
  last_move_ = {button, Shift, x, y};
  const int16_t sw = int16_t(ScaleWidth()), sh = int16_t(ScaleHeight());
  if (S.ColResizing) {
    const int limit = vbar_ && !vbar_->isHidden() ? bar_left() - 1 : sw;
    if (x <= float(limit) && sizer_) sizer_->move(sizer_x_ = int32_t(x), 0);
    return;
  }
  if (S.RowResizing) {
    const int limit = hbar_ && !hbar_->isHidden() ? bar_top() - 1 : sh;
    if (y <= float(limit) && sizer_) sizer_->move(0, sizer_y_ = int32_t(y));
    return;
  }
  int32_t row = RowFromY(y), col = ColFromX(x);
  if (!S.Selecting || !S.SelectionAllowed || S.SelMode != SelectionFree) {
    // Hovering: the sizing pointer over a column border in the header row.
    int16_t pointer = 0;
    S.ResizeIndex = -1;
    if (S.ColHeaderOn && row == 0) {
      for (size_t i = 0; i < S.ColBorders.size(); ++i)
        if (std::fabs(float(S.ColBorders[i]) - x) < 2) {
          S.ResizeIndex = int32_t(i) + 1;
          pointer = 9;
          break;
        }
    }
    if (pointer != S.MousePointer) {
      S.MousePointer = pointer;
      sync_widget();
    }
    return;
  }
  if (S.WholeRowsSelected || S.WholeColsSelected) return;
  const bool outside = y < 0 || row == 0 || x < 0 || col == 0 || x > sw || y > sh;
  if (y < 0 || row == 0) {
    if (scroll_value(true) > 1) set_scroll_value(true, scroll_value(true) - 1);
    row = top();
  }
  if (x < 0 || col == 0) {
    if (scroll_value(false) > 1) set_scroll_value(false, scroll_value(false) - 1);
    col = left();
  }
  // Past the last row or column the block stays at the last one.
  if (row == -1) row = S.RowCount;
  if (col == -1) col = S.ColCount;
  if (x > sw && scroll_value(false) < scroll_max(false)) set_scroll_value(false, scroll_value(false) + 1);
  if (y > sh && scroll_value(true) < scroll_max(true)) set_scroll_value(true, scroll_value(true) + 1);
  if (row != S.SelRow2 || col != S.SelCol2) {
    Marks marks(*this);
    S.SelRow2 = row, S.SelCol2 = col;
  }
  if (S.RedrawOn) pic_->refresh();
  // While the button stays down outside the cells the drag goes on by
  // itself, scrolling and extending the block.
  if (outside && drag_timer_) drag_timer_->start(kDragRepeatMs);
}

void Nadrel::MouseUp(int16_t, int16_t, float, float) {
  S.Selecting = S.WholeRowsSelected = S.WholeColsSelected = false;
  if (drag_timer_) drag_timer_->stop();
  if (sizer_) sizer_->hide();
  if (S.ColResizing) {
    S.ColResizing = false;
    const int32_t k = S.ResizeIndex;
    if (k >= 1 && size_t(k) <= S.ColBorders.size()) {
      int32_t w = k < 2 ? sizer_x_ : sizer_x_ - S.ColBorders[size_t(k) - 2];
      if (w < 0) w = 10;
      const int32_t col = S.RowHeaderOn ? k + left() - 2 : k + left() - 1;
      if (col >= 0 && col <= S.ColCount) ColWidth(col, w);
    }
    PlaceCellButton();
  }
  S.ColResizing = S.RowResizing = false;
}

void Nadrel::KeyDown(int16_t KeyCode, int16_t) {
  const bool arrow = KeyCode >= 37 && KeyCode <= 40;
  if (arrow) {
    // The text typed so far belongs to the cell it was typed on.
    if (S.EditorOpen) CommitEdit();
    const bool vbar_shown = vbar_ && !vbar_->isHidden(), hbar_shown = hbar_ && !hbar_->isHidden();
    switch (KeyCode) {
      case 39:
        if (S.CurCol < S.ColCount) {
          { Marks marks(*this); ++S.CurCol; }
          const Position p = CellPosition(S.CurRow, S.CurCol);
          const bool fits = p.x <= ScaleWidth() - cw(S.CurCol) - (vbar_shown ? vbar_->width() : 0);
          if (!fits && scroll_value(false) < scroll_max(false)) set_scroll_value(false, scroll_value(false) + 1);
        }
        break;
      case 40:
        if (S.CurRow < S.RowCount) {
          { Marks marks(*this); ++S.CurRow; }
          const Position p = CellPosition(S.CurRow, S.CurCol);
          const bool fits = p.y <= ScaleHeight() - rh(S.CurRow) - (hbar_shown ? hbar_->height() : 0);
          if (!fits && scroll_value(true) < scroll_max(true)) set_scroll_value(true, scroll_value(true) + 1);
        }
        break;
      case 37:
        if (S.CurCol > 1) {
          { Marks marks(*this); --S.CurCol; }
          if (S.CurCol < left() && scroll_value(false) >= 2) set_scroll_value(false, scroll_value(false) - 1);
        }
        break;
      case 38:
        if (S.CurRow > 1) {
          { Marks marks(*this); --S.CurRow; }
          if (S.CurRow < top() && scroll_value(true) >= 2) set_scroll_value(true, scroll_value(true) - 1);
        }
        break;
    }
    hide_lookup();
    PlaceCellButton();
  }
  if (S.RedrawOn && pic_) pic_->refresh();
}

// --- The surface's handlers ----------------------------------------------------

void Nadrel::picGrid_MouseDown(int16_t button, int16_t Shift, float x, float y) {
  MouseDown(button, Shift, x, y);
  fire_event(event::MouseDown, {Variant::i2(button), Variant::i2(Shift), Variant::r4(x), Variant::r4(y)});
}

void Nadrel::picGrid_MouseMove(int16_t button, int16_t Shift, float x, float y) {
  MouseMove(button, Shift, x, y);
  fire_event(event::MouseMove, {Variant::i2(button), Variant::i2(Shift), Variant::r4(x), Variant::r4(y)});
}

void Nadrel::picGrid_MouseUp(int16_t button, int16_t Shift, float x, float y) {
  MouseUp(button, Shift, x, y);
  fire_event(event::MouseUp, {Variant::i2(button), Variant::i2(Shift), Variant::r4(x), Variant::r4(y)});
}

void Nadrel::picGrid_KeyDown(int16_t KeyCode, int16_t Shift) {
  std::vector<Variant> a = fire_event(event::KeyDown, {Variant::i2(KeyCode), Variant::i2(Shift)});
  KeyDown(a[0].to_i2(), a[1].to_i2());
}

void Nadrel::picGrid_KeyPress(int16_t KeyAscii) {
  std::vector<Variant> a = fire_event(event::KeyPress, {Variant::i2(KeyAscii)});
  const int16_t key = a[0].to_i2();
  // Only a data cell is edited or toggled.
  if (!data_cell(S.CurRow, S.CurCol)) return;
  if (current_mask() == 4) toggle_check();
  else if (key != 9) BeginEdit(key);
}

void Nadrel::picGrid_KeyUp(int16_t KeyCode, int16_t Shift) {
  fire_event(event::KeyUp, {Variant::i2(KeyCode), Variant::i2(Shift)});
}

void Nadrel::UserControl_ExitFocus() {
  if (!S.EditorOpen) return;
  CommitEdit();
  MoveCurrentCell();
}

}  // namespace nadrel
