#include "platform/forms/widgets.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include "platform/browser/browser_widget.h"
#include "platform/comctl/comctl_widgets.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form.h"
#include "platform/forms/hosted.h"
#include "platform/forms/pictures.h"
#include "platform/forms/services.h"
#include "platform/forms/units.h"
#include "platform/gdi/colors.h"

namespace plat {

namespace {

QColor color_of(const Control& c, std::string_view prop) { return to_qcolor(uint32_t(c.get(prop).to_int())); }

QFont font_of(const Control& c) {
  return make_font(c.get("FontName").to_string(), c.get("FontSize").to_double(), c.get("FontBold").to_bool(),
                   c.get("FontItalic").to_bool(), c.get("FontUnderline").to_bool(), c.get("FontStrikethru").to_bool());
}

QRect box_px(const Control& c) {
  return QRect(px(c.get("Left").to_double()), px(c.get("Top").to_double()), px(c.get("Width").to_double()),
               px(c.get("Height").to_double()));
}

Qt::Alignment text_alignment(const Control& c) {
  switch (c.get("Alignment").to_int()) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

int mouse_button(Qt::MouseButtons b) {
  int r = 0;
  if (b & Qt::LeftButton) r |= 1;
  if (b & Qt::RightButton) r |= 2;
  if (b & Qt::MiddleButton) r |= 4;
  return r;
}

int shift_state(Qt::KeyboardModifiers m) {
  int r = 0;
  if (m & Qt::ShiftModifier) r |= 1;
  if (m & Qt::ControlModifier) r |= 2;
  if (m & Qt::AltModifier) r |= 4;
  return r;
}

QWidget* parent_surface(Control& c) {
  if (c.container()) return c.container()->widget();
  return c.form().form_window()->client();
}

void set_palette_color(QWidget* w, QPalette::ColorRole role, const QColor& col) {
  QPalette p = w->palette();
  p.setColor(role, col);
  w->setPalette(p);
}

// A window's menu shortcuts come before the keys a text field would take
// for itself (Ctrl+A, Ctrl+C, Del...), as menu accelerators do.
class MenuShortcutsFirst final : public QObject {
 public:
  MenuShortcutsFirst(Form& f, QObject* parent) : QObject(parent), form_(f) {}
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::ShortcutOverride) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    const QKeySequence pressed(k->modifiers() | k->key());
    for (auto& c : form_.controls()) {
      if (c->kind() != Kind::Menu || !c->action() || c->action()->shortcut().isEmpty()) continue;
      if (c->action()->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
        e->ignore();
        return true;
      }
    }
    return false;
  }

 private:
  Form& form_;
};

// User input reaches the program as the event the control raises.
void raise(Control& c, Event ev) { c.form().fire(c, ev); }

void arm_timer(Control& c, int& timer_id, bool& in_timer) {
  if (timer_id) {
    services().stop_timer(timer_id);
    timer_id = 0;
  }
  const int interval = int(c.get("Interval").to_int());
  if (!c.enabled() || interval <= 0) return;
  Control* self = &c;
  bool* busy = &in_timer;
  timer_id = services().start_timer(interval, [self, busy] {
    if (*busy || !self->form().loaded()) return;  // a tick never re-enters its own handler
    *busy = true;
    self->form().fire(*self, Event::Timer);
    *busy = false;
  });
}

}  // namespace

// ---------------------------------------------------------------- Surface

