#pragma once
// Windows (forms). Each exists once, is created on first reference and is
// reached by its name; a reference to a window that is not loaded loads it
// hidden and runs its Form_Load synchronously. Unload runs Form_Unload and
// destroys the window (once no handler is running), so the next reference
// starts again from the design-time layout.
//
// A window is a subclass of Form with `static constexpr const char* kName`,
// its layout table (a vector of ControlDef, first row of kind Form) and its
// handlers, named control_event and bound in the constructor with on().
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/dispatch.h"
#include "platform/forms/control.h"
#include "platform/forms/subclass.h"

class QWidget;

namespace plat {

class FormWindow;

class Form {
 public:
  Form(std::string name, std::vector<ControlDef> layout);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }

  // The control `name` (element `index` of a control array). Throws
  // std::out_of_range for a control the layout does not have.
  Control& ctl(std::string_view name, int index = -1);
  Control* find(std::string_view name, int index = -1);
  // Indices of a control array, ascending (sparse arrays keep their gaps).
  std::vector<int> indices(std::string_view name) const;
  // Every control in z-order (back to front), menus and timers included.
  const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

  // The window's own properties (Caption, Enabled, WindowState, MousePointer,
  // Visible, BackColor, Left, Top, Width, Height) live on this control.
  Control& self() { return *self_; }

  void Show();
  void Hide();
  void SetFocus();
  // Gives the window itself the keyboard focus, no control of it: Return and
  // Space then press nothing until Tab or a click focuses a control. Also
  // before the window is shown: its first activation keeps it so.
  void focus_itself();
  // A control that holds the focus when it is disabled or hidden leaves it
  // waiting on the window, and gets it back when it is offered again
  // (platform/forms/widgets.h). This hands a focus that `from` left waiting
  // to `to` instead, which takes it once it is enabled and shown.
  void pass_waiting_focus(const Control& from, const Control& to);
  bool visible() const;
  std::string caption() const { return self_->caption(); }
  void set_caption(std::string s) { self_->set_caption(std::move(s)); }
  bool enabled() const { return self_->enabled(); }
  void set_enabled(bool b) { self_->set_enabled(b); }
  int window_state() const { return int(self_->get("WindowState").to_int()); }
  void set_window_state(int s) { self_->set("WindowState", s); }
  int mouse_pointer() const { return int(self_->get("MousePointer").to_int()); }
  void set_mouse_pointer(int p) { self_->set("MousePointer", p); }

  // Binds a handler to an event of a control (all elements of an array).
  // The window's own events use the window's name or "Form".
  using Handler = std::function<void(EventArgs&)>;
  void on(std::string_view control, Event ev, Handler h);
  bool has_handler(std::string_view control, Event ev) const;
  // Raises an event as the user would: runs the bound handler, if any.
  void fire(Control& c, Event ev, EventArgs& args);
  void fire(Control& c, Event ev);
  // Binds a handler to an event of a hosted component, by the event's
  // dispatch identifier; `index` is the control-array index of the sender.
  using ObjectHandler = std::function<void(int index, std::span<com::Variant> args)>;
  void on_object_event(std::string_view control, com::DispId event, ObjectHandler h);
  void fire_object_event(Control& c, com::DispId event, std::span<com::Variant> args);
  // Clicks a control as the user would (enabled and visible controls only).
  void click(std::string_view control, int index = -1);

  // The window's handle in the message layer (platform/forms/subclass.h),
  // from load to unload: the parent of its list views, which send it their
  // notifications. 0 once the window is unloaded.
  win::HWND hWnd() const { return handle_ ? handle_->hwnd() : 0; }

  // The top-level Qt window (created at load).
  QWidget* window() const;
  FormWindow* form_window() const { return window_.get(); }
  bool loaded() const { return loaded_; }
  bool unloading() const { return unloading_; }

 protected:
  virtual void Form_Load() {}
  virtual void Form_Unload(int16_t& /*Cancel*/) {}

 private:
  friend Form& load_form(std::string_view, const std::function<std::unique_ptr<Form>()>&);
  friend bool unload_form(std::string_view);
  void build();
  void run_load();
  void teardown();

  std::string name_;
  std::vector<ControlDef> layout_;
  std::vector<std::unique_ptr<Control>> controls_;
  std::unique_ptr<Control> self_;
  std::map<std::pair<std::string, int>, Control*> by_name_;
  std::map<std::pair<std::string, int>, Handler> handlers_;
  std::map<std::pair<std::string, com::DispId>, ObjectHandler> object_handlers_;
  std::unique_ptr<FormWindow> window_;
  std::unique_ptr<win::Window> handle_;
  bool loaded_ = false;
  bool unloading_ = false;
};

// The window `name`, loading it when it is not loaded (using `make`).
Form& load_form(std::string_view name, const std::function<std::unique_ptr<Form>()>& make);
// The window `name` if it is loaded, else nullptr.
Form* loaded_form(std::string_view name);
// Runs Form_Unload and destroys the window; false when it was not loaded or
// its unload handler cancelled.
bool unload_form(std::string_view name);
// Names of the loaded windows, in load order.
std::vector<std::string> loaded_forms();
// The program's main window: a window that its layout does not place opens
// centred on it (on the screen while it is not shown).
void set_main_form(std::string_view name);
Form* main_form();
// Unloads every window (end of the program, end of a test).
void unload_all_forms();

// Typed reference: T has `static constexpr const char* kName` and a default constructor.
template <class T>
T& form() {
  return static_cast<T&>(load_form(T::kName, [] { return std::make_unique<T>(); }));
}
template <class T>
bool is_loaded() {
  return loaded_form(T::kName) != nullptr;
}

}  // namespace plat
