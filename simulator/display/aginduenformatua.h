#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `Aginduenformatua`; the rest of its layout comes with its own part of the program.
class Aginduenformatua : public plat::Form {
 public:
  static constexpr const char* kName = "Aginduenformatua";
  Aginduenformatua();
};

}  // namespace brendalo
