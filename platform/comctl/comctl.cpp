#include "platform/comctl/comctl.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/comctl/comctl_widgets.h"
#include "platform/comctl/listview.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form.h"
#include "platform/forms/pictures.h"
#include "platform/forms/units.h"
#include "platform/gdi/colors.h"

namespace plat {

void set_panel_text(Control& bar, int panel, const std::string& text) { bar.set_item("Panels", panel, "Text", text); }

std::string panel_text(const Control& bar, int panel) { return bar.item("Panels", panel, "Text").to_string(); }

int toolbar_button(const Control& tb, std::string_view key) {
  const int n = int(tb.get("Buttons.Count").to_int());
  for (int i = 1; i <= n; ++i)
    if (tb.item("Buttons", i, "Key").to_string() == key) return i;
  return 0;
}

std::string toolbar_button_key(const Control& tb, int index) { return tb.item("Buttons", index, "Key").to_string(); }

bool toolbar_button_enabled(const Control& tb, int index) {
  const Value v = tb.item("Buttons", index, "Enabled");
  return v.empty() || v.to_bool();
}

void set_toolbar_button_enabled(Control& tb, int index, bool enabled) {
  tb.set_item("Buttons", index, "Enabled", enabled);
}

void press_toolbar_button(Control& tb, int index) {
  if (!tb.form().enabled() || !tb.enabled() || !toolbar_button_enabled(tb, index)) return;
  EventArgs a;
  a.index = index;
  a.key = toolbar_button_key(tb, index);
  tb.form().fire(tb, Event::ButtonClick, a);
}

namespace {

// The list of each list-view control, for as long as its widget lives.
std::map<const Control*, std::shared_ptr<comctl::ListView>>& lists() {
  static auto* m = new std::map<const Control*, std::shared_ptr<comctl::ListView>>();
  return *m;
}

std::shared_ptr<comctl::ListView> list_of(const Control& c) {
  auto it = lists().find(&c);
  return it == lists().end() ? nullptr : it->second;
}

// The number of columns or lines: as counted, or as the layout made them.
int list_count(const Control& lv, std::string_view count, int made) {
  return std::max(int(lv.get(count).to_int()), made);
}

}  // namespace

int add_list_column(Control& lv, const std::string& text, int width_twips) {
  const auto l = list_of(lv);
  const int n = list_count(lv, "ColumnHeaders.Count", l ? l->column_count() : 0) + 1;
  lv.set("ColumnHeaders.Count", n);
  lv.set_item("ColumnHeaders", n, "Text", text);
  lv.set_item("ColumnHeaders", n, "Width", width_twips);
  return n;
}

int add_list_item(Control& lv, const std::string& text) {
  const auto l = list_of(lv);
  const int n = list_count(lv, "ListItems.Count", l ? l->item_count() : 0) + 1;
  lv.set("ListItems.Count", n);
  lv.set_item("ListItems", n, "Text", text);
  return n;
}

void set_list_subitem(Control& lv, int item, int k, const std::string& text) {
  lv.set_item("ListItems", item, "SubItems(" + std::to_string(k) + ")", text);
}

std::shared_ptr<com::Dispatch> list_view_object(Control& lv) { return list_of(lv); }

win::HWND list_view_hwnd(Control& lv) {
  const auto l = list_of(lv);
  return l ? l->hwnd() : 0;
}

namespace {

// "Panels(3).Text" -> collection "Panels", index 3, member "Text".
bool parse_item(std::string_view prop, std::string_view& coll, int& index, std::string_view& member) {
  const size_t open = prop.find('('), close = prop.find(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) return false;
  coll = prop.substr(0, open);
  index = std::atoi(std::string(prop.substr(open + 1, close - open - 1)).c_str());
  member = close + 2 <= prop.size() ? prop.substr(close + 2) : std::string_view();
  return true;
}

class StatusBarWidget : public QWidget {
 public:
  explicit StatusBarWidget(QWidget* parent) : QWidget(parent) {
    // It hides what lies under it (the grids of a window made smaller than
    // its design): it fills its rectangle, and its panels stand on that.
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, to_qcolor(kSystemColorFlag | COLOR_BTNFACE));
    setPalette(p);
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(2, 2, 2, 2);
    l->setSpacing(2);
  }
  QLabel* panel(int n) {
    while (int(labels_.size()) < n) {
      auto* lab = new QLabel(this);
      lab->setFrameStyle(QFrame::Panel | QFrame::Sunken);
      lab->setFont(make_font(kDesignFontName, kDesignFontSize));
      lab->setIndent(2);
      // A status bar is read most while its window waits disabled for a
      // dialog: its text keeps its colour.
      QPalette p = lab->palette();
      for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::Window, QPalette::Light,
                                    QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow})
        p.setColor(QPalette::Disabled, r, p.color(QPalette::Active, r));
      lab->setPalette(p);
      static_cast<QHBoxLayout*>(layout())->addWidget(lab);
      labels_.push_back(lab);
    }
    return labels_[size_t(n - 1)];
  }
  void widths(const Control& c) {
    auto* l = static_cast<QHBoxLayout*>(layout());
    for (size_t i = 0; i < labels_.size(); ++i) {
      const int w = int(c.item("Panels", int(i) + 1, "Width").to_int());
      const bool last = i + 1 == labels_.size();
      if (w > 0 && !last) labels_[i]->setFixedWidth(px(w));
      l->setStretch(int(i), last ? 1 : 0);
    }
  }

 private:
  std::vector<QLabel*> labels_;
};

