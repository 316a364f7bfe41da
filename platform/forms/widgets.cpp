#include "platform/forms/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <cstring>
#include <strings.h>

#include "platform/browser/browser_widget.h"
#include "platform/comctl/comctl_widgets.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form.h"
#include "platform/forms/hosted.h"
#include "platform/forms/kinds.h"
#include "platform/forms/pictures.h"
#include "platform/forms/services.h"
#include "platform/forms/units.h"
#include "platform/gdi/colors.h"

namespace plat {

bool is_prop(std::string_view prop, const char* n) {
  return prop.size() == strlen(n) && strncasecmp(prop.data(), n, prop.size()) == 0;
}

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

QWidget* parent_surface(Control& c) {
  if (c.container()) return c.container()->widget();
  return c.form().form_window()->client();
}

void set_palette_color(QWidget* w, QPalette::ColorRole role, const QColor& col) {
  QPalette p = w->palette();
  p.setColor(role, col);
  w->setPalette(p);
}

void raise_event(Control& c, Event ev) { c.form().fire(c, ev); }

namespace {

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

namespace {
bool is_aligned(const Control& c) {
  const int64_t align = c.get("Align").to_int();
  return (c.kind() == Kind::Toolbar || c.kind() == Kind::StatusBar) && (align == 1 || align == 2);
}
}  // namespace

// A bottom-aligned bar follows the surface's bottom edge, wherever the
// layout put it. A control stands over the bar when its layout row puts it
// into the bar's band at the design size and it is still there: it keeps its
// place on the bar. One that the program moves or sizes into the band (a
// browser stretched down to the bar) keeps the box it is given.
QRect Surface::box_of(const Control& c, bool* over_bar) const {
  const QRect r = box_px(c);
  if (over_bar) *over_bar = false;
  const int design_h = px((owner_ ? *owner_ : form_.self()).design_box().height);
  const Box& d = c.design_box();
  const QRect design(px(d.left), px(d.top), px(d.width), px(d.height));
  for (auto& b : form_.controls()) {
    if (b->container() != owner_ || !b->widget() || !is_aligned(*b) || b->get("Align").to_int() != 2) continue;
    const int band_top = design_h - px(b->get("Height").to_double());
    auto in_band = [&](const QRect& x) { return x.top() < design_h && x.top() + x.height() > band_top; };
    if (in_band(design) && in_band(r)) {
      if (over_bar) *over_bar = true;
      return r.translated(0, height() - design_h);
    }
  }
  return r;
}

void Surface::place(Control& c) {
  if (c.widget()) c.widget()->setGeometry(box_of(c));
}

void Surface::relayout() {
  for (auto& c : form_.controls()) {
    if (c->container() != owner_ || !c->widget() || c->widget() == this || !is_aligned(*c)) continue;
    const int h = px(c->get("Height").to_double());
    c->widget()->setGeometry(0, c->get("Align").to_int() == 1 ? 0 : height() - h, width(), h);
    c->widget()->raise();
  }
  // What stands over a bar comes with it and stays in front of it.
  for (auto& c : form_.controls()) {
    if (c->container() != owner_ || !c->widget() || is_windowless(c->kind()) || is_aligned(*c)) continue;
    bool over_bar = false;
    const QRect r = box_of(*c, &over_bar);
    if (!over_bar) continue;
    c->widget()->setGeometry(r);
    c->widget()->raise();
  }
}

// ---------------------------------------------------------------- FormWindow

namespace {

uint64_t g_sequence = 0;
// The window manager's frame around a window, as last seen on a shown window
// in the normal state; a window is placed before it is framed, so it goes by
// the last one seen.
QMargins g_frame(1, 24, 1, 1);

FormWindow* window_of(Form* f) { return f && f->loaded() ? f->form_window() : nullptr; }

bool program_active() { return QGuiApplication::applicationState() == Qt::ApplicationActive; }

void set_stays_on_top(QWidget* w, bool on) {
  Qt::WindowFlags flags = w->windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on);
  if (flags == w->windowFlags()) return;
  if (w->isVisible() && w->windowHandle()) {
    // In place: setting a shown window's flags anew would hide it.
    w->overrideWindowFlags(flags);
    w->windowHandle()->setFlags(flags);
  } else {
    w->setWindowFlags(flags);
  }
}

// The windows that stay above the program's others while it is in use.
std::vector<QPointer<QWidget>>& kept_above() {
  static auto* v = new std::vector<QPointer<QWidget>>();
  return *v;
}

}  // namespace

void stay_above_while_in_use(QWidget* w, bool keep) {
  auto& v = kept_above();
  std::erase_if(v, [w](const QPointer<QWidget>& p) { return !p || p == w; });
  if (keep) v.push_back(w);
  set_stays_on_top(w, keep && program_active());
  static const bool followed = [] {
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp, [](Qt::ApplicationState state) {
      for (const QPointer<QWidget>& p : kept_above())
        if (p && p->isVisible()) set_stays_on_top(p, state == Qt::ApplicationActive);
    });
    return true;
  }();
  (void)followed;
}

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
  Qt::WindowFlags flags = type | hints_;
  flags.setFlag(Qt::WindowStaysOnTopHint, dialog_ && program_active());
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
  // Qt takes the focus from the controls of a disabled window (from the
  // window itself it first hands it to a control); enabled again, the
  // window has the focus it had, not its first control's, which Space or
  // Return would press.
  if (disabled && isEnabled()) kept_focus_ = focusWidget();
  setEnabled(!disabled);
  if (disabled) return;
  QWidget* kept = kept_focus_;
  kept_focus_ = nullptr;
  if (kept && (!focusWidget() || focusWidget() == this)) {
    if (kept->isEnabled() && kept->isVisibleTo(this)) {
      kept->setFocus(Qt::OtherFocusReason);
    } else {
      // Disabled or hidden meanwhile: its focus waits on the window.
      parked_ = kept;
      setFocus(Qt::OtherFocusReason);
    }
  }
  // A control offered again while the window was disabled gets its focus now.
  if (parked_) focus_offered(parked_);
}

