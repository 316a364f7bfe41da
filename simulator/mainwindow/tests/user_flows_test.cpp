// What a teacher and a student do, from start-up to exit, driven only the way
// a user can: menu items, toolbar buttons, window buttons, keys on the grids,
// message boxes answered as they come.
#include <QAction>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gridcontrol/nadrel_ids.h"
#include "platform/comctl/comctl.h"
#include "platform/forms/hosted.h"
#include "platform/display/display_modes.h"
#include "simulator/dialogs/abiarazi.h"
#include "simulator/dialogs/ademaitza.h"
#include "simulator/dialogs/bereizmena.h"
#include "simulator/dialogs/birprogramatumikroagindua.h"
#include "simulator/dialogs/datuenaldaketa.h"
#include "simulator/dialogs/datuenaldaketarakopausoa.h"
#include "simulator/dialogs/emkoerrenkada.h"
#include "simulator/dialogs/galdera.h"
#include "simulator/dialogs/konfiguratusim.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/engine/conversions.h"
#include "simulator/engine/run_loop.h"
#include "simulator/display/asm_window.h"
#include "simulator/engine/tests/run_fixture.h"
#include "simulator/machine/grids.h"
#include "simulator/mainwindow/grid_guards.h"
#include "simulator/mainwindow/run_commands.h"

namespace brendalo::testing {
namespace {

using plat::DisplayMode;

class UserFlow : public RunTest {
 protected:
  // Nothing is loaded before start-up: the program starts from Bereizmena.
  void SetUp() override { SimulatorTest::SetUp(); }
  void TearDown() override {
    plat::set_display(nullptr);
    RunTest::TearDown();
  }

  // Start-up as the user sees it: the display check, the splash window's
  // Basque label, the nine loading ticks.
  void start_program(DisplayMode current) {
    screen = std::make_unique<plat::ScriptedDisplay>(
        std::vector<DisplayMode>{{1024, 768, 16}, {1280, 1024, 32}}, current);
    plat::set_display(screen.get());
    plat::form<Bereizmena>();
    if (!plat::is_loaded<Abiarazi>()) clock.advance(2250);  // the mode switch
    ASSERT_TRUE(plat::is_loaded<Abiarazi>());
    Abiarazi& a = plat::form<Abiarazi>();
    a.fire(a.ctl("Label5", 1), plat::Event::Click);
    clock.advance(9000);
    ASSERT_FALSE(plat::is_loaded<Abiarazi>());
    ASSERT_TRUE(main_window().visible());
  }

  void menu(const char* item, int group) {
    QAction* a = nw(item, group).action();
    ASSERT_NE(a, nullptr) << item;
    a->trigger();
  }
  void toolbar(int button) { plat::press_toolbar_button(nw("Toolbar1"), button); }
  bool tool_enabled(int button) { return plat::toolbar_button_enabled(nw("Toolbar1"), button); }
  std::string panel(int p) { return plat::panel_text(nw("StatusBar1"), p); }
  std::vector<std::string> message_texts() const {
    std::vector<std::string> r;
    for (const auto& m : clock.messages) r.push_back(m.text);
    return r;
  }

  // The look between runs: waiting for an instruction, the run commands
  // enabled, pause/continue/end and the clock buttons out of reach.
  void expect_idle(bool after_run = true) {
    EXPECT_FALSE(Run_in_progress());
    EXPECT_TRUE(main_window().enabled());
    EXPECT_EQ(panel(1), "Aginduaren zain");
    for (const char* item : {"Simulazioa1", "Simulazioa2", "Simulazioa3"}) EXPECT_TRUE(nw(item, 5).enabled()) << item;
    for (const char* item : {"Simulazioa9", "Simulazioa10", "Simulazioa11"})
      EXPECT_FALSE(nw(item, 5).enabled()) << item;
    // Before the first run the toolbar keeps its design look.
    if (after_run) {
      EXPECT_FALSE(tool_enabled(1));
      EXPECT_FALSE(tool_enabled(2));
      EXPECT_TRUE(tool_enabled(6));
    }
    EXPECT_FALSE(nw("Command3", 0).visible());
    EXPECT_FALSE(nw("Command3", 1).visible());
    EXPECT_EQ(engine().Instruction_running, kFlagFalse);
  }
  // Inside a run: no run command reaches another run.
  void expect_running() {
    EXPECT_TRUE(Run_in_progress());
    for (const char* item : {"Simulazioa1", "Simulazioa2", "Simulazioa3", "Simulazioa4"}) {
      EXPECT_FALSE(nw(item, 5).enabled()) << item;
      nw(item, 5).action()->trigger();
    }
    QTest::keyClick(main_window().window(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(nw("Simulazioa11", 5).enabled());
  }

  // The cell chosen, then a key typed on the grid's cell surface: the grid's
  // guard answers instead of an editor, and the cell keeps its text.
  void type_into_cell(plat::Control& grid, Grid g, int row, int col) {
    QWidget* cells = grid.widget()->findChild<QWidget*>("picGrid");
    ASSERT_NE(cells, nullptr);
    cells->setFocus();
    g.object().let(nadrel::dispid::Row, {row});
    g.object().let(nadrel::dispid::Col, {col});
    const std::string before = g.TextMatrix(row, col);
    QTest::keyClick(cells, '1');
    const auto* editor = grid.widget()->findChild<QWidget*>("txtEdit");
    EXPECT_TRUE(editor == nullptr || editor->isHidden()) << grid.name();
    EXPECT_EQ(g.TextMatrix(row, col), before) << grid.name();
  }
  void type_into_cell(const char* grid, Grid g, int row, int col) { type_into_cell(nw(grid), g, row, col); }

  // A key of the main window, as the user types it there.
  void key(Qt::Key k) {
    main_window().SetFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main_window().window()));
    QTest::keyClick(main_window().window(), k);
  }

  // The open editor's control word made to go on instead of jumping
  // (BK1 BK0 = 00, J4..J0 = XXXXX): a change the rules accept.
  static void make_go_on(Birprogramatumikroagindua& e) {
    for (const auto& b : Birprogramatumikroagindua::kButtons) {
      if (b.field == field::BK1 || b.field == field::BK0) e.click("Command2", b.zero);
      if (b.field >= field::J4 && b.field <= field::J0) e.click("Command2", b.x);
    }
  }
  // The editor for micro-address n opened through the File menu: the step
  // dialog, the question's "&Bai". This road disables no window.
  Birprogramatumikroagindua& edit_from_file_menu(int n) {
    menu("Artxiboaldatu", 1);
    plat::Form& step = *plat::loaded_form("Birprogramaziorakopausoa");
    step.ctl("Combo1").set_text(std::to_string(n));
    step.click("Command3", 0);
    plat::form<Galdera>().click("Command1", 0);
    EXPECT_TRUE(main_window().enabled());
    return plat::form<Birprogramatumikroagindua>();
  }
  static std::string control_word(int n) {
    std::string s;
    for (int i = 0; i < kControlWordLength; ++i) s += machine().Control_memory[size_t(n)][size_t(i)];
    return s;
  }

  // The colours of every cell of the four main-window grids and of the two
  // window listings: the idle look a run must come back to.
  static std::vector<int32_t> grid_colours() {
    std::vector<int32_t> r;
    for (Grid g : {Nagusia_NadrelMikro(), Nagusia_Nadrel1(), Nagusia_Nadrel4(), Nagusia_Nadrel3(),
                   Mikroprograma_NadrelMikro(), Kontrolmemoria_Nadrel2()}) {
      const int cols = g.object().get(nadrel::dispid::Cols).to_i4();
      for (int row = 0; row < g.Rows(); ++row)
        for (int col = 0; col < cols; ++col) {
          r.push_back(g.CellBackColor(col, row));
          r.push_back(g.CellForeColor(col, row));
        }
    }
    return r;
  }

