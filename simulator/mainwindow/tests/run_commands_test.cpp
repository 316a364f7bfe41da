#include <QAction>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/forms/proplog.h"
#include "simulator/dialogs/ademaitza.h"
#include "simulator/dialogs/datuenaldaketa.h"
#include "simulator/dialogs/datuenaldaketarakopausoa.h"
#include "simulator/dialogs/konfiguratusim.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/display/asm_window.h"
#include "simulator/engine/run_loop.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/tests/run_fixture.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/run_commands.h"

namespace brendalo::testing {
namespace {

using RunCommands = RunTest;

plat::Control& period_box() { return plat::form<KonfiguratuSIM>().ctl("Combo1", 0); }

TEST_F(RunCommands, PeriodStepsStayWithinThreeToFiftyNine) {
  struct Case {
    const char* box;     // the options window's period text
    const char* period;  // Clk1_period_text
    int index;           // 0 longer, 1 shorter
    const char* after;   // the period after the step
    const char* message; // "" when none
  };
  const char* kMax = "Ezinzezkoa da denbora handiagotzea. clk1-en denbora maximoa:59s.";
  const char* kMin = "Ezinzezkoa da denbora txikiagotzea. clk1-en denbora minimoa:3s.";
  const Case cases[] = {
      {"11", "11", 0, "12", ""},  {"11", "11", 1, "10", ""},  {"9", "9", 0, "10", ""},   {"10", "10", 1, "9", ""},
      {"58", "58", 0, "59", ""},  {"59", "59", 0, "59", kMax}, {"4", "4", 1, "3", ""},    {"3", "3", 1, "3", kMin},
      // A box that holds no whole period 3..59: the step starts from the period in use.
      {"", "20", 0, "21", ""},    {"abc", "20", 1, "19", ""}, {"70", "59", 0, "59", kMax}, {"2", "3", 1, "3", kMin},
      {"07", "7", 0, "8", ""},    {"5.5", "5", 1, "4", ""},   {"", "junk", 0, "12", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("box \"") + c.box + "\" period " + c.period + (c.index ? " -" : " +"));
    clock.messages.clear();
    period_box().set_text(c.box);
    engine().Clk1_period_text = c.period;
    // The "+"/"-" of another window than the main one, or the menu items.
    if (c.index == 0)
      Simulazioa8_1_Click(4);
    else
      plat::form<ASM>().click("Command2", 1);
    const bool refused = *c.message != 0;
    if (refused) {
      ASSERT_EQ(clock.messages.size(), 1u);
      EXPECT_EQ(clock.messages[0].text, c.message);
      EXPECT_EQ(clock.messages[0].style, 16);
      EXPECT_EQ(clock.messages[0].title, "Arazoak denbora handiagotzen saiatzean");
      EXPECT_EQ(engine().Clk1_period_text, c.period);
      continue;
    }
    EXPECT_TRUE(clock.messages.empty());
    EXPECT_EQ(engine().Clk1_period_text, c.after);
    EXPECT_EQ(period_box().text(), c.after);
    EXPECT_EQ(plat::panel_text(Status_window(StatusWindow::MNetaEM).ctl("StatusBar1"), 5), std::string(c.after) + "''");
    const int p = std::stoi(c.after);
    EXPECT_DOUBLE_EQ(engine().Phase_delay, (p - 1) / 14.0);
    EXPECT_GT(engine().Phase_delay, 0.0);
    EXPECT_EQ(nw("Simulazioa6", 5).get("Checked").to_bool(), p == 3);
    EXPECT_EQ(nw("Simulazioa7", 5).get("Checked").to_bool(), p == 20);
  }
}

TEST_F(RunCommands, PresetsSetThePeriodEverywhere) {
  engine().Micro_address = 2;
  Simulazioa6_Click(5);
  EXPECT_EQ(engine().Clk1_period_text, "3");
  EXPECT_DOUBLE_EQ(engine().Phase_delay, 2 / 15.0);
  EXPECT_EQ(period_box().text(), "3");
  EXPECT_EQ(plat::panel_text(nw("StatusBar1"), 5), "3''");
  EXPECT_TRUE(nw("Simulazioa6", 5).get("Checked").to_bool());
  Simulazioa7_Click(5);
  EXPECT_EQ(plat::panel_text(Status_window(StatusWindow::Laguntza_edukia).ctl("StatusBar1"), 5), "20''");
  EXPECT_FALSE(nw("Simulazioa6", 5).get("Checked").to_bool());
  EXPECT_TRUE(nw("Simulazioa7", 5).get("Checked").to_bool());
  // Each window with "+" and "-" steps the same period.
  for (plat::Form* f : {static_cast<plat::Form*>(&plat::form<MNetaEM>()), &Status_window(StatusWindow::PU),
                        &Status_window(StatusWindow::Aginduenformatua), static_cast<plat::Form*>(&main_window())}) {
    const int before = std::stoi(engine().Clk1_period_text);
    f->click("Command2", 0);
    EXPECT_EQ(std::stoi(engine().Clk1_period_text), before + 1) << f->name();
  }
}

TEST_F(RunCommands, ModeItemsFollowTheOptionButtonsAndShowTheClockButtons) {
  struct Case {
    const char* item;
    int checked;  // 1..3
    int option;   // 8, 7, 6
    bool clk1, clk2;
  };
  const Case cases[] = {{"Simulazioa5_2", 2, 7, true, false},
                        {"Simulazioa5_3", 3, 6, true, true},
                        {"Simulazioa5_1", 1, 8, false, false}};
  KonfiguratuSIM& o = plat::form<KonfiguratuSIM>();
  // Idle (the buttons disabled since load) and during a run alike; the
  // buttons keep their enabled state.
  for (bool running : {false, true}) {
    engine().Instruction_running = to_flag(running);
    for (bool enabled : {false, true}) {
      for (int i : {0, 1}) nw("Command3", i).set_enabled(enabled);
      for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.item) + (running ? " running" : " idle") + (enabled ? " enabled" : ""));
        nw(c.item, 4).action()->trigger();
        for (int k = 1; k <= 3; ++k)
          EXPECT_EQ(nw(("Simulazioa5_" + std::to_string(k)).c_str(), 4).get("Checked").to_bool(), k == c.checked);
        for (int opt : {6, 7, 8}) EXPECT_EQ(o.ctl("Option1", opt).get("Value").to_bool(), opt == c.option);
        EXPECT_EQ(engine().Mode_continuous, c.option == 8);
        EXPECT_EQ(engine().Mode_cycle_by_cycle, c.option == 7);
        EXPECT_EQ(engine().Mode_step_by_step != 0, c.option == 6);
        EXPECT_EQ(nw("Command3", 0).visible(), c.clk1);
        EXPECT_EQ(nw("Command3", 1).visible(), c.clk2);
        for (int i : {0, 1}) EXPECT_EQ(nw("Command3", i).enabled(), enabled);
      }
    }
  }
}

