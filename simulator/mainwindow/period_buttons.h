#pragma once
// The "+" (Command2(0)) and "-" (Command2(1)) clk1-period buttons that ASM,
// PU, Aginduenformatua and MNetaEM carry, as the main window does. Whichever
// window holds them, they run the one period command of the main window.
#include <vector>

#include "platform/forms/form.h"

namespace brendalo {

// The two buttons beside a window's status bar, added to its layout.
std::vector<plat::ControlDef> With_period_buttons(std::vector<plat::ControlDef> layout);
// Binds the window's Command2 buttons to Command2_Click.
void Bind_period_buttons(plat::Form& f);

}  // namespace brendalo