Surface::Surface(Form& form, Control* owner, QWidget* parent) : QWidget(parent), form_(form), owner_(owner) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Surface::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  Control& bg = owner_ ? *owner_ : form_.self();
  p.fillRect(rect(), color_of(bg, "BackColor"));
  if (owner_ && owner_->kind() == Kind::PictureBox) {
    const QImage img = picture(owner_->get("Picture").to_string());
    if (!img.isNull()) p.drawImage(0, 0, img);
    if (owner_->get("BorderStyle").to_int() == 1) {
      p.setPen(QColor(128, 128, 128));
      p.drawLine(0, 0, width() - 1, 0);
      p.drawLine(0, 0, 0, height() - 1);
      p.setPen(Qt::white);
      p.drawLine(width() - 1, 0, width() - 1, height() - 1);
      p.drawLine(0, height() - 1, width() - 1, height() - 1);
    }
  }
  if (owner_ && owner_->kind() == Kind::Frame) {
    const QFont f = font_of(*owner_);
    p.setFont(f);
    const QFontMetrics fm(f);
    const QString cap = QString::fromStdString(owner_->caption());
    const int y = fm.height() / 2;
    if (owner_->get("BorderStyle").to_int() != 0) {
      p.setPen(QColor(128, 128, 128));
      p.drawRect(0, y, width() - 2, height() - y - 2);
      p.setPen(Qt::white);
      p.drawRect(1, y + 1, width() - 2, height() - y - 2);
    }
    if (!cap.isEmpty()) {
      const int tw = fm.horizontalAdvance(QString(cap).remove('&')) + 4;
      p.fillRect(QRect(6, 0, tw, fm.height()), color_of(*owner_, "BackColor"));
      p.setPen(owner_->enabled() ? color_of(*owner_, "ForeColor") : QColor(128, 128, 128));
      p.drawText(QRect(8, 0, tw, fm.height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, cap);
    }
  }
  // Only the controls that reach into the area being repainted are drawn.
  const QRegion& dirty = e->region();
  for (auto& c : form_.controls()) {
    if (c->container() != owner_ || !is_windowless(c->kind()) || !c->visible()) continue;
    if (!dirty.intersects(Realizer::bounds(*c))) continue;
    p.save();
    Realizer::paint(p, *c);
    p.restore();
  }
}

Control* Surface::hit(QPoint pt) const {
  auto& all = form_.controls();
  for (auto it = all.rbegin(); it != all.rend(); ++it) {
    Control& c = **it;
    if (c.container() != owner_ || !c.visible()) continue;
    if (c.kind() != Kind::Label && c.kind() != Kind::Image) continue;
    if (box_px(c).contains(pt)) return &c;
  }
  return nullptr;
}

void Surface::mouse(QMouseEvent* e, int kind) {
  if (!form_.enabled()) return;
  const QPoint pt = e->position().toPoint();
  Control* target = hit(pt);
  Control& c = target ? *target : (owner_ ? *owner_ : form_.self());
  if (target && !target->enabled()) return;
  EventArgs a;
  a.button = mouse_button(kind == 1 ? e->buttons() : e->button());
  a.shift = shift_state(e->modifiers());
  const QPoint origin = target ? box_px(*target).topLeft() : QPoint();
  a.x = twips(pt.x() - origin.x());
  a.y = twips(pt.y() - origin.y());
  static const Event kinds[] = {Event::MouseDown, Event::MouseMove, Event::MouseUp, Event::DblClick};
  form_.fire(c, kinds[kind], a);
  if (kind == 2 && target && box_px(*target).contains(pt)) {
    EventArgs click;
    form_.fire(c, Event::Click, click);
  }
}

void Surface::mousePressEvent(QMouseEvent* e) { mouse(e, 0); }
void Surface::mouseMoveEvent(QMouseEvent* e) { mouse(e, 1); }
void Surface::mouseReleaseEvent(QMouseEvent* e) { mouse(e, 2); }
void Surface::mouseDoubleClickEvent(QMouseEvent* e) { mouse(e, 3); }
void Surface::resizeEvent(QResizeEvent*) { relayout(); }

bool Surface::event(QEvent* e) {
  if (e->type() == QEvent::ToolTip) {
    // Windowless controls have no widget of their own to carry a tooltip.
    auto* help = static_cast<QHelpEvent*>(e);
    Control* c = hit(help->pos());
    const std::string tip = c ? c->get("ToolTipText").to_string() : std::string();
    if (tip.empty()) {
      QToolTip::hideText();
      e->ignore();
    } else {
      QToolTip::showText(help->globalPos(), QString::fromStdString(tip), this);
    }
    return true;
  }
  return QWidget::event(e);
}

void Surface::relayout() {
  for (auto& c : form_.controls()) {
    if (c->container() != owner_ || !c->widget() || c->widget() == this) continue;
    const int64_t align = c->get("Align").to_int();
    if (align != 1 && align != 2) continue;
    const int h = px(c->get("Height").to_double());
    c->widget()->setGeometry(0, align == 1 ? 0 : height() - h, width(), h);
    c->widget()->raise();
  }
}

// ---------------------------------------------------------------- FormWindow

namespace {

uint64_t g_sequence = 0;
// The window manager's frame around a window, as last seen on a shown window;
// a window is placed before it is framed, so it goes by the last one seen.
QMargins g_frame(1, 24, 1, 1);

FormWindow* window_of(Form* f) { return f && f->loaded() ? f->form_window() : nullptr; }

}  // namespace

