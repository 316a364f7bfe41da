#include "simulator/dialogs/listing_windows.h"

#include "simulator/dialogs/openers.h"
#include "simulator/engine/variables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

void Focus_main_window() {
  if (plat::Form* m = plat::loaded_form(Nagusia::kName)) m->SetFocus();
}

void Take_present_look(plat::Form& window, const char* run_locked_grid) {
  if (Held_disabled(window.name())) window.set_enabled(false);
  if (run_locked_grid && Run_in_progress()) window.ctl(run_locked_grid).set_enabled(false);
}

}  // namespace brendalo
