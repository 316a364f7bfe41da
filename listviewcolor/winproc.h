#pragma once
// The subclass table shared by every Ombrelis instance of the process, and
// the window procedure installed on the subclassed windows.
//
// A window stands in the table at most once. An entry whose control has let
// go of the window while another procedure had been installed over this one
// stays as a pass-through (no control): taking this procedure out from under
// the later one would cut it off from the window, so messages go on to the
// previous procedure until the window is destroyed.
#include <memory>
#include <vector>

#include "listviewcolor/ombrelis.h"

namespace ombrelis {

struct SubclassEntry {
  HWND hWnd = 0;
  std::shared_ptr<OmbrelisState> Ctl;  // null for a pass-through entry
  plat::win::LONG_PTR OldWndProc = 0;
};

const std::vector<SubclassEntry>& SubclassTable();
int16_t SubclassCount();

// Enters `h` for `control` and installs SubclassWndProc on it. A window
// already in the table keeps its entry and its previous procedure; an
// instance it is taken from loses its binding. Nothing for 0 or a dead handle.
void AttachSubclass(HWND h, const std::shared_ptr<OmbrelisState>& control);
// Ends `owner`'s binding of `h`: reinstalls the previous procedure and drops
// the entry. An entry another instance holds is left alone.
void DetachSubclass(HWND h, const OmbrelisState* owner);
// The previous procedure's answer; 0 when the window is not in the table.
LRESULT CallOriginalWndProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SubclassWndProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ombrelis