FormWindow::FormWindow(Form& form) : QWidget(nullptr, Qt::Window), form_(form) {
  client_ = new Surface(form, nullptr, this);
  setObjectName(QString::fromStdString(form.name()));
}

bool FormWindow::frameless() const { return hints_.testFlag(Qt::FramelessWindowHint); }

void FormWindow::set_frame_hints(Qt::WindowFlags hints) {
  hints_ = hints;
  set_flags(windowType());
}

void FormWindow::set_flags(Qt::WindowType type) {
  const Qt::WindowFlags flags = type | hints_;
  if (flags == windowFlags()) return;
  const bool was_visible = isVisible();
  setWindowFlags(flags);
  if (was_visible) show();  // changing the flags hides a window
}

void FormWindow::set_position(QPoint frame_top_left) {
  positioned_ = true;
  position_ = frame_top_left;
  if (isVisible()) move(frame_top_left);
}

void FormWindow::set_disabled(bool disabled) {
  disabled_seq_ = disabled ? ++g_sequence : 0;
  setEnabled(!disabled);
}

FormWindow* FormWindow::owner() const {
  QWindow* me = windowHandle();
  QWindow* o = me ? me->transientParent() : nullptr;
  for (const std::string& n : loaded_forms()) {
    FormWindow* fw = window_of(loaded_form(n));
    if (fw && o && fw->windowHandle() == o) return fw;
  }
  return nullptr;
}

// A window opened while the window that opened it is disabled stays above it
// (a guard or a dialog disables its window first): the opener is the shown
// window disabled last. A window without a title bar, which the user could
// not bring back from behind another, stays above the window active when it
// opened (else the main window).
void FormWindow::choose_owner() {
  FormWindow* opener = nullptr;
  for (const std::string& n : loaded_forms()) {
    FormWindow* fw = window_of(loaded_form(n));
    if (!fw || fw == this || !fw->isVisible() || fw->disabled_seq_ == 0) continue;
    if (!opener || fw->disabled_seq_ > opener->disabled_seq_) opener = fw;
  }
  if (!opener && frameless()) {
    opener = dynamic_cast<FormWindow*>(QApplication::activeWindow());
    if (!opener || opener == this) opener = window_of(main_form());
    if (opener && (opener == this || !opener->isVisible())) opener = nullptr;
  }
  // The window manager keeps only a dialog above the window it belongs to.
  set_flags(opener ? Qt::Dialog : Qt::Window);
  create();
  windowHandle()->setTransientParent(opener ? opener->windowHandle() : nullptr);
}

// At its first show a window opens where its layout puts it, else centred on
// the main window (on the screen while that is not shown), and always with
// its whole frame on the screen, top left first when it is larger.
void FormWindow::place() {
  if (placed_) return;
  placed_ = true;
  QScreen* scr = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!scr) return;
  const QRect avail = scr->availableGeometry();
  const QMargins m = frameless() ? QMargins() : g_frame;
  const QSize frame(width() + m.left() + m.right(), height() + m.top() + m.bottom());
  QPoint at = position_;
  if (!positioned_) {
    FormWindow* main = window_of(main_form());
    const QRect around = main && main != this && main->isVisible() ? main->frameGeometry() : avail;
    at = around.center() - QPoint(frame.width() / 2, frame.height() / 2);
  }
  at.setX(std::max(avail.left(), std::min(at.x(), avail.right() + 1 - frame.width())));
  at.setY(std::max(avail.top(), std::min(at.y(), avail.bottom() + 1 - frame.height())));
  move(at);  // the frame's top left
}

void FormWindow::show_in_state(int state) {
  if (!isVisible()) {
    choose_owner();
    place();
    shown_seq_ = ++g_sequence;
  }
  switch (state) {
    case 1: showMinimized(); break;
    case 2: showMaximized(); break;
    default: showNormal(); break;
  }
}

void FormWindow::moveEvent(QMoveEvent*) {
  if (QWindow* h = windowHandle(); h && isVisible() && !frameless()) {
    const QMargins m = h->frameMargins();
    if (!m.isNull()) g_frame = m;
  }
}

