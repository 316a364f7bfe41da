#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `Laguntza_edukia`; the rest of its layout comes with its own part of the program.
class Laguntza_edukia : public plat::Form {
 public:
  static constexpr const char* kName = "Laguntza_edukia";
  Laguntza_edukia();
};

}  // namespace brendalo