class ToolbarWidget : public QWidget {
 public:
  ToolbarWidget(Control& c, QWidget* parent) : QWidget(parent), c_(c) {
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(2, 2, 2, 2);
    l->setSpacing(1);
    l->addStretch(1);
  }
  QToolButton* button(int n) {
    while (int(buttons_.size()) < n) {
      auto* b = new QToolButton(this);
      b->setAutoRaise(true);
      b->setFocusPolicy(Qt::NoFocus);
      const int index = int(buttons_.size()) + 1;
      QObject::connect(b, &QToolButton::clicked, [this, index] { press_toolbar_button(c_, index); });
      auto* l = static_cast<QHBoxLayout*>(layout());
      l->insertWidget(l->count() - 1, b);
      buttons_.push_back(b);
    }
    return buttons_[size_t(n - 1)];
  }
  void picture(int n) {
    QToolButton* b = button(n);
    const int img = int(c_.item("Buttons", n, "Image").to_int());
    const std::string list = c_.get("ImageList").to_string();
    if (img <= 0 || list.empty()) return;
    Control* il = c_.form().find(list);
    if (!il) return;
    const QImage pic = plat::picture(il->item("ListImages", img, "Picture").to_string());
    if (pic.isNull()) return;
    b->setIcon(QIcon(QPixmap::fromImage(pic)));
    b->setIconSize(pic.size());
  }

 private:
  Control& c_;
  std::vector<QToolButton*> buttons_;
};

}  // namespace

QWidget* create_comctl_widget(Control& c, QWidget* parent) {
  switch (c.kind()) {
    case Kind::StatusBar: {
      auto* w = new StatusBarWidget(parent);
      const int n = int(c.get("Panels.Count").to_int());
      if (n > 0) w->panel(n);
      return w;
    }
    case Kind::Toolbar: {
      auto* w = new ToolbarWidget(c, parent);
      const int n = int(c.get("Buttons.Count").to_int());
      if (n > 0) w->button(n);
      return w;
    }
    case Kind::ProgressBar: {
      auto* w = new QProgressBar(parent);
      w->setRange(0, 10000);
      w->setTextVisible(false);
      return w;
    }
    case Kind::ListView: {
      // Its control identifier: its place among the window's controls.
      const auto& all = c.form().controls();
      const auto at = std::find_if(all.begin(), all.end(), [&c](const auto& o) { return o.get() == &c; });
      auto lv = std::make_shared<comctl::ListView>(c.form().hWnd(), int32_t(at - all.begin()) + 1, parent);
      QTreeWidget* w = lv->widget();
      lists()[&c] = lv;
      QObject::connect(w, &QObject::destroyed, [key = &c] {
        auto it = lists().find(key);
        if (it == lists().end()) return;
        const std::shared_ptr<comctl::ListView> gone = std::move(it->second);
        lists().erase(it);
        gone->detach_widget();
      });
      return w;
    }
    default:
      return nullptr;
  }
}

