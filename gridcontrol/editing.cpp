// In-place editing: the text box over the current cell, the lookup list
// and its button, the cell button, and the column masks.
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>

#include "gridcontrol/nadrel.h"
#include "gridcontrol/recordset.h"
#include "gridcontrol/surface.h"
#include "platform/com/errors.h"

namespace nadrel {

using plat::com::RuntimeError;

namespace {
constexpr int kButtonWidth = 17;

// Keeps a widget out of the focus chain for as long as it lives.
class OutOfFocusChain {
 public:
  explicit OutOfFocusChain(QWidget* w) : w_(w), policy_(w ? w->focusPolicy() : Qt::NoFocus) {
    if (w) w->setFocusPolicy(Qt::NoFocus);
  }
  ~OutOfFocusChain() {
    if (w_) w_->setFocusPolicy(policy_);
  }
  OutOfFocusChain(const OutOfFocusChain&) = delete;
  OutOfFocusChain& operator=(const OutOfFocusChain&) = delete;

 private:
  QPointer<QWidget> w_;
  Qt::FocusPolicy policy_;
};

}  // namespace

int16_t Nadrel::current_mask() const {
  return S.CurCol >= 0 && size_t(S.CurCol) < S.ColMasks.size() ? S.ColMasks[size_t(S.CurCol)] : 0;
}

int16_t Nadrel::NumericKeyFilter(int16_t k) {
  return (k >= '0' && k <= '9') || k == 8 || k == '-' || k == '.' ? k : 0;
}

int16_t Nadrel::DateKeyFilter(int16_t k) { return (k >= '0' && k <= '9') || k == 8 || k == '/' ? k : 0; }

int16_t Nadrel::txtEdit_KeyPress(int16_t KeyAscii) const {
  switch (current_mask()) {
    case 1: return int16_t(QChar(char16_t(KeyAscii)).toUpper().unicode());
    case 2: return NumericKeyFilter(KeyAscii);
    case 3: return DateKeyFilter(KeyAscii);
    default: return KeyAscii;
  }
}

bool Nadrel::mask_accepts(const QString& text) const {
  const int16_t mask = current_mask();
  if (mask != 2 && mask != 3) return true;
  for (QChar ch : text) {
    const char16_t c = ch.unicode();
    if (c > 255 || (mask == 2 ? NumericKeyFilter(int16_t(c)) : DateKeyFilter(int16_t(c))) == 0) return false;
  }
  return true;
}

void Nadrel::DblClick() {
  if (data_cell(S.CurRow, S.CurCol) && current_mask() != 4) BeginEdit(32);
}

void Nadrel::BeginEdit(int16_t KeyAscii) {
  // Only a data cell is ever edited: after Clear the current row is 0.
  if (!data_cell(S.CurRow, S.CurCol)) return;
  fire_event(event::BeforeEdit, {Variant::i2(to16(S.CurRow)), Variant::i2(to16(S.CurCol)), Variant(false)});
  // The handler may have changed the grid or opened an edit itself.
  if (!data_cell(S.CurRow, S.CurCol) || S.ColEditable[size_t(S.CurCol)] == 0 || S.EditorOpen) return;
  auto* list = static_cast<LookupList*>(list_.data());
  auto* txt = static_cast<EditBox*>(txt_.data());
  if (!list || !txt || !pic_) return;
  const bool lookup = ColHasLookup(int16_t(S.CurCol));
  std::string text = S.Cells.cell(S.CurCol, S.CurRow).Text;
  if (S.RecordsetBound && !lookup) {
    // A record the host cannot give opens no edit, as it paints an empty cell.
    try {
      text = rs::value_text(*rs::object_of(S.BoundRecordset), S.CurRow, S.CurCol);
    } catch (const RuntimeError&) {
      return;
    }
  }
  // The editor opens over the cell, never over a cell out of view.
  scroll_into_view(S.CurRow, S.CurCol);
  MoveCurrentCell();
  if (S.AutoNewRowOn && S.CurRow == S.RowCount && RowEmpty(S.CurRow) && can_add_row()) {
    fire_event(event::BeforeAddRow, {Variant(false)});
    // The handler may have taken the last place.
    if (can_add_row()) {
      Rows(S.RowCount + 1);
      fire_event(event::AfterAddRow, {Variant::i2(to16(S.RowCount))});
    }
    if (!data_cell(S.CurRow, S.CurCol) || S.EditorOpen) return;
  }
  const Position p = CellPosition(S.CurRow, S.CurCol);
  const QPoint origin = pic_->pos();
  S.EditorOpen = true;
  if (lookup) {
    FillLookupList(int16_t(S.CurCol));
    list->setFont(qfont_of(cell_font()));
    const int32_t h = std::max<int32_t>(1, rh(S.CurRow));
    const int32_t list_top = p.y + h + 2;
    int32_t n = int32_t(plat::com::round_half_even(double(ScaleHeight() - list_top - h) / h));
    if (S.ListRows < n) n = S.ListRows;
    n = std::max(n, 1);  // never a list of no rows, however low the cell
    list->setGeometry(origin.x() + p.x + 2, origin.y() + list_top, cw(S.CurCol), n * h);
    list->raise();
    list->show();
    list->setFocus();
    const QString s{QChar(char16_t(KeyAscii))};
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->text().left(s.size()).compare(s, Qt::CaseInsensitive) == 0) {
        list->setCurrentRow(i);
        break;
      }
    return;
  }
  txt->setText(QString::fromStdString(text));
  txt->setCursorPosition(int(txt->text().size()));
  QFont f = qfont_of(cell_font());
  f.setBold(true);
  txt->setFont(f);
  txt->setStyleSheet("QLineEdit { background: #FFFFFF; color: #000000; }");
  txt->raise();
  txt->show();
  txt->setFocus();
  if (KeyAscii > 32) {
    // The key that started the edit is typed into the box, through the mask.
    std::unique_ptr<QKeyEvent> key(make_key_event(0, KeyAscii));
    QCoreApplication::sendEvent(txt, key.get());
  }
}