namespace {
bool holds(const QWidget* w, const QWidget* focus) { return focus && (focus == w || w->isAncestorOf(focus)); }
}  // namespace

void FormWindow::focus_leaving(QWidget* w) {
  QWidget* f = focusWidget();
  if (f == this || !holds(w, f)) return;
  parked_ = f;
  setFocus(Qt::OtherFocusReason);
}

void FormWindow::pass_waiting_focus(QWidget* from, QWidget* to) {
  if (focusWidget() != this || !holds(from, parked_)) return;
  parked_ = to;
  focus_offered(to);
}

void FormWindow::focus_offered(QWidget* w) {
  // A disabled window has no focus to judge by: it gives it when enabled.
  if (!parked_ || !isEnabled()) return;
  if (focusWidget() != this) {
    parked_ = nullptr;  // the user has put the focus elsewhere meanwhile
    return;
  }
  if (!holds(w, parked_) || !parked_->isEnabled() || !parked_->isVisibleTo(this)) return;
  QWidget* back = parked_;
  parked_ = nullptr;
  back->setFocus(Qt::OtherFocusReason);
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
  // The window manager keeps a dialog above the window it belongs to; the
  // question it asks stays in view above every other window of the program
  // too, which the user may go on using meanwhile.
  dialog_ = opener != nullptr;
  set_flags(opener ? Qt::Dialog : Qt::Window);
  stay_above_while_in_use(this, dialog_);
  create();
  windowHandle()->setTransientParent(opener ? opener->windowHandle() : nullptr);
  windowHandle()->installEventFilter(this);
}

