#include "platform/forms/form.h"

#include <QWidget>
#include <algorithm>
#include <stdexcept>
#include <strings.h>

#include "platform/com/errors.h"
#include "platform/forms/services.h"
#include "platform/forms/widgets.h"

namespace plat {

namespace {
// Program code called by the platform (a handler, a window's load or
// unload). An error it leaves unhandled, such as a control that could not
// be created, ends the program with the platform's report; it never
// reaches the event loop.
template <class F>
void run_program_code(F&& code) {
  HandlerScope scope;
  try {
    code();
  } catch (const com::RuntimeError& e) {
    report_unhandled_error(e.number, e.description.empty() ? com::error_text(e.number) : e.description);
  } catch (const std::exception& e) {
    report_unhandled_error(com::kErrInternal, e.what());
  }
}
}  // namespace

namespace {

std::string lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = char(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

struct Registry {
  std::vector<std::pair<std::string, std::unique_ptr<Form>>> loaded;  // load order
  std::vector<std::unique_ptr<Form>> graveyard;  // unloaded, destroyed once no handler runs
};

Registry& registry() {
  static Registry* r = new Registry();  // never destroyed: windows go before the application does
  return *r;
}

void bury() {
  auto dead = std::move(registry().graveyard);
  registry().graveyard.clear();
  dead.clear();
}

}  // namespace

Form::Form(std::string name, std::vector<ControlDef> layout) : name_(std::move(name)), layout_(std::move(layout)) {
  if (layout_.empty() || layout_.front().kind != Kind::Form) {
    ControlDef self;
    self.name = name_;
    self.kind = Kind::Form;
    layout_.insert(layout_.begin(), self);
  }
}

Form::~Form() {
  if (loaded_) teardown();
  window_.reset();  // widgets go before the controls that point at them
}

Control& Form::ctl(std::string_view name, int index) {
  if (Control* c = find(name, index)) return *c;
  throw std::out_of_range("window " + name_ + " has no control " + std::string(name) +
                          (index >= 0 ? "(" + std::to_string(index) + ")" : std::string()));
}

Control* Form::find(std::string_view name, int index) {
  auto it = by_name_.find({lower(name), index});
  return it == by_name_.end() ? nullptr : it->second;
}

std::vector<int> Form::indices(std::string_view name) const {
  std::vector<int> r;
  const std::string n = lower(name);
  for (auto& [key, c] : by_name_)
    if (key.first == n && key.second >= 0) r.push_back(key.second);
  std::sort(r.begin(), r.end());
  return r;
}

void Form::build() {
  handle_ = std::make_unique<win::Window>("Form");
  self_ = std::make_unique<Control>(*this, layout_.front(), nullptr);
  window_ = std::make_unique<FormWindow>(*this);
  Realizer::set_widget(*self_, window_.get());
  for (size_t i = 1; i < layout_.size(); ++i) {
    const ControlDef& d = layout_[i];
    Control* container = nullptr;
    if (!d.container.empty()) {
      container = find(d.container, d.container_index);
      if (!container) {
        // menus name their parent without an index
        auto idx = indices(d.container);
        if (!idx.empty()) container = find(d.container, idx.front());
      }
      if (!container)
        throw std::logic_error("window " + name_ + ": control " + d.name + " names unknown container " + d.container);
    }
    auto key = std::make_pair(lower(d.name), d.index);
    if (by_name_.count(key))
      throw std::logic_error("window " + name_ + ": control " + d.name + " declared twice");
    controls_.push_back(std::make_unique<Control>(*this, d, container));
    by_name_[key] = controls_.back().get();
  }
  by_name_[{lower(name_), -1}] = self_.get();
  // Containers first, so that children find their parent's surface; then the rest in z-order.
  for (auto& c : controls_)
    if (is_container(c->kind()) || c->kind() == Kind::Menu) Realizer::create(*c);
  for (auto& c : controls_)
    if (!is_container(c->kind()) && c->kind() != Kind::Menu) Realizer::create(*c);
  self_->building_ = false;
  for (const char* p : {"Caption", "BorderStyle", "BackColor", "Width", "Enabled", "MousePointer"})
    Realizer::apply(*self_, p);
  // A window whose layout gives its position opens there.
  for (const Prop& p : layout_.front().props)
    if (lower(p.name) == "left" || lower(p.name) == "top") Realizer::apply(*self_, p.name);
  for (auto& c : controls_) c->building_ = false;
  window_->relayout();
}

void Form::run_load() {
  loaded_ = true;
  run_program_code([this] { Form_Load(); });
}

void Form::teardown() {
  loaded_ = false;
  for (auto& c : controls_)
    if (c->timer_id_) {
      services().stop_timer(c->timer_id_);
      c->timer_id_ = 0;
    }
  if (window_) window_->hide();
  // Unloaded, the window's handle is destroyed: whatever subclassed it lets go.
  handle_.reset();
}

void Form::Show() {
  self_->set("Visible", true);
}

void Form::Hide() { self_->set("Visible", false); }

void Form::SetFocus() {
  if (window_ && window_->isVisible()) {
    window_->raise();
    window_->activateWindow();
  }
}

void Form::focus_itself() {
  if (window_) window_->setFocus(Qt::OtherFocusReason);
}

void Form::pass_waiting_focus(const Control& from, const Control& to) {
  if (window_ && from.widget() && to.widget()) window_->pass_waiting_focus(from.widget(), to.widget());
}

bool Form::visible() const { return self_->visible(); }

QWidget* Form::window() const { return window_.get(); }

void Form::on(std::string_view control, Event ev, Handler h) {
  std::string n = lower(control);
  if (n == "form") n = lower(name_);
  handlers_[{n, int(ev)}] = std::move(h);
}

bool Form::has_handler(std::string_view control, Event ev) const {
  std::string n = lower(control);
  if (n == "form") n = lower(name_);
  return handlers_.count({n, int(ev)}) > 0;
}

void Form::fire(Control& c, Event ev, EventArgs& args) {
  if (!loaded_) return;
  auto it = handlers_.find({lower(c.name()), int(ev)});
  if (it == handlers_.end()) return;
  args.source = &c;
  if (args.index < 0 || ev != Event::ButtonClick) args.index = c.index();
  Handler h = it->second;  // the handler may unload this window
  run_program_code([&] { h(args); });
}

void Form::on_object_event(std::string_view control, com::DispId event, ObjectHandler h) {
  object_handlers_[{lower(control), event}] = std::move(h);
}

void Form::fire_object_event(Control& c, com::DispId event, std::span<com::Variant> args) {
  if (!loaded_) return;
  auto it = object_handlers_.find({lower(c.name()), event});
  if (it == object_handlers_.end()) return;
  ObjectHandler h = it->second;
  run_program_code([&] { h(c.index(), args); });
}

void Form::fire(Control& c, Event ev) {
  EventArgs a;
  fire(c, ev, a);
}

void Form::click(std::string_view control, int index) {
  Control& c = ctl(control, index);
  if (!loaded_ || !enabled() || !c.enabled() || !c.visible()) return;
  // Selecting an option or turning a check box raises its Click itself, once.
  if (c.kind() == Kind::CheckBox) {
    c.set_value(c.value() == 1 ? 0 : 1);
    return;
  }
  if (c.kind() == Kind::OptionButton && !c.get("Value").to_bool()) {
    c.set_value(true);
    return;
  }
  fire(c, Event::Click);
}

Form& load_form(std::string_view name, const std::function<std::unique_ptr<Form>()>& make) {
  if (Form* f = loaded_form(name)) return *f;
  std::unique_ptr<Form> made = make();
  Form& f = *made;
  // In the registry before its load runs: a reference from inside the load
  // gets this same instance.
  registry().loaded.emplace_back(std::string(name), std::move(made));
  f.build();
  f.run_load();
  return f;
}

Form* loaded_form(std::string_view name) {
  for (auto& [n, f] : registry().loaded)
    if (n.size() == name.size() && strncasecmp(n.data(), name.data(), n.size()) == 0) return f.get();
  return nullptr;
}

bool unload_form(std::string_view name) {
  Form* f = loaded_form(name);
  if (!f || f->unloading_) return false;
  f->unloading_ = true;
  int16_t cancel = 0;
  run_program_code([&] { f->Form_Unload(cancel); });
  if (cancel) {
    f->unloading_ = false;
    return false;
  }
  f->teardown();
  auto& v = registry().loaded;
  auto it = std::find_if(v.begin(), v.end(), [f](auto& e) { return e.second.get() == f; });
  if (it != v.end()) {
    registry().graveyard.push_back(std::move(it->second));
    v.erase(it);
  }
  when_idle(bury);
  return true;
}

namespace {
std::string& main_form_name() {
  static std::string* n = new std::string();
  return *n;
}
}  // namespace

void set_main_form(std::string_view name) { main_form_name() = std::string(name); }

Form* main_form() { return main_form_name().empty() ? nullptr : loaded_form(main_form_name()); }

std::vector<std::string> loaded_forms() {
  std::vector<std::string> r;
  for (auto& e : registry().loaded) r.push_back(e.first);
  return r;
}

void unload_all_forms() {
  while (!registry().loaded.empty()) {
    const std::string n = registry().loaded.back().first;
    if (!unload_form(n)) {
      // a window that refuses still goes at the end
      auto f = std::move(registry().loaded.back().second);
      registry().loaded.pop_back();
      registry().graveyard.push_back(std::move(f));
    }
  }
  if (HandlerScope::depth() == 0) bury();
}

}  // namespace plat
