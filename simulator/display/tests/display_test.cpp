#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/forms/render.h"
#include "simulator/dialogs/konfiguratusim.h"
#include "simulator/display/aginduenformatua.h"
#include "simulator/display/asm_window.h"
#include "simulator/display/display_calls.h"
#include "simulator/display/grid_paint.h"
#include "simulator/display/pu_window.h"
#include "simulator/engine/conversions.h"
#include "simulator/engine/run_loop.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/tests/run_fixture.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/listings.h"
#include "simulator/mainwindow/run_commands.h"

namespace brendalo::testing {
namespace {

// The grids laid out as the start-up loading leaves them.
class Display : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    Refresh_registers_main();
    Refresh_registers_window();
  }
  static plat::Control& chart(AsmRef r) { return plat::form<ASM>().ctl(r.name, r.index); }
};

// ------------------------------------------------------------------ micro-address rows

TEST_F(Display, ShowMicroAddressRestoresThePreviousRowAndMarksTheCurrent) {
  struct Case {
    int16_t previous, current;
  };
  for (const Case c : {Case{0, 5}, Case{5, 21}, Case{21, 3}, Case{3, 3}}) {
    SCOPED_TRACE(std::to_string(c.previous) + " -> " + std::to_string(c.current));
    engine().Previous_micro_address = c.previous;
    engine().Micro_address = c.current;
    Show_micro_address();
    Grid mikro[] = {Nagusia_NadrelMikro(), Mikroprograma_NadrelMikro()};
    Grid km[] = {Nagusia_Nadrel1(), Kontrolmemoria_Nadrel2()};
    const int prev = c.previous + 1, cur = c.current + 1;
    for (Grid* g : {&mikro[0], &mikro[1], &km[0], &km[1]})
      for (int col : {1, 2}) {
        EXPECT_EQ(g->CellBackColor(col, cur), 0xFF8080) << col;
        if (prev != cur) {
          EXPECT_EQ(g->CellBackColor(col, prev), 0xC0C0C0) << col;
        }
      }
    for (Grid& g : km)
      for (int col = 3; col <= 21; ++col) {
        EXPECT_EQ(g.CellBackColor(col, cur), 0xFFC0C0) << col;
        if (prev != cur) {
          EXPECT_EQ(g.CellBackColor(col, prev), 0xE0E0E0) << col;
        }
      }
  }
}

// ------------------------------------------------------------------ state chart

