#include "simulator/dialogs/listing_windows.h"

#include "platform/forms/form.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

void Focus_main_window() {
  if (plat::Form* m = plat::loaded_form(Nagusia::kName)) m->SetFocus();
}

}  // namespace brendalo
