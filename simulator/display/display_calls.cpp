// Where the control unit stands: the micro-address rows of the four grids,
// the state chart of ASM and its small copy on the main window, and the
// control-signal panel of the main window.
#include "simulator/display/display_calls.h"

#include "simulator/display/asm_window.h"
#include "simulator/display/grid_paint.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

namespace {

constexpr uint32_t kRowIdleLead = 0xC0C0C0, kRowIdleField = 0xE0E0E0;
constexpr uint32_t kRowMarkLead = 0xFF8080, kRowMarkField = 0xFFC0C0;
constexpr uint32_t kMiniIdle = 0xFFFFFF, kMiniLit = 0x80FF80;
constexpr uint32_t kStateTextIdle = 0xE0E0E0, kStateTextLit = 0x80FF80;

// Row `row` of the microprogram and control-memory grids: columns 1 and 2 of
// all four, then the field columns of the two control-memory grids.
void paint_micro_row(int row, uint32_t lead, uint32_t field) {
  Grid mikro_main = Nagusia_NadrelMikro();
  Grid mikro_window = Mikroprograma_NadrelMikro();
  Grid km_main = Nagusia_Nadrel1();
  Grid km_window = Kontrolmemoria_Nadrel2();
  for (Grid* g : {&mikro_main, &mikro_window, &km_main, &km_window})
    for (int col : {1, 2}) Paint_cell(*g, col, row, lead);
  for (int col = 3; col <= 21; ++col) {
    Paint_cell(km_main, col, row, field);
    Paint_cell(km_window, col, row, field);
  }
}

// The elements of state `s` of the chart in one look.
void paint_state(int s, int width, uint32_t back, uint32_t name) {
  ASM& chart = plat::form<ASM>();
  const AsmState& st = Asm_state(s);
  for (const AsmRef& l : st.lines) chart.ctl(l.name, l.index).set_border_width(width);
  chart.ctl(st.backdrop.name, st.backdrop.index).set_back_color(back);
  for (const AsmState::Signal& sig : st.actions) chart.ctl(sig.label.name, sig.label.index).set_back_color(back);
  if (st.name_box >= 0) chart.ctl("Text1", st.name_box).set_back_color(name);
}

bool is_state(int s) { return s >= 0 && s < kMicroinstructions; }

}  // namespace

void Show_micro_address() {
  EngineState& e = engine();
  int16_t previous = e.Previous_micro_address;
  paint_micro_row(previous + 1, kRowIdleLead, kRowIdleField);
  Unhighlight_asm_state(previous);
  int16_t current = e.Micro_address;
  paint_micro_row(current + 1, kRowMarkLead, kRowMarkField);
  Highlight_asm_state(current);
}

void Unhighlight_asm_state(int16_t& state) {
  Nagusia& m = plat::form<Nagusia>();
  // The small chart has no element for a number outside the states.
  if (!is_state(state)) return;
  m.ctl("Shape3", state).set_back_color(kMiniIdle);
  paint_state(state, kAsmIdleWidth, kAsmIdleBack, kAsmIdleName);
}

void Highlight_asm_state(int16_t& state) {
  Nagusia& m = plat::form<Nagusia>();
  if (!is_state(state)) return;
  m.ctl("Shape3", state).set_back_color(kMiniLit);
  paint_state(state, kAsmLitWidth, kAsmLitBack, kAsmLitName);
  plat::Control& text = m.ctl("Text4", 0);
  const AsmState& st = Asm_state(state);
  // The end-of-run replay of the fetch names no state; state 20 has no name.
  if (st.name == nullptr || (state == 0 && engine().Finishing_run)) {
    text.set_back_color(kStateTextIdle);
    text.set_text("");
  } else {
    text.set_back_color(kStateTextLit);
    text.set_text(std::string(st.name) + " exekuzioan");
  }
}

// ------------------------------------------------------------------ control-signal panel

namespace {

// One signal of the panel, in the order of the control word. Its marker is
// -1 for hMH1 and hMH0, which share ksUP(4), and for hD, which owns two.
struct SignalRow {
  int field, label, line, lamp, marker;
};
constexpr SignalRow kSignals[17] = {
    {8, 0, 0, 3, 5},     {9, 16, 16, 19, 6},  {10, 15, 15, 18, 7}, {11, 14, 14, 17, -1}, {12, 1, 1, 2, -1},
    {13, 13, 13, 16, 8}, {14, 11, 12, 15, 9}, {15, 12, 11, 14, 13}, {16, 10, 10, 13, 11}, {17, 9, 9, 12, 12},
    {18, 8, 8, 11, 10},  {19, 7, 7, 10, 16},  {20, 6, 6, 9, 14},   {21, 5, 5, 8, 15},    {22, 4, 4, 7, 2},
    {23, 3, 3, 6, 3},    {24, 2, 2, 5, -1},
};
constexpr uint32_t kLampLit = 0x80FFFF, kLampIdle = 0xE0E0E0;

void paint_signal(Nagusia& m, const SignalRow& r, bool lit) {
  m.ctl("Label5", r.label).set_font_bold(lit);
  m.ctl("Line153", r.line).set_border_width(lit ? 2 : 1);
  plat::Control& lamp = m.ctl("Shape6", r.lamp);
  lamp.set_border_width(lit ? 2 : 1);
  lamp.set_back_color(lit ? kLampLit : kLampIdle);
}

}  // namespace

void Show_control_signals() {
  Nagusia& m = plat::form<Nagusia>();
  const int row = engine().Micro_address;
  auto on = [row](int field) { return machine().Control_memory.at(size_t(row))[size_t(field)] == "1"; };
  for (const SignalRow& r : kSignals) {
    const bool lit = on(r.field);
    paint_signal(m, r, lit);
    if (r.marker >= 0) m.ctl("ksUP", r.marker).set_visible(lit);
    if (r.field == 12) m.ctl("ksUP", 4).set_visible(on(12) || on(11));
    if (r.field == 24) {
      m.ctl("ksUP", 1).set_visible(lit);
      m.ctl("ksUP", 0).set_visible(lit);
    }
  }
}

void Clear_control_signals() {
  Nagusia& m = plat::form<Nagusia>();
  for (const SignalRow& r : kSignals) paint_signal(m, r, false);
  for (int k = 0; k <= 16; ++k) m.ctl("ksUP", k).set_visible(false);
}

// ------------------------------------------------------------------ status panel 4

void Set_example_status_text(const std::string& text) { Set_status_panel(4, text); }

}  // namespace brendalo
