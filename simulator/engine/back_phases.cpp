// The decode, the fields of the microinstruction register, the control
// signals and the condition Z: phases 4 to 7 of a cycle.
#include <array>

#include "platform/forms/services.h"
#include "simulator/dialogs/agindua.h"
#include "simulator/dialogs/zaukeratu.h"
#include "simulator/display/display_calls.h"
#include "simulator/engine/cycle_phases.h"
#include "simulator/engine/drawing.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

using namespace drawing;

namespace {

constexpr Refs kClk2Wire = {{"Line1", 21}, {"Line1", 22}, {"Line57", 14}, {"Line58", 14}};
constexpr Refs kRegisterNames = {{"Label3", 3}, {"Label3", 6}, {"Label3", 7}, {"Label3", 8},
                                 {"Shape2", 0}, {"Shape2", 1}, {"Shape2", 2}, {"Shape2", 3}};
constexpr Refs kFieldsHidden = {{"Label10", 2}, {"Shape10"}, {"Label10", 3}, {"Shape11", 0},
                                {"Label10", 4}, {"Shape12"}, {"Label10", 0}, {"Shape8"}};
constexpr Refs kFieldsShown = {{"Label10", 0}, {"Shape8"}, {"Label10", 2}, {"Shape10"},
                               {"Label10", 3}, {"Shape11", 0}, {"Label10", 4}, {"Shape12"}};

constexpr std::array<ExampleInstruction, 10> kExample = {{
    {"Agindua: movi r1, #0", "001000", "00110"},
    {"Agindua: movi r2, #16", "001000", "00110"},
    {"Agindua: ldx r3, A[r1]", "000010", "01100"},
    {"Agindua: ldx r4, B[r1]", "000010", "01100"},
    {"Agindua: add r5, r4, r3", "001001", "00011"},
    {"Agindua: stx r5, C[r1]", "000101", "01111"},
    {"Agindua: addi r1, r1, #1", "001010", "00110"},
    {"Agindua: subi r2, r2, #1", "001100", "00110"},
    {"Agindua: beq r2, buka", "011010", "10010"},
    {"Agindua: beq r0, segi", "011010", "10010"},
}};

// The decoder's answer for the example program: from the fixed table.
void example_decode() {
  EngineState& e = engine();
  if (const ExampleInstruction* x = Example_instruction_entry(e.Example_instruction)) {
    e.Micro_address_bits = x->start;
    Set_status_texts(x->code, x->text);
    at({"Label10", 5}).set_caption(e.Micro_address_bits);
  }
  e.Dialog_answered = kFlagTrue;
}

// Z for the example program: from the fixed rule, reported when asked for.
void example_z() {
  EngineState& e = engine();
  if (const auto z = Example_z_value(e.Example_instruction, e.Example_iteration)) {
    e.Z_value = *z;
    if (e.Report_z_value)
      plat::message_box("Zren balioa: " + *z, plat::vbInformation, "Agindua simulatzen");
  }
  e.Dialog_answered = kFlagTrue;
}

}  // namespace

const ExampleInstruction* Example_instruction_entry(int instruction) {
  if (instruction < 1 || instruction > int(kExample.size())) return nullptr;
  return &kExample[size_t(instruction - 1)];
}

std::optional<std::string> Example_z_value(int instruction, int iteration) {
  if (instruction == 9) return std::string(iteration == 16 ? "1" : "0");
  if (instruction == 10) return std::string("1");
  return std::nullopt;
}

void Decode_instruction() {
  EngineState& e = engine();
  pause_wait();
  if (e.Field_jt == "1" && !aborted()) {
    if (e.Example_running)
      example_decode();
    else
      Show_instruction_dialog();
    while (!reset_requested() && !e.Dialog_answered && !e.Simulation_ended && !plat::ending()) plat::wait_event();
    // A wait ended by a restart or an end takes the question back, so that no
    // later answer can reach this run or the next.
    if (!e.Dialog_answered) Close_instruction_dialog();
    e.Dialog_answered = kFlagFalse;
    if (!aborted()) {
      border_color({{"Line1", 15}, {"Line58", 0}, {"Line57", 0}}, kBlue);
      at({"Label2", 11}).set_back_color(kRed);
      visible({{"Label10", 5}, {"Shape11", 1}}, true);
    }
    phase_wait();
  }
  if (!aborted()) {
    width_and_color(kClk2Wire, 3, kRed);
    at({"Label9", 1}).set_fore_color(kRed);
  }
  phase_wait();
}

void Show_control_word_fields() {
  if (guard()) {
    visible(kRegisterNames, false);
    visible(kFieldsHidden, false);
  }
  phase_wait();
  if (guard()) visible(kRegisterNames, true);
  phase_wait();
  if (guard()) {
    width_and_color(kClk2Wire, 1, kBlack);
    at({"Label9", 1}).set_fore_color(kBlack);
    visible(kFieldsShown, true);
    const EngineState& e = engine();
    at({"Label10", 0}).set_caption(e.Field_bk);
    at({"Label10", 2}).set_caption(e.Field_jt);
    at({"Label10", 3}).set_caption(e.Field_j);
    at({"Label10", 4}).set_caption(e.Field_signals);
  }
  phase_wait();
}

void Apply_control_signals() {
  if (!guard()) return;
  border_color(kFieldOutputs, kBlue);
  at({"Label2", 13}).set_back_color(kRed);
  border_color(kWordBus, kSilver);
  at({"Label2", 15}).set_visible(true);
  at({"kont", 0}).set_visible(false);
  Show_control_signals();
  if (at({"Ikusi3", 3}).get("Checked").to_bool())
    for (int k = 0; k <= 16; ++k) at({"ksUP", k}).set_visible(false);
  Highlight_process_unit_diagram();
  if (engine().Example_running) Step_example_display();
}

void Evaluate_condition_z() {
  EngineState& e = engine();
  phase_wait();
  if (guard()) {
    const std::string bk = e.Field_bk;
    if (bk == "10") {
      if (e.Example_running)
        example_z();
      else
        Show_z_dialog();
      while (!e.Dialog_answered && !plat::ending()) plat::wait_event();
      e.Dialog_answered = kFlagFalse;
    }
    // The lighting follows the answer without a further abort test: a
    // restart asked for meanwhile takes effect after this phase. Only an end
    // chosen meanwhile, which has already put the drawing back to rest,
    // leaves it dark.
    if (!e.Simulation_ended && !plat::ending()) {
      if (bk == "00") {
        at({"Label2", 1}).set_back_color(kRed);
        border_color({{"Line1", 14}, {"Line58", 8}, {"Line57", 8}}, kBlue);
      } else if (bk == "10") {
        at({"Label2", 2}).set_back_color(kRed);
        border_color({{"Line1", 13}, {"Line58", 7}, {"Line57", 7}}, kBlue);
      } else {
        at({"Label2", 12}).set_back_color(kRed);
        border_color({{"Line1", 12}, {"Line58", 9}, {"Line57", 9}}, kBlue);
      }
      if (e.Field_jt == "0") {
        at({"Label2", 8}).set_back_color(kRed);
        border_color({{"Line1", 19}, {"Line1", 18}, {"Line58", 13}, {"Line57", 13}}, kBlue);
      } else {
        at({"Label2", 7}).set_back_color(kRed);
        border_color({{"Line1", 11}, {"Line58", 12}, {"Line57", 12}}, kBlue);
      }
    }
  }
  phase_wait();
}

}  // namespace brendalo
