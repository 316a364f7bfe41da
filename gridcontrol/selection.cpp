// The marks drawn by inversion: the selection highlight and the focus
// rectangle of the current cell. Each is recorded when drawn, so taking the
// marks off inverts exactly what is on the image, once.
#include <algorithm>

#include "gridcontrol/nadrel.h"
#include "gridcontrol/surface.h"

namespace nadrel {

namespace gdi = plat::gdi;

bool Nadrel::block_rect(int32_t r1, int32_t c1, int32_t r2, int32_t c2, gdi::Rect& out) const {
  if (S.RowCount <= 0 || S.ColCount <= 0) return false;
  // Corners past the last row or column are drawn at the last one.
  r1 = std::clamp(r1, 0, S.RowCount), r2 = std::clamp(r2, 0, S.RowCount);
  c1 = std::clamp(c1, 0, S.ColCount), c2 = std::clamp(c2, 0, S.ColCount);
  if (r1 < top() && r2 < top()) return false;
  if (c1 < left() && c2 < left()) return false;
  const Position p1 = CellPosition(r1, c1), p2 = CellPosition(r2, c2);
  int32_t l, r, t, b;
  if (c2 < c1) l = p2.x, r = p1.x + cw(c1);
  else l = p1.x, r = p2.x + cw(c2);
  if (std::min(c1, c2) > left()) l -= 2;
  if (r2 < r1) t = p2.y, b = p1.y + rh(r1);
  else t = p1.y, b = p2.y + rh(r2);
  if (std::min(r1, r2) > top()) t -= 2;
  if (S.GridLinesOn) r += 2, b += 2;
  out = {l, t, r, b};
  return true;
}

bool Nadrel::focus_rect(gdi::Rect& out) const {
  if (S.RowCount <= 0 || S.ColCount <= 0) return false;
  if (S.CurRow < top() || S.CurCol < left() || S.CurRow > S.RowCount || S.CurCol > S.ColCount) return false;
  const Position p = CellPosition(S.CurRow, S.CurCol);
  if (p.offscreen) return false;
  out = {p.x, p.y, p.x + cw(S.CurCol), p.y + rh(S.CurRow)};
  return true;
}

void Nadrel::toggle_invert(std::vector<gdi::Rect>& marks, const gdi::Rect& r) {
  if (r.empty()) return;
  gdi::InvertRect(dc(), &r);
  auto it = std::find(marks.begin(), marks.end(), r);
  if (it != marks.end()) marks.erase(it);
  else marks.push_back(r);
  // The square under the corner of the bars stays grey, inverted or not.
  if (both_bars()) fill_scroll_corner();
}

void Nadrel::hide_marks() {
  if (!pic_) return;
  if (focus_drawn_) {
    gdi::DrawFocusRect(dc(), &focus_at_);
    focus_drawn_ = false;
  }
  // In reverse order, though inversions commute.
  while (!inverted_.empty()) toggle_invert(inverted_, inverted_.back());
  // The client's highlights come back with the marks: only the client or a
  // repaint of the whole grid takes them away.
  invert_client_marks();
}

void Nadrel::invert_client_marks() {
  for (const gdi::Rect& r : client_inverted_) {
    gdi::InvertRect(dc(), &r);
    if (both_bars()) fill_scroll_corner();
  }
}

void Nadrel::show_marks() {
  if (!pic_) return;
  gdi::Rect r;
  if (block_rect(S.SelRow1, S.SelCol1, S.SelRow2, S.SelCol2, r)) {
    toggle_invert(inverted_, r);
    gdi::Rect anchor;
    if (block_rect(S.SelRow1, S.SelCol1, S.SelRow1, S.SelCol1, anchor)) toggle_invert(inverted_, anchor);
  }
  invert_client_marks();
  if (focus_rect(r)) {
    gdi::DrawFocusRect(dc(), &r);
    focus_drawn_ = true;
    focus_at_ = r;
  }
  if (S.RedrawOn) pic_->refresh();
}

void Nadrel::HilightSelection(int32_t Row1, int32_t Col1, int32_t Row2, int32_t Col2) {
  // Cells written before show as they were written, under the highlight.
  flush_pending();
  gdi::Rect r;
  if (block_rect(Row1, Col1, Row2, Col2, r) && !r.empty()) {
    // Recorded among the marks, which are off the image meanwhile.
    Marks marks(*this);
    auto it = std::find(client_inverted_.begin(), client_inverted_.end(), r);
    if (it != client_inverted_.end()) client_inverted_.erase(it);
    else client_inverted_.push_back(r);
  }
  if (S.RedrawOn && pic_) pic_->refresh();
}

void Nadrel::MoveCurrentCell() {
  { Marks marks(*this); }
  // The editor sits over the current cell when it is in view.
  if (!txt_ || !pic_) return;
  gdi::Rect r;
  if (focus_rect(r)) txt_->setGeometry(pic_->x() + r.left + 3, pic_->y() + r.top + 2, std::max(0, r.width() - 3), r.height());
  if (S.EditorOpen && txt_->isHidden() && (!list_ || list_->isHidden()) && !ColHasLookup(int16_t(S.CurCol))) txt_->show();
  if (S.RedrawOn) pic_->refresh();
}

}  // namespace nadrel
