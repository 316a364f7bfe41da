#pragma once
// Components hosted in a window (Kind::Hosted): created by the class name in
// the layout row's caption through the class registry when the window loads,
// sited in the window, embedded as a windowed control and released with it.
// The program calls them late-bound: c.object().let(id, {...}).
// A layout row may give the saved properties in "Properties", the text form
// of a property bag; without it the component starts from its first-time
// defaults.
#include <span>
#include <string>

#include "platform/com/dispatch.h"

class QWidget;

namespace plat {

class Control;

// The component of a hosted control with the container's extender in front
// (Visible, Left, Top, Width, Height, Name, Index, then the component's own
// members). Throws com::RuntimeError 91 when the component could not be created.
com::Dispatch& object(Control& c);
// The component alone, or nullptr.
com::Dispatch* component(Control& c);
// Why creation failed ("" when it did not).
std::string hosted_error(const Control& c);

// Forms-layer side (widgets.cpp).
QWidget* create_hosted(Control& c, QWidget* parent);
void destroy_hosted(Control& c);

}  // namespace plat
