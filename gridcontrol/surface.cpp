#include "gridcontrol/surface.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

#include "gridcontrol/nadrel.h"

namespace nadrel {

namespace {

int16_t button_of(Qt::MouseButtons b) {
  return int16_t(((b & Qt::LeftButton) ? 1 : 0) | ((b & Qt::RightButton) ? 2 : 0) | ((b & Qt::MiddleButton) ? 4 : 0));
}

// Keeps the editor's whole text within the column's mask, whatever brought
// it there (typing, pasting, dropping, the context menu).
class MaskValidator final : public QValidator {
 public:
  MaskValidator(Nadrel& grid, QObject* parent) : QValidator(parent), grid_(grid) {}
  State validate(QString& input, int&) const override {
    if (grid_.current_mask() == 1) input = input.toUpper();
    return grid_.mask_accepts(input) ? Acceptable : Invalid;
  }

 private:
  Nadrel& grid_;
};

// Tab (1) or Shift+Tab (-1) pressed as the focus chain takes it (without
// Ctrl or Alt); 0 for any other event.
int tab_step(const QEvent* e) {
  if (e->type() != QEvent::KeyPress) return 0;
  const auto* k = static_cast<const QKeyEvent*>(e);
  if (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return 0;
  if (k->key() == Qt::Key_Backtab || (k->key() == Qt::Key_Tab && (k->modifiers() & Qt::ShiftModifier))) return -1;
  return k->key() == Qt::Key_Tab ? 1 : 0;
}

// Tab and Shift+Tab in the editing box or the lookup list leave the grid as
// from the cells (Nadrel::tab_out_of_edit). True when `e` was one of them.
bool tab_out_of_editor(Nadrel& grid, QEvent* e) {
  const int step = tab_step(e);
  if (step == 0) return false;
  grid.tab_out_of_edit(step > 0);
  return true;
}

}  // namespace

int16_t shift_of(Qt::KeyboardModifiers m) {
  return int16_t(((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
                 ((m & Qt::AltModifier) ? 4 : 0));
}

int16_t key_code_of(const QKeyEvent* e) {
  const int k = e->key();
  // The keypad has codes of its own for its digits and operators; its
  // other keys (Enter, and with Num Lock off the arrows, Home, Delete...)
  // are those of the main block.
  if (e->modifiers() & Qt::KeypadModifier) {
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return int16_t(96 + k - Qt::Key_0);
    switch (k) {
      case Qt::Key_Asterisk: return 106;
      case Qt::Key_Plus: return 107;
      case Qt::Key_Minus: return 109;
      case Qt::Key_Period: case Qt::Key_Comma: return 110;  // the decimal key, whatever it types
      case Qt::Key_Slash: return 111;
      default: break;
    }
  }
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return int16_t(k);  // same codes
  if (k >= Qt::Key_0 && k <= Qt::Key_9) return int16_t(k);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return int16_t(112 + k - Qt::Key_F1);
  switch (k) {
    // With Shift the digit keys of the main block come as their symbols.
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    // The punctuation keys, unshifted and shifted.
    case Qt::Key_Semicolon: case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: case Qt::Key_Plus: return 187;
    case Qt::Key_Comma: case Qt::Key_Less: return 188;
    case Qt::Key_Minus: case Qt::Key_Underscore: return 189;
    case Qt::Key_Period: case Qt::Key_Greater: return 190;
    case Qt::Key_Slash: case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft: case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft: case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash: case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight: case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe: case Qt::Key_QuoteDbl: return 222;
    // Named keys.
    case Qt::Key_Cancel: return 3;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Clear: return 12;  // keypad 5 with Num Lock off
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: case Qt::Key_AltGr: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Select: return 41;
    case Qt::Key_Printer: return 42;
    case Qt::Key_Execute: return 43;
    case Qt::Key_Print: case Qt::Key_SysReq: return 44;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Help: return 47;
    case Qt::Key_Meta: case Qt::Key_Super_L: return 91;
    case Qt::Key_Super_R: return 92;
    case Qt::Key_Menu: return 93;
    case Qt::Key_Sleep: return 95;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Back: return 166;
    case Qt::Key_Forward: return 167;
    case Qt::Key_Refresh: return 168;
    case Qt::Key_Stop: return 169;
    case Qt::Key_Search: return 170;
    case Qt::Key_Favorites: return 171;
    case Qt::Key_HomePage: return 172;
    case Qt::Key_VolumeMute: return 173;
    case Qt::Key_VolumeDown: return 174;
    case Qt::Key_VolumeUp: return 175;
    case Qt::Key_MediaNext: return 176;
    case Qt::Key_MediaPrevious: return 177;
    case Qt::Key_MediaStop: return 178;
    case Qt::Key_MediaPlay: case Qt::Key_MediaTogglePlayPause: return 179;
    case Qt::Key_LaunchMail: return 180;
    case Qt::Key_LaunchMedia: return 181;
    case Qt::Key_Launch0: return 182;
    case Qt::Key_Launch1: return 183;
    default: return 0;
  }
}

int16_t key_ascii_of(const QKeyEvent* e) {
  const Qt::KeyboardModifiers m = e->modifiers();
  // Ctrl with a letter is the control character (Ctrl+V is 22).
  if ((m & Qt::ControlModifier) && e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z)
    return int16_t(e->key() - Qt::Key_A + 1);
  switch (e->key()) {
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: case Qt::Key_Backtab: return 9;
    case Qt::Key_Delete: return 0;  // types nothing, though the desktop gives it a text
    default: break;
  }
  const QString t = e->text();
  if (t.size() != 1 || m & (Qt::ControlModifier | Qt::AltModifier)) return 0;
  const char16_t c = t[0].unicode();
  // Any other control character (DEL, the C1 range) types nothing either.
  const bool control = c < 32 || (c >= 127 && c < 160);
  return !control && c < 256 ? int16_t(c) : 0;
}

QKeyEvent* make_key_event(int16_t key_code, int16_t key_ascii) {
  int key = Qt::Key_unknown;
  switch (key_code) {
    case 38: key = Qt::Key_Up; break;
    case 40: key = Qt::Key_Down; break;
    default:
      if (key_ascii >= 'a' && key_ascii <= 'z') key = Qt::Key_A + (key_ascii - 'a');
      else if (key_ascii > 32 && key_ascii < 128) key = QChar(key_ascii).toUpper().unicode();
      break;
  }
  const QString text = key_ascii > 0 ? QString(QChar(char16_t(key_ascii))) : QString();
  return new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text);
}

UserControl::UserControl(Nadrel& grid) : grid_(grid) {
  setObjectName("Nadrel");
  setBackColor(plat::kSystemColorFlag | plat::COLOR_BTNFACE);
  resize(320, 200);
}

void UserControl::resizeEvent(QResizeEvent* event) {
  plat::gdi::Surface::resizeEvent(event);
  grid_.UserControl_Resize();
}

void UserControl::changeEvent(QEvent* event) {
  plat::gdi::Surface::changeEvent(event);
  if (event->type() == QEvent::EnabledChange) grid_.enabled_changed();
}

PicGrid::PicGrid(Nadrel& grid, QWidget* parent) : plat::gdi::Surface(parent), grid_(grid) {
  setObjectName("picGrid");
  setBackColor(plat::kSystemColorFlag | plat::COLOR_BTNFACE);
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
}

void draw_waiting_repaint(Nadrel& grid) { grid.flush_pending(); }

void PicGrid::drawPending() { grid_.flush_pending(); }

void PicGrid::mousePressEvent(QMouseEvent* e) {
  const QPointF p = e->position();
  // A press between the bars leaves the focus where it is (an open editor).
  if (!grid_.in_bar_corner(float(p.x()), float(p.y()))) setFocus(Qt::MouseFocusReason);
  input(grid_, [&] { grid_.picGrid_MouseDown(button_of(e->button()), shift_of(e->modifiers()), float(p.x()), float(p.y())); });
}

void PicGrid::mouseMoveEvent(QMouseEvent* e) {
  const QPointF p = e->position();
  input(grid_, [&] { grid_.picGrid_MouseMove(button_of(e->buttons()), shift_of(e->modifiers()), float(p.x()), float(p.y())); });
}

void PicGrid::mouseReleaseEvent(QMouseEvent* e) {
  const QPointF p = e->position();
  input(grid_, [&] { grid_.picGrid_MouseUp(button_of(e->button()), shift_of(e->modifiers()), float(p.x()), float(p.y())); });
}

void PicGrid::mouseDoubleClickEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) input(grid_, [&] { grid_.DblClick(); });
}

void PicGrid::keyPressEvent(QKeyEvent* e) {
  // KeyDown for every key, KeyPress for those that type a character.
  input(grid_, [&] {
    grid_.picGrid_KeyDown(key_code_of(e), shift_of(e->modifiers()));
    if (const int16_t ascii = key_ascii_of(e)) grid_.picGrid_KeyPress(ascii);
  });
}

void PicGrid::keyReleaseEvent(QKeyEvent* e) {
  if (!e->isAutoRepeat()) input(grid_, [&] { grid_.picGrid_KeyUp(key_code_of(e), shift_of(e->modifiers())); });
}

EditBox::EditBox(Nadrel& grid, QWidget* parent) : QLineEdit(parent), grid_(grid) {
  setObjectName("txtEdit");
  setFrame(false);
  setValidator(new MaskValidator(grid, this));
  hide();
}

bool EditBox::event(QEvent* e) {
  if (tab_out_of_editor(grid_, e)) return true;
  return QLineEdit::event(e);
}

void EditBox::keyPressEvent(QKeyEvent* e) {
  bool handled = true;
  input(grid_, [&] { handled = grid_.EditKeyDown(key_code_of(e), shift_of(e->modifiers())); });
  if (handled) return;
  const int16_t ascii = key_ascii_of(e);
  if (ascii == 0) {
    QLineEdit::keyPressEvent(e);  // caret movement and the like
    return;
  }
  const int16_t kept = grid_.txtEdit_KeyPress(ascii);
  if (kept == 0) return;  // the mask swallows it
  if (kept == ascii) {
    QLineEdit::keyPressEvent(e);
    return;
  }
  insert(QString(QChar(char16_t(kept))));
}

LookupList::LookupList(Nadrel& grid, QWidget* parent) : QListWidget(parent), grid_(grid) {
  setObjectName("List1");
  hide();
}

bool LookupList::event(QEvent* e) {
  if (tab_out_of_editor(grid_, e)) return true;
  return QListWidget::event(e);
}

void LookupList::keyPressEvent(QKeyEvent* e) {
  const int16_t k = key_code_of(e);
  if (k == 13) input(grid_, [&] { grid_.List1_Choose(); });
  else if (k == 27) input(grid_, [&] { grid_.List1_Escape(); });
  else QListWidget::keyPressEvent(e);
}

void LookupList::mouseDoubleClickEvent(QMouseEvent* e) {
  QListWidget::mouseDoubleClickEvent(e);
  input(grid_, [&] { grid_.List1_Choose(); });
}

void LookupList::focusOutEvent(QFocusEvent* e) {
  QListWidget::focusOutEvent(e);
  input(grid_, [&] { grid_.List1_LostFocus(); });
}

}  // namespace nadrel
