#include "simulator/mainwindow/views.h"

#include <string>

#include "simulator/dialogs/mnetaem.h"
#include "simulator/display/grid_marks.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/example_listing.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

namespace {

constexpr const char* kExampleTooltip =
    "Batu bi bektore, A eta B, eta utzi emaitza beste batean, C. Hirurak 16 osagaikoak dira.";

Nagusia& nw() { return plat::form<Nagusia>(); }
void show(const char* name, int index, bool on) { nw().ctl(name, index).set_visible(on); }

void show_end_rows(bool on) {
  show("Label5", 0, on);
  show("Shape6", 3, on);
  show("Label5", 2, on);
  show("Shape6", 5, on);
}

void show_listing(bool on) {
  for (int i : Nagusia::kListingBoxes) show("Text1", i, on);
}

void set_mn_eta_em_left(int left) { nw().ctl("Commandmnetaem", 1).set("Left", left); }

// Frame2(0) with the signal list, Frame7 hidden, Frame6 under `caption`.
void signal_list_and_panel(const char* caption) {
  nw().ctl("Frame2", 0).set_caption("Kontrol-seinaleak");
  show("Nadrel4", 1, false);
  show_end_rows(true);
  show("Frame7", -1, false);
  nw().ctl("Frame6").set_caption(caption);
}

// The marks of the example step in progress, as the run's own display
// leaves them at instruction n and micro-address m.
void restore_step_marks() {
  const int n = engine().Example_instruction;
  const int m = engine().Micro_address;
  if (n < 1 || n > 10) return;
  const int16_t first = int16_t(49 + 2 * n);
  enum Extra { None, Register, A, B, C, AReg, BReg };
  struct Step {
    std::initializer_list<int> both;
    std::initializer_list<int> more;
    Extra extra;
    const char* reg;
  };
  static const Step steps[10] = {
      {{1, 2, 6, 7}, {8}, Register, "r1"},      {{1, 2, 6, 7}, {8}, Register, "r2"},
      {{1, 2}, {12, 13}, A, "r3"},              {{1, 2}, {12, 13}, B, "r4"},
      {{1, 2, 3, 4}, {5}, Register, "r5"},      {{1, 2, 15, 16}, {17}, C, ""},
      {{1, 2, 6, 7}, {8}, Register, "r1"},      {{1, 2, 6, 7}, {8}, Register, "r2"},
      {{1, 2, 18, 19, 20, 21}, {}, None, ""},   {{1, 2, 18, 19, 20, 21}, {}, None, ""},
  };
  const Step& s = steps[n - 1];
  auto in = [m](std::initializer_list<int> l) {
    for (int v : l)
      if (v == m) return true;
    return false;
  };
  if (m == 0) {
    Mark_memory_row(first);
    return;
  }
  const bool both = in(s.both), more = in(s.more);
  // Instructions 3 and 4 also name their register at micro-address 14.
  const bool with_register = (s.extra == A || s.extra == B) && m == 14;
  if (!both && !more && !with_register) return;
  Mark_memory_row(first);
  Mark_memory_row(int16_t(first + 1));
  if (!more && !with_register) return;
  switch (s.extra) {
    case A: Mark_example_a_element(); break;
    case B: Mark_example_b_element(); break;
    case C: Mark_example_c_element(); break;
    default: break;
  }
  if (s.extra == Register || with_register) Mark_register(s.reg);
}

// The File steps share everything but the grids' state and the memory listing.
void register_file_view_after_file_step(bool loaded) {
  show_listing(false);
  nw().ctl("Frame2", 0).set_caption("Erregistro-multzoa");
  show("Nadrel4", 1, true);
  show_end_rows(false);
  nw().ctl("Nadrel4", 1).set_enabled(loaded);
  Reset_register_file_text();
  Refresh_registers_main();
  show("CommandPU2", 0, false);
  show("CommandPU", 0, false);
  show("CommandAdib", 1, true);
  show("Commandmnetaem", 1, false);
  set_mn_eta_em_left(2760);
  show("Frame7", -1, true);
  show("CommandPU3", 0, true);
  show("CommandMN", 1, true);
  show("Nadrel3", -1, true);
  nw().ctl("Nadrel3").set_enabled(loaded);
  if (loaded) {
    Load_main_memory_data();
    Fill_example_program_grid();
  } else {
    Clear_main_memory_grid();
  }
  MNetaEM& mw = plat::form<MNetaEM>();
  mw.ctl("Nadrel3", 0).set_enabled(loaded);
  if (loaded)
    Fill_example_program_memory_window();
  else
    Clear_main_memory_window_grid();
  mw.ctl("Nadrel1").set_enabled(loaded);
  Refresh_registers_window();
}

}  // namespace