TEST_F(Display, AStateLightsItsOwnBoxAndNameAndGoesBackToRest) {
  struct Case {
    int16_t state;
    int name_box;  // Text1 element, -1 for none
    const char* text;
  };
  const Case cases[] = {{0, 0, "BIL1 exekuzioan"},   {1, 7, "BIL2 exekuzioan"},    {12, 13, "Ir_LDX exekuzioan"},
                        {13, 12, "A_LDX exekuzioan"}, {9, 9, "H/Id_LD exekuzioan"}, {21, 20, "Id_PC exekuzioan"},
                        {20, -1, ""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    int16_t s = c.state;
    Highlight_asm_state(s);
    const AsmState& st = Asm_state(s);
    for (const AsmRef& l : st.lines) EXPECT_EQ(chart(l).border_width(), 3) << l.name;
    EXPECT_EQ(chart(st.backdrop).back_color(), 0x80FF80u);
    for (const auto& a : st.actions) EXPECT_EQ(chart(a.label).back_color(), 0x80FF80u) << a.caption;
    if (c.name_box >= 0) {
      EXPECT_EQ(plat::form<ASM>().ctl("Text1", c.name_box).back_color(), 0xC0FFC0u);
      EXPECT_EQ(plat::form<ASM>().ctl("Text1", c.name_box).text() + " exekuzioan", c.text);
    }
    EXPECT_EQ(nw("Shape3", s).back_color(), 0x80FF80u);
    EXPECT_EQ(nw("Text4", 0).text(), c.text);
    EXPECT_EQ(nw("Text4", 0).back_color(), *c.text ? 0x80FF80u : 0xE0E0E0u);

    Unhighlight_asm_state(s);
    for (const AsmRef& l : st.lines) EXPECT_EQ(chart(l).border_width(), 2) << l.name;
    EXPECT_EQ(chart(st.backdrop).back_color(), 0xFFFFFFu);
    for (const auto& a : st.actions) EXPECT_EQ(chart(a.label).back_color(), 0xFFFFFFu) << a.caption;
    for (int k : plat::form<ASM>().indices("Text1")) EXPECT_EQ(plat::form<ASM>().ctl("Text1", k).back_color(), 0xE0E0E0u);
    EXPECT_EQ(nw("Shape3", s).back_color(), 0xFFFFFFu);
    // The state text is the end command's to empty.
    EXPECT_EQ(nw("Text4", 0).text(), c.text);
  }
}

TEST_F(Display, TheEndOfRunReplayLightsStateZeroWithoutNamingIt) {
  engine().Previous_micro_address = 19;
  engine().Micro_address = 0;
  engine().Finishing_run = kFlagTrue;
  Show_micro_address();
  EXPECT_EQ(chart(Asm_state(0).backdrop).back_color(), 0x80FF80u);
  EXPECT_EQ(plat::form<ASM>().ctl("Text1", 0).back_color(), 0xC0FFC0u);
  EXPECT_EQ(nw("Shape3", 0).back_color(), 0x80FF80u);
  EXPECT_EQ(nw("Shape3", 19).back_color(), 0xFFFFFFu);
  EXPECT_EQ(nw("Text4", 0).text(), "");
  EXPECT_EQ(nw("Text4", 0).back_color(), 0xE0E0E0u);
  EXPECT_EQ(Nagusia_Nadrel1().CellBackColor(1, 1), 0xFF8080);
}

TEST_F(Display, AClosedChartComesBackAtRestAndShowsOnlyLaterStates) {
  int16_t s = 4;
  Highlight_asm_state(s);
  plat::unload_form(ASM::kName);
  QApplication::processEvents();
  int16_t t = 5;
  Highlight_asm_state(t);
  EXPECT_EQ(chart(Asm_state(4).backdrop).back_color(), 0xFFFFFFu);
  EXPECT_EQ(chart(Asm_state(5).backdrop).back_color(), 0x80FF80u);
}

// ------------------------------------------------------------------ control-signal panel

struct PanelLook {
  std::set<int> bold_labels, thick_lines, lit_lamps, shown_markers;
};

PanelLook panel(Nagusia& m) {
  PanelLook p;
  for (int k = 0; k <= 16; ++k) {
    if (m.ctl("Label5", k).font_bold()) p.bold_labels.insert(k);
    if (m.ctl("Line153", k).border_width() == 2) p.thick_lines.insert(k);
    if (m.ctl("ksUP", k).visible()) p.shown_markers.insert(k);
  }
  for (int k : {2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}) {
    plat::Control& lamp = m.ctl("Shape6", k);
    const bool lit = lamp.back_color() == 0x80FFFF;
    EXPECT_EQ(lamp.border_width(), lit ? 2 : 1) << k;
    if (!lit) {
      EXPECT_EQ(lamp.back_color(), 0xE0E0E0u) << k;
    }
    if (lit) p.lit_lamps.insert(k);
  }
  return p;
}

TEST_F(Display, TheSignalPanelShowsTheOnesOfTheRowAndClears) {
  struct Case {
    const char* what;
    std::string word;  // the 17 signal fields, MCS first
    PanelLook look;
  };
  const std::string zeros(17, '0');
  auto with = [&zeros](std::initializer_list<std::pair<int, char>> set) {
    std::string s = zeros;
    for (auto [field, v] : set) s[size_t(field - 8)] = v;
    return s;
  };
  const Case cases[] = {
      {"nothing", std::string(8, 'X') + std::string(9, '0'), {}},
      {"hMH1 alone", with({{11, '1'}}), {{14}, {14}, {17}, {4}}},
      {"hMH1 X, hMH0 1", with({{11, 'X'}, {12, '1'}}), {{1}, {1}, {2}, {4}}},
      {"hD", with({{24, '1'}}), {{2}, {2}, {5}, {0, 1}}},
      {"LD_IR2, not LD_EM", with({{14, '1'}}), {{11}, {12}, {15}, {9}}},
      {"LD_EM", with({{15, '1'}}), {{12}, {11}, {14}, {13}}},
  };
  engine().Micro_address = 7;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (int f = 0; f < 17; ++f) machine().Control_memory[7][size_t(8 + f)] = std::string(1, c.word[size_t(f)]);
    Show_control_signals();
    const PanelLook p = panel(main_window());
    EXPECT_EQ(p.bold_labels, c.look.bold_labels);
    EXPECT_EQ(p.thick_lines, c.look.thick_lines);
    EXPECT_EQ(p.lit_lamps, c.look.lit_lamps);
    EXPECT_EQ(p.shown_markers, c.look.shown_markers);
  }
  // The fetch of the built-in microprogram: MCS, MOE, LD_IR1, LD_PC, LD_PCi.
  engine().Micro_address = 0;
  Show_control_signals();
  PanelLook p = panel(main_window());
  EXPECT_EQ(p.bold_labels, (std::set<int>{0, 16, 13, 4, 3}));
  EXPECT_EQ(p.thick_lines, (std::set<int>{0, 16, 13, 4, 3}));
  EXPECT_EQ(p.lit_lamps, (std::set<int>{3, 19, 16, 7, 6}));
  EXPECT_EQ(p.shown_markers, (std::set<int>{5, 6, 8, 2, 3}));
  Clear_control_signals();
  p = panel(main_window());
  EXPECT_TRUE(p.bold_labels.empty() && p.thick_lines.empty() && p.lit_lamps.empty() && p.shown_markers.empty());
}

