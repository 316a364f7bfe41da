#pragma once
#include <cstdint>

#include "platform/forms/form.h"

namespace brendalo {

// The splash window: runs the start-up loading and shows its progress.
// While `abiarazten` is set the control-memory listings advance the bar
// themselves, keeping `Balioa` in step with ProgressBar1.
class Abiarazi : public plat::Form {
 public:
  static constexpr const char* kName = "Abiarazi";
  Abiarazi();

  int16_t abiarazten = 0;  // the start-up loading is running (-1 / 0)
  int16_t Balioa = 0;      // the progress value
};

}  // namespace brendalo
