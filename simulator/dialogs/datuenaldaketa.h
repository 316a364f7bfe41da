#pragma once
// The data-word editor `Datuenaldaketa` ("Datuen aldaketa"): the 16 bits of
// one word of vector A or B in the disabled boxes Text1(0..15) (box 0 the
// sign), set by the "0" buttons Command1 and the "1" buttons Command2.
// "&Onartu" stores the word (bits and text) and lists it in both memory
// grids; during a run (the running program reads A and B), and when the
// example was unloaded from main memory since the editor opened, it refuses
// and the editor stays open. "&Deuseztatu" closes without storing. Its
// unload returns to the memory window when it came from there, otherwise to
// the main window.
#include <string>

#include "platform/forms/form.h"
#include "simulator/dialogs/openers.h"

namespace brendalo {

class Datuenaldaketa : public plat::Form {
 public:
  static constexpr const char* kName = "Datuenaldaketa";
  Datuenaldaketa();

  void Command1_Click(int Index);
  void Command2_Click(int Index);
  void Command3_Click(int Index);

  Openers openers;

 protected:
  void Form_Unload(int16_t& Cancel) override;
};

// Opens the editor for memory-grid row `row` (1..32) labelled `name`:
// `opener` (when given) disabled, Selected_memory_row set, the word's name
// and bits written, shown modeless.
void Open_data_change(plat::Form* opener, int row, const std::string& name);

// The return of the editor and of the register-row view: every window their
// openings disabled enabled again, the memory window or the main window
// (by Came_from_memory_view) focused, and the flag cleared.
void Return_from_memory_dialog(Openers& openers);

}  // namespace brendalo
