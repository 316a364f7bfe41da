#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `Birprogramatumikroagindua`; the rest of its layout comes with its own part of the program.
class Birprogramatumikroagindua : public plat::Form {
 public:
  static constexpr const char* kName = "Birprogramatumikroagindua";
  Birprogramatumikroagindua();
};

}  // namespace brendalo