void FormWindow::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange) {
    // WindowState tells the real state, whoever changed it; a change of
    // state is a resize for the window's code, as the platform reports it.
    const Qt::WindowStates ws = windowState();
    const int state = ws & Qt::WindowMinimized ? 1 : ws & (Qt::WindowMaximized | Qt::WindowFullScreen) ? 2 : 0;
    Control& self = form_.self();
    if (!isVisible() || self.get("WindowState").to_int() == state) return;
    self.store_silently("WindowState", state);
    if (form_.loaded()) form_.fire(self, Event::Resize);
  } else if (e->type() == QEvent::ActivationChange && isActiveWindow() && !form_.enabled()) {
    // A disabled window never comes forward: the window it waits for does.
    FormWindow* top = nullptr;
    for (const std::string& n : loaded_forms()) {
      FormWindow* fw = window_of(loaded_form(n));
      if (fw && fw->isVisible() && fw->owner() == this && (!top || fw->shown_seq_ > top->shown_seq_)) top = fw;
    }
    if (!top) return;
    QPointer<FormWindow> t = top;
    QTimer::singleShot(0, top, [t] {
      if (!t || !t->isVisible()) return;
      t->raise();
      t->activateWindow();
    });
  }
}

QMenuBar* FormWindow::menu_bar() {
  if (!menubar_) {
    menubar_ = new QMenuBar(this);
    menubar_->setNativeMenuBar(false);
    menubar_->setFont(make_font(kDesignFontName, kDesignFontSize));
  }
  return menubar_;
}

void FormWindow::set_client_size(int w, int h) {
  const int mh = menubar_ ? menubar_->sizeHint().height() : 0;
  resize(w, h + mh);
  relayout();
}

void FormWindow::relayout() {
  const int mh = menubar_ ? menubar_->sizeHint().height() : 0;
  if (menubar_) menubar_->setGeometry(0, 0, width(), mh);
  client_->setGeometry(0, mh, width(), height() - mh);
  client_->relayout();
}

void FormWindow::closeEvent(QCloseEvent* e) {
  e->ignore();  // the unload decides; it hides the window when it goes
  HandlerScope scope;
  unload_form(form_.name());
}

void FormWindow::resizeEvent(QResizeEvent*) {
  relayout();
  Control& self = form_.self();
  const int w = twips(client_->width()), h = twips(client_->height());
  if (self.get("ScaleWidth").to_int() == w && self.get("ScaleHeight").to_int() == h) return;
  self.store_silently("ScaleWidth", w);
  self.store_silently("ScaleHeight", h);
  if (form_.loaded()) form_.fire(self, Event::Resize);
}

// ---------------------------------------------------------------- Realizer

void Realizer::set_widget(Control& c, QWidget* w) { c.widget_ = w; }