  std::unique_ptr<plat::ScriptedDisplay> screen;
};

// -------------------------------------------------------------- flow 1

TEST_F(UserFlow, StartUpThenOneInstructionInEachMode) {
  start_program({1024, 768, 16});
  EXPECT_TRUE(screen->set_calls.empty());
  expect_idle(false);
  EXPECT_FALSE(nw("Simulazioa4", 5).enabled());
  EXPECT_TRUE(nw("Artxibo3", 1).enabled());
  std::vector<int32_t> idle_colours;  // after a whole run: micro-address 0 marked

  // Continuous, paused and continued from the toolbar in the middle.
  {
    instructions = {"  ADD:     ADD rh, ri1, ri2"};
    start_user();
    bool paused_seen = false;
    const int64_t t0 = clock.now_ms();
    clock.at(t0 + 8'000, [&] {
      expect_running();
      EXPECT_EQ(panel(1), "KU simulatzen");
      EXPECT_TRUE(tool_enabled(2));
      toolbar(2);
      EXPECT_EQ(panel(1), "Simulazioa geldirik");
      EXPECT_TRUE(nw("Simulazioa10", 5).enabled());
      EXPECT_FALSE(nw("Simulazioa9", 5).enabled());
      EXPECT_TRUE(tool_enabled(1));
      EXPECT_TRUE(tool_enabled(5));
    });
    int64_t counter_at_pause = 0;
    clock.at(t0 + 9'000, [&] { counter_at_pause = int64_t(rec.waits.size()); });
    clock.at(t0 + 60'000, [&] {
      // Nothing moved while paused.
      EXPECT_EQ(int64_t(rec.waits.size()), counter_at_pause);
      paused_seen = true;
      toolbar(1);
      EXPECT_EQ(panel(1), "KU simulatzen");
    });
    clock.messages.clear();
    menu("Simulazioa1", 5);
    EXPECT_TRUE(paused_seen);
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(message_texts(), std::vector<std::string>{"Aginduaren simulazioa amaitu da"});
    expect_idle();
    idle_colours = grid_colours();
  }

  // Cycle by cycle, clk1 pressed by the user; RESET in the middle restarts
  // the run, which asks for an instruction again.
  {
    instructions = {"  MOV:     MOV rh, ri", "  SUB:     SUB rh, ri1, ri2"};
    answers = 0;
    press_clk1 = true;
    const int64_t t0 = clock.now_ms();
    start_user();
    clock.at(t0 + 20'000, [&] {
      expect_running();
      EXPECT_TRUE(nw("Command3", 0).visible());
      EXPECT_FALSE(nw("Command3", 1).visible());
      main_window().click("Command1");
    });
    clock.messages.clear();
    plat::PropertyLog::start();
    menu("Simulazioa2", 5);
    // Fetched from micro-address 0 twice, then the closing replay.
    const std::vector<std::string> c = counter_captions();
    EXPECT_EQ(std::count(c.begin(), c.end(), std::string("00000")), 3);
    EXPECT_EQ(c.back(), "00000");
    EXPECT_EQ(grid_colours(), idle_colours);
    // The instruction is asked after the reset, in the restarted run.
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(instructions.size(), 1u);
    instructions.clear();
    EXPECT_GT(pulses[0], 0);
    EXPECT_EQ(message_texts(), std::vector<std::string>{"Aginduaren simulazioa amaitu da"});
    expect_idle();
    press_clk1 = false;
  }

  // Step by step, clk1 and clk2; "Amaitu simulazioa" in the middle.
  {
    instructions = {"  LD:      LD rh, ALDAGAIA"};
    answers = 0;
    press_clk1 = press_clk2 = true;
    start_user();
    int64_t ended_at = 0;
    // Ended once the instruction was given.
    std::function<void()> end_after_answer = [&] {
      if (answers == 0) {
        clock.after(1000, end_after_answer);
        return;
      }
      expect_running();
      EXPECT_TRUE(nw("Command3", 0).visible());
      EXPECT_TRUE(nw("Command3", 1).visible());
      menu("Simulazioa11", 5);
      ended_at = clock.now_ms();
    };
    clock.after(1000, end_after_answer);
    clock.messages.clear();
    plat::PropertyLog::start();
    menu("Simulazioa3", 5);
    EXPECT_EQ(answers, 1);
    EXPECT_GT(pulses[1], 0);
    ASSERT_GT(ended_at, 0);
    EXPECT_LT(clock.now_ms() - ended_at, 60'000);
    // The run stopped before the instruction's own micro-address 9.
    const std::vector<std::string> c = counter_captions();
    EXPECT_EQ(std::count(c.begin(), c.end(), std::string("01001")), 0);
    EXPECT_EQ(grid_colours(), idle_colours);
    expect_idle();
    press_clk1 = press_clk2 = false;
  }
}

// Every status bar agrees with the others from its first showing: each window
// opened after start-up, the microinstruction editor (created afresh at each
// opening) after a period change, and the chart closed and opened again in
// the middle of a run.
TEST_F(UserFlow, EveryStatusBarShowsTheCurrentTextsFromItsFirstShowing) {
  start_program({1024, 768, 16});
  const auto bar = [](const char* window) {
    std::vector<std::string> r;
    plat::Form* f = plat::loaded_form(window);
    if (!f || !f->visible()) {
      ADD_FAILURE() << window << " is not shown";
      return r;
    }
    for (int p = 1; p <= 5; ++p) r.push_back(plat::panel_text(f->ctl("StatusBar1"), p));
    return r;
  };
  using Texts = std::vector<std::string>;
  EXPECT_EQ(bar("Nagusia"), (Texts{"Aginduaren zain", "", "", "", "11''"}));
  main_window().click("CommandASM", 0);
  main_window().click("CommandPU", 0);
  main_window().click("CommandMN", 1);
  menu("Ikusi13", 3);
  menu("Laguntza1", 9);
  for (const char* w : {"ASM", "PU", "MNetaEM", "Aginduenformatua", "Laguntza_edukia"})
    EXPECT_EQ(bar(w), bar("Nagusia")) << w;

  menu("Simulazioa7", 5);  // 20 seconds
  for (int opening = 0; opening < 2; ++opening) {
    menu("Artxiboaldatu", 1);
    plat::Form& step = *plat::loaded_form("Birprogramaziorakopausoa");
    step.ctl("Combo1").set_text("5");
    step.click("Command3", 0);
    plat::form<Galdera>().click("Command1", 0);  // "&Bai"
    EXPECT_EQ(bar("Birprogramatumikroagindua"), (Texts{"Aginduaren zain", "", "", "", "20''"}));
    plat::form<Birprogramatumikroagindua>().click("CommandDeuseztu");
    EXPECT_FALSE(plat::is_loaded<Birprogramatumikroagindua>());
  }

  plat::unload_form(ASM::kName);
  instructions = {"  ADD:     ADD rh, ri1, ri2"};
  start_user();
  bool looked = false;
  clock.after(70'000, [&] {  // at micro-address 3, after the instruction was given
    main_window().click("CommandASM", 0);
    EXPECT_EQ(bar("ASM"), (Texts{"KU simulatzen", "001001", "Agindua: add rh, ri1, ri2", "", "20''"}));
    EXPECT_EQ(bar("ASM"), bar("Nagusia"));
    looked = true;
  });
  menu("Simulazioa1", 5);
  EXPECT_TRUE(looked);
  expect_idle();
}

// -------------------------------------------------------------- flow 2

class ExampleFlow : public UserFlow {
 protected:
  void SetUp() override {
    UserFlow::SetUp();
    start_program({1024, 768, 16});
    menu("Artxibo3", 1);
    menu("Artxibo6", 1);
    menu("Simulazioa6", 5);
    menu("Simulazioa5_1", 4);
    EXPECT_TRUE(nw("Simulazioa4", 5).enabled());
  }
  void set_report_z(bool on) {
    menu("Aukerak1", 7);
    KonfiguratuSIM& o = plat::form<KonfiguratuSIM>();
    o.ctl("Check2").set_value(on ? 1 : 0);
    o.click("Command1");
    EXPECT_FALSE(plat::is_loaded<KonfiguratuSIM>());
    EXPECT_EQ(engine().Report_z_value != 0, on);
  }
  // Runs the example to its end and reads the results window.
  std::vector<std::string> run_example_results() {
    clock.messages.clear();
    menu("Simulazioa4", 5);
    EXPECT_EQ(clock.messages.back().text, "Programa adibidearen simulazioa amaitu da");
    std::vector<std::string> c;
    if (!plat::is_loaded<Ademaitza>()) {
      ADD_FAILURE() << "no results window";
      return c;
    }
    Ademaitza& r = plat::form<Ademaitza>();
    EXPECT_TRUE(r.visible());
    for (int i = 0; i < 16; ++i) {
      const int a = Data_word_value(i), b = Data_word_value(16 + i);
      EXPECT_EQ(r.ctl("Text4", i).text(), std::to_string(a)) << i;
      EXPECT_EQ(r.ctl("Text5", i).text(), std::to_string(b)) << i;
      EXPECT_EQ(r.ctl("Text6", i).text(), std::to_string(int16_t(a + b))) << i;
      c.push_back(r.ctl("Text6", i).text());
    }
    r.click("Command1");
    EXPECT_FALSE(plat::is_loaded<Ademaitza>());
    expect_idle();
    EXPECT_TRUE(nw("Simulazioa4", 5).enabled());
    return c;
  }
};

