#pragma once
// The Qt side of the forms layer: the top-level window of a form, the paint
// surfaces of containers (the window's client area, frames, picture boxes)
// and the realisation of each control kind. Program code never includes this.
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
  void relayout();  // places aligned children (toolbar at the top, status bar at the bottom)

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
  void mouse(QMouseEvent* e, int kind);

  Form& form_;
  Control* owner_;
};

class FormWindow : public QWidget {
 public:
  explicit FormWindow(Form& form);
  Surface* client() const { return client_; }
  QMenuBar* menu_bar();  // created on first use
  void set_client_size(int w, int h);
  void relayout();

 protected:
  void closeEvent(QCloseEvent*) override;
  void resizeEvent(QResizeEvent*) override;

 private:
  Form& form_;
  Surface* client_;
  QMenuBar* menubar_ = nullptr;
};

struct Realizer {
  static void create(Control& c);                        // widget, action or timer
  static void apply(Control& c, std::string_view prop);  // one property to the Qt side
  static void paint(QPainter& p, Control& c);      // windowless kinds
  static void set_widget(Control& c, QWidget* w);
};

}  // namespace plat