void Realizer::create(Control& c) {
  Form& f = c.form();
  QWidget* parent = c.kind() == Kind::Menu ? nullptr : parent_surface(c);
  QWidget* w = nullptr;
  switch (c.kind()) {
    case Kind::Form:
    case Kind::Label:
    case Kind::Line:
    case Kind::Shape:
    case Kind::Image:
    case Kind::ImageList:
      break;
    case Kind::Frame:
    case Kind::PictureBox:
      w = new Surface(f, &c, parent);
      break;
    case Kind::CommandButton: {
      auto* b = new QPushButton(parent);
      b->setFocusPolicy(Qt::StrongFocus);
      QObject::connect(b, &QPushButton::clicked, [&c] { raise(c, Event::Click); });
      w = b;
      break;
    }
    case Kind::TextBox: {
      auto* e = new QLineEdit(parent);
      e->setFrame(true);
      e->installEventFilter(new MenuShortcutsFirst(f, e));
      QObject::connect(e, &QLineEdit::textEdited, [&c](const QString& t) {
        c.store_silently("Text", t.toStdString());
        raise(c, Event::Change);
      });
      w = e;
      break;
    }
    case Kind::ComboBox: {
      auto* cb = new QComboBox(parent);
      cb->installEventFilter(new MenuShortcutsFirst(f, cb));
      cb->setEditable(true);  // a drop-down that also accepts typed text
      cb->setInsertPolicy(QComboBox::NoInsert);
      cb->lineEdit()->installEventFilter(new MenuShortcutsFirst(f, cb));
      QObject::connect(cb->lineEdit(), &QLineEdit::textEdited, [&c](const QString& t) {
        c.store_silently("Text", t.toStdString());
        c.store_silently("ListIndex", -1);
        raise(c, Event::Change);
      });
      QObject::connect(cb, qOverload<int>(&QComboBox::activated), [&c, cb](int i) {
        c.store_silently("ListIndex", i);
        c.store_silently("Text", cb->itemText(i).toStdString());
        raise(c, Event::Click);
      });
      w = cb;
      break;
    }
    case Kind::OptionButton: {
      auto* r = new QRadioButton(parent);
      r->setAutoExclusive(false);  // the layer keeps the group, so code may turn all of it off
      QObject::connect(r, &QRadioButton::clicked, [&c, r] {
        if (c.get("Value").to_bool()) {
          QSignalBlocker b(r);
          r->setChecked(true);
          raise(c, Event::Click);
        } else {
          c.set("Value", true);
        }
      });
      w = r;
      break;
    }
    case Kind::CheckBox: {
      auto* cb = new QCheckBox(parent);
      QObject::connect(cb, &QCheckBox::clicked, [&c] { c.set("Value", c.value() == 1 ? 0 : 1); });
      w = cb;
      break;
    }
    case Kind::Toolbar:
    case Kind::StatusBar:
    case Kind::ProgressBar:
    case Kind::ListView:
      w = create_comctl_widget(c, parent);
      break;
    case Kind::WebBrowser:
      w = create_browser_widget(parent);
      break;
    case Kind::Hosted:
      w = create_hosted(c, parent);
      break;
    case Kind::Timer:
      break;
    case Kind::Menu: {
      FormWindow* fw = f.form_window();
      bool has_children = false;
      for (auto& o : f.controls())
        if (o->kind() == Kind::Menu && o->container() == &c) has_children = true;
      const QString cap = QString::fromStdString(c.caption());
      Control* parent_menu = c.container();
      if (has_children) {
        QMenu* m = parent_menu && parent_menu->submenu_ ? parent_menu->submenu_->addMenu(cap)
                                                         : fw->menu_bar()->addMenu(cap);
        c.submenu_ = m;
        c.action_ = m->menuAction();
      } else if (c.caption() == "-") {
        c.action_ = parent_menu && parent_menu->submenu_ ? parent_menu->submenu_->addSeparator()
                                                         : fw->menu_bar()->addSeparator();
      } else {
        c.action_ = parent_menu && parent_menu->submenu_ ? parent_menu->submenu_->addAction(cap)
                                                         : fw->menu_bar()->addAction(cap);
      }
      QAction* act = c.action_;
      if (!has_children && c.caption() != "-") {
        QObject::connect(act, &QAction::triggered, [&c] {
          // Choosing an item never toggles its mark: only code sets Checked.
          apply(c, "Checked");
          // A disabled window takes no input, shortcuts included.
          if (!c.form().enabled() || !c.form().loaded()) return;
          raise(c, Event::Click);
        });
      }
      break;
    }
  }
  if (w) {
    c.widget_ = w;
    w->setObjectName(QString::fromStdString(c.name() + (c.index() >= 0 ? "(" + std::to_string(c.index()) + ")" : "")));
  }
  for (auto& [name, v] : c.props_) apply(c, name);
  if (c.kind() == Kind::ComboBox) apply(c, "List");
  if (w) w->setVisible(c.visible());
}