TEST_F(ExampleFlow, RunsToTheEndWithAndWithoutZThenADataWordChangesTheResult) {
  set_report_z(true);
  run_example_results();
  EXPECT_EQ(clock.messages.size(), 32u);
  EXPECT_EQ(clock.messages.front().text, "Zren balioa: 0");

  set_report_z(false);
  const std::vector<std::string> before = run_example_results();
  EXPECT_EQ(message_texts(), std::vector<std::string>{"Programa adibidearen simulazioa amaitu da"});

  // A(0) through the main memory grid: the view, the cell, a key, the dialog.
  menu("Ikusi2", 3);
  ASSERT_TRUE(nw("Nadrel3").enabled());
  Grid g = Nagusia_Nadrel3();
  type_into_cell("Nadrel3", g, 1, 2);
  ASSERT_TRUE(plat::is_loaded<Datuenaldaketa>());
  Datuenaldaketa& d = plat::form<Datuenaldaketa>();
  EXPECT_EQ(d.ctl("Label2").caption(), "A(0)");
  EXPECT_FALSE(main_window().enabled());
  // The lowest bit flipped.
  const int old_a0 = Data_word_value(0);
  if (d.ctl("Text1", 15).text() == "1")
    d.click("Command1", 15);
  else
    d.click("Command2", 15);
  d.click("Command3", 0);
  EXPECT_FALSE(plat::is_loaded<Datuenaldaketa>());
  EXPECT_TRUE(main_window().enabled());
  EXPECT_EQ(Data_word_value(0), old_a0 ^ 1);
  EXPECT_EQ(g.TextMatrix(1, 2), Main_memory_word_text(old_a0 ^ 1));

  const std::vector<std::string> after = run_example_results();
  ASSERT_EQ(after.size(), 16u);
  EXPECT_NE(after[0], before[0]);
  for (int i = 1; i < 16; ++i) EXPECT_EQ(after[size_t(i)], before[size_t(i)]) << i;

  menu("Artxibo7", 1);
  EXPECT_FALSE(nw("Simulazioa4", 5).enabled());
  EXPECT_FALSE(nw("Artxibo7", 1).enabled());
  EXPECT_FALSE(nw("Artxibo8", 1).enabled());
  EXPECT_TRUE(nw("Artxibo6", 1).enabled());
  expect_idle();
}


// Every grid's Enabled, read late-bound, is what the grid does with input,
// wherever the program changes it: start-up, the example's loading and
// unloading, a run and its end.
TEST_F(UserFlow, EachGridsEnabledIsWhatItDoesWithInput) {
  struct Place {
    const char* window;
    const char* grid;
    int index;
  };
  const Place grids[] = {{Nagusia::kName, "NadrelMikro", -1}, {Nagusia::kName, "Nadrel1", -1},
                         {Nagusia::kName, "Nadrel4", 1},      {Nagusia::kName, "Nadrel3", -1},
                         {MNetaEM::kName, "Nadrel3", 0},     {MNetaEM::kName, "Nadrel1", -1},
                         {Mikroprograma::kName, "NadrelMikro", -1}, {Kontrolmemoria::kName, "Nadrel2", -1}};
  auto window = [this](const char* name) -> plat::Form& {
    if (name == std::string(MNetaEM::kName)) return plat::form<MNetaEM>();
    if (name == std::string(Mikroprograma::kName)) return plat::form<Mikroprograma>();
    if (name == std::string(Kontrolmemoria::kName)) return plat::form<Kontrolmemoria>();
    return main_window();
  };
  // The grids that take input, as "window.grid(index)"; each checked
  // against its late-bound Enabled and its container's.
  auto taking_input = [&](const char* when) {
    std::vector<std::string> on;
    for (const Place& p : grids) {
      plat::Control& c = window(p.window).ctl(p.grid, p.index);
      QWidget* cells = c.widget()->findChild<QWidget*>("picGrid");
      if (!cells) {
        ADD_FAILURE() << p.window << "." << p.grid;
        continue;
      }
      // Input as the window would pass it on when it takes input itself.
      const bool input = cells->isEnabledTo(c.widget()->window());
      const std::string name = std::string(p.window) + "." + p.grid + "(" + std::to_string(p.index) + ")";
      EXPECT_EQ(plat::object(c).get(nadrel::dispid::Enabled).to_bool(), input) << name << " " << when;
      EXPECT_EQ(c.enabled(), input) << name << " " << when;
      if (input) on.push_back(name);
    }
    return on;
  };
  const std::vector<std::string> all = [&] {
    std::vector<std::string> v;
    for (const Place& p : grids) v.push_back(std::string(p.window) + "." + p.grid + "(" + std::to_string(p.index) + ")");
    return v;
  }();
  const std::vector<std::string> tables_only = {all[0], all[1], all[6], all[7]};
  start_program({1024, 768, 16});
  EXPECT_EQ(taking_input("at start-up"), tables_only);
  menu("Artxibo3", 1);
  menu("Artxibo6", 1);
  EXPECT_EQ(taking_input("with the example loaded"), all);
  instructions = {"  ADD:     ADD rh, ri1, ri2"};
  start_user();
  bool seen = false;
  clock.at(clock.now_ms() + 8'000, [&] {
    expect_running();
    EXPECT_EQ(taking_input("during a run"), (std::vector<std::string>{all[0], all[1], all[2], all[3], all[4], all[5]}));
    seen = true;
  });
  menu("Simulazioa1", 5);
  EXPECT_TRUE(seen);
  expect_idle();
  EXPECT_EQ(taking_input("after the run"), all);
  menu("Artxibo7", 1);
  EXPECT_EQ(taking_input("with the example unloaded"), tables_only);
}