QPoint placed_client(const QRect& avail, QPoint frame_top_left, QSize client, const QMargins& frame) {
  const QSize outer = client.grownBy(frame);
  QPoint at = frame_top_left;
  at.setX(std::max(avail.left(), std::min(at.x(), avail.right() + 1 - outer.width())));
  at.setY(std::max(avail.top(), std::min(at.y(), avail.bottom() + 1 - outer.height())));
  return at + QPoint(frame.left(), frame.top());
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
  QPoint at = position_;
  if (!positioned_) {
    FormWindow* main = window_of(main_form());
    const QRect around = main && main != this && main->isVisible() ? main->frameGeometry() : avail;
    const QSize frame = size().grownBy(m);
    at = around.center() - QPoint(frame.width() / 2, frame.height() / 2);
  }
  // The client's place, not the frame's: a window not framed yet has no
  // frame for Qt to count, and X would take a frame's top left for the
  // client's, one title bar too high.
  setGeometry(QRect(placed_client(avail, at, size(), m), size()));
  frame_at_ = at;
  frame_unseen_ = !frameless();
}

bool FormWindow::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::Expose && frame_unseen_ && o == windowHandle() && windowHandle()->isExposed()) framed();
  return QWidget::eventFilter(o, e);
}

// Shown for the first time, the window has its real frame: the windows
// placed next go by it, and this one, when the frame taken for it was not
// the real one, moves to where its frame was meant to stand.
void FormWindow::framed() {
  const QMargins m = windowHandle()->frameMargins();
  if (m.isNull()) return;  // not framed yet
  frame_unseen_ = false;
  if (!normal_since_shown_) return;  // a maximised window has a thinner frame
  g_frame = m;
  QScreen* scr = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!scr) return;
  const QPoint client = placed_client(scr->availableGeometry(), frame_at_, size(), m);
  if (client != geometry().topLeft()) setGeometry(QRect(client, size()));
}

void FormWindow::show_in_state(int state) {
  if (!isVisible()) {
    choose_owner();
    place();
    shown_seq_ = ++g_sequence;
    normal_since_shown_ = state == 0;
  }
  switch (state) {
    case 1: showMinimized(); break;
    case 2: showMaximized(); break;
    default: showNormal(); break;
  }
}

void FormWindow::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::WindowStateChange) {
    // WindowState tells the real state, whoever changed it; a change of
    // state is a resize for the window's code, as the platform reports it.
    const Qt::WindowStates ws = windowState();
    const int state = ws & Qt::WindowMinimized ? 1 : ws & (Qt::WindowMaximized | Qt::WindowFullScreen) ? 2 : 0;
    if (state != 0) normal_since_shown_ = false;
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
  QWidget* parent = c.kind() == Kind::Menu ? nullptr : parent_surface(c);
  QWidget* w = nullptr;
  switch (c.kind()) {
    case Kind::Form:
    case Kind::Label:
    case Kind::Line:
    case Kind::Shape:
    case Kind::Image:
    case Kind::ImageList:
    case Kind::Timer:
      break;
    case Kind::Frame:
    case Kind::PictureBox: w = new Surface(c.form(), &c, parent); break;
    case Kind::CommandButton: w = Kinds::create_command_button(c, parent); break;
    case Kind::TextBox: w = Kinds::create_text_box(c, parent); break;
    case Kind::ComboBox: w = Kinds::create_combo_box(c, parent); break;
    case Kind::OptionButton: w = Kinds::create_option_button(c, parent); break;
    case Kind::CheckBox: w = Kinds::create_check_box(c, parent); break;
    case Kind::Toolbar:
    case Kind::StatusBar:
    case Kind::ProgressBar:
    case Kind::ListView: w = create_comctl_widget(c, parent); break;
    case Kind::WebBrowser: w = create_browser_widget(parent); break;
    case Kind::Hosted: w = create_hosted(c, parent); break;
    case Kind::Menu: Kinds::create_menu(c); break;
  }
  if (w) {
    c.widget_ = w;
    w->setObjectName(QString::fromStdString(c.name() + (c.index() >= 0 ? "(" + std::to_string(c.index()) + ")" : "")));
  }
  for (auto& [name, v] : c.props_) apply(c, name);
  if (c.kind() == Kind::ComboBox) apply(c, "List");
  if (w) w->setVisible(c.visible());
}

