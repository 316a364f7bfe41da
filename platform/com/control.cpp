#include "platform/com/control.h"

#include <algorithm>

#include "platform/com/names.h"

namespace plat::com {

Extender::~Extender() = default;
Site::~Site() = default;
Control::~Control() = default;

int Control::connect(std::string_view event_interface, EventHandler handler) {
  const std::string& name = class_info().events.name;
  if (name.empty() || !same_name(name, event_interface))
    throw RuntimeError(kErrNoMember, "No event interface '" + std::string(event_interface) + "' on " +
                                         class_info().class_name);
  int cookie = next_cookie_++;
  connections_.push_back({cookie, std::move(handler)});
  return cookie;
}

void Control::disconnect(int cookie) {
  std::erase_if(connections_, [cookie](const Connection& c) { return c.cookie == cookie; });
}

void Control::fire(DispId event, std::span<Variant> args) {
  // A copy: a handler may connect or disconnect while the event is delivered.
  std::vector<Connection> now = connections_;
  for (const Connection& c : now)
    if (c.handler) c.handler(event, args);
}

void Control::notify_property_changed(std::string_view name) {
  if (site_) site_->property_changed(name);
}

std::shared_ptr<Font> Control::ambient_font() const {
  std::shared_ptr<Font> f = site_ ? site_->ambient_font() : nullptr;
  return f ? f : Font::create();
}

bool Control::ambient_user_mode() const { return site_ ? site_->ambient_user_mode() : true; }

Qt::CursorShape cursor_shape_of(int16_t p) {
  switch (p) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5: case 15: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    default: return Qt::ArrowCursor;
  }
}

ExtendedControl::ExtendedControl(std::shared_ptr<Control> control, Extender& extender)
    : control_(std::move(control)), ext_(extender) {
  info_.name = control_->type_info().name;
  auto prop = [this](const char* name, DispId id, const char* type, bool read_only) {
    info_.funcs.push_back(make_func(name, id, CallKind::Get, type));
    if (!read_only) info_.funcs.push_back(make_func(name, id, CallKind::Let, type));
  };
  prop("Visible", kExtVisible, "Boolean", false);
  prop("Left", kExtLeft, "Long", false);
  prop("Top", kExtTop, "Long", false);
  prop("Width", kExtWidth, "Long", false);
  prop("Height", kExtHeight, "Long", false);
  prop("Name", kExtName, "String", true);
  prop("Index", kExtIndex, "Integer", true);
  const auto& own = control_->type_info().funcs;
  info_.funcs.insert(info_.funcs.end(), own.begin(), own.end());
}

Variant ExtendedControl::dispatch(DispId id, CallKind kind, std::span<Variant> args) {
  if (id < kExtVisible || id > kExtIndex) {
    CallResult r = control_->invoke(id, kind, args);
    if (!r.ok()) throw RuntimeError(r.error, r.description);
    return r.value;
  }
  const bool get = kind == CallKind::Get;
  if (!get && !(kind == CallKind::Let && id < kExtName)) throw RuntimeError(kErrNoMember);
  Args a(args, get ? 0 : 1, get ? 0 : 1);
  if (get) {
    switch (id) {
      case kExtVisible: return Variant(ext_.Visible());
      case kExtLeft: return Variant(ext_.Left());
      case kExtTop: return Variant(ext_.Top());
      case kExtWidth: return Variant(ext_.Width());
      case kExtHeight: return Variant(ext_.Height());
      case kExtName: return Variant(ext_.Name());
      default: return Variant::i2(ext_.Index());
    }
  }
  switch (id) {
    case kExtVisible: ext_.Visible(a.value().to_bool()); break;
    case kExtLeft: ext_.Left(a.value().to_i4()); break;
    case kExtTop: ext_.Top(a.value().to_i4()); break;
    case kExtWidth: ext_.Width(a.value().to_i4()); break;
    default: ext_.Height(a.value().to_i4()); break;
  }
  return {};
}

}  // namespace plat::com