TEST_F(RunCommands, TheIdleLookEnablesOnlyWhatCanWork) {
  struct Case {
    bool opened, loaded, modified;
    bool open, load, unload, data, restore, example;
  };
  const Case cases[] = {
      {false, false, false, true, false, false, false, false, false},
      {true, false, false, false, true, false, false, false, false},
      {true, true, false, false, false, true, true, false, true},
      {true, true, true, false, false, true, true, true, true},
      {false, false, true, true, false, false, false, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.opened) + std::to_string(c.loaded) + std::to_string(c.modified));
    engine().Example_opened = to_flag(c.opened);
    engine().Example_loaded = to_flag(c.loaded);
    engine().Control_memory_modified = to_flag(c.modified);
    Start_ku_simulation();
    for (const char* item : {"Artxibo3", "Artxibo6", "Artxibo7", "Artxibo8", "Artxiboaldatu", "Artxibo11"})
      EXPECT_FALSE(nw(item, 1).enabled()) << item;
    for (const char* item : {"Simulazioa1", "Simulazioa2", "Simulazioa3", "Simulazioa4"})
      EXPECT_FALSE(nw(item, 5).enabled()) << item;
    Enter_idle_state();
    EXPECT_EQ(nw("Artxibo3", 1).enabled(), c.open);
    EXPECT_EQ(nw("Artxibo6", 1).enabled(), c.load);
    EXPECT_EQ(nw("Artxibo7", 1).enabled(), c.unload);
    EXPECT_EQ(nw("Artxibo8", 1).enabled(), c.data);
    EXPECT_TRUE(nw("Artxiboaldatu", 1).enabled());
    EXPECT_EQ(nw("Artxibo11", 1).enabled(), c.restore);
    EXPECT_EQ(nw("Simulazioa4", 5).enabled(), c.example);
    for (const char* item : {"Simulazioa9", "Simulazioa10", "Simulazioa11"}) EXPECT_FALSE(nw(item, 5).enabled());
    const bool idle_buttons[] = {false, false, true, false, false, true};  // 1..6, 3 untouched
    for (int b : {1, 2, 4, 5, 6})
      EXPECT_EQ(plat::toolbar_button_enabled(nw("Toolbar1"), b), idle_buttons[b - 1]) << "button " << b;
    EXPECT_EQ(plat::panel_text(nw("StatusBar1"), 1), "Aginduaren zain");
    if (c.loaded) {
      EXPECT_TRUE(nw("Nadrel3").enabled());
    }
  }
  // Idle, pause and continue change nothing.
  const EngineState before = engine();
  Simulazioa9_Click(5);
  Simulazioa10_Click(5);
  EXPECT_EQ(engine(), before);
  EXPECT_EQ(plat::panel_text(nw("StatusBar1"), 1), "Aginduaren zain");
}

