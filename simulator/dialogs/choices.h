#pragma once
// The choice of a drop-down list that also accepts typed text: only one of
// its items counts.
#include <string>

#include "platform/forms/control.h"

namespace brendalo {

// The list's text without the blanks around it when that is one of its
// items, else the empty text.
std::string Listed_choice(const plat::Control& combo);

}  // namespace brendalo
