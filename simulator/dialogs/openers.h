#pragma once
// The windows the dialogs hold disabled. A grid guard disables its own
// window before it opens a dialog, and Agindua disables the main window while
// it waits; a second guard, of another window, may reach a dialog while it is
// open. Each dialog keeps every window that its openings disabled, and gives
// them back when it goes: a window is enabled again only when no other open
// dialog still holds it, and a window loaded while a dialog holds it starts
// disabled (Held_disabled).
#include <string>
#include <vector>

#include "platform/forms/form.h"

namespace brendalo {

class Openers {
 public:
  Openers();
  ~Openers();
  Openers(const Openers&) = delete;
  Openers& operator=(const Openers&) = delete;

  // Disables `window` and holds it until release.
  void disable(plat::Form& window);
  // Gives back every held window: each one still loaded and held by no other
  // dialog is enabled.
  void release();
  // Releases, then gives `back` (when it is loaded) the focus, enabled unless
  // another dialog still holds it; a window held disabled hands the focus on
  // to the dialog it waits for.
  void return_to(const char* back);

 private:
  friend bool Held_disabled(const std::string& window);
  std::vector<std::string> disabled_;
};

// True while a dialog holds the window named `window` disabled.
bool Held_disabled(const std::string& window);

}  // namespace brendalo
