#pragma once
// What the three listing windows (Mikroprograma, Kontrolmemoria, MNetaEM)
// share.
namespace brendalo {

// Gives the main window the focus when it is loaded; a closing listing
// window never brings back a main window that is gone (end of the program).
void Focus_main_window();

}  // namespace brendalo
