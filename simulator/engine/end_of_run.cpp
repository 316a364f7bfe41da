// The end of a run: one more fetch replayed at micro-address 0, the drawing
// back at rest, the closing message and, after the example, its results.
#include <optional>

#include "platform/forms/services.h"
#include "simulator/dialogs/ademaitza.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/display/display_calls.h"
#include "simulator/engine/cycle_phases.h"
#include "simulator/engine/drawing.h"
#include "simulator/engine/run_loop.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

using namespace drawing;

namespace {

// The 16-bit value a stored C element holds: the 16 digits of its text, or
// nothing when the text is not a stored word.
std::optional<int16_t> stored_word(const std::string& text) {
  uint16_t v = 0;
  int digits = 0;
  for (char ch : text) {
    if (ch == ' ') continue;
    if (ch != '0' && ch != '1') return std::nullopt;
    v = uint16_t((v << 1) | (ch - '0'));
    ++digits;
  }
  if (digits != kWordBits) return std::nullopt;
  return int16_t(v);
}

void show_results() {
  plat::Control& memory_main = main_window().ctl("Nadrel3");
  cell_back_color(memory_main, 1, 71, kLightGrey);
  cell_back_color(memory_main, 2, 71, 0xFFFFC0);
  cell_back_color(memory_main, 3, 71, kLightGrey);
  plat::Control& memory_window = plat::form<MNetaEM>().ctl("Nadrel3", 0);
  cell_back_color(memory_window, 1, 71, kLightGrey);
  cell_back_color(memory_window, 2, 71, 0xFFFFC0);
  cell_back_color(memory_window, 3, 71, kLightGrey);

  Ademaitza& results = plat::form<Ademaitza>();
  for (int i = 0; i < kVectorLength; ++i) results.ctl("Text4", i).set_text(std::to_string(Data_word_value(i)));
  for (int i = 0; i < kVectorLength; ++i)
    results.ctl("Text5", i).set_text(std::to_string(Data_word_value(kVectorLength + i)));
  for (int i = 0; i < kVectorLength; ++i) {
    const std::string& c = machine().Main_memory_text[size_t(2 * kVectorLength + i)];
    if (c.empty()) continue;  // not stored by this run
    // The result as memory holds it: A + B kept to 16 bits.
    const std::optional<int16_t> stored = stored_word(c);
    const int16_t sum = stored ? *stored : int16_t(Data_word_value(i) + Data_word_value(kVectorLength + i));
    results.ctl("Text6", i).set_text(std::to_string(sum));
  }
  results.Show();
}

}  // namespace

int16_t Data_word_value(int word) {
  const auto& bits = machine().Main_memory_bits[size_t(word)];
  uint16_t v = 0;
  for (int j = 0; j < kWordBits; ++j) v = uint16_t((v << 1) | (bits[size_t(j)] != 0));
  return int16_t(v);
}

void Finish_instruction_run() {
  EngineState& e = engine();
  e.Simulation_ended = kFlagFalse;
  Animate_clk1_edge_final();
  e.Micro_address_bits = "00000";
  Update_microaddress_counter_final();
  e.Finishing_run = kFlagTrue;
  Read_control_word_final();
  e.Simulation_ended = kFlagTrue;
  e.Finishing_run = kFlagFalse;

  border_color(kWordBus, kSilver);
  at({"Label2", 15}).set_visible(true);
  at({"kont", 0}).set_visible(false);
  visible({{"Label10", 1}, {"Shape7", 1}, {"Label12"}, {"Shape9"}, {"Label10", 5}, {"Shape11", 1}, {"Label10", 0},
           {"Shape8"}, {"Label10", 2}, {"Shape10"}, {"Label10", 3}, {"Shape11", 0}, {"Label10", 4}, {"Shape12"}},
          false);
  Clear_control_signals();

  if (!e.Example_running) {
    plat::message_box("Aginduaren simulazioa amaitu da", plat::vbInformation, "Agindua simulatzen");
    return;
  }
  plat::message_box("Programa adibidearen simulazioa amaitu da", plat::vbInformation, "Programa adibidea simulatzen");
  if (!plat::ending()) show_results();
}

}  // namespace brendalo
