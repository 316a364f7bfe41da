#pragma once
// The "+" (Command2(0)) and "-" (Command2(1)) clk1-period buttons that ASM,
// PU, Aginduenformatua and MNetaEM carry, as the main window does. Whichever
// window holds them, they run the one period command of the main window.
#include "platform/forms/form.h"

namespace brendalo {

// The layout row of button `index` (0 "+", 1 "-"): 255 x 270 twips at
// (left, top), caption 9.75 pt, with the window's own tooltip.
plat::ControlDef Period_button(int index, int left, int top, const char* tooltip);
// Binds the window's Command2 buttons to Command2_Click.
void Bind_period_buttons(plat::Form& f);

}  // namespace brendalo
