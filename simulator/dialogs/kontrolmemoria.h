#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// The control-memory listing in a window of its own (grid Nadrel2). Its
// load lists the control memory, except during the start-up loading, which
// lists it itself; closing the window unloads it.
class Kontrolmemoria : public plat::Form {
 public:
  static constexpr const char* kName = "Kontrolmemoria";
  Kontrolmemoria();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};

}  // namespace brendalo
