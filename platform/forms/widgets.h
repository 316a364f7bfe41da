#pragma once
// The Qt side of the forms layer: the top-level window of a form, the paint
// surfaces of containers (the window's client area, frames, picture boxes)
// and the realisation of each control kind. Program code never includes this.
#include <QPointer>
#include <QWidget>
#include <string_view>

class QMenuBar;
class QPainter;

namespace plat {

class Control;
class Form;

// Paints its owner's background (a frame also its border and caption) and
// then the owner's windowless controls in z-order; windowed children sit on top.
class Surface : public QWidget {
 public:
  Surface(Form& form, Control* owner, QWidget* parent);
  Control* owner() const { return owner_; }
  // Places the aligned children (toolbar at the top, status bar at the
  // bottom) and the controls that stand over a bottom-aligned bar.
  void relayout();
  // Puts a windowed child that is not aligned at its box: where its layout
  // says, or, when it stands over a bottom-aligned bar, moved with the bar.
  void place(Control& c);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  bool event(QEvent* e) override;

 private:
  Control* hit(QPoint p) const;
  QRect box_of(const Control& c, bool* over_bar = nullptr) const;
  void mouse(QMouseEvent* e, int kind);

  Form& form_;
  Control* owner_;
};

// The top-level window of a form, as the window manager sees it: an
// ordinary window (maximised by the window manager when its state is 2),
// placed wholly on screen when it first opens, telling its real state back;
// or, opened while the window that opened it is disabled, a dialog
// transient for that window and above every window of the program.
class FormWindow : public QWidget {
 public:
  explicit FormWindow(Form& form);
  Surface* client() const { return client_; }
  QMenuBar* menu_bar();  // created on first use
  void set_client_size(int w, int h);
  void relayout();
  // Shows the window in window state `state` (0 normal, 1 minimised, 2 maximised).
  void show_in_state(int state);
  // Where the window opens (the frame's top left, pixels): from then on it
  // no longer opens centred on the main window.
  void set_position(QPoint frame_top_left);
  void set_disabled(bool disabled);
  // Qt::FramelessWindowHint, or the hints of a title bar without a close box.
  void set_frame_hints(Qt::WindowFlags hints);
  // The window this one stays above, or nullptr.
  FormWindow* owner() const;
  // The focus rule of every window. A control that holds the focus when it
  // is disabled or hidden (or its container is) hands it to the window
  // itself, where Space and Return press nothing: Qt would hand it to the
  // next control, which they would press. Offered again (enabled or shown)
  // while the focus still waits on the window, it gets the focus back.
  void focus_leaving(QWidget* w);
  void focus_offered(QWidget* w);
  void pass_waiting_focus(QWidget* from, QWidget* to);

 protected:
  void closeEvent(QCloseEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  void changeEvent(QEvent*) override;

 private:
  void choose_owner();
  void set_flags(Qt::WindowType type);
  void place();
  bool frameless() const;
  void framed();

  Form& form_;
  Surface* client_;
  QMenuBar* menubar_ = nullptr;
  Qt::WindowFlags hints_;
  bool placed_ = false;         // placed at its first show; then the user's position stands
  bool positioned_ = false;     // its layout or its code gave the position
  QPoint position_;
  uint64_t disabled_seq_ = 0;   // when it was last disabled (0: enabled)
  uint64_t shown_seq_ = 0;      // when it was last shown
  bool dialog_ = false;         // it belongs to another window, which waits for it
  bool normal_since_shown_ = false;  // shown in the normal state and kept in it since
  bool frame_unseen_ = false;        // placed, and not yet framed by the window manager
  QPoint frame_at_;                  // where it was placed: its frame's top left
  QPointer<QWidget> parked_;         // the control whose focus waits on the window
  QPointer<QWidget> kept_focus_;     // the focus the window had when it was disabled
};

// Keeps the top-level window `w` above the program's other windows while
// the user works in the program (it is the active application), and lets
// another program's window come over it meanwhile; `keep` false ends it.
// The dialogs that a window waits for and the message boxes do so.
void stay_above_while_in_use(QWidget* w, bool keep);

// Where the client of a window goes when its frame (margins `frame`) is to
// stand at `frame_top_left`, kept wholly inside `avail` (top left first when
// it is larger): the client's top left, in pixels.
QPoint placed_client(const QRect& avail, QPoint frame_top_left, QSize client, const QMargins& frame);

struct Realizer {
  static void create(Control& c);                        // widget, action or timer
  static void apply(Control& c, std::string_view prop);  // one property to the Qt side
  static void paint(QPainter& p, Control& c);      // windowless kinds
  static QRect bounds(const Control& c);           // what paint may touch (windowless kinds)
  static void set_widget(Control& c, QWidget* w);
};

}  // namespace plat
