#pragma once
// Controls of a window: each has a name, an optional control-array index, a
// kind and a store of properties that read back exactly as written.
// Positions and sizes are twips (15 to a pixel) relative to the container;
// colours are packed blue-green-red values (see platform/gdi/colors.h).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms/value.h"

class QWidget;
class QAction;
class QMenu;

namespace plat {

class Form;
struct HostedState;

enum class Kind {
  Form,  // the window itself (first row of a layout)
  // windowless: painted by their container, below every windowed control
  Label, Line, Shape, Image,
  // windowed
  PictureBox, CommandButton, TextBox, ComboBox, OptionButton, CheckBox, Frame,
  Toolbar, StatusBar, ProgressBar,
  ListView,    // lines in columns, shown as a report (platform/comctl/comctl.h)
  WebBrowser,  // an HTML page viewer (platform/browser/browser.h)
  Hosted,  // a component created by its class name (property "ClassName")
  // neither drawn nor windowed
  Timer, Menu, ImageList,
};

bool is_windowless(Kind k);
bool is_container(Kind k);
const char* kind_name(Kind k);

struct Box {
  int left = 0, top = 0, width = 0, height = 0;  // for a Line: X1, Y1, X2, Y2
};

struct Prop {
  std::string name;
  Value value;
};

// One row of a window's design-time layout. `container` names the frame or
// picture box that holds the control ("" = the window itself; for a menu item
// its parent menu). Rows are in z-order, back to front.
struct ControlDef {
  std::string name;
  int index = -1;  // -1: not a control array
  Kind kind = Kind::Label;
  std::string container;
  int container_index = -1;
  Box box;
  std::string caption;
  std::vector<Prop> props;
};

enum class Event {
  Click, DblClick, MouseDown, MouseMove, MouseUp, Change, KeyDown, KeyPress, KeyUp,
  GotFocus, LostFocus, Timer, ButtonClick,
  Resize,  // of a window: its client area changed size ("ScaleWidth", "ScaleHeight", twips)
};

struct EventArgs {
  class Control* source = nullptr;
  int index = -1;        // control-array index (or toolbar button index)
  int button = 0;        // mouse button: 1 left, 2 right, 4 middle
  int shift = 0;         // 1 shift, 2 ctrl, 4 alt
  double x = 0, y = 0;   // twips, relative to the control
  int key_code = 0;      // KeyDown/KeyUp
  int key_ascii = 0;     // KeyPress (a handler may set it to 0 to drop the key)
  std::string key;       // toolbar button key
  int16_t cancel = 0;
};

class Control {
 public:
  struct CiLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };

  Control(Form& form, const ControlDef& def, Control* container);
  ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }
  int index() const { return index_; }
  Kind kind() const { return kind_; }
  Form& form() const { return form_; }
  Control* container() const { return container_; }

  // Generic property access; every write shows at once and, when the
  // property log is on, is recorded.
  void set(std::string_view prop, Value v);
  Value get(std::string_view prop) const;
  bool has(std::string_view prop) const;

  // Sub-object properties, e.g. a status bar's panel: "Panels(2).Text".
  void set_item(std::string_view collection, int i, std::string_view prop, Value v);
  Value item(std::string_view collection, int i, std::string_view prop) const;

  // Typed shorthands of the common properties.
  std::string caption() const { return get("Caption").to_string(); }
  void set_caption(std::string s) { set("Caption", std::move(s)); }
  std::string text() const { return get("Text").to_string(); }
  void set_text(std::string s) { set("Text", std::move(s)); }
  bool visible() const { return get("Visible").to_bool(); }
  void set_visible(bool b) { set("Visible", b); }
  bool enabled() const { return get("Enabled").to_bool(); }
  void set_enabled(bool b) { set("Enabled", b); }
  uint32_t back_color() const { return uint32_t(get("BackColor").to_int()); }
  void set_back_color(uint32_t c) { set("BackColor", int64_t(c)); }
  uint32_t fore_color() const { return uint32_t(get("ForeColor").to_int()); }
  void set_fore_color(uint32_t c) { set("ForeColor", int64_t(c)); }
  uint32_t border_color() const { return uint32_t(get("BorderColor").to_int()); }
  void set_border_color(uint32_t c) { set("BorderColor", int64_t(c)); }
  int border_width() const { return int(get("BorderWidth").to_int()); }
  void set_border_width(int w) { set("BorderWidth", w); }
  int64_t value() const { return get("Value").to_int(); }
  void set_value(Value v) { set("Value", std::move(v)); }
  // The box its layout row gives it (twips), whatever the program did since.
  const Box& design_box() const { return design_; }
  int left() const { return int(get("Left").to_int()); }
  int top() const { return int(get("Top").to_int()); }
  int width() const { return int(get("Width").to_int()); }
  int height() const { return int(get("Height").to_int()); }
  void move(int left, int top);
  void set_font_bold(bool b) { set("FontBold", b); }
  bool font_bold() const { return get("FontBold").to_bool(); }

  // List of a combo box.
  void add_item(std::string s);
  void clear_items();
  const std::vector<std::string>& items() const { return items_; }
  int list_index() const;

  // The Qt side (set up by the window): a windowed control's widget, a menu
  // item's action, the paint area of a container.
  QWidget* widget() const { return widget_; }
  QAction* action() const { return action_; }
  QMenu* submenu() const { return submenu_; }
  QWidget* surface() const;  // the widget that paints this control (windowless) or holds children

 private:
  friend class Form;
  friend struct Realizer;
  friend struct Kinds;
  friend struct HostedAccess;
  friend class FormWindow;
  void apply(std::string_view prop);  // pushes one property to the Qt side
  void store_silently(std::string_view prop, Value v);  // from user input: stored, not logged

  Form& form_;
  std::string name_;
  int index_;
  Kind kind_;
  Control* container_;
  Box design_;
  std::map<std::string, Value, CiLess> props_;
  std::vector<std::string> items_;
  QWidget* widget_ = nullptr;
  QAction* action_ = nullptr;
  QMenu* submenu_ = nullptr;
  std::unique_ptr<HostedState> hosted_;  // Kind::Hosted only
  int timer_id_ = 0;
  bool in_timer_ = false;
  bool building_ = true;
  // What a windowless control's painting may touch (pixels), kept until its
  // place or size changes.
  mutable bool bounds_known_ = false;
  mutable int bounds_[4] = {0, 0, 0, 0};
};

}  // namespace plat
