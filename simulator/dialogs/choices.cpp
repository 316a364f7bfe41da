#include "simulator/dialogs/choices.h"

#include <algorithm>

namespace brendalo {

std::string Listed_choice(const plat::Control& combo) {
  const std::string s = combo.text();
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  const std::string t = s.substr(a, s.find_last_not_of(' ') - a + 1);
  const auto& items = combo.items();
  return std::find(items.begin(), items.end(), t) != items.end() ? t : std::string();
}

}  // namespace brendalo
