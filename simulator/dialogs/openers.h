#pragma once
// The windows an editing dialog returns to. A grid guard disables its own
// window before it opens the dialog; a second guard, of another window, may
// reach the dialog while it is open. The dialog keeps every window that its
// openings disabled and its unload enables them all, so no opener stays
// disabled; the window its came-from flag names also gets the focus.
#include <string>
#include <vector>

#include "platform/forms/form.h"

namespace brendalo {

class Openers {
 public:
  // Disables `window` and keeps it for the unload.
  void disable(plat::Form& window);
  // Enables every kept window that is still loaded, then `back` (when it is
  // loaded) and gives it the focus.
  void return_to(const char* back);

 private:
  std::vector<std::string> disabled_;
};

}  // namespace brendalo
