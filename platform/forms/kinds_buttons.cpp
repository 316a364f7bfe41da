// Command buttons, option buttons and check boxes.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "platform/forms/form.h"
#include "platform/forms/kinds.h"
#include "platform/forms/pictures.h"

namespace plat {

// ---------------------------------------------------------------- CommandButton

QWidget* Kinds::create_command_button(Control& c, QWidget* parent) {
  auto* b = new QPushButton(parent);
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
  auto* r = new QRadioButton(parent);
  r->setAutoExclusive(false);  // the layer keeps the group, so code may turn all of it off
  QObject::connect(r, &QRadioButton::clicked, [&c, r] {
    if (c.get("Value").to_bool()) {
      QSignalBlocker b(r);
      r->setChecked(true);
      raise_event(c, Event::Click);
    } else {
      c.set("Value", true);
    }
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
  } else if (is_prop(prop, "BackColor") || is_prop(prop, "ForeColor")) {
    r->setAutoFillBackground(true);
    set_palette_color(r, QPalette::Window, color_of(c, "BackColor"));
    set_palette_color(r, QPalette::WindowText, color_of(c, "ForeColor"));
  }
}

// ---------------------------------------------------------------- CheckBox

QWidget* Kinds::create_check_box(Control& c, QWidget* parent) {
  auto* cb = new QCheckBox(parent);
  QObject::connect(cb, &QCheckBox::clicked, [&c] { c.set("Value", c.value() == 1 ? 0 : 1); });
  return cb;
}

void Kinds::apply_check_box(Control& c, std::string_view prop) {
  auto* cb = static_cast<QCheckBox*>(c.widget());
  if (is_prop(prop, "Caption")) {
    cb->setText(QString::fromStdString(c.caption()));
  } else if (is_prop(prop, "Value")) {
    const int v = int(c.value());
    const Qt::CheckState s = v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
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
