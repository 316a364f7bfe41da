#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `Birprogramaziorakopausoa`; its contents come with its own part of the program.
class Birprogramaziorakopausoa : public plat::Form {
 public:
  static constexpr const char* kName = "Birprogramaziorakopausoa";
  Birprogramaziorakopausoa();
};

}  // namespace brendalo
