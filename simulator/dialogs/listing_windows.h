#pragma once
// What the three listing windows (Mikroprograma, Kontrolmemoria, MNetaEM)
// share.
#include "platform/forms/form.h"

namespace brendalo {

// Gives the main window the focus when it is loaded; a closing listing
// window never brings back a main window that is gone (end of the program).
void Focus_main_window();

// The look of a window loaded (or loaded again) at any moment: disabled
// while a dialog that it opened still holds it, and its grid `run_locked_grid`
// (when given) disabled while a run is in progress, as the running look left
// it before the window was closed.
void Take_present_look(plat::Form& window, const char* run_locked_grid);

}  // namespace brendalo