void Nadrel::store_edit(const std::string& text) {
  if (!data_cell(S.CurRow, S.CurCol)) return;
  if (S.RecordsetBound) rs::write_value(*rs::object_of(S.BoundRecordset), S.CurRow, S.CurCol, text);
  S.Cells.cell(S.CurCol, S.CurRow).Text = text;
}

bool Nadrel::end_edit(EditEnd how) {
  auto* txt = txt_.data();
  auto* list = list_.data();
  const bool typing = txt && !txt->isHidden();
  const bool listing = list && !list->isHidden();
  if (!S.EditorOpen && !typing && !listing) return true;
  bool stored = false;
  if (typing && how != EditEnd::Discard) {
    try {
      store_edit(static_cast<QLineEdit*>(txt)->text().toStdString());
      stored = true;
    } catch (const RuntimeError&) {
      // The host refused the record: nothing is stored anywhere.
      if (how == EditEnd::StoreOrStay) return false;
    }
  }
  S.EditorOpen = false;
  // The focus goes back to the cells before the box or list is hidden:
  // hiding the focused widget would send it on to the next control.
  if (typing) {
    if (txt->hasFocus() && pic_) pic_->setFocus();
    txt->hide();
    txt->lower();
  }
  if (listing) {
    if (list->hasFocus() && pic_) pic_->setFocus();
    list->hide();
  }
  repaint_cell(S.CurRow, S.CurCol);
  MoveCurrentCell();
  if (stored && data_cell(S.CurRow, S.CurCol))
    fire_event(event::AfterEdit,
               {Variant::i2(to16(S.CurRow)), Variant::i2(to16(S.CurCol)), Variant(S.Cells.cell(S.CurCol, S.CurRow).Text)});
  return true;
}

bool Nadrel::EditKeyDown(int16_t KeyCode, int16_t) {
  if (!S.EditorOpen) return false;
  switch (KeyCode) {
    case 13: end_edit(EditEnd::StoreOrStay); return true;
    case 27: end_edit(EditEnd::Discard); return true;
    case 38:
    case 40:
      // The arrow goes on to the cells once the event is out.
      if (end_edit(EditEnd::StoreOrStay) && pic_) QCoreApplication::postEvent(pic_, make_key_event(KeyCode, 0));
      return true;
    default: return false;
  }
}

