#include "simulator/dialogs/openers.h"

#include <algorithm>

namespace brendalo {

void Openers::disable(plat::Form& window) {
  window.set_enabled(false);
  if (std::find(disabled_.begin(), disabled_.end(), window.name()) == disabled_.end())
    disabled_.push_back(window.name());
}

void Openers::return_to(const char* back) {
  // A window that is gone (closed, or the program ending) is not brought back.
  for (const std::string& name : disabled_)
    if (plat::Form* f = plat::loaded_form(name)) f->set_enabled(true);
  disabled_.clear();
  if (plat::Form* f = plat::loaded_form(back)) {
    f->set_enabled(true);
    f->SetFocus();
  }
}

}  // namespace brendalo