// ------------------------------------------------------------------ process-unit drawing

std::string key(const PuRef& r) { return std::string(r.name) + "(" + std::to_string(r.index) + ")"; }

// Every animated element of PU that is lit now.
std::set<std::string> lit_elements() {
  PU& pu = plat::form<PU>();
  std::set<std::string> lit;
  for (int p = 0; p < kPuPaths; ++p) {
    const PuRow& row = Pu_path(PuPath(p));
    for (const auto* group : {&row.names, &row.inputs, &row.ports})
      for (const PuRef& r : *group) {
        const uint32_t c = pu.ctl(r.name, r.index).back_color();
        if (c == kPuNameLit || c == kPuPortLit) lit.insert(key(r));
      }
    for (const PuRef& r : row.wires)
      if (pu.ctl(r.name, r.index).border_color() == kPuWireLit) lit.insert(key(r));
  }
  return lit;
}

std::set<std::string> elements_of(std::initializer_list<PuPath> paths) {
  std::set<std::string> s;
  for (PuPath p : paths) {
    const PuRow& row = Pu_path(p);
    for (const auto* group : {&row.names, &row.inputs, &row.ports, &row.wires})
      for (const PuRef& r : *group) s.insert(key(r));
  }
  return s;
}

TEST_F(Display, TheProcessUnitLightsThePathsOfTheRowAndResets) {
  using P = PuPath;
  struct Case {
    int16_t address;
    std::vector<std::pair<int, const char*>> edits;  // field, text
    std::initializer_list<PuPath> paths;
  };
  const Case cases[] = {
      {0, {}, {P::A, P::B1, P::C1, P::D1, P::J, P::K, P::L, P::L0}},
      {14, {}, {P::A, P::B2, P::C1, P::E, P::E1}},
      {2, {}, {P::M}},
      // Both select bits 1 or an X: the memory lights without an address input.
      {7, {{8, "1"}, {11, "1"}, {12, "1"}}, {P::A}},
      {7, {{8, "1"}, {11, "X"}, {12, "0"}, {9, "1"}, {10, "1"}}, {P::A, P::C1}},
      {7, {{8, "1"}, {11, "1"}, {12, "0"}, {10, "1"}}, {P::A, P::B3, P::C2}},
      {7, {{13, "1"}, {14, "1"}}, {P::D1}},
      {7, {{15, "X"}, {18, "1"}, {19, "1"}}, {}},
      {7, {{15, "0"}, {18, "1"}, {19, "1"}, {17, "X"}}, {P::F, P::G}},
      {7, {{15, "0"}, {19, "1"}, {17, "1"}}, {P::G, P::G1}},
      {7, {{15, "1"}, {16, "0"}, {18, "1"}}, {P::E, P::E0}},
      {7, {{21, "1"}, {20, "1"}}, {P::H, P::H1}},
      {7, {{21, "1"}, {20, "0"}, {24, "1"}}, {P::H, P::H0, P::L, P::L1}},
      {7, {{24, "X"}, {22, "1"}}, {P::J}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("micro-address " + std::to_string(c.address) + ", " + std::to_string(c.edits.size()) + " edits");
    Load_control_memory();
    if (!c.edits.empty())
      for (int f = 8; f <= 24; ++f) machine().Control_memory[size_t(c.address)][size_t(f)] = "X";
    for (auto [field, text] : c.edits) machine().Control_memory[size_t(c.address)][size_t(field)] = text;
    engine().Micro_address = c.address;
    Reset_process_unit_diagram();
    Highlight_process_unit_diagram();
    EXPECT_EQ(lit_elements(), elements_of(c.paths));
    Reset_process_unit_diagram();
    EXPECT_TRUE(lit_elements().empty());
  }
}

TEST_F(Display, TheResetLooksExactlyAsTheNewWindow) {
  PU& fresh = plat::form<PU>();
  std::vector<std::string> before;
  for (const auto& c : fresh.controls()) before.push_back(c->get("BackColor").to_string() + c->get("BorderColor").to_string());
  engine().Micro_address = 0;
  Highlight_process_unit_diagram();
  Reset_process_unit_diagram();
  std::vector<std::string> after;
  for (const auto& c : fresh.controls()) after.push_back(c->get("BackColor").to_string() + c->get("BorderColor").to_string());
  EXPECT_EQ(after, before);
  // LD_EM's own name is never lit.
  EXPECT_EQ(fresh.ctl("Label3", 12).back_color(), 0xC0C0C0u);
}

// ------------------------------------------------------------------ grid marks and vector helpers

TEST_F(Display, RegisterMarksTakeOnlyTheFiveNamesAndUnmarkToTheOrdinaryLook) {
  Grid regs[] = {Nagusia_Nadrel4(), MNetaEM_Nadrel1()};
  auto row_colours = [&regs](int row) {
    std::vector<int32_t> c;
    for (Grid& g : regs)
      for (int col = 1; col <= 3; ++col) c.push_back(g.CellBackColor(col, row));
    return c;
  };
  const std::vector<int32_t> marked(6, 0x8080FF), rest = {0xC0C0C0, 0xE0E0E0, 0xE0E0E0, 0xC0C0C0, 0xE0E0E0, 0xE0E0E0};
  for (const char* name : {"r6", "R1", ""}) {
    std::vector<std::vector<int32_t>> before;
    for (int row = 1; row <= 32; ++row) before.push_back(row_colours(row));
    Mark_register(name);
    for (int row = 1; row <= 32; ++row) EXPECT_EQ(row_colours(row), before[size_t(row - 1)]) << name << " " << row;
  }
  Mark_register("r1");
  Mark_register("r1");
  EXPECT_EQ(row_colours(2), marked);
  Unmark_register("r1");
  EXPECT_EQ(row_colours(2), rest);
  Mark_register("r5");
  EXPECT_EQ(row_colours(6), marked);
}

TEST_F(Display, InstructionRowsUnmarkToTheirWordColours) {
  Mark_memory_row(51);
  Mark_memory_row(52);
  Unmark_instruction_rows(51);
  for (Grid g : {Nagusia_Nadrel3(), MNetaEM_Nadrel3()}) {
    EXPECT_EQ(g.CellBackColor(1, 51), 0xE0E0E0);
    EXPECT_EQ(g.CellBackColor(2, 51), 0xFFFFC0);
    EXPECT_EQ(g.CellBackColor(2, 52), 0xFFC0FF);
    EXPECT_EQ(g.CellBackColor(3, 52), 0xE0E0E0);
  }
}

TEST_F(Display, ElementsReadAsSixteenBitNumbers) {
  struct Case {
    std::vector<int16_t> bits;  // columns 0..15
    int32_t value;
  };
  auto bits = [](int sign, int rest) {
    std::vector<int16_t> b(16, int16_t(rest));
    b[0] = int16_t(sign);
    return b;
  };
  std::vector<int16_t> two(16, 0);
  two[14] = 1;
  two[13] = 2;  // anything but 1 counts 0
  const Case cases[] = {{bits(1, 0), -32768}, {bits(0, 1), 32767}, {bits(1, 1), -1}, {bits(0, 0), 0}, {two, 2}};
  engine().Example_iteration = 3;
  for (const Case& c : cases) {
    for (int j = 0; j < 16; ++j) {
      machine().Main_memory_bits[2][size_t(j)] = c.bits[size_t(j)];
      machine().Main_memory_bits[18][size_t(j)] = c.bits[size_t(j)];
    }
    EXPECT_EQ(Read_example_a_element(), c.value);
    EXPECT_EQ(Read_example_b_element(), c.value);
  }
}

TEST_F(Display, ACElementIsStoredAsTextInMemoryAndBothGrids) {
  struct Case {
    int32_t value;
    const char* text;
  };
  const Case cases[] = {{-1, "     1111   1111   1111   1111"},
                        {0, "     0000   0000   0000   0000"},
                        {5, "     0000   0000   0000   0101"},
                        {32768, "     1000   0000   0000   0000"}};  // an edited sum past 16 bits keeps its low bits
  engine().Example_iteration = 4;
  for (const Case& c : cases) {
    Write_example_c_element(c.value);
    EXPECT_EQ(machine().Main_memory_text[35], c.text);
    EXPECT_EQ(Nagusia_Nadrel3().TextMatrix(36, 2), c.text);
    EXPECT_EQ(MNetaEM_Nadrel3().TextMatrix(36, 2), std::string(6, ' ') + c.text);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(Word_bits[size_t(i)], c.text[5 + i + 3 * (i / 4)] - '0') << i;
  }
}

// A grid that no listing has laid out that far has fewer rows than a mark
// names: only such a write is left out; a wrong column or argument order
// ends with the grid's error.
TEST_F(Display, ACellWriteLeavesOutOnlyARowTheGridDoesNotHave) {
  Grid g = MNetaEM_Nadrel3();
  const int rows = g.Rows();
  EXPECT_NO_THROW(Paint_cell(g, 2, rows + 1, 0x8080FF));
  EXPECT_NO_THROW(Write_cell_text(g, rows + 1, 2, "x"));
  EXPECT_EQ(g.Rows(), rows);
  EXPECT_THROW(Paint_cell(g, 48, 2, 0x8080FF), plat::com::RuntimeError);  // row and column swapped
  EXPECT_THROW(Write_cell_text(g, 2, 48, "x"), plat::com::RuntimeError);
  Paint_cell(g, 2, 48, 0x8080FF);
  EXPECT_EQ(g.CellBackColor(2, 48), 0x8080FF);
}

// ------------------------------------------------------------------ the example program

class ExampleDisplay : public Display {
 protected:
  void SetUp() override {
    Display::SetUp();
    main_window().Artxibo3_Click(1);
    main_window().Artxibo6_Click(1);
  }
};

TEST_F(ExampleDisplay, AWholeRunLeavesTheRegistersAndVectorCAsTheProgramComputes) {
  // A(i) = 7 and B(i) = -3 for element 2: r5 and C(2) become 4.
  for (int j = 0; j < 16; ++j) {
    machine().Main_memory_bits[1][size_t(j)] = int16_t(j >= 13);                // 7
    machine().Main_memory_bits[17][size_t(j)] = int16_t(j != 14 && j != 15);   // -3 = ...1101
  }
  machine().Main_memory_bits[17][15] = 1;
  ASSERT_EQ(Data_word_value(17), -3);
  std::vector<std::string> r5_texts, pcs;
  clock.messages.clear();
  plat::PropertyLog::start();
  Simulazioa4_Click(5);
  for (const plat::PropWrite& w : plat::PropertyLog::writes())
    if (w.form == "Nagusia" && w.control == "StatusBar1" && w.property == "Panels(4).Text" && !w.value.to_string().empty())
      pcs.push_back(w.value.to_string());

  // The program counter: the start, then each fetch and the loop's jumps.
  ASSERT_GE(pcs.size(), 5u);
  EXPECT_EQ(pcs[0], "PC:16384 (4000H)");
  EXPECT_EQ(pcs[1], "PC:16385 (4001H)");
  EXPECT_EQ(pcs[2], "PC:16386 (4002H)");
  EXPECT_EQ(pcs[3], "PC:16387 (4003H)");
  int back_to_segi = 0;
  for (const std::string& pc : pcs) back_to_segi += pc == "PC:16388 (4004H)";
  EXPECT_EQ(back_to_segi, 1 + 15);  // the fetch of instruction 2, then fifteen jumps back
  EXPECT_EQ(pcs.back(), "PC:16404 (4014H)");

  const auto& regs = machine().Register_file_text;
  EXPECT_EQ(regs[1][1], std::string(9, ' ') + "16");
  EXPECT_EQ(regs[2][1], std::string(9, ' ') + "0");
  EXPECT_EQ(regs[2][2], "  " + std::string(16, '0'));
  EXPECT_EQ(regs[3][1], std::string(9, ' ') + std::to_string(Data_word_value(15)));
  EXPECT_EQ(regs[4][1], std::string(9, ' ') + std::to_string(Data_word_value(31)));
  EXPECT_EQ(regs[5][1], std::string(9, ' ') + std::to_string(Data_word_value(15) + Data_word_value(31)));
  for (int i = 0; i < 16; ++i)
    EXPECT_EQ(machine().Main_memory_text[size_t(32 + i)],
              Main_memory_word_text(Data_word_value(i) + Data_word_value(16 + i)))
        << i;
  EXPECT_EQ(machine().Main_memory_text[33], "     0000   0000   0000   0100");
  // The registers' grids show the table; the last register written is r2, unmarked at the end.
  EXPECT_EQ(Nagusia_Nadrel4().TextMatrix(6, 2), regs[5][1]);
  EXPECT_EQ(MNetaEM_Nadrel1().TextMatrix(2, 2), "   " + regs[1][1]);
  EXPECT_EQ(Nagusia_Nadrel4().CellBackColor(1, 3), 0xC0C0C0);
  // The last C element stays marked as written; the run ends on the end label.
  EXPECT_EQ(Nagusia_Nadrel3().CellBackColor(2, 48), 0xC0FFFF);
  EXPECT_EQ(Nagusia_Nadrel3().CellBackColor(2, 47), 0xC0E0FF);
  EXPECT_EQ(MNetaEM_Nadrel3().CellBackColor(1, 71), 0xE0E0E0);
  EXPECT_EQ(Nagusia_Nadrel3().CellBackColor(2, 69), 0xFFFFC0);
}

TEST_F(ExampleDisplay, EachStepMarksTheWordsAndRegistersItUses) {
  struct Case {
    int16_t instruction, address;
    std::vector<int> read_rows;   // memory rows marked 0xC000C0
    int register_row;             // register row marked, 0 none
  };
  engine().Example_iteration = 2;
  const Case cases[] = {{1, 0, {51}, 0}, {1, 1, {52}, 0},  {1, 8, {}, 2},     {2, 8, {}, 3},
                        {3, 12, {2}, 0}, {3, 14, {}, 4},   {4, 12, {18}, 0},  {4, 14, {}, 5},
                        {5, 5, {}, 6},   {8, 8, {}, 3},    {3, 0, {55}, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.instruction) + "@" + std::to_string(c.address));
    engine().Example_instruction = c.instruction;
    engine().Micro_address = c.address;
    Step_example_display();
    for (int row : c.read_rows)
      for (Grid g : {Nagusia_Nadrel3(), MNetaEM_Nadrel3()})
        for (int col = 1; col <= 3; ++col) EXPECT_EQ(g.CellBackColor(col, row), 0xC000C0) << row;
    if (c.register_row) {
      for (Grid g : {Nagusia_Nadrel4(), MNetaEM_Nadrel1()}) EXPECT_EQ(g.CellBackColor(2, c.register_row), 0x8080FF);
    }
  }
  // The fetch of instruction 3 gave back the words of 2 and of the loop's jump.
  EXPECT_EQ(Nagusia_Nadrel3().CellBackColor(2, 53), 0xFFFFC0);
  EXPECT_EQ(Nagusia_Nadrel3().CellBackColor(2, 70), 0xFFC0FF);
  // Outside the program nothing changes.
  for (int16_t n : {0, 11}) {
    engine().Example_instruction = n;
    engine().Micro_address = 0;
    plat::PropertyLog::start();
    Step_example_display();
    EXPECT_TRUE(plat::PropertyLog::writes().empty()) << n;
    plat::PropertyLog::stop();
  }
}

