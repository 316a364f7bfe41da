// Text boxes and drop-down combo boxes.
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyleOptionFrame>

#include "platform/forms/kinds.h"

namespace plat {

// ---------------------------------------------------------------- TextBox

namespace {
// A locked text box (one the user cannot type into) draws no focus frame:
// in the program's pictures a framed box marks something, such as the
// current state.
class TextBoxWidget : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void initStyleOption(QStyleOptionFrame* option) const override {
    QLineEdit::initStyleOption(option);
    if (isReadOnly()) option->state &= ~QStyle::State_HasFocus;
  }
};
}  // namespace

QWidget* Kinds::create_text_box(Control& c, QWidget* parent) {
  auto* e = new TextBoxWidget(parent);
  e->setFrame(true);
  menu_shortcuts_first(c.form(), e);
  QObject::connect(e, &QLineEdit::textEdited, [&c](const QString& t) {
    store(c, "Text", t.toStdString());
    raise_event(c, Event::Change);
  });
  return e;
}

void Kinds::apply_text_box(Control& c, std::string_view prop) {
  auto* e = static_cast<QLineEdit*>(c.widget());
  if (is_prop(prop, "Text")) {
    const QString t = QString::fromStdString(c.text());
    if (e->text() != t) {
      QSignalBlocker b(e);
      e->setText(t);
      if (live(c)) raise_event(c, Event::Change);
    }
  } else if (is_prop(prop, "BackColor")) {
    set_palette_color(e, QPalette::Base, color_of(c, "BackColor"));
  } else if (is_prop(prop, "ForeColor")) {
    set_palette_color(e, QPalette::Text, color_of(c, "ForeColor"));
  } else if (is_prop(prop, "Locked")) {
    e->setReadOnly(c.get("Locked").to_bool());
  } else if (is_prop(prop, "Alignment")) {
    e->setAlignment(text_alignment(c) | Qt::AlignVCenter);
  } else if (is_prop(prop, "MaxLength")) {
    const int n = int(c.get("MaxLength").to_int());
    e->setMaxLength(n > 0 ? n : 32767);
  }
}

// ---------------------------------------------------------------- ComboBox

QWidget* Kinds::create_combo_box(Control& c, QWidget* parent) {
  auto* cb = new QComboBox(parent);
  menu_shortcuts_first(c.form(), cb);
  cb->setEditable(true);  // a drop-down that also accepts typed text
  cb->setInsertPolicy(QComboBox::NoInsert);
  // It completes nothing: the box shows what the student typed, which is
  // what its Text holds, and a focus that leaves it picks no entry.
  cb->setCompleter(nullptr);
  menu_shortcuts_first(c.form(), cb->lineEdit());
  QObject::connect(cb->lineEdit(), &QLineEdit::textEdited, [&c](const QString& t) {
    store(c, "Text", t.toStdString());
    store(c, "ListIndex", -1);
    raise_event(c, Event::Change);
  });
  QObject::connect(cb, qOverload<int>(&QComboBox::activated), [&c, cb](int i) {
    store(c, "ListIndex", i);
    store(c, "Text", cb->itemText(i).toStdString());
    raise_event(c, Event::Click);
  });
  return cb;
}

void Kinds::apply_combo_box(Control& c, std::string_view prop) {
  auto* cb = static_cast<QComboBox*>(c.widget());
  if (is_prop(prop, "List")) {
    QSignalBlocker b(cb);
    cb->clear();
    for (auto& s : c.items()) cb->addItem(QString::fromStdString(s));
    cb->setCurrentIndex(-1);
    cb->setEditText(QString::fromStdString(c.text()));
  } else if (is_prop(prop, "Text")) {
    const QString t = QString::fromStdString(c.text());
    if (cb->currentText() != t) {
      QSignalBlocker b(cb);
      cb->setEditText(t);
      if (live(c)) raise_event(c, Event::Change);
    }
  } else if (is_prop(prop, "ListIndex")) {
    const int i = c.list_index();
    if (i >= 0 && i < int(c.items().size())) {
      store(c, "Text", c.items()[size_t(i)]);
      QSignalBlocker b(cb);
      cb->setCurrentIndex(i);
      if (live(c)) raise_event(c, Event::Click);
    } else {
      store(c, "ListIndex", -1);
      QSignalBlocker b(cb);
      cb->setCurrentIndex(-1);
      cb->setEditText(QString::fromStdString(c.text()));
    }
  } else if (is_prop(prop, "BackColor")) {
    set_palette_color(cb, QPalette::Base, color_of(c, "BackColor"));
  } else if (is_prop(prop, "ForeColor")) {
    set_palette_color(cb, QPalette::Text, color_of(c, "ForeColor"));
  }
}

}  // namespace plat