void Nadrel::FillLookupList(int16_t col) {
  auto* list = static_cast<QListWidget*>(list_.data());
  list->clear();
  for (const LookupItem& l : S.Lookups)
    if (l.Column == col) {
      auto* item = new QListWidgetItem(QString::fromStdString(l.Value), list);
      item->setData(Qt::UserRole, l.ItemData);
    }
}

void Nadrel::List1_Choose() {
  auto* list = static_cast<QListWidget*>(list_.data());
  if (!list || list->isHidden()) return;
  S.EditorOpen = false;
  if (QListWidgetItem* item = list->currentItem(); item && item->isSelected() && data_cell(S.CurRow, S.CurCol)) {
    S.Cells.cell(S.CurCol, S.CurRow).Text = S.ItemDataMode ? std::to_string(item->data(Qt::UserRole).toInt())
                                                         : item->text().toStdString();
  }
  if (pic_) pic_->setFocus();
  list->hide();
  repaint_cell(S.CurRow, S.CurCol);
  MoveCurrentCell();
  fire_event(event::AfterEdit,
             {Variant::i2(to16(S.CurRow)), Variant::i2(to16(S.CurCol)), Variant(S.Cells.cell(S.CurCol, S.CurRow).Text)});
}

void Nadrel::List1_Escape() { end_edit(EditEnd::Discard); }

void Nadrel::List1_LostFocus() {
  // An edit that is ending already moves the focus back to the cells itself.
  if (!S.EditorOpen || !list_ || list_->isHidden()) return;
  end_edit(EditEnd::Discard);
}

void Nadrel::tab_out_of_edit(bool next) {
  if (!pic_) return;
  {
    // The focus moves first and the edit ends as it leaves the control (the
    // focusChanged connection), as after a click elsewhere: what a host does
    // with the focus in AfterEdit is then the last word. The move is the
    // one from the cells, past the box and the list, which from the box
    // itself would stop on the cells going back. The list's own focus out
    // closes it on the way, without a choice and without AfterEdit.
    const OutOfFocusChain box(txt_), list(list_);
    const Qt::FocusReason reason = next ? Qt::TabFocusReason : Qt::BacktabFocusReason;
    pic_->setFocus(reason);
    if (pic_) pic_->move_focus_on(next);
  }
  // Where the cells are the window's one Tab stop the focus stays on them,
  // and nothing else has ended the edit.
  if (S.EditorOpen) input(*this, [&] { UserControl_ExitFocus(); });
}

void Nadrel::hide_lookup() {
  if (list_ && !list_->isHidden()) end_edit(EditEnd::Discard);
  if (cmd_lookup_) cmd_lookup_->hide();
}

void Nadrel::cmdButton_Click() { fire_event(event::BtnClick, {Variant::i2(to16(S.CurCol))}); }

void Nadrel::PlaceCellButton() {
  if (!pic_) return;
  const Position p = CellPosition(S.CurRow, S.CurCol);
  const int32_t h = rh(S.CurRow), w = cw(S.CurCol);
  const bool place = p.y + h <= bar_top() && S.CurCol >= left() && S.CurRow >= top() && data_cell(S.CurRow, S.CurCol);
  const QPoint origin = pic_->pos();
  auto put = [&](QPushButton* b, bool wanted) {
    if (!b) return;
    if (place && wanted) {
      b->setGeometry(origin.x() + p.x + w - kButtonWidth + 1, origin.y() + p.y + 3, kButtonWidth, std::max(0, h - 2));
      b->show();
      b->raise();
    } else {
      b->hide();
    }
  };
  put(cmd_lookup_, ColHasLookup(int16_t(S.CurCol)));
  put(cmd_button_, ColHasButton(int16_t(S.CurCol)));
}

void Nadrel::close_editor_for_scroll() {
  if (S.EditorOpen && txt_ && !txt_->isHidden()) CommitEdit();
}

void Nadrel::after_scroll() {
  hide_lookup();
  PlaceCellButton();
}

}  // namespace nadrel
