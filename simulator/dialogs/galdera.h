#pragma once
// The reprogramming question `Galdera` ("Mikroprograma birprogramatzen"):
// "<n> mikroagindua birprogramatzea nahi?". "&Bai" fills the editor
// Birprogramatumikroagindua with the stored control word of the chosen row
// and shows it; "&Ez" closes the question. Its unload returns to the window
// that opened it (Kontrolmemoria or Mikroprograma by their came-from flags,
// otherwise the main window) and clears the flags.
#include "platform/forms/form.h"
#include "simulator/dialogs/openers.h"

namespace brendalo {

class Galdera : public plat::Form {
 public:
  static constexpr const char* kName = "Galdera";
  static constexpr const char* kQuestion = "mikroagindua birprogramatzea nahi?";
  Galdera();

  void Command1_Click(int Index);

  Openers openers;

 protected:
  void Form_Unload(int16_t& Cancel) override;
};

// Asks whether the microinstruction of grid row `row` (micro-address + 1) is
// to be reprogrammed: `opener` (when given) disabled, Selected_microinstruction_row
// set, the question labelled with the micro-address and shown modeless.
void Ask_reprogramming(plat::Form* opener, int row);

}  // namespace brendalo
