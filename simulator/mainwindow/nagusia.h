#pragma once
#include <cstdint>

#include "platform/forms/form.h"

namespace brendalo {

// The main window.
class Nagusia : public plat::Form {
 public:
  static constexpr const char* kName = "Nagusia";
  Nagusia();

  // Public variables other windows and the engine read and write (16-bit flags, -1 / 0).
  int16_t Bereizmena_aldatua = 0;
  int16_t reset = 0;
  int16_t soinua = 0;

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};

}  // namespace brendalo
