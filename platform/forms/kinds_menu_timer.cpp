// Menus (items of the window's menu bar and their submenus) and timers.
#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>

#include "platform/forms/form.h"
#include "platform/forms/kinds.h"
#include "platform/forms/services.h"
#include "platform/forms/widgets.h"

namespace plat {

namespace {

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

}  // namespace

void menu_shortcuts_first(Form& f, QWidget* field) { field->installEventFilter(new MenuShortcutsFirst(f, field)); }

// ---------------------------------------------------------------- Menu

void Kinds::create_menu(Control& c) {
  Form& f = c.form();
  FormWindow* fw = f.form_window();
  bool has_children = false;
  for (auto& o : f.controls())
    if (o->kind() == Kind::Menu && o->container() == &c) has_children = true;
  const QString cap = QString::fromStdString(c.caption());
  Control* parent_menu = c.container();
  QMenu* into = parent_menu ? parent_menu->submenu_ : nullptr;
  if (has_children) {
    QMenu* m = into ? into->addMenu(cap) : fw->menu_bar()->addMenu(cap);
    c.submenu_ = m;
    c.action_ = m->menuAction();
  } else if (c.caption() == "-") {
    c.action_ = into ? into->addSeparator() : fw->menu_bar()->addSeparator();
  } else {
    c.action_ = into ? into->addAction(cap) : fw->menu_bar()->addAction(cap);
  }
  if (!has_children && c.caption() != "-") {
    QObject::connect(c.action_, &QAction::triggered, [&c] {
      // Choosing an item never toggles its mark: only code sets Checked.
      apply_menu(c, "Checked");
      // A disabled window takes no input, shortcuts included.
      if (!c.form().enabled() || !c.form().loaded()) return;
      raise_event(c, Event::Click);
    });
  }
}

void Kinds::apply_menu(Control& c, std::string_view prop) {
  QAction* a = c.action_;
  if (!a) return;
  if (is_prop(prop, "Caption")) {
    if (c.caption() != "-") a->setText(QString::fromStdString(c.caption()));
  } else if (is_prop(prop, "Enabled")) {
    a->setEnabled(c.enabled());
  } else if (is_prop(prop, "Visible")) {
    a->setVisible(c.visible());
  } else if (is_prop(prop, "Checked")) {
    // Only an item whose mark is set shows one: an unchecked checkable
    // action would show an empty box.
    const bool on = c.get("Checked").to_bool();
    QSignalBlocker b(a);
    a->setCheckable(on);
    a->setChecked(on);
  } else if (is_prop(prop, "Shortcut")) {
    a->setShortcut(QKeySequence::fromString(QString::fromStdString(c.get("Shortcut").to_string())));
  }
}

// ---------------------------------------------------------------- Timer

void Kinds::apply_timer(Control& c, std::string_view prop) {
  if (!is_prop(prop, "Enabled") && !is_prop(prop, "Interval")) return;
  if (c.timer_id_) {
    services().stop_timer(c.timer_id_);
    c.timer_id_ = 0;
  }
  const int interval = int(c.get("Interval").to_int());
  if (!c.enabled() || interval <= 0) return;
  Control* self = &c;
  bool* busy = &c.in_timer_;
  c.timer_id_ = services().start_timer(interval, [self, busy] {
    if (*busy || !self->form().loaded()) return;  // a tick never re-enters its own handler
    *busy = true;
    self->form().fire(*self, Event::Timer);
    *busy = false;
  });
}

}  // namespace plat