TEST_F(RunCommands, NoRunStartsFromInsideARun) {
  instructions = {"  LD:      LD rh, ALDAGAIA"};
  start_user();
  int tries = 0;
  clock.at(5'000, [&] {
    EXPECT_TRUE(Run_in_progress());
    for (const char* item : {"Simulazioa1", "Simulazioa2", "Simulazioa3", "Simulazioa4"}) {
      EXPECT_FALSE(nw(item, 5).enabled()) << item;
      main_window().click(item, 5);  // a disabled item does nothing
    }
    // Even reached directly, a run command returns at once.
    Run_single_instruction("Simulazioa3");
    Simulazioa4_Click(5);
    ++tries;
  });
  plat::PropertyLog::start();
  Run_single_instruction("Simulazioa1");
  EXPECT_EQ(tries, 1);
  EXPECT_EQ(counter_captions(), (std::vector<std::string>{"00000", "00001", "00010", "01001", "00000"}));
  EXPECT_EQ(clock.messages.size(), 1u);
  EXPECT_FALSE(Run_in_progress());
  EXPECT_EQ(engine().Example_running, kFlagFalse);
}

class ExampleRun : public RunTest {
 protected:
  void SetUp() override {
    RunTest::SetUp();
    main_window().Artxibo3_Click(1);
    main_window().Artxibo6_Click(1);
  }
  // Texts of panel 3 that name an instruction: one per instruction run.
  static std::vector<std::string> instructions_run() {
    std::vector<std::string> r;
    for (const std::string& t : panel_writes(3))
      if (!t.empty()) r.push_back(t);
    return r;
  }
  void menu(const char* item, int group) { nw(item, group).action()->trigger(); }
  // The data-word editor for word 0 of `vector`, opened by the File menu's step dialog.
  Datuenaldaketa& edit_first_word(const char* vector) {
    menu("Artxibo8", 1);
    Datuenaldaketarakopausoa& step = plat::form<Datuenaldaketarakopausoa>();
    step.ctl("Combo1").set_text(vector);
    step.ctl("Combo2").set_text("0");
    step.click("Command3", 0);
    return plat::form<Datuenaldaketa>();
  }
  // Element i of vector C stored by the run.
  static bool stored(int i) { return !machine().Main_memory_text[size_t(32 + i)].empty(); }
  // Register r's decimal and binary texts, in the table and in both register grids.
  static void expect_register(int r, const std::string& decimal, const std::string& binary) {
    SCOPED_TRACE("r" + std::to_string(r));
    EXPECT_EQ(machine().Register_file_text[size_t(r)][1], decimal);
    EXPECT_EQ(machine().Register_file_text[size_t(r)][2], binary);
    EXPECT_EQ(Nagusia_Nadrel4().TextMatrix(r + 1, 2), decimal);
    EXPECT_EQ(Nagusia_Nadrel4().TextMatrix(r + 1, 3), binary);
    EXPECT_EQ(MNetaEM_Nadrel1().TextMatrix(r + 1, 2), "   " + decimal);
    EXPECT_EQ(MNetaEM_Nadrel1().TextMatrix(r + 1, 3), "    " + binary);
  }
  // Columns 1 to 3 of the rows of C, in `g`; `stored` as 0xC0E0FF in column
  // 2, the others 0xC0FFFF.
  static std::vector<int32_t> c_colours(Grid g) {
    std::vector<int32_t> r;
    for (int row = 33; row <= 48; ++row)
      for (int col = 1; col <= 3; ++col) r.push_back(g.CellBackColor(col, row));
    return r;
  }
  static std::vector<int32_t> listed_c(std::set<int> stored = {}) {
    std::vector<int32_t> r;
    for (int i = 0; i < 16; ++i) r.insert(r.end(), {0xE0E0E0, stored.count(i) ? 0xC0E0FF : 0xC0FFFF, 0xE0E0E0});
    return r;
  }
  static std::vector<std::string> c_boxes() {
    std::vector<std::string> r;
    for (int i = 0; i < 16; ++i) r.push_back(plat::form<Ademaitza>().ctl("Text6", i).text());
    return r;
  }
};

