#include "simulator/dialogs/openers.h"

#include <algorithm>

namespace brendalo {

namespace {
// Every dialog's holds, as long as the dialog exists. Never destroyed: a
// window still alive at the program's exit unregisters itself then.
std::vector<const Openers*>& holders() {
  static auto* all = new std::vector<const Openers*>;
  return *all;
}

bool holds(const std::vector<std::string>& windows, const std::string& window) {
  return std::find(windows.begin(), windows.end(), window) != windows.end();
}
}  // namespace

Openers::Openers() { holders().push_back(this); }

Openers::~Openers() { std::erase(holders(), this); }

void Openers::disable(plat::Form& window) {
  window.set_enabled(false);
  if (!holds(disabled_, window.name())) disabled_.push_back(window.name());
}

void Openers::release() {
  const std::vector<std::string> held = std::move(disabled_);
  disabled_.clear();
  // A window that is gone (closed, or the program ending) is not brought back.
  for (const std::string& name : held)
    if (plat::Form* f = plat::loaded_form(name); f && !Held_disabled(name)) f->set_enabled(true);
}

void Openers::return_to(const char* back) {
  release();
  if (plat::Form* f = plat::loaded_form(back)) {
    if (!Held_disabled(back)) f->set_enabled(true);
    f->SetFocus();
  }
}

bool Held_disabled(const std::string& window) {
  for (const Openers* o : holders())
    if (holds(o->disabled_, window)) return true;
  return false;
}

}  // namespace brendalo