// A cut run (end, or RESET with its restart) leaves nothing that spoils the next results.
TEST_F(ExampleFlow, AfterACutRunTheResultsAreStillRight) {
  set_report_z(false);
  clock.after(100'000, [this] { menu("Simulazioa11", 5); });
  clock.messages.clear();
  menu("Simulazioa4", 5);
  EXPECT_EQ(message_texts(), std::vector<std::string>{"Programa adibidearen simulazioa amaitu da"});
  // The results of a cut run: A and B, and only the components of C stored so far.
  ASSERT_TRUE(plat::is_loaded<Ademaitza>());
  Ademaitza& r = plat::form<Ademaitza>();
  int stored = 0;
  for (int i = 0; i < 16; ++i) {
    const int a = Data_word_value(i), b = Data_word_value(16 + i);
    EXPECT_EQ(r.ctl("Text4", i).text(), std::to_string(a));
    const bool done = !machine().Main_memory_text[size_t(32 + i)].empty();
    stored += done;
    EXPECT_EQ(r.ctl("Text6", i).text(), done ? std::to_string(int16_t(a + b)) : "") << i;
  }
  EXPECT_LT(stored, 16);
  r.click("Command1");
  expect_idle();
  clock.after(700'000, [this] { main_window().click("Command1"); });
  run_example_results();
  run_example_results();
}

// The microinstruction editor is modeless: left open, it can be accepted
// during a run. It refuses then, the control memory keeps the word the run
// reads, and the runs go as they would without it; after them it takes it.
TEST_F(ExampleFlow, TheMicroinstructionEditorAcceptedDuringARunIsRefused) {
  set_report_z(false);
  Birprogramatumikroagindua& e = edit_from_file_menu(5);
  make_go_on(e);  // "goto 0" of the register-to-register routine becomes "go on to 6"
  const std::string word5 = control_word(5);
  int refused = 0;
  const auto accept = [&] {
    ASSERT_TRUE(Run_in_progress());
    clock.messages.clear();
    e.click("CommandOnartu");
    ASSERT_EQ(clock.messages.size(), 1u);
    EXPECT_EQ(clock.messages[0].text, kGuardRefusals[0].text);
    EXPECT_EQ(clock.messages[0].title, "Arazoak mikroprograma aldatzen saiatzean");
    EXPECT_EQ(clock.messages[0].style, plat::vbCritical);
    EXPECT_TRUE(plat::is_loaded<Birprogramatumikroagindua>());
    EXPECT_EQ(control_word(5), word5);
    ++refused;
  };
  // ADD, accepted in its first pass: the routine still ends at micro-address 5.
  instructions = {"  ADD:     ADD rh, ri1, ri2"};
  start_user();
  clock.after(1'000, accept);
  plat::PropertyLog::start();
  menu("Simulazioa1", 5);
  EXPECT_EQ(counter_captions(),
            (std::vector<std::string>{"00000", "00001", "00010", "00011", "00100", "00101", "00000"}));
  expect_idle();
  // The example, accepted in its first pass: its sums are right.
  clock.after(1'000, accept);
  run_example_results();
  EXPECT_EQ(refused, 2);
  EXPECT_EQ(control_word(5), word5);
  EXPECT_FALSE(engine().Control_memory_modified);
  EXPECT_EQ(Nagusia_NadrelMikro().TextMatrix(6, 1), machine().Microprogram_text[5][0]);
  clock.messages.clear();
  e.click("CommandOnartu");
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "Kontrol memoriako 5 mikroagindua aldatu da.");
  EXPECT_NE(control_word(5), word5);
  EXPECT_TRUE(main_window().enabled());
}

// During a run the editor's "&Onartu" answers an unchanged word and a broken
// rule as at any other time; only a change it would store is refused, and
// that change waits in the open editor until the run is over.
TEST_F(UserFlow, DuringARunTheEditorRefusesOnlyAChangeItWouldStore) {
  start_program({1024, 768, 16});
  const MachineTables before = machine();
  const auto tables_kept = [&] {
    EXPECT_TRUE(machine().Control_memory == before.Control_memory);
    EXPECT_TRUE(machine().Microprogram_text == before.Microprogram_text);
    EXPECT_FALSE(engine().Control_memory_modified);
  };
  const auto run_add = [&](std::function<void()> during) {
    instructions = {"  ADD:     ADD rh, ri1, ri2"};
    answers = 0;
    start_user();
    bool done = false;
    clock.after(1'000, [&] {
      ASSERT_TRUE(Run_in_progress());
      clock.messages.clear();
      during();
      done = true;
    });
    menu("Simulazioa1", 5);
    EXPECT_TRUE(done);
    EXPECT_EQ(answers, 1);
    expect_idle();
    user_until_ = 0;
    clock.advance(100);
  };

  // No field changed: the information, and the editor goes.
  edit_from_file_menu(5);
  run_add([&] {
    plat::form<Birprogramatumikroagindua>().click("CommandOnartu");
    ASSERT_EQ(clock.messages.size(), 1u);
    EXPECT_EQ(clock.messages[0].text, "5 mikroagindua ez da aldatu.");
    EXPECT_EQ(clock.messages[0].title, "Mikroprograma birprogramatzen");
    EXPECT_EQ(clock.messages[0].style, plat::vbInformation);
    EXPECT_FALSE(plat::is_loaded<Birprogramatumikroagindua>());
    tables_kept();
  });
  // The run's status texts load the editor again, hidden.
  EXPECT_FALSE(plat::is_loaded<Birprogramatumikroagindua>() && plat::form<Birprogramatumikroagindua>().visible());

  // BK1 BK0 = 0 1: the rule's message and its fields restored; then a valid
  // change: the run's refusal. The editor stays open through both.
  Birprogramatumikroagindua& e = edit_from_file_menu(5);
  const auto boxes = [&e] {
    std::string s;
    for (int i = 0; i < kControlWordLength; ++i) s += e.ctl(Birprogramatumikroagindua::kField, i).text();
    return s;
  };
  // "&Onartu" refused with one critical message: the editor stays open
  // showing `shown`, and no table changes.
  const auto refused = [&](const std::string& text, const std::string& shown) {
    clock.messages.clear();
    e.click("CommandOnartu");
    ASSERT_EQ(clock.messages.size(), 1u);
    EXPECT_EQ(clock.messages[0].text, text);
    EXPECT_EQ(clock.messages[0].title, "Arazoak mikroprograma aldatzen saiatzean");
    EXPECT_EQ(clock.messages[0].style, plat::vbCritical);
    ASSERT_TRUE(plat::is_loaded<Birprogramatumikroagindua>());
    EXPECT_EQ(boxes(), shown);
    EXPECT_EQ(e.mouse_pointer(), 0);
    tables_kept();
  };
  std::string edited;
  run_add([&] {
    e.click("Command2", 0);   // BK1 "0"
    e.click("Command2", 13);  // BK0 "1"
    refused("BK1BK0ren balio posibleak: 00, 10 eta 11.", control_word(5));
    make_go_on(e);
    edited = boxes();
    ASSERT_NE(edited, control_word(5));
    refused("KU simulatzen ari da denez, mikroprograma ezin da aldatu.", edited);
  });
  ASSERT_TRUE(plat::is_loaded<Birprogramatumikroagindua>());
  tables_kept();
  // After the run the same change is taken.
  clock.messages.clear();
  e.click("CommandOnartu");
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "Kontrol memoriako 5 mikroagindua aldatu da.");
  EXPECT_FALSE(plat::is_loaded<Birprogramatumikroagindua>());
  EXPECT_EQ(control_word(5), edited);
  EXPECT_TRUE(engine().Control_memory_modified);
}

// A data word accepted after the example was unloaded from main memory: the
// example has no data then (its next loading sets A and B afresh), so the
// accept refuses, changes nothing and leaves both memory grids empty.
TEST_F(ExampleFlow, ADataWordAcceptedAfterTheUnloadIsRefused) {
  menu("Artxibo8", 1);
  Datuenaldaketarakopausoa& step = plat::form<Datuenaldaketarakopausoa>();
  step.ctl("Combo1").set_text("A");
  step.ctl("Combo2").set_text("2");
  step.click("Command3", 0);
  ASSERT_TRUE(plat::is_loaded<Datuenaldaketa>());
  Datuenaldaketa& d = plat::form<Datuenaldaketa>();
  EXPECT_EQ(d.ctl("Label2").caption(), "A(2)");
  EXPECT_TRUE(main_window().enabled());
  menu("Artxibo7", 1);
  EXPECT_FALSE(nw("Artxibo8", 1).enabled());
  const MachineTables before = machine();
  d.click(d.ctl("Text1", 15).text() == "1" ? "Command1" : "Command2", 15);
  clock.messages.clear();
  d.click("Command3", 0);
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "Programa adibidea MNan kargatuta ez dagoenez, MNko datuak ezin dira aldatu.");
  EXPECT_EQ(clock.messages[0].title, "Arazoak Memoria nagusia aldatzen saiatzean");
  EXPECT_EQ(clock.messages[0].style, plat::vbCritical);
  EXPECT_TRUE(plat::is_loaded<Datuenaldaketa>());
  EXPECT_TRUE(machine() == before);
  for (Grid g : {Nagusia_Nadrel3(), MNetaEM_Nadrel3()})
    for (int row = 1; row <= 70; ++row)
      for (int col : {2, 3}) ASSERT_EQ(g.TextMatrix(row, col), "") << row << "," << col;
  d.click("Command3", 1);
  EXPECT_FALSE(plat::is_loaded<Datuenaldaketa>());
  EXPECT_TRUE(main_window().enabled());
}

// The register view, opened from the main window's register grid during a
// run, and the instruction question both hold the main window: it comes back
// only when both are gone, whichever goes first, and the run goes on as usual.
TEST_F(ExampleFlow, TheRegisterViewAndTheQuestionGiveTheMainWindowBackTogether) {
  for (bool view_first : {true, false}) {
    SCOPED_TRACE(view_first ? "view closed first" : "instruction chosen first");
    answers = 0;
    start_user();
    bool seen = false;
    const auto asked = [] { return plat::is_loaded<Agindua>() && plat::form<Agindua>().visible(); };
    clock.after(500, [&] {
      ASSERT_FALSE(asked());
      type_into_cell(nw("Nadrel4", 1), Nagusia_Nadrel4(), 3, 2);
      ASSERT_TRUE(plat::is_loaded<EMkoerrenkada>());
      EXPECT_FALSE(main_window().enabled());
      when(asked, [&] {
        EXPECT_FALSE(main_window().enabled());
        if (view_first) {
          plat::form<EMkoerrenkada>().click("Onartu");
          EXPECT_FALSE(main_window().enabled());
          instructions = {"  ADD:     ADD rh, ri1, ri2"};
          when([&] { return !plat::is_loaded<Agindua>(); }, [&] {
            EXPECT_TRUE(main_window().enabled());
            seen = true;
          });
        } else {
          instructions = {"  ADD:     ADD rh, ri1, ri2"};
          when([&] { return !plat::is_loaded<Agindua>(); }, [&] {
            EXPECT_FALSE(main_window().enabled());
            plat::form<EMkoerrenkada>().click("Onartu");
            EXPECT_TRUE(main_window().enabled());
            seen = true;
          });
        }
      });
    });
    clock.messages.clear();
    plat::PropertyLog::start();
    menu("Simulazioa1", 5);
    EXPECT_TRUE(seen);
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(counter_captions(),
              (std::vector<std::string>{"00000", "00001", "00010", "00011", "00100", "00101", "00000"}));
    EXPECT_EQ(message_texts(), std::vector<std::string>{"Aginduaren simulazioa amaitu da"});
    expect_idle();
    user_until_ = 0;
    clock.advance(100);
  }
}