void Hide_example_diagram() {
  show_listing(false);
  Nagusia& f = nw();
  for (auto& c : f.controls())
    if (Nagusia::in_memory_diagram(*c)) c->set_visible(false);
}

void Show_example_diagram() {
  show("Label6", 0, true);
  show("Label6", 1, true);
  show("CommandPU2", 0, true);
  show_listing(true);
  Nagusia& f = nw();
  for (auto& c : f.controls())
    if (Nagusia::in_memory_diagram(*c)) c->set_visible(true);
}

void Show_process_unit_view() {
  signal_list_and_panel("Prozesu Unitatea");
  show("CommandPU2", 0, false);
  show("CommandPU", 0, true);
  show("CommandPU3", 0, false);
  show("CommandMN", 1, false);
  if (engine().Example_loaded) {
    show("Commandmnetaem", 1, true);
    set_mn_eta_em_left(2760);
    show("CommandAdib", 1, true);
  } else if (engine().Example_opened) {
    show("CommandAdib", 1, true);
  }
  show("Image1", 0, true);
  show("Label6", 0, false);
  show("Label6", 1, false);
  show_listing(false);
  Hide_example_diagram();
  // The bold signal names are the record of the lit signals.
  struct Lamp {
    int label, label2, lamp, lamp2;
  };
  static const Lamp lamps[] = {
      {0, -1, 5, -1},  {16, -1, 6, -1}, {15, -1, 7, -1}, {14, 1, 4, -1},  {13, -1, 8, -1},  {11, -1, 9, -1},
      {12, -1, 13, -1}, {10, -1, 11, -1}, {9, -1, 12, -1}, {8, -1, 10, -1}, {7, -1, 16, -1}, {6, -1, 14, -1},
      {5, -1, 15, -1}, {4, -1, 2, -1},  {3, -1, 3, -1},  {2, -1, 0, 1},
  };
  Nagusia& f = nw();
  for (const Lamp& l : lamps) {
    const bool lit =
        f.ctl("Label5", l.label).font_bold() || (l.label2 >= 0 && f.ctl("Label5", l.label2).font_bold());
    if (!lit) continue;
    show("ksUP", l.lamp, true);
    if (l.lamp2 >= 0) show("ksUP", l.lamp2, true);
  }
}

void Show_register_file_view() {
  show_listing(false);
  show("Frame7", -1, true);
  nw().ctl("Frame2", 0).set_caption("Erregistro-multzoa");
  show("Nadrel3", -1, true);
  show("Nadrel4", 1, true);
  show("Label5", 2, false);
  show("Shape6", 5, false);
  Refresh_registers_main();
  show("CommandPU2", 0, false);
  show("CommandPU", 0, false);
  show("Commandmnetaem", 1, false);
  set_mn_eta_em_left(2760);
  show("CommandMN", 1, true);
  show("CommandAdib", 1, engine().Example_opened != 0);
  if (engine().Example_loaded) {
    Fill_example_program_grid();
    if (engine().Example_running) restore_step_marks();
  } else {
    Clear_main_memory_grid();
  }
}

void Show_example_program_view() {
  signal_list_and_panel("Programa adibidea");
  show("CommandPU", 0, false);
  show("CommandAdib", 1, false);
  show("Commandmnetaem", 1, false);
  set_mn_eta_em_left(2760);
  show("Image1", 0, false);
  show_listing(false);
  if (engine().Example_opened) {
    nw().ctl("Frame6").set("ToolTipText", kExampleTooltip);
    show("CommandPU2", 0, true);
    show_listing(true);
    Show_example_diagram();
  } else {
    show("CommandPU2", 0, false);
  }
  if (engine().Example_loaded) {
    show("Commandmnetaem", 1, true);
    set_mn_eta_em_left(3480);
  }
}

void Show_example_program_view_opened() {
  nw().ctl("Frame2", 0).set_caption("Kontrol-seinaleak");
  show("Nadrel4", 1, false);
  show_end_rows(true);
  show("Frame7", -1, false);
  nw().ctl("Frame6").set_caption("Programa adibidea");
  nw().ctl("Frame6").set("ToolTipText", kExampleTooltip);
  show("CommandPU", 0, false);
  show("CommandPU2", 0, true);
  show("CommandAdib", 1, false);
  show("Commandmnetaem", 1, false);
  set_mn_eta_em_left(2760);
  show("Image1", 0, false);
  Show_example_diagram();
}

void Show_register_file_view_example_loaded() { register_file_view_after_file_step(true); }
void Show_register_file_view_example_unloaded() { register_file_view_after_file_step(false); }

}  // namespace brendalo
