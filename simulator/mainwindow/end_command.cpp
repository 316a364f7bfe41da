#include "simulator/mainwindow/end_command.h"

#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/display/display_calls.h"
#include "simulator/engine/drawing.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

using namespace drawing;

namespace {

// A micro-address row of the four grids back to its resting colours.
void row_to_rest(int row) {
  Nagusia& m = main_window();
  plat::Control& mikro_main = m.ctl("NadrelMikro");
  plat::Control& mikro_window = plat::form<Mikroprograma>().ctl("NadrelMikro");
  plat::Control& km_main = m.ctl("Nadrel1");
  plat::Control& km_window = plat::form<Kontrolmemoria>().ctl("Nadrel2");
  for (plat::Control* g : {&mikro_main, &mikro_window, &km_main, &km_window})
    for (int col : {1, 2}) cell_back_color(*g, col, row, kSilver);
  for (int col = 3; col <= 21; ++col)
    for (plat::Control* g : {&km_main, &km_window}) cell_back_color(*g, col, row, kLightGrey);
}

// The example's marks at instruction n: registers, instruction rows, elements.
// The C element stored by instruction 6 keeps its mark of being written until
// the fetch of instruction 7: both take it back, once it is stored.
void undo_example_marks(int n) {
  enum Kind { Reg, Rows, A, B, C };
  struct Call {
    Kind kind;
    const char* reg;
    int16_t rows;
  };
  using Calls = std::initializer_list<Call>;
  static const Calls undo[10] = {
      {{Reg, "r1", 0}, {Rows, "", 51}},
      {{Reg, "r1", 0}, {Rows, "", 51}, {Reg, "r2", 0}, {Rows, "", 53}},
      {{Rows, "", 69}, {Reg, "r2", 0}, {Rows, "", 53}, {Reg, "r3", 0}, {Rows, "", 55}, {A, "", 0}},
      {{Reg, "r3", 0}, {Rows, "", 55}, {A, "", 0}, {Reg, "r4", 0}, {Rows, "", 57}, {B, "", 0}},
      {{Reg, "r4", 0}, {Rows, "", 57}, {B, "", 0}, {Reg, "r5", 0}, {Rows, "", 59}},
      {{Rows, "", 59}, {Reg, "r5", 0}, {Rows, "", 61}, {C, "", 0}},
      {{Rows, "", 61}, {Reg, "r1", 0}, {Rows, "", 63}, {C, "", 0}},
      {{Reg, "r1", 0}, {Rows, "", 63}, {Reg, "r2", 0}, {Rows, "", 65}},
      {{Reg, "r2", 0}, {Rows, "", 65}, {Rows, "", 67}},
      {{Rows, "", 67}, {Rows, "", 69}},
  };
  for (const Call& c : undo[n - 1]) {
    switch (c.kind) {
      case Reg: Unmark_register(c.reg); break;
      case Rows: Unmark_instruction_rows(c.rows); break;
      case A: Unmark_example_a_element(); break;
      case B: Unmark_example_b_element(); break;
      case C:
        // Every run starts with C empty: a text is an element this run stored.
        if (!machine().Main_memory_text[size_t(engine().Example_iteration + 31)].empty()) Unmark_example_c_element();
        break;
    }
  }
}

}  // namespace

void Simulazioa11_Click(int) {
  EngineState& e = engine();
  e.Simulation_ended = kFlagTrue;
  for (const char* item : {"Simulazioa9", "Simulazioa10", "Simulazioa11"}) at({item, 5}).set_enabled(false);

  visible({{"Shape4"}, {"Label1", 4}, {"Label3", 13}, {"Label3", 14}, {"Label3", 15}, {"Label3", 16}, {"Label10", 1},
           {"Shape7", 1}},
          true);
  width_and_color({{"Line1", 25}, {"Line1", 26}, {"Line57", 17}, {"Line58", 17}}, 1, kBlack);
  at({"Label9", 0}).set_fore_color(kBlack);
  back_color({{"Label3", 13}, {"Label3", 14}, {"Label3", 15}}, kSilver);
  at({"kont", 1}).set_visible(false);
  visible({{"Shape1", 0}, {"Label1", 0}, {"Label3", 0}, {"Label3", 1}, {"Label1", 1}}, true);

  row_to_rest(e.Previous_micro_address + 1);
  row_to_rest(e.Micro_address + 1);
  int16_t previous = e.Previous_micro_address, current = e.Micro_address;
  Unhighlight_asm_state(previous);
  Unhighlight_asm_state(current);
  plat::Control& state = at({"Text4", 0});
  state.set_text("");
  state.set_back_color(kLightGrey);
  Reset_process_unit_diagram();

  border_color({{"Line1", 1}, {"Line1", 2}, {"Line1", 3}, {"Line57", 1}, {"Line58", 1}}, kSilver);
  at({"kont", 1}).set_visible(false);
  visible({{"Label3", 3}, {"Label3", 6}, {"Label3", 7}, {"Label3", 8}, {"Shape2", 0}, {"Shape2", 1}, {"Shape2", 2},
           {"Shape2", 3}},
          true);
  width_and_color({{"Line1", 21}, {"Line1", 22}, {"Line57", 14}, {"Line58", 14}}, 1, kBlack);
  at({"Label9", 1}).set_fore_color(kBlack);
  border_color(kWordBus, kSilver);
  at({"Label2", 15}).set_visible(true);
  at({"kont", 0}).set_visible(false);
  // The back half of the cycle as the next-address phase rests it; fields
  // still empty before the first read rest input 3 and input 1.
  back_half_to_rest(e.Field_bk, e.Field_jt);
  visible({{"Shape9"}, {"Shape8"}, {"Shape10"}, {"Shape11", 0}, {"Shape12"}, {"Shape11", 1}, {"Label12"},
           {"Label10", 0}, {"Label10", 2}, {"Label10", 3}, {"Label10", 4}, {"Label10", 5}},
          false);
  Clear_control_signals();

  if (e.Example_running && e.Example_instruction >= 1 && e.Example_instruction <= 10)
    undo_example_marks(e.Example_instruction);
}

}  // namespace brendalo