void Realizer::apply(Control& c, std::string_view prop) {
  auto is = [&](const char* n) { return prop.size() == strlen(n) && strncasecmp(prop.data(), n, prop.size()) == 0; };
  const bool live = !c.building_;
  Form& f = c.form();

  if (c.kind() == Kind::Form) {
    FormWindow* w = f.form_window();
    if (!w) return;
    if (is("Caption")) {
      w->setWindowTitle(QString::fromStdString(c.caption()));
    } else if (is("BorderStyle") || is("ControlBox")) {
      // BorderStyle 0: no border and no title bar; ControlBox false: no close box.
      Qt::WindowFlags hints;
      if (c.has("BorderStyle") && c.get("BorderStyle").to_int() == 0)
        hints = Qt::FramelessWindowHint;
      else if (c.has("ControlBox") && !c.get("ControlBox").to_bool())
        hints = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
      w->set_frame_hints(hints);
    } else if (is("Visible") || is("WindowState")) {
      if (!c.visible())
        w->hide();
      else
        w->show_in_state(int(c.get("WindowState").to_int()));
    } else if (is("Enabled")) {
      w->set_disabled(!c.enabled());
    } else if (is("MousePointer")) {
      switch (c.get("MousePointer").to_int()) {
        case 10: w->setCursor(Qt::UpArrowCursor); break;
        case 11: w->setCursor(Qt::WaitCursor); break;
        default: w->unsetCursor(); break;
      }
    } else if (is("BackColor")) {
      w->client()->update();
    } else if (is("Width") || is("Height")) {
      w->set_client_size(px(c.get("Width").to_double()), px(c.get("Height").to_double()));
    } else if (is("Left") || is("Top")) {
      w->set_position(QPoint(px(c.get("Left").to_double()), px(c.get("Top").to_double())));
    }
    return;
  }

  if (c.kind() == Kind::Timer) {
    if (is("Enabled") || is("Interval")) arm_timer(c, c.timer_id_, c.in_timer_);
    return;
  }

  if (c.kind() == Kind::Menu) {
    QAction* a = c.action_;
    if (!a) return;
    if (is("Caption")) {
      if (c.caption() != "-") a->setText(QString::fromStdString(c.caption()));
    } else if (is("Enabled")) {
      a->setEnabled(c.enabled());
    } else if (is("Visible")) {
      a->setVisible(c.visible());
    } else if (is("Checked")) {
      // Only an item whose mark is set shows one: an unchecked checkable
      // action would show an empty box.
      const bool on = c.get("Checked").to_bool();
      QSignalBlocker b(a);
      a->setCheckable(on);
      a->setChecked(on);
    } else if (is("Shortcut")) {
      a->setShortcut(QKeySequence::fromString(QString::fromStdString(c.get("Shortcut").to_string())));
    }
    return;
  }

  if (is_windowless(c.kind()) || c.kind() == Kind::ImageList) {
    QWidget* s = parent_surface(c);
    if (!s) return;
    // A new colour or text repaints only the control's own area; a control
    // that moves, grows or changes its picture repaints its container.
    const bool same_place = is_windowless(c.kind()) && !is("Left") && !is("Top") && !is("Width") &&
                            !is("Height") && !is("X1") && !is("Y1") && !is("X2") && !is("Y2") &&
                            !is("BorderWidth") && !is("Picture") && !is("Stretch");
    if (same_place) {
      s->update(Realizer::bounds(c));
    } else {
      c.bounds_known_ = false;
      s->update();
    }
    return;
  }

  QWidget* w = c.widget_;
  if (!w) return;

  if (is("Left") || is("Top") || is("Width") || is("Height")) {
    const int64_t align = c.get("Align").to_int();
    if ((c.kind() == Kind::Toolbar || c.kind() == Kind::StatusBar) && (align == 1 || align == 2)) {
      if (auto* s = dynamic_cast<Surface*>(parent_surface(c))) s->relayout();
    } else {
      w->setGeometry(box_px(c));
    }
    return;
  }
  if (is("Visible")) {
    if (live) w->setVisible(c.visible());
    return;
  }
  if (is("Enabled")) {
    w->setEnabled(c.enabled());
    if (c.kind() == Kind::Frame) w->update();
    return;
  }
  if (is("ToolTipText")) {
    w->setToolTip(QString::fromStdString(c.get("ToolTipText").to_string()));
    return;
  }
  if (is("FontName") || is("FontSize") || is("FontBold") || is("FontItalic") || is("FontUnderline")) {
    w->setFont(font_of(c));
    w->update();
    return;
  }

  switch (c.kind()) {
    case Kind::Frame:
    case Kind::PictureBox:
      w->update();
      break;
    case Kind::CommandButton: {
      auto* b = static_cast<QPushButton*>(w);
      if (is("Caption")) b->setText(QString::fromStdString(c.caption()));
      if (is("Picture") || is("Style")) {
        // A graphical button shows its picture beside (or instead of) its caption.
        const QImage img = c.get("Style").to_int() == 1 ? picture(c.get("Picture").to_string()) : QImage();
        b->setIcon(img.isNull() ? QIcon() : QIcon(QPixmap::fromImage(img)));
        if (!img.isNull()) b->setIconSize(img.size());
      }
      if (is("BackColor") || is("Style")) {
        if (c.get("Style").to_int() == 1) {
          set_palette_color(b, QPalette::Button, color_of(c, "BackColor"));
        } else {
          b->setPalette(QPalette());
        }
      }
      break;
    }
    case Kind::TextBox: {
      auto* e = static_cast<QLineEdit*>(w);
      if (is("Text")) {
        const QString t = QString::fromStdString(c.text());
        if (e->text() != t) {
          QSignalBlocker b(e);
          e->setText(t);
          if (live) raise(c, Event::Change);
        }
      } else if (is("BackColor")) {
        set_palette_color(e, QPalette::Base, color_of(c, "BackColor"));
      } else if (is("ForeColor")) {
        set_palette_color(e, QPalette::Text, color_of(c, "ForeColor"));
      } else if (is("Locked")) {
        e->setReadOnly(c.get("Locked").to_bool());
      } else if (is("Alignment")) {
        e->setAlignment(text_alignment(c) | Qt::AlignVCenter);
      } else if (is("MaxLength")) {
        const int n = int(c.get("MaxLength").to_int());
        e->setMaxLength(n > 0 ? n : 32767);
      }
      break;
    }
    case Kind::ComboBox: {
      auto* cb = static_cast<QComboBox*>(w);
      if (is("List")) {
        QSignalBlocker b(cb);
        const QString keep = cb->currentText();
        cb->clear();
        for (auto& s : c.items_) cb->addItem(QString::fromStdString(s));
        cb->setCurrentIndex(-1);
        cb->setEditText(QString::fromStdString(c.text()));
        (void)keep;
      } else if (is("Text")) {
        const QString t = QString::fromStdString(c.text());
        if (cb->currentText() != t) {
          QSignalBlocker b(cb);
          cb->setEditText(t);
          if (live) raise(c, Event::Change);
        }
      } else if (is("ListIndex")) {
        const int i = c.list_index();
        if (i >= 0 && i < int(c.items_.size())) {
          c.store_silently("Text", c.items_[size_t(i)]);
          QSignalBlocker b(cb);
          cb->setCurrentIndex(i);
          if (live) raise(c, Event::Click);
        } else {
          c.store_silently("ListIndex", -1);
          QSignalBlocker b(cb);
          cb->setCurrentIndex(-1);
          cb->setEditText(QString::fromStdString(c.text()));
        }
      } else if (is("BackColor")) {
        set_palette_color(cb, QPalette::Base, color_of(c, "BackColor"));
      } else if (is("ForeColor")) {
        set_palette_color(cb, QPalette::Text, color_of(c, "ForeColor"));
      }
      break;
    }
    case Kind::OptionButton: {
      auto* r = static_cast<QRadioButton*>(w);
      if (is("Caption")) {
        r->setText(QString::fromStdString(c.caption()));
      } else if (is("Value")) {
        const bool on = c.get("Value").to_bool();
        const bool was = r->isChecked();
        {
          QSignalBlocker b(r);
          r->setChecked(on);
        }
        if (on && live) {
          // One option of a container at a time.
          for (auto& o : f.controls()) {
            if (o.get() == &c || o->kind() != Kind::OptionButton || o->container() != c.container()) continue;
            if (o->get("Value").to_bool()) o->set("Value", false);
          }
          if (!was) raise(c, Event::Click);
        }
      } else if (is("BackColor") || is("ForeColor")) {
        r->setAutoFillBackground(true);
        set_palette_color(r, QPalette::Window, color_of(c, "BackColor"));
        set_palette_color(r, QPalette::WindowText, color_of(c, "ForeColor"));
      }
      break;
    }
    case Kind::CheckBox: {
      auto* cb = static_cast<QCheckBox*>(w);
      if (is("Caption")) {
        cb->setText(QString::fromStdString(c.caption()));
      } else if (is("Value")) {
        const int v = int(c.value());
        const Qt::CheckState s = v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
        const bool changed = cb->checkState() != s;
        {
          QSignalBlocker b(cb);
          cb->setTristate(v == 2);
          cb->setCheckState(s);
        }
        if (changed && live) raise(c, Event::Click);
      } else if (is("BackColor") || is("ForeColor")) {
        cb->setAutoFillBackground(true);
        set_palette_color(cb, QPalette::Window, color_of(c, "BackColor"));
        set_palette_color(cb, QPalette::WindowText, color_of(c, "ForeColor"));
      }
      break;
    }
    case Kind::Toolbar:
    case Kind::StatusBar:
    case Kind::ProgressBar:
    case Kind::ListView:
      apply_comctl(c, prop);
      break;
    default:
      break;
  }
}