namespace {

// The window's own properties.
void apply_form(Control& c, std::string_view prop) {
  FormWindow* w = c.form().form_window();
  if (!w) return;
  auto is = [&](const char* n) { return is_prop(prop, n); };
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
}

// What every windowed control shares: place, visibility, enabled state, tip,
// Tab stop and font. False when the property is none of those.
bool apply_widget_common(Control& c, QWidget* w, std::string_view prop, bool live) {
  auto is = [&](const char* n) { return is_prop(prop, n); };
  if (is("Left") || is("Top") || is("Width") || is("Height")) {
    auto* s = dynamic_cast<Surface*>(parent_surface(c));
    if (!s)
      w->setGeometry(box_px(c));
    else if (is_aligned(c))
      s->relayout();
    else
      s->place(c);
  } else if (is("Visible") || is("Enabled")) {
    const bool on = is("Visible") ? c.visible() : c.enabled();
    FormWindow* window = c.form().form_window();
    if (!on && window) window->focus_leaving(w);
    if (is("Enabled"))
      w->setEnabled(on);
    else if (live)
      w->setVisible(on);
    if (on && window) window->focus_offered(w);
    if (c.kind() == Kind::Frame) w->update();
  } else if (is("ToolTipText")) {
    w->setToolTip(QString::fromStdString(c.get("ToolTipText").to_string()));
  } else if (is("TabStop")) {
    // Tab and Shift+Tab pass a control whose TabStop is False; a click still
    // focuses it. (An option group keeps its own one stop.)
    const int policy = w->focusPolicy();
    if (policy != Qt::NoFocus)
      w->setFocusPolicy(Qt::FocusPolicy(c.get("TabStop").to_bool() ? policy | Qt::TabFocus : policy & ~Qt::TabFocus));
  } else if (is("FontName") || is("FontSize") || is("FontBold") || is("FontItalic") || is("FontUnderline")) {
    w->setFont(font_of(c));
    w->update();
  } else {
    return false;
  }
  return true;
}

}  // namespace

void Realizer::apply(Control& c, std::string_view prop) {
  switch (c.kind()) {
    case Kind::Form: apply_form(c, prop); return;
    case Kind::Timer: Kinds::apply_timer(c, prop); return;
    case Kind::Menu: Kinds::apply_menu(c, prop); return;
    case Kind::Label:
    case Kind::Line:
    case Kind::Shape:
    case Kind::Image:
    case Kind::ImageList: Kinds::apply_windowless(c, prop); return;
    default: break;
  }
  QWidget* w = c.widget_;
  if (!w) return;
  if (apply_widget_common(c, w, prop, !c.building_)) {
    if (c.kind() == Kind::OptionButton && (is_prop(prop, "Enabled") || is_prop(prop, "Visible")))
      Kinds::settle_option_group(c);
    return;
  }
  switch (c.kind()) {
    case Kind::Frame:
    case Kind::PictureBox: w->update(); break;
    case Kind::CommandButton: Kinds::apply_command_button(c, prop); break;
    case Kind::TextBox: Kinds::apply_text_box(c, prop); break;
    case Kind::ComboBox: Kinds::apply_combo_box(c, prop); break;
    case Kind::OptionButton: Kinds::apply_option_button(c, prop); break;
    case Kind::CheckBox: Kinds::apply_check_box(c, prop); break;
    case Kind::Toolbar:
    case Kind::StatusBar:
    case Kind::ProgressBar:
    case Kind::ListView: apply_comctl(c, prop); break;
    default: break;
  }
}

QRect Realizer::bounds(const Control& c) { return Kinds::bounds(c); }

void Realizer::paint(QPainter& p, Control& c) {
  switch (c.kind()) {
    case Kind::Label: Kinds::paint_label(p, c); break;
    case Kind::Line: Kinds::paint_line(p, c); break;
    case Kind::Shape: Kinds::paint_shape(p, c); break;
    case Kind::Image: Kinds::paint_image(p, c); break;
    default: break;
  }
}

}  // namespace plat
