// Command buttons, option buttons and check boxes.
#include <QCheckBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/kinds.h"
#include "platform/forms/pictures.h"

namespace plat {

namespace {

// Enter and the arrows without Ctrl, Alt or Shift (keypad keys included).
bool plain(const QKeyEvent* e) { return !(e->modifiers() & ~Qt::KeypadModifier); }

// The focused command button takes Enter (Return or the keypad's Enter) as
// it takes Space, in every window: Qt gives Enter to a button only inside a
// dialog of its own. A held key presses it once.
class CommandButtonWidget final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && plain(e)) {
      e->accept();
      if (!e->isAutoRepeat()) click();
      return;
    }
    QPushButton::keyPressEvent(e);
  }
};

// The option buttons of one container form a group, in layout order: one Tab
// stop, at the selected button, and an arrow moves to the next button of the
// group (round, past disabled and hidden ones) and selects it.
std::vector<Control*> option_group(const Control& c) {
  std::vector<Control*> r;
  for (auto& o : c.form().controls())
    if (o->kind() == Kind::OptionButton && o->container() == c.container() && o->widget()) r.push_back(o.get());
  return r;
}

bool takes_focus(const Control& o) { return o.enabled() && o.visible(); }

class OptionButtonWidget final : public QRadioButton {
 public:
  OptionButtonWidget(Control& c, QWidget* parent) : QRadioButton(parent), c_(c) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    const int step = e->key() == Qt::Key_Down || e->key() == Qt::Key_Right ? 1
                     : e->key() == Qt::Key_Up || e->key() == Qt::Key_Left ? -1
                                                                           : 0;
    if (step == 0 || !plain(e)) {
      QRadioButton::keyPressEvent(e);
      return;
    }
    e->accept();
    const std::vector<Control*> group = option_group(c_);
    const auto at = std::find(group.begin(), group.end(), &c_);
    if (at == group.end()) return;
    const int n = int(group.size()), from = int(at - group.begin());
    for (int k = 1; k < n; ++k) {
      Control* next = group[size_t(((from + step * k) % n + n) % n)];
      if (!takes_focus(*next)) continue;
      next->widget()->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
      static_cast<QRadioButton*>(next->widget())->click();  // as a mouse click: selects it, raises Click
      return;
    }
  }

 private:
  Control& c_;
};

}  // namespace

void Kinds::settle_option_group(const Control& c) {
  const std::vector<Control*> group = option_group(c);
  Control* stop = nullptr;
  for (Control* o : group)
    if (takes_focus(*o) && (!stop || (o->get("Value").to_bool() && !stop->get("Value").to_bool()))) stop = o;
  for (Control* o : group) o->widget()->setFocusPolicy(o == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

// ---------------------------------------------------------------- CommandButton

QWidget* Kinds::create_command_button(Control& c, QWidget* parent) {
  auto* b = new CommandButtonWidget(parent);
  b->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(b, &QPushButton::clicked, [&c] { raise_event(c, Event::Click); });
  return b;
}

void Kinds::apply_command_button(Control& c, std::string_view prop) {
  auto* b = static_cast<QPushButton*>(c.widget());
  auto is = [&](const char* n) { return is_prop(prop, n); };
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
}

// ---------------------------------------------------------------- OptionButton

QWidget* Kinds::create_option_button(Control& c, QWidget* parent) {
  auto* r = new OptionButtonWidget(c, parent);
  r->setAutoExclusive(false);  // the layer keeps the group, so code may turn all of it off
  QObject::connect(r, &QRadioButton::clicked, [&c, r] {
    // Qt has already toggled the button: the layer's Value decides.
    {
      QSignalBlocker b(r);
      r->setChecked(c.get("Value").to_bool());
    }
    if (c.get("Value").to_bool())
      raise_event(c, Event::Click);
    else
      c.set("Value", true);  // selects it and raises Click
  });
  return r;
}

void Kinds::apply_option_button(Control& c, std::string_view prop) {
  auto* r = static_cast<QRadioButton*>(c.widget());
  if (is_prop(prop, "Caption")) {
    r->setText(QString::fromStdString(c.caption()));
  } else if (is_prop(prop, "Value")) {
    const bool on = c.get("Value").to_bool();
    const bool was = r->isChecked();
    {
      QSignalBlocker b(r);
      r->setChecked(on);
    }
    if (on && live(c)) {
      // One option of a container at a time.
      for (auto& o : c.form().controls()) {
        if (o.get() == &c || o->kind() != Kind::OptionButton || o->container() != c.container()) continue;
        if (o->get("Value").to_bool()) o->set("Value", false);
      }
      if (!was) raise_event(c, Event::Click);
    }
    settle_option_group(c);
  } else if (is_prop(prop, "BackColor") || is_prop(prop, "ForeColor")) {
    r->setAutoFillBackground(true);
    set_palette_color(r, QPalette::Window, color_of(c, "BackColor"));
    set_palette_color(r, QPalette::WindowText, color_of(c, "ForeColor"));
  }
}

// ---------------------------------------------------------------- CheckBox

namespace {
// Value 0 clear, 1 ticked, 2 grey.
Qt::CheckState check_state(const Control& c) {
  const int64_t v = c.value();
  return v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
}
}  // namespace

QWidget* Kinds::create_check_box(Control& c, QWidget* parent) {
  auto* cb = new QCheckBox(parent);
  QObject::connect(cb, &QCheckBox::clicked, [&c, cb] {
    // Qt has already turned the box: the layer's Value turns it, and raises Click.
    {
      QSignalBlocker b(cb);
      cb->setCheckState(check_state(c));
    }
    c.set("Value", c.value() == 1 ? 0 : 1);
  });
  return cb;
}

void Kinds::apply_check_box(Control& c, std::string_view prop) {
  auto* cb = static_cast<QCheckBox*>(c.widget());
  if (is_prop(prop, "Caption")) {
    cb->setText(QString::fromStdString(c.caption()));
  } else if (is_prop(prop, "Value")) {
    const int v = int(c.value());
    const Qt::CheckState s = check_state(c);
    const bool changed = cb->checkState() != s;
    {
      QSignalBlocker b(cb);
      cb->setTristate(v == 2);
      cb->setCheckState(s);
    }
    if (changed && live(c)) raise_event(c, Event::Click);
  } else if (is_prop(prop, "BackColor") || is_prop(prop, "ForeColor")) {
    cb->setAutoFillBackground(true);
    set_palette_color(cb, QPalette::Window, color_of(c, "BackColor"));
    set_palette_color(cb, QPalette::WindowText, color_of(c, "ForeColor"));
  }
}

}  // namespace plat
