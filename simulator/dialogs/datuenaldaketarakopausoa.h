#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `Datuenaldaketarakopausoa`; its contents come with its own part of the program.
class Datuenaldaketarakopausoa : public plat::Form {
 public:
  static constexpr const char* kName = "Datuenaldaketarakopausoa";
  Datuenaldaketarakopausoa();
};

}  // namespace brendalo