// The memory and register grids of both windows take a key only while the
// example program is loaded into main memory: before its first loading and
// after its unloading a key on a data word or on a register opens nothing
// and says nothing; while it is loaded the same key opens the data-word
// editor or the register view.
TEST_F(UserFlow, TheMemoryAndRegisterGridsTakeAKeyOnlyWhileTheExampleIsLoaded) {
  start_program({1024, 768, 16});
  menu("Ikusi2", 3);  // the main-memory view: both grids of the main window in sight
  main_window().click("CommandMN", 1);
  ASSERT_TRUE(plat::is_loaded<MNetaEM>());
  MNetaEM& mw = plat::form<MNetaEM>();
  struct Target {
    plat::Control& grid;
    Grid g;
    bool memory;
  };
  const Target targets[] = {{nw("Nadrel3"), Nagusia_Nadrel3(), true},
                            {nw("Nadrel4", 1), Nagusia_Nadrel4(), false},
                            {mw.ctl("Nadrel3", 0), MNetaEM_Nadrel3(), true},
                            {mw.ctl("Nadrel1"), MNetaEM_Nadrel1(), false}};
  // A key on A(2) or on register r2; what it opened is closed again.
  const auto keys_open = [&](bool loaded) {
    for (const Target& t : targets) {
      SCOPED_TRACE(t.grid.form().name() + "." + t.grid.name() + (loaded ? " loaded" : " not loaded"));
      EXPECT_EQ(t.grid.enabled(), loaded);
      clock.messages.clear();
      type_into_cell(t.grid, t.g, 3, 2);
      const bool editor = plat::is_loaded<Datuenaldaketa>(), view = plat::is_loaded<EMkoerrenkada>();
      if (!loaded) {
        EXPECT_FALSE(editor || view);
        EXPECT_EQ(message_texts(), std::vector<std::string>{});
        EXPECT_TRUE(t.grid.form().enabled());
      } else if (t.memory) {
        ASSERT_TRUE(editor);
        EXPECT_EQ(plat::form<Datuenaldaketa>().ctl("Label2").caption(), "A(2)");
        plat::form<Datuenaldaketa>().click("Command3", 1);
      } else {
        ASSERT_TRUE(view);
        plat::form<EMkoerrenkada>().click("Onartu");
      }
      EXPECT_FALSE(plat::is_loaded<Datuenaldaketa>() || plat::is_loaded<EMkoerrenkada>());
      EXPECT_TRUE(t.grid.form().enabled());
    }
  };
  keys_open(false);
  menu("Artxibo3", 1);
  keys_open(false);
  menu("Artxibo6", 1);
  keys_open(true);
  menu("Artxibo7", 1);
  keys_open(false);
  menu("Artxibo6", 1);
  keys_open(true);
}

// -------------------------------------------------------------- flow 3

TEST_F(UserFlow, AReprogrammedJumpChangesTheRunAndTheRestoreUndoesIt) {
  start_program({1024, 768, 16});
  auto run_ld = [this] {
    instructions = {"  LD:      LD rh, ALDAGAIA"};
    answers = 0;
    start_user();
    plat::PropertyLog::start();
    menu("Simulazioa1", 5);
    EXPECT_EQ(answers, 1);
    expect_idle();
    return counter_captions();
  };
  // Micro-address 9 of the control-memory grid: the guard asks, the editor opens.
  auto reprogram_9 = [this] {
    type_into_cell("Nadrel1", Nagusia_Nadrel1(), 10, 3);
    ASSERT_TRUE(plat::is_loaded<Galdera>());
    EXPECT_EQ(plat::form<Galdera>().ctl("Label1").caption(), "9 mikroagindua birprogramatzea nahi?");
    EXPECT_FALSE(main_window().enabled());
    plat::form<Galdera>().click("Command1", 0);
    ASSERT_TRUE(plat::is_loaded<Birprogramatumikroagindua>());
    Birprogramatumikroagindua& e = plat::form<Birprogramatumikroagindua>();
    make_go_on(e);  // "goto 0" becomes "go on to 10"
    clock.messages.clear();
    e.click("CommandOnartu");
    ASSERT_EQ(clock.messages.size(), 1u);
    EXPECT_EQ(clock.messages[0].text, "Kontrol memoriako 9 mikroagindua aldatu da.");
    EXPECT_FALSE(plat::is_loaded<Birprogramatumikroagindua>());
    EXPECT_TRUE(main_window().enabled());
    EXPECT_TRUE(nw("Artxibo11", 1).enabled());
    EXPECT_EQ(Nagusia_NadrelMikro().TextMatrix(10, 1), kReprogrammedText);
  };

  EXPECT_EQ(run_ld(), (std::vector<std::string>{"00000", "00001", "00010", "01001", "00000"}));
  reprogram_9();
  EXPECT_EQ(run_ld(), (std::vector<std::string>{"00000", "00001", "00010", "01001", "01010", "01011", "00000"}));
  menu("Artxibo11", 1);
  EXPECT_FALSE(nw("Artxibo11", 1).enabled());
  EXPECT_NE(Nagusia_NadrelMikro().TextMatrix(10, 1), kReprogrammedText);
  EXPECT_EQ(run_ld(), (std::vector<std::string>{"00000", "00001", "00010", "01001", "00000"}));

  // The example run restores a modified control memory first and says so.
  reprogram_9();
  menu("Artxibo3", 1);
  menu("Artxibo6", 1);
  clock.messages.clear();
  clock.after(30'000, [this] { menu("Simulazioa11", 5); });
  menu("Simulazioa4", 5);
  ASSERT_GE(clock.messages.size(), 2u);
  EXPECT_EQ(clock.messages[0].text,
            "Kontrol memoria aldatuta dagoenez, berrezarri egingo da simulazioari ekin aurretik.");
  EXPECT_EQ(clock.messages[1].text, "Mikroprograma era Kontrol Memoria berrezarri dira.");
  EXPECT_EQ(clock.messages.back().text, "Programa adibidearen simulazioa amaitu da");
  EXPECT_NE(Nagusia_NadrelMikro().TextMatrix(10, 1), kReprogrammedText);
  EXPECT_FALSE(nw("Artxibo11", 1).enabled());
  expect_idle();
}

// A listing window closed by its close box during a run and opened again
// takes the running look at once: its grid takes no key and asks no
// question, and the run goes on as it began.
TEST_F(UserFlow, AListingWindowOpenedAgainDuringARunKeepsItsGridOutOfReach) {
  start_program({1024, 768, 16});
  struct Case {
    const char* window;
    const char* grid;
    int col;
    std::function<void()> open;
  };
  const Case cases[] = {
      {Kontrolmemoria::kName, "Nadrel2", 3, [this] { key(Qt::Key_F3); }},
      {Kontrolmemoria::kName, "Nadrel2", 3, [this] { menu("Ikusi7", 3); }},
      {Mikroprograma::kName, "NadrelMikro", 1, [this] { key(Qt::Key_F2); }},
      {Mikroprograma::kName, "NadrelMikro", 1, [this] { menu("Ikusi6", 3); }},
  };
  const std::string word9 = control_word(9);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    c.open();
    ASSERT_NE(plat::loaded_form(c.window), nullptr);
    ASSERT_TRUE(plat::loaded_form(c.window)->visible());
    instructions = {"  LD:      LD rh, ALDAGAIA"};
    answers = 0;
    start_user();
    bool keyed = false;
    clock.after(3'000, [&] {
      plat::loaded_form(c.window)->window()->close();
      ASSERT_EQ(plat::loaded_form(c.window), nullptr);
      c.open();
      plat::Form* w = plat::loaded_form(c.window);
      ASSERT_NE(w, nullptr);
      EXPECT_TRUE(w->visible());
      EXPECT_FALSE(w->ctl(c.grid).enabled());
      clock.messages.clear();
      const bool km = std::string(c.window) == Kontrolmemoria::kName;
      type_into_cell(w->ctl(c.grid), km ? Kontrolmemoria_Nadrel2() : Mikroprograma_NadrelMikro(), 10, c.col);
      EXPECT_TRUE(clock.messages.empty());
      EXPECT_FALSE(plat::is_loaded<Galdera>());
      if (plat::is_loaded<Galdera>()) {
        // The student would say yes and make micro-address 9 go on.
        plat::form<Galdera>().click("Command1", 0);
        make_go_on(plat::form<Birprogramatumikroagindua>());
        plat::form<Birprogramatumikroagindua>().click("CommandOnartu");
      }
      keyed = true;
    });
    plat::PropertyLog::start();
    menu("Simulazioa1", 5);
    EXPECT_TRUE(keyed);
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(counter_captions(), (std::vector<std::string>{"00000", "00001", "00010", "01001", "00000"}));
    EXPECT_EQ(control_word(9), word9);
    expect_idle();
    EXPECT_TRUE(plat::loaded_form(c.window)->ctl(c.grid).enabled());
    user_until_ = 0;
    clock.advance(100);
  }
}