void apply_comctl(Control& c, std::string_view prop) {
  QWidget* w = c.widget();
  if (!w) return;
  std::string_view coll, member;
  int index = 0;
  const bool item = parse_item(prop, coll, index, member);
  switch (c.kind()) {
    case Kind::StatusBar: {
      auto* sb = static_cast<StatusBarWidget*>(w);
      if (item && index >= 1 && coll == "Panels") {
        QLabel* l = sb->panel(index);
        if (member == "Text") l->setText(QString::fromStdString(c.item("Panels", index, "Text").to_string()));
        if (member == "Width") sb->widths(c);
      }
      break;
    }
    case Kind::Toolbar: {
      auto* tb = static_cast<ToolbarWidget*>(w);
      if (item && index >= 1 && coll == "Buttons") {
        QToolButton* b = tb->button(index);
        if (member == "ToolTipText")
          b->setToolTip(QString::fromStdString(c.item("Buttons", index, "ToolTipText").to_string()));
        if (member == "Enabled") b->setEnabled(toolbar_button_enabled(c, index));
        if (member == "Image") tb->picture(index);
        if (member == "Caption") b->setText(QString::fromStdString(c.item("Buttons", index, "Caption").to_string()));
        if (member == "Style" && c.item("Buttons", index, "Style").to_int() == 3) {
          b->setEnabled(false);
          b->setFixedWidth(8);
        }
      }
      break;
    }
    case Kind::ListView: {
      const auto lv = list_of(c);
      QTreeWidget* tree = lv ? lv->widget() : nullptr;
      if (!tree) break;
      // Columns and lines up to the one named exist before it is written.
      auto columns = [&](int n) {
        while (lv->column_count() < n) lv->add_column("", 100);
      };
      auto lines = [&](int n) {
        if (n > 0) columns(1);
        while (lv->item_count() < n) lv->add_item("");
      };
      if (prop == "ColumnHeaders.Count") columns(int(c.get(prop).to_int()));
      if (prop == "ListItems.Count") lines(int(c.get(prop).to_int()));
      if (!item || index < 1) break;
      const std::string value = c.get(prop).to_string();
      if (coll == "ColumnHeaders") {
        columns(index);
        if (member == "Text") tree->headerItem()->setText(index - 1, QString::fromStdString(value));
        if (member == "Width") tree->setColumnWidth(index - 1, px(c.get(prop).to_double()));
      } else if (coll == "ListItems") {
        lines(index);
        int k = 0;
        if (member == "Text" || std::sscanf(std::string(member).c_str(), "SubItems(%d)", &k) == 1) {
          columns(k + 1);
          lv->set_text(index - 1, k, value);
        }
      }
      break;
    }
    case Kind::ProgressBar: {
      auto* pb = static_cast<QProgressBar*>(w);
      if (prop == "Value" || prop == "Min" || prop == "Max") {
        const double lo = c.get("Min").to_double(), hi = c.get("Max").to_double();
        const double v = std::clamp(c.get("Value").to_double(), std::min(lo, hi), std::max(lo, hi));
        pb->setValue(hi > lo ? int((v - lo) / (hi - lo) * 10000.0 + 0.5) : 0);
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace plat
