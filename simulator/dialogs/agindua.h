#pragma once
// The instruction choice `Agindua` ("Aginduaren aukeraketa"): the engine asks
// which instruction the decoder sees. Its OK stores the start of the chosen
// instruction's microroutine in Micro_address_bits, shows the operation code
// and the instruction in the status bars, writes the decoder output on the
// main window and raises Dialog_answered. The main window is disabled while
// it is open, and enabled again as it goes unless another dialog (the
// register view) still holds it. Only an entry of its list, exactly as
// listed, is an answer.
// Only its "&Onartu" closes it (and the engine, when a restart or
// the end of the simulation takes the question back).
#include <array>
#include <string>

#include "platform/forms/form.h"
#include "simulator/dialogs/openers.h"

namespace brendalo {

struct InstructionChoice {
  const char* entry;   // the list entry, also its key
  const char* start;   // start of the microroutine
  const char* code;    // six-bit operation code
  const char* text;    // instruction text of the status bar
};
extern const std::array<InstructionChoice, 11> kInstructionChoices;

class Agindua : public plat::Form {
 public:
  static constexpr const char* kName = "Agindua";
  Agindua();

  void Command1_Click();

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;

 private:
  friend void Close_instruction_dialog();
  bool may_close_ = false;
  Openers openers_;
};

// Shows the dialog (loaded afresh) for the engine.
void Show_instruction_dialog();
// Closes it without an answer, giving the main window back.
void Close_instruction_dialog();

}  // namespace brendalo