// A window closed while the dialog it opened waits, then opened again, is
// still that dialog's: disabled, and given back when the dialog goes.
TEST_F(UserFlow, AWindowOpenedAgainWhileItsDialogWaitsStaysDisabledUntilItGoes) {
  start_program({1024, 768, 16});
  menu("Artxibo3", 1);
  menu("Artxibo6", 1);  // the memory window's grids take keys only now
  struct Case {
    const char* window;
    const char* grid;
    int index;
    Qt::Key key;
    const char* dialog;
    const char* close;  // the dialog's button that closes it
    int16_t* flag;
  };
  const Case cases[] = {
      {Kontrolmemoria::kName, "Nadrel2", -1, Qt::Key_F3, Galdera::kName, "Command1", &Came_from_control_memory},
      {MNetaEM::kName, "Nadrel1", -1, Qt::Key_F5, EMkoerrenkada::kName, "Onartu", &Came_from_memory_view},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    key(c.key);
    plat::Form* w = plat::loaded_form(c.window);
    ASSERT_NE(w, nullptr);
    const bool km = std::string(c.window) == Kontrolmemoria::kName;
    type_into_cell(w->ctl(c.grid, c.index), km ? Kontrolmemoria_Nadrel2() : MNetaEM_Nadrel1(), 10, 3);
    plat::Form* d = plat::loaded_form(c.dialog);
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(w->enabled());
    w->window()->close();
    ASSERT_EQ(plat::loaded_form(c.window), nullptr);
    key(c.key);
    w = plat::loaded_form(c.window);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->visible());
    EXPECT_FALSE(w->enabled());
    EXPECT_TRUE(main_window().enabled());
    d->click(c.close, km ? 1 : -1);  // "&Ez", "&Onartu"
    EXPECT_EQ(plat::loaded_form(c.dialog), nullptr);
    EXPECT_TRUE(w->enabled());
    EXPECT_FALSE(*c.flag);
  }
}

// -------------------------------------------------------------- flow 4

TEST_F(UserFlow, PeriodCommandsAndTheOptionsWindow) {
  start_program({1024, 768, 16});
  menu("Simulazioa7", 5);
  EXPECT_EQ(panel(5), "20''");
  EXPECT_TRUE(nw("Simulazioa7", 5).get("Checked").to_bool());
  menu("Simulazioa6", 5);
  EXPECT_EQ(panel(5), "3''");
  EXPECT_FALSE(nw("Simulazioa7", 5).get("Checked").to_bool());
  clock.messages.clear();
  menu("Simulazioa8_2", 4);
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "Ezinzezkoa da denbora txikiagotzea. clk1-en denbora minimoa:3s.");
  EXPECT_EQ(panel(5), "3''");
  for (int p = 4; p <= 59; ++p) {
    main_window().click("Command2", 0);
    ASSERT_EQ(panel(5), std::to_string(p) + "''");
    EXPECT_EQ(nw("Simulazioa7", 5).get("Checked").to_bool(), p == 20);
  }
  EXPECT_EQ(clock.messages.size(), 1u);
  menu("Simulazioa8_1", 4);
  ASSERT_EQ(clock.messages.size(), 2u);
  EXPECT_EQ(clock.messages[1].text, "Ezinzezkoa da denbora handiagotzea. clk1-en denbora maximoa:59s.");
  EXPECT_EQ(panel(5), "59''");

  // The options window: a typed bad period is refused and the window stays.
  toolbar(3);
  ASSERT_TRUE(plat::is_loaded<KonfiguratuSIM>());
  KonfiguratuSIM& o = plat::form<KonfiguratuSIM>();
  EXPECT_EQ(o.ctl("Combo1", 0).text(), "59");
  EXPECT_TRUE(o.ctl("Option1", 8).get("Value").to_bool());
  for (const char* bad : {"60", "2", "abc", ""}) {
    clock.messages.clear();
    o.ctl("Combo1", 0).set_text(bad);
    o.click("Command1");
    ASSERT_EQ(clock.messages.size(), 1u) << bad;
    EXPECT_EQ(clock.messages[0].text, "Erloju zikloak 3 eta 59 segundo bitartekoa izan behar du.");
    EXPECT_TRUE(plat::is_loaded<KonfiguratuSIM>());
    EXPECT_EQ(panel(5), "59''");
  }
  o.ctl("Combo1", 0).set_text("20");
  o.ctl("Option1", 7).set_value(true);
  o.click("Command1");
  EXPECT_FALSE(plat::is_loaded<KonfiguratuSIM>());
  EXPECT_EQ(panel(5), "20''");
  EXPECT_TRUE(nw("Simulazioa7", 5).get("Checked").to_bool());
  EXPECT_TRUE(nw("Simulazioa5_2", 4).get("Checked").to_bool());
  EXPECT_FALSE(nw("Simulazioa5_1", 4).get("Checked").to_bool());
  // The options show the clk1 button of the chosen mode at once; outside a run it takes no press.
  EXPECT_TRUE(nw("Command3", 0).visible());
  EXPECT_FALSE(nw("Command3", 0).enabled());
  EXPECT_FALSE(nw("Command3", 1).visible());

  // The menu's mode shows in the options window when it opens again.
  menu("Simulazioa5_3", 4);
  menu("Aukerak1", 7);
  KonfiguratuSIM& o2 = plat::form<KonfiguratuSIM>();
  EXPECT_TRUE(o2.ctl("Option1", 6).get("Value").to_bool());
  EXPECT_FALSE(o2.ctl("Option1", 7).get("Value").to_bool());
  EXPECT_EQ(o2.ctl("Combo1", 0).text(), "20");
}

// -------------------------------------------------------------- flow 5

TEST_F(UserFlow, ExitInTheMiddleOfARunRestoresTheDisplayMode) {
  for (bool by_menu : {true, false}) {
    SCOPED_TRACE(by_menu ? "menu" : "close box");
    start_program({1280, 1024, 32});
    ASSERT_EQ(screen->set_calls.size(), 1u);
    instructions = {"  ADD:     ADD rh, ri1, ri2"};
    start_user(2'000'000);
    const int64_t t0 = clock.now_ms();
    clock.at(t0 + 15'000, [&] {
      expect_running();
      if (by_menu) {
        menu("Artxibo15", 1);
      } else {
        toolbar(2);  // paused first: the pause's wait ends too
        main_window().window()->close();
      }
    });
    menu("Simulazioa1", 5);
    EXPECT_LT(clock.now_ms() - t0, 20'000);
    EXPECT_TRUE(plat::ending());
    ASSERT_EQ(screen->set_calls.size(), 2u);
    EXPECT_EQ(screen->set_calls[1], (DisplayMode{1280, 1024, 32}));
    EXPECT_FALSE(Run_in_progress());
    TearDown();
    SetUp();
  }
}


