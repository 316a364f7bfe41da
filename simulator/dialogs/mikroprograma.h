#pragma once
#include "platform/forms/form.h"

namespace brendalo {

// The microprogram listing in a window of its own (grid NadrelMikro). Its
// load lists the microprogram, except during the start-up loading, which
// lists it itself; closing the window unloads it.
class Mikroprograma : public plat::Form {
 public:
  static constexpr const char* kName = "Mikroprograma";
  Mikroprograma();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};

}  // namespace brendalo