// ------------------------------------------------------------------ the picture windows

TEST_F(Display, ThePictureWindowsCarryTheirStatusBarAndPeriodButtons) {
  for (plat::Form* f : std::initializer_list<plat::Form*>{&plat::form<ASM>(), &plat::form<PU>(),
                                                          &plat::form<Aginduenformatua>()}) {
    SCOPED_TRACE(f->name());
    EXPECT_NE(f->find("StatusBar1"), nullptr);
    EXPECT_EQ(f->ctl("Command2", 0).caption(), "+");
    EXPECT_EQ(f->ctl("Command2", 0).get("ToolTipText").to_string(), "clk1 denbora segundu batean handiagotu");
    EXPECT_EQ(f->ctl("Command2", 1).get("ToolTipText").to_string(), "clk1 denbora segundu batean txikiagotu");
    engine().Clk1_period_text = "11";
    plat::form<KonfiguratuSIM>().ctl("Combo1", 0).set_text("11");
    f->click("Command2", 0);
    EXPECT_EQ(engine().Clk1_period_text, "12");
  }
  EXPECT_EQ(plat::form<Aginduenformatua>().window_state(), 2);
  Set_example_status_text("PC:16385 (4001H)");
  for (StatusWindow w : kStatusOrder)
    EXPECT_EQ(plat::panel_text(Status_window(w).ctl("StatusBar1"), 4), "PC:16385 (4001H)");
}

#ifdef BRENDALO_SOURCE_DIR
TEST_F(Display, PicturesOfThePictureWindows) {
  // A mid-run look: the chart at A_LDX, the process unit at micro-address 14.
  engine().Previous_micro_address = 0;
  engine().Micro_address = 13;
  Show_micro_address();
  engine().Micro_address = 14;
  Highlight_process_unit_diagram();
  struct Pic {
    plat::Form& form;
    const char* file;
  };
  const Pic pics[] = {{plat::form<ASM>(), "/docs/asm.png"},
                      {plat::form<PU>(), "/docs/pu.png"},
                      {plat::form<Aginduenformatua>(), "/docs/aginduenformatua.png"}};
  for (const Pic& p : pics) {
    p.form.set_window_state(0);
    EXPECT_TRUE(plat::save_form_png(p.form, std::string(BRENDALO_SOURCE_DIR) + p.file)) << p.file;
  }
}
#endif

}  // namespace
}  // namespace brendalo::testing