// RESET or the end given while a run is paused: the restarted run goes on
// unpaused, the ended one closes at once; neither leaves the paused look.
TEST_F(UserFlow, ResetOrEndWhilePaused) {
  start_program({1024, 768, 16});
  for (bool reset : {true, false}) {
    SCOPED_TRACE(reset ? "reset" : "end");
    // The restarted run asks for its instruction again.
    instructions = {"  ADD:     ADD rh, ri1, ri2", "  ADD:     ADD rh, ri1, ri2"};
    answers = 0;
    start_user(3'000'000);
    const int64_t t0 = clock.now_ms();
    int64_t given_at = 0;
    clock.at(t0 + 40'000, [&] { toolbar(2); });
    clock.at(t0 + 50'000, [&] {
      EXPECT_EQ(panel(1), "Simulazioa geldirik");
      if (reset)
        main_window().click("Command1");
      else
        menu("Simulazioa11", 5);
      given_at = clock.now_ms();
    });
    clock.messages.clear();
    plat::PropertyLog::start();
    menu("Simulazioa1", 5);
    ASSERT_GT(given_at, 0);
    EXPECT_EQ(answers, reset ? 2 : 1);
    EXPECT_EQ(message_texts(), std::vector<std::string>{"Aginduaren simulazioa amaitu da"});
    const std::vector<std::string> c = counter_captions();
    if (reset) {
      // The whole instruction after the restart, without a pause.
      EXPECT_GE(std::count(c.begin(), c.end(), std::string("00101")), 1);
      EXPECT_GT(clock.now_ms() - given_at, 50'000);
    } else {
      EXPECT_EQ(std::count(c.begin(), c.end(), std::string("00101")), 0);
      EXPECT_LT(clock.now_ms() - given_at, 10'000);
    }
    expect_idle();
    EXPECT_EQ(engine().Stop_requested, kFlagFalse);
    user_until_ = 0;  // this run's user goes home
    clock.advance(100);
  }
}

// A question closed by its close box stays open: the run waits for the answer
// the user then gives, and ends normally.
TEST_F(UserFlow, TheCloseBoxOfAQuestionLeavesItAnswerable) {
  start_program({1024, 768, 16});
  engine().Report_z_value = kFlagFalse;
  instructions = {"  BEQ:     BEQ ri, etiketa"};
  z_answers = {"1"};
  bool closed[2] = {false, false};
  // Each question is closed once by its close box before the user answers it.
  std::function<void()> closer = [&] {
    int k = 0;
    for (const char* name : {Agindua::kName, Zaukeratu::kName}) {
      plat::Form* f = plat::loaded_form(name);
      if (f && f->visible() && !closed[k]) {
        f->window()->close();
        closed[k] = true;
        EXPECT_EQ(plat::loaded_form(name), f) << name;
        EXPECT_TRUE(f->visible()) << name;
        if (k == 0) {
          EXPECT_FALSE(main_window().enabled());
          start_user(3'000'000);
        }
      }
      ++k;
    }
    if (Run_in_progress()) clock.after(300, closer);
  };
  clock.after(300, closer);
  clock.messages.clear();
  menu("Simulazioa1", 5);
  EXPECT_TRUE(closed[0]);
  EXPECT_EQ(closed[1], z_answers.empty());
  EXPECT_TRUE(instructions.empty());
  EXPECT_EQ(message_texts(), std::vector<std::string>{"Aginduaren simulazioa amaitu da"});
  expect_idle();
  user_until_ = 0;
}

// The editor answers for the micro-address whose fields it shows. Opened on
// 5, with a question about 9 declined by each of the three roads to it, it
// still edits 5: an unchanged word, a broken rule and "&Deuseztatu" name 5,
// a changed field is stored and marked at 5, and 9 keeps its word and its
// texts. "&Bai" on that question makes it edit 9.
TEST_F(UserFlow, TheEditorAnswersForTheMicroinstructionItShows) {
  start_program({1024, 768, 16});
  menu("Ikusi7", 3);  // the control-memory window, its grid in reach
  ASSERT_TRUE(plat::form<Kontrolmemoria>().visible());
  const std::string word5 = control_word(5), word9 = control_word(9), text9 = machine().Microprogram_text[9][0];
  ASSERT_NE(word5, word9);
  ASSERT_EQ(word5[field::LD_PC], '0');
  ASSERT_EQ(word9[field::LD_PC], '0');
  const int ld_pc_1 = 47, mcs_1 = 33, moe_x = 73;  // Command2 buttons
  const auto boxes = [](Birprogramatumikroagindua& e) {
    std::string r;
    for (int i = 0; i < kControlWordLength; ++i) r += e.ctl(Birprogramatumikroagindua::kField, i).text();
    return r;
  };
  const auto with_ld_pc = [](std::string w) {
    w[field::LD_PC] = '1';
    return w;
  };
  // Row `row` of the four listings marked as reprogrammed, or not.
  const auto marked = [](int row) {
    const bool text = Nagusia_NadrelMikro().TextMatrix(row, 1) == kReprogrammedText &&
                      Mikroprograma_NadrelMikro().TextMatrix(row, 2) == kReprogrammedText;
    const bool colour = Nagusia_Nadrel1().CellForeColor(3, row) == kReprogrammedColor &&
                        Kontrolmemoria_Nadrel2().CellForeColor(3, row) == kReprogrammedColor &&
                        Nagusia_NadrelMikro().CellForeColor(1, row) == kReprogrammedColor;
    EXPECT_EQ(text, colour) << row;
    return text;
  };
  struct Road {
    const char* name;
    std::function<void()> ask_9;
  };
  const Road roads[] = {
      {"main window's microprogram grid", [&] { type_into_cell("NadrelMikro", Nagusia_NadrelMikro(), 10, 1); }},
      {"control-memory window's grid",
       [&] { type_into_cell(plat::form<Kontrolmemoria>().ctl("Nadrel2"), Kontrolmemoria_Nadrel2(), 10, 3); }},
      {"step dialog",
       [&] {
         menu("Artxiboaldatu", 1);
         plat::Form& step = *plat::loaded_form("Birprogramaziorakopausoa");
         step.ctl("Combo1").set_text("9");
         step.click("Command3", 0);
       }},
  };
  for (const Road& road : roads) {
    SCOPED_TRACE(road.name);
    // The editor on 5, then the question about 9, answered as `answer`.
    const auto editor_on_5_asked_9 = [&](int answer) -> Birprogramatumikroagindua& {
      Birprogramatumikroagindua& e = edit_from_file_menu(5);
      road.ask_9();
      EXPECT_EQ(plat::form<Galdera>().ctl("Label1").caption(), "9 mikroagindua birprogramatzea nahi?");
      plat::form<Galdera>().click("Command1", answer);
      EXPECT_FALSE(plat::is_loaded<Galdera>());
      EXPECT_TRUE(e.visible());
      clock.messages.clear();
      return e;
    };
    const auto untouched = [&] {
      EXPECT_EQ(control_word(5), word5);
      EXPECT_EQ(control_word(9), word9);
      EXPECT_FALSE(marked(6));
      EXPECT_FALSE(marked(10));
      EXPECT_FALSE(nw("Artxibo11", 1).enabled());
    };

    Birprogramatumikroagindua* e = &editor_on_5_asked_9(1);
    EXPECT_EQ(boxes(*e), word5);
    e->click("CommandOnartu");
    EXPECT_EQ(message_texts(), std::vector<std::string>{"5 mikroagindua ez da aldatu."});
    EXPECT_FALSE(plat::is_loaded<Birprogramatumikroagindua>());
    untouched();

    e = &editor_on_5_asked_9(1);
    e->click("Command2", mcs_1);
    e->click("Command2", moe_x);
    e->click("CommandOnartu");
    EXPECT_EQ(message_texts(), std::vector<std::string>{"MCS aktibatuta izanez gero, MOEk 0 edo 1 izan behar du."});
    ASSERT_TRUE(plat::is_loaded<Birprogramatumikroagindua>());
    EXPECT_EQ(boxes(*e), word5);  // MCS and MOE as 5 stores them
    clock.messages.clear();
    e->click("CommandDeuseztu");
    EXPECT_EQ(message_texts(), std::vector<std::string>{"5 mikroagindua ez da aldatu."});
    untouched();

    e = &editor_on_5_asked_9(1);
    e->click("Command2", ld_pc_1);
    e->click("CommandOnartu");
    EXPECT_EQ(message_texts(), std::vector<std::string>{"Kontrol memoriako 5 mikroagindua aldatu da."});
    EXPECT_EQ(control_word(5), with_ld_pc(word5));
    EXPECT_EQ(control_word(9), word9);
    EXPECT_TRUE(marked(6));
    EXPECT_FALSE(marked(10));
    EXPECT_EQ(machine().Microprogram_text[9][0], text9);
    EXPECT_EQ(Nagusia_NadrelMikro().TextMatrix(10, 1), text9);
    menu("Artxibo11", 1);
    untouched();

    // "&Bai": from then on the editor answers for 9.
    e = &editor_on_5_asked_9(0);
    EXPECT_EQ(boxes(*e), word9);
    e->click("Command2", ld_pc_1);
    e->click("CommandOnartu");
    EXPECT_EQ(message_texts(), std::vector<std::string>{"Kontrol memoriako 9 mikroagindua aldatu da."});
    EXPECT_EQ(control_word(9), with_ld_pc(word9));
    EXPECT_EQ(control_word(5), word5);
    EXPECT_TRUE(marked(10));
    EXPECT_FALSE(marked(6));
    menu("Artxibo11", 1);
    untouched();
    EXPECT_TRUE(main_window().enabled());
    EXPECT_TRUE(plat::form<Kontrolmemoria>().enabled());
  }
}

// The data-word editor shows and stores the word of its latest opening:
// opened on A(3) from the File menu, which leaves both windows usable, and
// then by a key on A(5) in either window's memory grid, it shows A(5) and
// stores it there; A(3) keeps its word and both windows come back enabled.
TEST_F(UserFlow, TheDataWordEditorStoresTheWordOfItsLatestOpening) {
  start_program({1024, 768, 16});
  menu("Artxibo3", 1);
  menu("Artxibo6", 1);  // the example in main memory: its data words can change
  menu("Ikusi2", 3);
  main_window().click("CommandMN", 1);
  MNetaEM& mw = plat::form<MNetaEM>();
  struct Road {
    const char* name;
    plat::Control& grid;
    Grid g;
  };
  const Road roads[] = {{"main window's memory grid", nw("Nadrel3"), Nagusia_Nadrel3()},
                        {"memory window's grid", mw.ctl("Nadrel3", 0), MNetaEM_Nadrel3()}};
  for (const Road& road : roads) {
    SCOPED_TRACE(road.name);
    const auto word3 = machine().Main_memory_bits[3];
    const std::string text3 = machine().Main_memory_text[3];
    auto word5 = machine().Main_memory_bits[5];
    menu("Artxibo8", 1);
    plat::Form& step = *plat::loaded_form("Datuenaldaketarakopausoa");
    step.ctl("Combo1").set_text("A");
    step.ctl("Combo2").set_text("3");
    step.click("Command3", 0);
    Datuenaldaketa& d = plat::form<Datuenaldaketa>();
    EXPECT_EQ(d.ctl("Label2").caption(), "A(3)");
    d.click("Command2", 0);
    type_into_cell(road.grid, road.g, 6, 2);
    ASSERT_EQ(plat::loaded_form(Datuenaldaketa::kName), &d);
    EXPECT_EQ(d.ctl("Label2").caption(), "A(5)");
    for (int j = 0; j < kWordBits; ++j) EXPECT_EQ(d.ctl("Text1", j).text(), word5[size_t(j)] ? "1" : "0") << j;
    d.click("Command2", 15);
    d.click("Command3", 0);
    EXPECT_FALSE(plat::is_loaded<Datuenaldaketa>());
    word5[15] = 1;
    EXPECT_EQ(machine().Main_memory_bits[5], word5);
    EXPECT_EQ(machine().Main_memory_bits[3], word3);
    EXPECT_EQ(machine().Main_memory_text[3], text3);
    EXPECT_TRUE(main_window().enabled());
    EXPECT_TRUE(mw.enabled());
  }
}

// -------------------------------------------------------------- the keyboard

// The control whose widget holds the keyboard focus in its window, or "?"
// for the window itself.
std::string focus_name(plat::Form& f) {
  for (QWidget* w = f.window()->focusWidget(); w; w = w->parentWidget())
    for (auto& c : f.controls())
      if (c->widget() == w) return c->name() + (c->index() >= 0 ? "(" + std::to_string(c->index()) + ")" : "");
  return "?";
}

void activate(plat::Form& f) {
  f.SetFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(f.window())) << f.name();
}

// The controls Tab stops at, as the user expects them: every shown, enabled
// windowed control that takes input and whose TabStop is not False.
std::vector<std::string> tab_stops(plat::Form& f) {
  using plat::Kind;
  std::vector<std::string> r;
  for (auto& c : f.controls()) {
    const Kind k = c->kind();
    const bool takes_input = k == Kind::CommandButton || k == Kind::TextBox || k == Kind::ComboBox ||
                             k == Kind::CheckBox || k == Kind::OptionButton || k == Kind::Hosted ||
                             k == Kind::ListView;
    QWidget* w = c->widget();
    if (!takes_input || !w || !w->isVisibleTo(f.window()) || !w->isEnabled()) continue;
    if (c->has("TabStop") && !c->get("TabStop").to_bool()) continue;
    r.push_back(c->name() + (c->index() >= 0 ? "(" + std::to_string(c->index()) + ")" : ""));
  }
  std::sort(r.begin(), r.end());
  return r;
}

// Tab and Shift+Tab, typed on whatever holds the focus, walk every Tab stop
// of the windows with grids, the grids included, one after the other, and
// the way back is the way there reversed; no Tab stays on a grid or opens
// anything there.
TEST_F(UserFlow, TabAndShiftTabWalkEveryTabStopOfTheWindowsWithGrids) {
  start_program({1024, 768, 16});
  menu("Artxibo3", 1);
  menu("Artxibo6", 1);  // the example in main memory: its grids take the keyboard
  menu("Ikusi2", 3);
  const std::vector<std::function<plat::Form&()>> windows = {
      [&]() -> plat::Form& { return main_window(); },
      [&]() -> plat::Form& { main_window().click("CommandMN", 1); return plat::form<MNetaEM>(); },
      [&]() -> plat::Form& { main_window().click("CommandKM", 0); return plat::form<Kontrolmemoria>(); },
      [&]() -> plat::Form& { main_window().click("CommandMikro", 1); return plat::form<Mikroprograma>(); }};
  for (const auto& open : windows) {
    plat::Form& f = open();
    SCOPED_TRACE(f.name());
    activate(f);
    const std::vector<std::string> stops = tab_stops(f);
    std::vector<std::string> there, back;
    for (size_t i = 0; i < 2 * stops.size() + 2; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      there.push_back(focus_name(f));
    }
    for (size_t i = 0; i < 2 * stops.size() + 2; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
      back.push_back(focus_name(f));
    }
    const size_t n = stops.size();
    ASSERT_GT(n, 0u);
    // There: each stop once, then round again.
    std::vector<std::string> round(there.begin(), there.begin() + std::ptrdiff_t(n));
    std::sort(round.begin(), round.end());
    EXPECT_EQ(round, stops);
    for (size_t i = 0; i + n < there.size(); ++i) EXPECT_EQ(there[i], there[i + n]) << i;
    // A grid keeps the focus only where it is the one stop.
    for (size_t i = 1; i < there.size() && n > 1; ++i) EXPECT_NE(there[i], there[i - 1]) << i;
    // Back: the same round the other way.
    const auto pos = [&](const std::string& name) {
      return size_t(std::find(there.begin(), there.begin() + std::ptrdiff_t(n), name) - there.begin());
    };
    std::string from = there.back();
    for (const std::string& b : back) {
      EXPECT_EQ(pos(b), (pos(from) + n - 1) % n) << from << " then " << b;
      from = b;
    }
    // No Tab opened an editor, a question or a dialog.
    for (auto& c : f.controls()) {
      const QWidget* e = c->widget() ? c->widget()->findChild<QWidget*>("txtEdit") : nullptr;
      EXPECT_TRUE(!e || e->isHidden()) << c->name();
    }
    for (const char* dialog : {"Galdera", "Datuenaldaketa", "EMkoerrenkada", "Birprogramatumikroagindua"})
      EXPECT_FALSE(plat::loaded_form(dialog)) << dialog;
    EXPECT_TRUE(clock.messages.empty());
  }
}

// A student reaches the pulse button by Tab and then presses Space each time
// a pulse button is offered: "clk1" in a cycle-by-cycle run (Ctrl+B), "clk2"
// and "clk1" in turn in a step-by-step run (Ctrl+C). The button disabled by
// its own press leaves the focus on the window, the next one offered takes
// it, and no Space reaches "RESET": the ADD runs to its end.
TEST_F(UserFlow, SpaceAfterSpaceOnThePulseButtonsStepsARunToItsEnd) {
  start_program({1024, 768, 16});
  Nagusia& m = main_window();
  bool running = false, reached = false, reset_seen = false;
  int spaces[2] = {0, 0}, offered = 0, focused_when_offered = 0;
  std::function<void()> student = [&] {
    if (!running) return;
    clock.after(50, student);
    if (plat::loaded_form(Agindua::kName)) return;
    for (int i : {0, 1}) {
      plat::Control& b = nw("Command3", i);
      if (!b.visible() || !b.enabled()) continue;
      const std::string name = "Command3(" + std::to_string(i) + ")";
      activate(m);
      if (reset_seen) {  // the run restarted: let it end without the keyboard
        m.click("Command3", i);
        continue;
      }
      if (!reached) {
        for (int t = 0; t < 40 && focus_name(m) != name; ++t) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(focus_name(m), name);
        reached = true;
      } else {
        ++offered;
        if (focus_name(m) == name) ++focused_when_offered;
      }
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
      ++spaces[i];
      if (m.reset == kFlagTrue) {
        reset_seen = true;
        instructions.push_back("  ADD:     ADD rh, ri1, ri2");
      }
    }
  };
  struct Case {
    Qt::Key shortcut;
    bool step_by_step;
  } cases[] = {{Qt::Key_B, false}, {Qt::Key_C, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step_by_step ? "step by step" : "cycle by cycle");
    instructions = {"  ADD:     ADD rh, ri1, ri2"};
    answers = 0;
    reached = reset_seen = false;
    spaces[0] = spaces[1] = offered = focused_when_offered = 0;
    clock.messages.clear();
    start_user();
    running = true;
    clock.after(50, student);
    activate(m);
    QTest::keyClick(m.window(), c.shortcut, Qt::ControlModifier);
    running = false;
    EXPECT_FALSE(reset_seen);
    EXPECT_EQ(answers, 1);
    EXPECT_EQ(message_texts(), std::vector<std::string>{"Aginduaren simulazioa amaitu da"});
    EXPECT_GE(spaces[0], 4);
    if (c.step_by_step)
      EXPECT_GE(spaces[1], 4);
    else
      EXPECT_EQ(spaces[1], 0);
    EXPECT_EQ(focused_when_offered, offered);
    expect_idle();
  }
}

}  // namespace
}  // namespace brendalo::testing
