#include "listviewcolor/winproc.h"

namespace ombrelis {

using plat::win::GWL_WNDPROC;
using plat::win::LONG_PTR;

namespace {

std::vector<SubclassEntry> g_table;

// The position of `h`, looked up afresh at every use: a nested message may
// have changed the table.
SubclassEntry* find(HWND h) {
  for (SubclassEntry& e : g_table)
    if (e.hWnd == h) return &e;
  return nullptr;
}

void erase(HWND h) {
  for (auto it = g_table.begin(); it != g_table.end(); ++it)
    if (it->hWnd == h) {
      g_table.erase(it);  // later entries move down one place
      return;
    }
}

LONG_PTR own_proc() { return plat::win::proc_address(&SubclassWndProc); }

// Reinstalls the previous procedure when ours is still the one in force and
// drops the entry; otherwise the entry stays as a pass-through.
void unhook(HWND h) {
  SubclassEntry* e = find(h);
  if (!e) return;
  if (!plat::win::IsWindow(h) || plat::win::GetWindowLongA(h, GWL_WNDPROC) == own_proc()) {
    const LONG_PTR old = e->OldWndProc;
    erase(h);
    plat::win::SetWindowLongA(h, GWL_WNDPROC, old);
  } else {
    e->Ctl.reset();
  }
}

}  // namespace

const std::vector<SubclassEntry>& SubclassTable() { return g_table; }
int16_t SubclassCount() { return int16_t(g_table.size()); }

void AttachSubclass(HWND h, const std::shared_ptr<OmbrelisState>& control) {
  if (h == 0 || !plat::win::IsWindow(h)) return;
  if (SubclassEntry* e = find(h)) {
    // Our procedure is already in the window's chain: only the owner changes.
    std::shared_ptr<OmbrelisState> previous = std::exchange(e->Ctl, control);
    if (previous && previous != control) previous->forget_window();
    return;
  }
  const LONG_PTR old = plat::win::GetWindowLongA(h, GWL_WNDPROC);
  g_table.push_back({h, control, old});
  plat::win::SetWindowLongA(h, GWL_WNDPROC, own_proc());
}

void DetachSubclass(HWND h, const OmbrelisState* owner) {
  SubclassEntry* e = find(h);
  if (!e || e->Ctl.get() != owner) return;
  unhook(h);
}

LRESULT CallOriginalWndProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  const SubclassEntry* e = find(h);
  if (!e || e->OldWndProc == own_proc()) return 0;
  const LONG_PTR old = e->OldWndProc;
  return plat::win::CallWindowProcA(old, h, message, wParam, lParam);
}

LRESULT SubclassWndProc(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
  const SubclassEntry* e = find(h);
  if (!e) return 0;
  // Copies: the entry may move or vanish while the message is handled.
  const std::shared_ptr<OmbrelisState> control = e->Ctl;
  const LONG_PTR old = e->OldWndProc;
  LRESULT result = 0;
  if (control && control->Messages(int32_t(message))) {
    try {
      result = OmbrelisState::WndProcFriend(control.get(), message, wParam, lParam);
    } catch (...) {
      // A failure of the control's own handling must not reach the window.
    }
  } else if (old != own_proc()) {
    result = plat::win::CallWindowProcA(old, h, message, wParam, lParam);
  }
  if (message == plat::win::WM_NCDESTROY) {
    // The window's last message: whoever holds it now loses it.
    if (SubclassEntry* now = find(h)) {
      const std::shared_ptr<OmbrelisState> holder = now->Ctl;
      unhook(h);
      erase(h);
      if (holder) holder->forget_window();
    }
  }
  return result;
}

}  // namespace ombrelis