QRect Realizer::bounds(const Control& c) {
  if (c.bounds_known_) return QRect(c.bounds_[0], c.bounds_[1], c.bounds_[2], c.bounds_[3]);
  QRect r;
  if (c.kind() == Kind::Line) {
    const int w = std::max(1, c.border_width());
    const QPoint a(px(c.get("X1").to_double()), px(c.get("Y1").to_double()));
    const QPoint b(px(c.get("X2").to_double()), px(c.get("Y2").to_double()));
    r = QRect(a, b).normalized().adjusted(-w, -w, w, w);
  } else {
    r = box_px(c);
    if (c.kind() == Kind::Image && !c.get("Stretch").to_bool()) {
      // An image that is not stretched shows at its own size.
      const QImage img = picture(c.get("Picture").to_string());
      r = r.united(QRect(r.topLeft(), img.size()));
    }
  }
  c.bounds_[0] = r.x();
  c.bounds_[1] = r.y();
  c.bounds_[2] = r.width();
  c.bounds_[3] = r.height();
  c.bounds_known_ = true;
  return r;
}

void Realizer::paint(QPainter& p, Control& c) {
  const QRect r = box_px(c);
  switch (c.kind()) {
    case Kind::Label: {
      p.setClipRect(r);
      if (c.get("BackStyle").to_int() != 0) p.fillRect(r, color_of(c, "BackColor"));
      if (c.get("BorderStyle").to_int() == 1) {
        p.setPen(Qt::black);
        p.drawRect(r.adjusted(0, 0, -1, -1));
      }
      p.setFont(font_of(c));
      p.setPen(c.enabled() ? color_of(c, "ForeColor") : QColor(128, 128, 128));
      const int inset = c.get("BorderStyle").to_int() == 1 ? 1 : 0;
      p.drawText(r.adjusted(inset, inset, -inset, -inset),
                 int(text_alignment(c)) | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic,
                 QString::fromStdString(c.caption()));
      break;
    }
    case Kind::Line: {
      const int style = int(c.get("BorderStyle").to_int());
      if (style == 0) break;
      const int w = std::max(1, c.border_width());
      QPen pen(color_of(c, "BorderColor"), w);
      pen.setCapStyle(w > 1 ? Qt::RoundCap : Qt::SquareCap);
      if (style == 2) pen.setStyle(Qt::DashLine);
      if (style == 3) pen.setStyle(Qt::DotLine);
      p.setPen(pen);
      p.drawLine(QPoint(px(c.get("X1").to_double()), px(c.get("Y1").to_double())),
                 QPoint(px(c.get("X2").to_double()), px(c.get("Y2").to_double())));
      break;
    }
    case Kind::Shape: {
      const int kind = int(c.get("Shape").to_int());
      QRect s = r;
      if (kind == 1 || kind == 3 || kind == 5) {  // square forms keep the smaller side, centred
        const int side = std::min(r.width(), r.height());
        s = QRect(r.x() + (r.width() - side) / 2, r.y() + (r.height() - side) / 2, side, side);
      }
      const int bw = std::max(1, c.border_width());
      QBrush brush = Qt::NoBrush;
      if (c.get("FillStyle").to_int() == 0)
        brush = color_of(c, "FillColor");
      else if (c.get("BackStyle").to_int() == 1)
        brush = color_of(c, "BackColor");
      if (c.get("BorderStyle").to_int() == 0) {
        p.setPen(Qt::NoPen);
      } else {
        QPen pen(color_of(c, "BorderColor"), bw);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
      }
      p.setBrush(brush);
      // The border lies inside the box.
      const QRectF inner = QRectF(s).adjusted(bw / 2.0, bw / 2.0, -bw / 2.0, -bw / 2.0);
      if (kind == 2 || kind == 3) {
        p.setRenderHint(QPainter::Antialiasing);
        p.drawEllipse(inner);
      } else if (kind == 4 || kind == 5) {
        p.setRenderHint(QPainter::Antialiasing);
        const double rad = std::min(s.width(), s.height()) / 8.0;
        p.drawRoundedRect(inner, rad, rad);
      } else {
        p.drawRect(inner);
      }
      break;
    }
    case Kind::Image: {
      const QImage img = picture(c.get("Picture").to_string());
      if (img.isNull()) break;
      if (c.get("Stretch").to_bool())
        p.drawImage(r, img);
      else
        p.drawImage(r.topLeft(), img);
      break;
    }
    default:
      break;
  }
}

}  // namespace plat
