#include "gridcontrol/nadrel.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "gridcontrol/about.h"
#include "gridcontrol/surface.h"
#include "platform/com/errors.h"
#include "platform/forms/fonts.h"

namespace nadrel {

using plat::com::kErrOverflow;
using plat::com::kErrSubscript;
using plat::com::kErrTypeMismatch;
using plat::com::RuntimeError;

int16_t to16(int64_t v) {
  if (v < INT16_MIN || v > INT16_MAX) throw RuntimeError(kErrOverflow);
  return int16_t(v);
}

Nadrel::Nadrel() {
  // Creation: a store with the single cell (0, 0); the current cell, the
  // selection and the first shown row and column at 1; painting off until
  // the first-time defaults or the saved properties are taken.
  uc_ = new UserControl(*this);
  pic_ = new PicGrid(*this, uc_);
  hbar_ = new QScrollBar(Qt::Horizontal, uc_);
  vbar_ = new QScrollBar(Qt::Vertical, uc_);
  for (QScrollBar* bar : {hbar_.data(), vbar_.data()}) {
    const bool vertical = bar == vbar_;
    bar->setObjectName(vertical ? "scrVertical" : "scrHorizontal");
    // The bars never keep the keyboard focus: it stays on the cells.
    bar->setFocusPolicy(Qt::NoFocus);
    bar->setRange(1, 1);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->hide();
    QObject::connect(bar, &QScrollBar::valueChanged, uc_, [this, vertical] { input(*this, [&] { scroll_changed(vertical); }); });
  }
  txt_ = new EditBox(*this, uc_);
  list_ = new LookupList(*this, uc_);
  cmd_lookup_ = new QPushButton(QString(QChar(0x25BC)), uc_);
  cmd_lookup_->setObjectName("cmdLookup");
  cmd_button_ = new QPushButton("...", uc_);
  cmd_button_->setObjectName("cmdButton");
  for (QPushButton* b : {cmd_lookup_.data(), cmd_button_.data()}) {
    b->setFocusPolicy(Qt::NoFocus);
    b->hide();
  }
  QObject::connect(cmd_lookup_, &QPushButton::clicked, uc_, [this] { input(*this, [&] { cmdLookup_Click(); }); });
  QObject::connect(cmd_button_, &QPushButton::clicked, uc_, [this] { input(*this, [&] { cmdButton_Click(); }); });
  sizer_ = new QWidget(pic_);
  sizer_->setObjectName("picSizer");
  sizer_->setAutoFillBackground(true);
  sizer_->setPalette(QPalette(Qt::black));
  sizer_->hide();
  drag_timer_ = new QTimer(uc_);
  drag_timer_->setSingleShot(true);
  QObject::connect(drag_timer_, &QTimer::timeout, uc_, [this] {
    if (S.Selecting) input(*this, [&] { MouseMove(last_move_.button, last_move_.shift, last_move_.x, last_move_.y); });
  });
  // The focus leaving the control as a whole ends an open edit.
  QObject::connect(qApp, &QApplication::focusChanged, uc_, [this](QWidget*, QWidget* now) {
    if (S.EditorOpen && now && uc_ && !uc_->isAncestorOf(now)) input(*this, [&] { UserControl_ExitFocus(); });
  });
  UserControl_Resize();
}

Nadrel::~Nadrel() { delete uc_.data(); }

QWidget* Nadrel::widget() { return uc_; }

size_t Nadrel::row_index(int32_t r) const {
  if (r < 0 || size_t(r) >= S.RowHeights.size()) throw RuntimeError(kErrSubscript);
  return size_t(r);
}

size_t Nadrel::col_index(int32_t c) const {
  if (c < 0 || size_t(c) >= S.ColWidths.size()) throw RuntimeError(kErrSubscript);
  return size_t(c);
}

void Nadrel::transaction(const std::function<void()>& change) {
  State before = S;
  ++transactions_;
  try {
    change();
  } catch (...) {
    --transactions_;
    if (repaint_waiting_ && requested_state_) {
      // The repaint asked for on the way shows the state it was asked in.
      std::swap(S, *requested_state_);
      draw_invalidated();
    }
    if (transactions_ == 0) requested_state_.reset();
    S = std::move(before);
    sync_widget();
    throw;
  }
  if (--transactions_ == 0) requested_state_.reset();
}

std::vector<Variant> Nadrel::fire_event(int32_t id, std::vector<Variant> args) {
  const std::vector<Variant> sent = args;
  fire(id, args);
  // What the event interface passes by value (the Cancel of BeforeEdit,
  // BeforeAddRow and BeforeDeleteRow) is the handler's own copy: the grid
  // goes on whatever the handler wrote into it.
  if (const plat::com::FuncInfo* f = class_info().events.find(id, plat::com::CallKind::Method))
    for (size_t i = 0; i < args.size() && i < f->params.size(); ++i)
      if (!f->params[i].by_ref) args[i] = sent[i];
  return args;
}


// Rows and columns -------------------------------------------------------

void Nadrel::Rows(int32_t n) {
  // The vertical scroll bar's range is 16-bit, and the arrays cannot have a
  // negative bound: both are checked before anything changes.
  to16(n);
  CellArray::check_size(n, S.Cells.Cols());
  if (S.EditorOpen) CommitEdit();
  resize_rows(n);
  invalidate();
}

void Nadrel::resize_rows(int32_t n) {
  Marks marks(*this);
  S.VScrollMax = int16_t(n);
  apply_scroll_bars();
  SetRowCount(n);
  S.RowCount = n;
  for (int32_t* r : {&S.CurRow, &S.SelRow1, &S.SelRow2}) *r = std::min(*r, n);
  S.ScrollTopRow = std::min(S.ScrollTopRow, std::max(n, 1));
}

bool Nadrel::can_add_row() const {
  if (S.RowCount >= INT16_MAX) return false;
  try {
    CellArray::check_size(S.RowCount + 1, S.Cells.Cols());
  } catch (const RuntimeError&) {
    return false;
  }
  return true;
}

void Nadrel::Cols(int32_t n) {
  int16_t max = to16(n);
  if (n < 0) throw RuntimeError(kErrSubscript);
  CellArray::check_size(S.Cells.Rows(), n == 0 ? 1 : n);
  if (S.EditorOpen) CommitEdit();
  {
    Marks marks(*this);
    S.HScrollMax = max;
    apply_scroll_bars();
    SetColCount(n);
    S.ColCount = n;
    for (int32_t* c : {&S.CurCol, &S.SelCol1, &S.SelCol2}) *c = std::min(*c, n);
    S.ScrollLeftCol = std::min(S.ScrollLeftCol, std::max(n, 1));
  }
  invalidate();
}

namespace {
void format_cell(CellRecord& c, int32_t col, int32_t row) {
  if (row >= 1 && col >= 1) {
    c.Style = 2;
    return;
  }
  c.Style = 1;
  c.TextAlignVertical = 1;
  if (col == 0 && row >= 1) c.Value = 0;
}
}  // namespace

void Nadrel::SetColCount(int32_t n) {
  const int32_t old = S.ColCount;
  S.ColWidths.resize(size_t(n) + 1);
  S.ColAligns.resize(size_t(n) + 1);
  S.ColEditable.resize(size_t(n) + 1);
  S.ColMasks.resize(size_t(n) + 1);
  const int32_t first = old == 0 ? 0 : old + 1;
  if (S.RowCount == 0) {
    S.RowHeights.resize(std::max<size_t>(S.RowHeights.size(), 2));
    S.RowBookmarks.resize(std::max<size_t>(S.RowBookmarks.size(), 2));
  }
  S.Cells.Cols(n == 0 ? 1 : n);
  for (int32_t c = first; c <= n; ++c) {
    S.ColWidths[c] = c == 0 ? 32 : 64;
    S.ColAligns[c] = 0;
    S.ColEditable[c] = -1;
    S.ColMasks[c] = 0;
    for (int32_t r = 0; r <= S.RowCount; ++r) {
      S.RowHeights[r] = 15;
      format_cell(S.Cells.cell(c, r), c, r);
    }
  }
}

void Nadrel::SetRowCount(int32_t n) {
  if (S.ColCount == 0) {
    for (auto* v : {&S.ColWidths, &S.ColAligns, &S.ColEditable, &S.ColMasks})
      v->resize(std::max<size_t>(v->size(), 2));
  }
  S.RowHeights.resize(size_t(n) + 1);
  S.RowBookmarks.resize(size_t(n) + 1);
  const int32_t first = S.RowCount == 0 ? 0 : S.RowCount + 1;
  S.Cells.Rows(n);
  for (int32_t c = 0; c <= S.ColCount; ++c)
    for (int32_t r = first; r <= n; ++r) {
      S.RowHeights[r] = 15;
      format_cell(S.Cells.cell(c, r), c, r);
    }
}

// Look and feel ----------------------------------------------------------

void Nadrel::ColHeader(bool v) {
  S.ColHeaderOn = v;
  invalidate();
  notify_property_changed("ColHeader");
}

void Nadrel::RowHeader(bool v) {
  S.RowHeaderOn = v;
  invalidate();
  notify_property_changed("RowHeader");
}

void Nadrel::TopRow(int32_t n) {
  if (n == S.ScrollTopRow) return;
  stored_unshown();
  S.ScrollTopRow = n;
}

void Nadrel::LeftCol(int32_t n) {
  S.ScrollLeftCol = n;
  if (S.RedrawOn) DrawGrid(true);
  else unshown_ = true;
}

void Nadrel::ShowGrid(bool v) {
  S.GridLinesOn = v;
  invalidate();
}

void Nadrel::GridSolid(bool v) {
  S.GridLinesSolid = v;
  invalidate();
}

void Nadrel::Row(int32_t n) {
  // What was typed belongs to the cell it was typed on.
  if (S.EditorOpen) CommitEdit();
  Marks marks(*this);
  S.CurRow = n;
}

void Nadrel::Col(int32_t n) {
  if (S.EditorOpen) CommitEdit();
  Marks marks(*this);
  S.CurCol = n;
}

void Nadrel::TextMatrix(int32_t vRow, int32_t vCol, std::string v) {
  S.Cells.cell(vCol, vRow).Text = std::move(v);
  queue_cell(vRow, vCol);
}

void Nadrel::queue_cell(int32_t vRow, int32_t vCol, bool as_repaint) {
  if (!S.RedrawOn) {
    unshown_ = true;  // shown at the repaint that Redraw on brings
    return;
  }
  if (pending_all_) return;
  if (!image_current() || (as_repaint && !client_inverted_.empty())) {
    // One cell in the new state over an image in an old one would show
    // neither: the whole grid is repainted, its layout decided now.
    invalidate();
    return;
  }
  // Only cells a repaint showed can be out of date on the screen.
  const bool row_shown = vRow == 0 ? S.ColHeaderOn : vRow >= top() && vRow <= last_row_shown_;
  const bool col_shown = vCol == 0 ? S.RowHeaderOn : vCol >= left() && vCol <= last_col_shown_;
  if (!row_shown || !col_shown) return;
  // Past a screenful of cells one repaint of everything is cheaper.
  if (pending_.size() >= 512) {
    pending_all_ = true;
    pending_.clear();
  } else {
    pending_.emplace_back(vRow, vCol);
  }
  if (pic_) pic_->update();
}

void Nadrel::Redraw(bool v) {
  // What was asked for while painting was on is drawn before it goes off;
  // turned on, the grid is drawn at once.
  if (!v) flush_pending();
  S.RedrawOn = v;
  Refresh();
}

void Nadrel::GridLineColor(uint32_t v) {
  S.LineColor = int32_t(v);
  invalidate();
  notify_property_changed("GridLineColor");
}

void Nadrel::SetColWidth(int32_t lThisCol, int32_t w) {
  size_t c = col_index(lThisCol);
  S.ColWidths[c] = to16(w);
  DrawGrid(true);
}

void Nadrel::RowHeight(int32_t lThisRow, int32_t h) {
  size_t r = row_index(lThisRow);
  S.RowHeights[r] = to16(h);
  invalidate();
}

void Nadrel::ColWidth(int32_t lThisCol, int32_t w) {
  size_t c = col_index(lThisCol);
  S.ColWidths[c] = to16(w);
  invalidate();
}

void Nadrel::ColAlign(int32_t lThisCol, int32_t v) {
  size_t c = col_index(lThisCol);
  if (v < 0 || v > 2) return;
  S.ColAligns[c] = int16_t(v);
  invalidate();
}

void Nadrel::BorderStyle(int32_t v) {
  int16_t b = to16(v);
  if (b == S.BorderKind) return;
  S.BorderKind = b;
  if (uc_) uc_->clear();
  UserControl_Paint();
  notify_property_changed("BorderStyle");
}

void Nadrel::MousePointer(int16_t v) {
  S.MousePointer = v;
  sync_widget();
  notify_property_changed("MousePointer");
}

void Nadrel::AllowSelection(bool v) {
  S.SelectionAllowed = v;
  notify_property_changed("AllowSelection");
}

void Nadrel::BackColor(uint32_t v) {
  S.GridBackColor = int32_t(v);
  SetRowCount(S.RowCount);
  invalidate();
  notify_property_changed("BackColor");
}

void Nadrel::BackColorFixed(uint32_t v) {
  S.FixedBackColor = int32_t(v);
  invalidate();
  notify_property_changed("BackColorFixed");
}

void Nadrel::ForeColor(uint32_t v) {
  if (int32_t(v) != S.GridForeColor) {
    stored_unshown();  // no repaint: the new colour shows at the next one
    S.GridForeColor = int32_t(v);
  }
  notify_property_changed("ForeColor");
}

void Nadrel::ForeColorFixed(uint32_t v) {
  S.FixedForeColor = int32_t(v);
  invalidate();
  notify_property_changed("ForeColorFixed");
}

void Nadrel::FixedStyle(int32_t v) {
  int16_t f = to16(v);
  if (f == S.FixedLook) return;
  S.FixedLook = f;
  invalidate();
  notify_property_changed("FixedStyle");
}

void Nadrel::SelectionMode(int32_t v) {
  S.SelMode = to16(v);
  notify_property_changed("SelectionMode");
}

bool Nadrel::Enabled() const { return !uc_ || !uc_->testAttribute(Qt::WA_ForceDisabled); }

void Nadrel::set_enabled(bool v) {
  const bool was = setting_enabled_;
  setting_enabled_ = true;
  // The container keeps the state and gives it to the surface; without one
  // (or before it has the surface) the surface takes it here.
  if (plat::com::Extender* e = site() ? site()->extender() : nullptr; e && e->Enabled() != v) e->Enabled(v);
  if (uc_) uc_->setEnabled(v);
  enabled_seen_ = Enabled();
  setting_enabled_ = was;
}

void Nadrel::Enabled(bool v) {
  set_enabled(v);
  notify_property_changed("Enabled");
}

void Nadrel::enabled_changed() {
  const bool now = Enabled();
  if (now == enabled_seen_ || setting_enabled_) return;
  enabled_seen_ = now;
  notify_property_changed("Enabled");
}

void Nadrel::Font(std::shared_ptr<plat::com::Font> f) {
  S.CellFont = std::move(f);
  invalidate();
  notify_property_changed("Font");
}

void Nadrel::FontFixed(std::shared_ptr<plat::com::Font> f) {
  S.FixedFont = std::move(f);
  invalidate();
  notify_property_changed("FontFixed");
}

void Nadrel::ShowAbout() { show_about_box(); }

void Nadrel::BackColorBkg(uint32_t v) {
  S.BkgColor = int32_t(v);
  invalidate();
  notify_property_changed("BackColorBkg");
}

void Nadrel::AllowUserResizing(bool v) {
  S.ResizeAllowed = v;
  // From this moment on: the borders of the grid on the screen are live, or
  // none is, and the sizing pointer the grid showed over one goes.
  RebuildColumnBorders();
  if (!v && S.ResizeIndex > 0) {
    S.ResizeIndex = -1;
    if (S.MousePointer == 9) {
      S.MousePointer = 0;
      sync_widget();
    }
  }
  notify_property_changed("AllowUserResizing");
}

void Nadrel::AutoNewRow(bool v) {
  S.AutoNewRowOn = v;
  notify_property_changed("AutoNewRow");
}

void Nadrel::UseItemData(bool v) {
  S.ItemDataMode = v;
  notify_property_changed("UseItemData");
}

void Nadrel::ListBoxRows(int16_t v) {
  S.ListRows = v;
  notify_property_changed("ListBoxRows");
}

void Nadrel::ColAllowEdit(int32_t iCol, bool v) {
  S.ColEditable[col_index(iCol)] = v ? -1 : 0;
  notify_property_changed("ColAllowEdit");
}

void Nadrel::ColMask(int32_t iCol, int16_t v) {
  size_t c = col_index(iCol);
  if (v < 0 || v > 4) return;
  S.ColMasks[c] = v;
  invalidate();
}

// Buttons and lookup items -------------------------------------------------

void Nadrel::RemoveButton(int16_t iCol) {
  std::erase_if(S.ButtonCols, [iCol](const ButtonCol& b) { return b.Column == iCol; });
}

bool Nadrel::ColHasButton(int16_t iCol) const {
  return std::any_of(S.ButtonCols.begin(), S.ButtonCols.end(), [iCol](const ButtonCol& b) { return b.Column == iCol; });
}

void Nadrel::RemoveLookupValue(int16_t iCol, const std::string& Value) {
  auto it = std::find_if(S.Lookups.begin(), S.Lookups.end(),
                         [&](const LookupItem& l) { return l.Column == iCol && l.Value == Value; });
  if (it != S.Lookups.end()) S.Lookups.erase(it);
}

void Nadrel::RemoveLookup(int16_t iCol) {
  std::erase_if(S.Lookups, [iCol](const LookupItem& l) { return l.Column == iCol; });
}

bool Nadrel::ColHasLookup(int16_t iCol) const {
  return std::any_of(S.Lookups.begin(), S.Lookups.end(), [iCol](const LookupItem& l) { return l.Column == iCol; });
}

double Nadrel::text_width(const std::string& s) const {
  // The control's own font is the design font of its surface, measured at
  // the surfaces' resolution whatever the screen.
  static const QFont own = plat::make_font(plat::kDesignFontName, plat::kDesignFontSize);
  return plat::gdi::TextWidth(own, QString::fromStdString(s));
}

}  // namespace nadrel