const std::string kZero = std::string(9, ' ') + "0", kZeroBits = "  0000000000000000";

TEST_F(ExampleRun, RunsItsHundredAndTwentyNineInstructionsAndShowsTheResults) {
  engine().Report_z_value = kFlagTrue;
  // Vector C holds something before the run: the run starts it empty.
  for (int i = 0; i < 16; ++i) machine().Main_memory_text[size_t(32 + i)] = Main_memory_word_text(999);
  // What the display stores of C while the run goes on (here three elements, one overflowing).
  machine().Main_memory_bits[2].fill(0);
  machine().Main_memory_bits[18].fill(0);
  machine().Main_memory_bits[2][1] = 1;   // A(2) = 16384
  machine().Main_memory_bits[18][1] = 1;  // B(2) = 16384
  clock.at(200'000, [] {
    for (int i = 0; i < 3; ++i)
      machine().Main_memory_text[size_t(32 + i)] = Main_memory_word_text(Data_word_value(i) + Data_word_value(16 + i));
  });
  plat::PropertyLog::start();
  const int64_t start = clock.now_ms();
  Simulazioa4_Click(5);

  const std::vector<std::string> run = instructions_run();
  ASSERT_EQ(run.size(), 129u);
  EXPECT_EQ(run[0], "Agindua: movi r1, #0");
  EXPECT_EQ(run[1], "Agindua: movi r2, #16");
  EXPECT_EQ(run[2], "Agindua: ldx r3, A[r1]");
  EXPECT_EQ(run[9], "Agindua: beq r0, segi");
  EXPECT_EQ(run[128], "Agindua: beq r2, buka");
  // 774 passes of ten seconds, and the replay.
  EXPECT_EQ(counter_captions().size(), 775u);
  EXPECT_NEAR(double(clock.now_ms() - start) / 1000.0, 774 * 10.0 + 5.0, 10.0);

  std::vector<std::string> expected;
  for (int it = 1; it <= 16; ++it) {
    expected.push_back(it == 16 ? "Zren balioa: 1" : "Zren balioa: 0");
    if (it < 16) expected.push_back("Zren balioa: 1");
  }
  expected.push_back("Programa adibidearen simulazioa amaitu da");
  std::vector<std::string> texts;
  for (const auto& m : clock.messages) texts.push_back(m.text);
  EXPECT_EQ(texts, expected);
  EXPECT_EQ(clock.messages[0].title, "Agindua simulatzen");
  EXPECT_EQ(clock.messages.back().title, "Programa adibidea simulatzen");

  ASSERT_TRUE(plat::is_loaded<Ademaitza>());
  Ademaitza& r = plat::form<Ademaitza>();
  EXPECT_TRUE(r.visible());
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(r.ctl("Text4", i).text(), std::to_string(Data_word_value(i))) << i;
    EXPECT_EQ(r.ctl("Text5", i).text(), std::to_string(Data_word_value(16 + i))) << i;
  }
  EXPECT_EQ(r.ctl("Text6", 0).text(), std::to_string(Data_word_value(0) + Data_word_value(16)));
  EXPECT_EQ(r.ctl("Text6", 1).text(), std::to_string(Data_word_value(1) + Data_word_value(17)));
  EXPECT_EQ(r.ctl("Text6", 2).text(), "-32768");  // 16384 + 16384 as memory holds it
  // The display stores every element of C as the run goes on.
  for (int i = 3; i < 16; ++i)
    EXPECT_EQ(r.ctl("Text6", i).text(), std::to_string(int16_t(Data_word_value(i) + Data_word_value(16 + i)))) << i;
  EXPECT_EQ(engine().Example_running, kFlagFalse);
  EXPECT_TRUE(nw("Simulazioa4", 5).enabled());
  r.click("Command1");
  EXPECT_FALSE(plat::is_loaded<Ademaitza>());
}

