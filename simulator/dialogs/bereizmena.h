#pragma once
#include "platform/com/variant.h"
#include "platform/forms/form.h"

namespace brendalo {

// The start-up window: makes sure the display can run at 1024 x 768 x 16,
// switches to 1024 x 768 when the screen is another size, then hands over to
// the splash window. It stays loaded (hidden) so the exit can restore the mode.
// Closed while it shows (before the switch), it ends the program.
class Bereizmena : public plat::Form {
 public:
  static constexpr const char* kName = "Bereizmena";
  Bereizmena();

  // The display mode found at start, saved only when the mode is switched.
  plat::com::Variant h, b, bk;

  void Timer1_Timer();
  void Timer2_Timer();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;
};

// Puts back the display mode saved at start-up. The main window's exit calls
// it when start-up switched the mode (Nagusia::Bereizmena_aldatua).
void Restore_display_mode();

}  // namespace brendalo
