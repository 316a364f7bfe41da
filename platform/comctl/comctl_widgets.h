#pragma once
// Qt realisation of the common controls (used by the forms layer only).
#include <string_view>

class QWidget;

namespace plat {
class Control;
QWidget* create_comctl_widget(Control& c, QWidget* parent);
void apply_comctl(Control& c, std::string_view prop);
}  // namespace plat