TEST_F(ExampleRun, AModifiedControlMemoryIsRestoredFirstAndEndStopsTheRest) {
  engine().Control_memory_modified = kFlagTrue;
  machine().Control_memory[5][3] = "1";  // an edit the restore undoes
  clock.at(100'000, [this] { main_window().click("Simulazioa11", 5); });
  plat::PropertyLog::start();
  Simulazioa4_Click(5);
  ASSERT_EQ(clock.messages.size(), 3u);
  EXPECT_EQ(clock.messages[0].text,
            "Kontrol memoria aldatuta dagoenez, berrezarri egingo da simulazioari ekin aurretik.");
  EXPECT_EQ(clock.messages[0].title, "Programa adibidea simulatzen");
  EXPECT_EQ(clock.messages[1].text, "Mikroprograma era Kontrol Memoria berrezarri dira.");
  EXPECT_EQ(clock.messages[2].text, "Programa adibidearen simulazioa amaitu da");
  EXPECT_EQ(machine().Control_memory[5][3], "0");
  // Ten passes, then the end: the rest of the program returns at once.
  EXPECT_LE(instructions_run().size(), 3u);
  EXPECT_LT(clock.now_ms(), 120'000);
  EXPECT_TRUE(nw("Simulazioa4", 5).enabled());
  EXPECT_EQ(plat::panel_text(nw("StatusBar1"), 1), "Aginduaren zain");
}

// Every run of the example, and every restart, starts from the same texts:
// vector C empty in memory and in a results window left open, the registers
// at their start texts. A later run cut earlier shows only what it computed.
TEST_F(ExampleRun, EveryRunAndRestartStartsFromTheSameTexts) {
  // Run 1, ended once C(1) is stored: the results show C(0) and C(1).
  when([] { return stored(1); }, [this] { menu("Simulazioa11", 5); });
  menu("Simulazioa4", 5);
  std::vector<std::string> c(16, "");
  c[0] = "2";  // 2 + 0
  c[1] = "7";  // 1 + 6
  ASSERT_TRUE(plat::is_loaded<Ademaitza>());
  EXPECT_EQ(c_boxes(), c);
  expect_register(1, std::string(9, ' ') + "1", "  0000000000000001");
  // The end took back the mark of C(1) being written.
  EXPECT_EQ(c_colours(Nagusia_Nadrel3()), listed_c({0, 1}));
  EXPECT_EQ(c_colours(MNetaEM_Nadrel3()), listed_c({0, 1}));

  // Run 2 with the results window still open: at its start nothing of run 1
  // is left; RESET once C(0) is stored, and again nothing is left at the restart.
  std::vector<std::vector<std::string>> boxes_at_start;
  const auto look_at_start = [&] {
    boxes_at_start.push_back(c_boxes());
    EXPECT_FALSE(stored(0));
    EXPECT_EQ(Nagusia_Nadrel3().TextMatrix(33, 2), "");
    // No element of C marked as stored in either memory grid.
    EXPECT_EQ(c_colours(Nagusia_Nadrel3()), listed_c());
    EXPECT_EQ(c_colours(MNetaEM_Nadrel3()), listed_c());
    for (int r = 1; r <= 5; ++r) expect_register(r, kZero, kZeroBits);
  };
  clock.after(1000, look_at_start);
  bool reset = false;
  when([] { return stored(0); }, [&] {
    main_window().click("Command1");  // RESET
    reset = true;
    when([] { return !stored(0); }, [&] {
      look_at_start();
      when([] { return stored(0); }, [this] { menu("Simulazioa11", 5); });
    });
  });
  menu("Simulazioa4", 5);
  EXPECT_TRUE(reset);
  ASSERT_EQ(boxes_at_start.size(), 2u);
  for (const auto& b : boxes_at_start) EXPECT_EQ(b, std::vector<std::string>(16, ""));
  c[1] = "";
  EXPECT_EQ(c_boxes(), c);
  EXPECT_EQ(c_colours(MNetaEM_Nadrel3()), listed_c({0}));

  // Run 3, ended in "stx r5, C[r1]" before it stores: C(0) keeps the listing's colour.
  when([] { return engine().Example_instruction == 6 && engine().Micro_address == 16; },
       [this] { menu("Simulazioa11", 5); });
  menu("Simulazioa4", 5);
  EXPECT_FALSE(stored(0));
  EXPECT_EQ(c_colours(Nagusia_Nadrel3()), listed_c());
  EXPECT_EQ(c_colours(MNetaEM_Nadrel3()), listed_c());
}

// A sum outside 16 bits: r5 shows the 16-bit value in both its texts, as C
// and the results window do. A(0) = 32767 and B(0) = 1 are set by the user.
TEST_F(ExampleRun, ASumOutsideSixteenBitsShowsAsSixteenBitsInR5) {
  const auto set_word = [this](const char* vector, const std::string& bits) {
    Datuenaldaketa& d = edit_first_word(vector);
    for (int j = 0; j < 16; ++j) d.click(bits[size_t(j)] == '1' ? "Command2" : "Command1", j);
    d.click("Command3", 0);
  };
  set_word("A", "0111111111111111");
  set_word("B", "0000000000000001");
  ASSERT_EQ(Data_word_value(0), 32767);
  ASSERT_EQ(Data_word_value(16), 1);
  bool seen = false;
  when([] { return stored(0); }, [&] {
    expect_register(5, std::string(9, ' ') + "-32768", "  1000000000000000");
    EXPECT_EQ(machine().Main_memory_text[32], "     1000   0000   0000   0000");
    seen = true;
    menu("Simulazioa11", 5);
  });
  menu("Simulazioa4", 5);
  EXPECT_TRUE(seen);
  EXPECT_EQ(plat::form<Ademaitza>().ctl("Text6", 0).text(), "-32768");
}

// A data word accepted during a run is refused with the grids' own message;
// the editor stays open and takes the word once the run is over, so the
// results are always A + B.
TEST_F(ExampleRun, ADataChangeIsNotTakenDuringARun) {
  Datuenaldaketa& d = edit_first_word("A");
  ASSERT_TRUE(d.visible());
  const std::string a0_text = machine().Main_memory_text[0];
  bool refused = false;
  clock.after(20'000, [&] {
    ASSERT_TRUE(Run_in_progress());
    d.click("Command2", 10);  // A(0) = 2 + 32 = 34
    d.click("Command3", 0);
    ASSERT_EQ(clock.messages.size(), 1u);
    EXPECT_EQ(clock.messages[0].text, "KU simulatzen ari denez, MNko datuak ezin dira aldatu.");
    EXPECT_EQ(clock.messages[0].style, 16);
    EXPECT_EQ(clock.messages[0].title, "Arazoak Memoria nagusia aldatzen saiatzean");
    EXPECT_TRUE(plat::is_loaded<Datuenaldaketa>());
    EXPECT_EQ(Data_word_value(0), 2);
    EXPECT_EQ(machine().Main_memory_text[0], a0_text);
    EXPECT_EQ(Nagusia_Nadrel3().TextMatrix(1, 2), a0_text);
    refused = true;
    when([] { return stored(0); }, [this] { menu("Simulazioa11", 5); });
  });
  menu("Simulazioa4", 5);
  EXPECT_TRUE(refused);
  EXPECT_EQ(plat::form<Ademaitza>().ctl("Text4", 0).text(), "2");
  EXPECT_EQ(plat::form<Ademaitza>().ctl("Text6", 0).text(), "2");  // 2 + 0
  // After the run the same "&Onartu" takes the word.
  ASSERT_TRUE(plat::is_loaded<Datuenaldaketa>());
  d.click("Command3", 0);
  EXPECT_FALSE(plat::is_loaded<Datuenaldaketa>());
  EXPECT_EQ(Data_word_value(0), 34);
  EXPECT_EQ(Nagusia_Nadrel3().TextMatrix(1, 2), Main_memory_word_text(34));
  EXPECT_TRUE(main_window().enabled());
}

}  // namespace
}  // namespace brendalo::testing
