#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `Mikroprograma`; the rest of its behaviour comes with its own part of the program.
class Mikroprograma : public plat::Form {
 public:
  static constexpr const char* kName = "Mikroprograma";
  Mikroprograma();
};

}  // namespace brendalo
