#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// Window `Kontrolmemoria`; the rest of its behaviour comes with its own part of the program.
class Kontrolmemoria : public plat::Form {
 public:
  static constexpr const char* kName = "Kontrolmemoria";
  Kontrolmemoria();
};

}  // namespace brendalo
