#include "simulator/engine/cycle_phases.h"

#include <array>

#include "platform/forms/services.h"
#include "simulator/display/display_calls.h"
#include "simulator/engine/conversions.h"
#include "simulator/engine/drawing.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

using namespace drawing;

namespace {

// The clk1 wire into the counter and the counter with its ports and contents.
constexpr Refs kClk1Wire = {{"Line1", 25}, {"Line1", 26}, {"Line57", 17}, {"Line58", 17}};
constexpr Refs kCounter = {{"Shape4"},     {"Label1", 4},  {"Label3", 13}, {"Label3", 14},
                           {"Label3", 15}, {"Label3", 16}, {"Label10", 1}, {"Shape7", 1}};
constexpr Refs kAddressBus = {{"Line1", 1}, {"Line1", 2}, {"Line1", 3}, {"Line57", 1}, {"Line58", 1}};
constexpr Refs kControlMemory = {{"Shape1", 0}, {"Label1", 0}, {"Label3", 0}, {"Label3", 1}, {"Label1", 1}};

// Panels 2 and 3 (and more) emptied window by window, in the counter's own order.
constexpr std::array<StatusWindow, 7> kCounterOrder = {
    StatusWindow::Nagusia,          StatusWindow::ASM,
    StatusWindow::PU,               StatusWindow::Aginduenformatua,
    StatusWindow::MNetaEM,          StatusWindow::Birprogramatumikroagindua,
    StatusWindow::Laguntza_edukia};

// The three steps of the clk1 edge; `beep` says whether step 2 beeps.
void clk1_edge_step(int step, bool beep) {
  switch (step) {
    case 1:
      width_and_color(kClk1Wire, 3, kRed);
      at({"Label9", 0}).set_fore_color(kRed);
      break;
    case 2:
      visible(kCounter, false);
      if (beep) plat::beep();
      break;
    default:
      visible(kCounter, true);
      break;
  }
}

void counter_shows_address() { at({"Label10", 1}).set_caption(engine().Micro_address_bits); }

void counter_counts() {
  width_and_color(kClk1Wire, 1, kBlack);
  at({"Label9", 0}).set_fore_color(kBlack);
  back_color({{"Label3", 13}, {"Label3", 14}, {"Label3", 15}}, kSilver);
  plat::Control& bus = at({"kont", 1});
  bus.set_visible(true);
  bus.set_caption(engine().Micro_address_bits);
  engine().Micro_address_bits = Next_microaddress(engine().Micro_address_bits);
}

void clear_fields() {
  EngineState& e = engine();
  e.Field_bk.clear();
  e.Field_jt.clear();
  e.Field_j.clear();
  e.Field_signals.clear();
}

void read_step(int step) {
  switch (step) {
    case 1:
      border_color(kAddressBus, kBlue);
      visible({{"Label12"}, {"Shape9"}}, false);
      break;
    case 2:
      visible(kControlMemory, false);
      visible({{"Shape9"}, {"Label12"}}, false);
      break;
    case 3:
      visible(kControlMemory, true);
      break;
    default: {
      Show_micro_address();
      // The marks stand on this micro-address now: it is the one to take
      // back next. A pass cut short before this point leaves them, and so
      // Previous_micro_address, on the state shown before it.
      engine().Previous_micro_address = engine().Micro_address;
      Reset_process_unit_diagram();
      visible({{"Label12"}, {"Shape9"}}, true);
      // Micro_address comes from Microaddress_to_integer: always a row of the table.
      const int address = engine().Micro_address;
      const auto& row = machine().Control_memory[size_t(address >= 0 && address < kMicroinstructions ? address : 0)];
      std::string word;
      for (int c = 0; c < kControlWordLength; ++c) word += row[size_t(c)];
      at({"Label12"}).set_caption(word);
      // Split cell by cell, so a cell of any length stays in its own field.
      EngineState& e = engine();
      for (int c = 0; c < kControlWordLength; ++c) {
        const std::string& cell = row[size_t(c)];
        (c < 2 ? e.Field_bk : c < 3 ? e.Field_jt : c < 8 ? e.Field_j : e.Field_signals) += cell;
      }
      border_color(kAddressBus, kSilver);
      at({"kont", 1}).set_visible(false);
      border_color(kWordBus, kBlue);
      at({"Label2", 15}).set_visible(false);
      plat::Control& bus = at({"kont", 0});
      bus.set_visible(true);
      bus.set_caption(word);
      break;
    }
  }
}

}  // namespace

// ------------------------------------------------------------------ guarded forms

void Animate_clk1_edge() {
  for (int step = 1; step <= 3; ++step) {
    phase_wait();
    if (!guard()) {
      if (step == 3) return;
      continue;
    }
    clk1_edge_step(step, main_window().soinua != 0);
  }
}

void Update_microaddress_counter() {
  if (guard()) {
    counter_shows_address();
    if (engine().Micro_address_bits == "00000" && engine().Example_running) {
      for (StatusWindow w : kCounterOrder) {
        Set_status_panel_of(w, 2, "");
        Set_status_panel_of(w, 3, "");
      }
    }
  }
  phase_wait();
  if (!guard()) return;
  counter_counts();
}

void Read_control_word() {
  clear_fields();
  if (guard()) read_step(1);
  phase_wait();
  if (guard()) read_step(2);
  pause_wait();
  phase_wait();
  if (!aborted()) read_step(3);
  if (!guard()) {
    phase_wait();
    return;
  }
  read_step(4);
  phase_wait();
}

// ------------------------------------------------------------------ closing forms

void Animate_clk1_edge_final() {
  for (int step = 1; step <= 3; ++step) {
    phase_wait();
    clk1_edge_step(step, true);
  }
}

void Update_microaddress_counter_final() {
  counter_shows_address();
  for (StatusWindow w : kStatusOrder) {
    Set_status_panel_of(w, 2, "");
    Set_status_panel_of(w, 3, "");
    Set_status_panel_of(w, 4, "");
    Set_status_panel_of(w, 1, "Simulazioa amaitzen");
  }
  phase_wait();
  counter_counts();
}

void Read_control_word_final() {
  clear_fields();
  read_step(1);
  phase_wait();
  read_step(2);
  phase_wait();
  if (!engine().Simulation_ended) read_step(3);
  read_step(4);
  phase_wait();
}

}  // namespace brendalo
