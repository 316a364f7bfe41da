#pragma once
// The grid's constituents: the control's own surface, which a container
// embeds and on which the border is drawn; the cell surface `picGrid` inside
// it, on which the cells are drawn and which takes the input; the editing
// text box `txtEdit` and the lookup list `List1`.
#include <QLineEdit>
#include <QListWidget>

#include "platform/com/errors.h"
#include "platform/gdi/surface.h"

class QKeyEvent;

namespace nadrel {

class Nadrel;

// Virtual-key code, Shift mask (1 Shift, 2 Ctrl, 4 Alt) and character code
// (0 for none) of a Qt key event.
int16_t key_code_of(const QKeyEvent* e);
int16_t shift_of(Qt::KeyboardModifiers m);
int16_t key_ascii_of(const QKeyEvent* e);
// A synthetic key press for a virtual-key code or a character.
QKeyEvent* make_key_event(int16_t key_code, int16_t key_ascii);

// Draws what waits to be drawn (Nadrel::flush_pending).
void draw_waiting_repaint(Nadrel& grid);

// Runs the grid's handling of one piece of user input (a key, a mouse
// action, a focus change, a click on a button, a scroll), on the image as it
// stands. An error it meets, a host's or a handler's, ends that handling and
// goes no further: the event loop never sees it.
template <class F>
void input(Nadrel& grid, F&& handle) {
  try {
    draw_waiting_repaint(grid);
    handle();
  } catch (const plat::com::RuntimeError&) {
  }
}

class UserControl final : public plat::gdi::Surface {
 public:
  explicit UserControl(Nadrel& grid);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  Nadrel& grid_;
};

class PicGrid final : public plat::gdi::Surface {
 public:
  PicGrid(Nadrel& grid, QWidget* parent);
  // Moves the focus on as Tab (next) or Shift+Tab on the cells does; false
  // when no other control takes it.
  bool move_focus_on(bool next) { return focusNextPrevChild(next); }

 protected:
  void drawPending() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // A double click is one press, not two: Qt's own handler would call the
  // press handler again.
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;

 private:
  Nadrel& grid_;
};

class EditBox final : public QLineEdit {
 public:
  EditBox(Nadrel& grid, QWidget* parent);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Nadrel& grid_;
};

class LookupList final : public QListWidget {
 public:
  LookupList(Nadrel& grid, QWidget* parent);

 protected:
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  Nadrel& grid_;
};

}  // namespace nadrel
