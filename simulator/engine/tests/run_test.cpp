#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "platform/comctl/comctl.h"
#include "platform/forms/proplog.h"
#include "simulator/dialogs/agindua.h"
#include "simulator/dialogs/zaukeratu.h"
#include "simulator/display/asm_window.h"
#include "simulator/engine/conversions.h"
#include "simulator/engine/run_loop.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/tests/run_fixture.h"
#include "simulator/machine/grids.h"
#include "simulator/mainwindow/end_command.h"
#include "simulator/mainwindow/run_commands.h"

namespace brendalo::testing {
namespace {

// The list entry of `mnemonic` in the instruction dialog ("  ADD:     ADD rh, ri1, ri2" for "ADD").
const char* entry(const std::string& mnemonic) {
  for (const InstructionChoice& c : kInstructionChoices)
    if (std::string(c.entry).substr(0, mnemonic.size() + 3) == "  " + mnemonic + ":") return c.entry;
  ADD_FAILURE() << "no entry " << mnemonic;
  return "";
}

// Milliseconds of one paced wait at micro-address `a` for period `p`.
int64_t wait_ms(int p, int a) { return int64_t(std::ceil((p - 1) / (a == 2 ? 15.0 : 14.0) * 1000.0)); }

// The waits a run makes: 14 per pass (15 at the decode), then 7 for the replay.
std::vector<int64_t> expected_waits(const std::vector<int>& passes, int period) {
  std::vector<int64_t> r;
  for (int a : passes) r.insert(r.end(), a == 2 ? 15 : 14, wait_ms(period, a));
  r.insert(r.end(), 7, wait_ms(period, 0));
  return r;
}

std::vector<std::string> bits_of(const std::vector<int>& passes) {
  std::vector<std::string> r;
  for (int a : passes) {
    std::string b;
    for (int k = 4; k >= 0; --k) b += char('0' + ((a >> k) & 1));
    r.push_back(b);
  }
  r.push_back("00000");  // the replay at the end of the run
  return r;
}

using EngineRun = RunTest;

TEST_F(EngineRun, EachInstructionRunsItsMicroroutineWithItsWaits) {
  struct Case {
    const char* instruction;
    const char* z;  // answer at the conditional jump, "" when none is asked
    std::vector<int> passes;
  };
  const Case cases[] = {
      {"ADD", "", {0, 1, 2, 3, 4, 5}},        {"SUB", "", {0, 1, 2, 3, 4, 5}},
      {"MOV", "", {0, 1, 2, 3, 4, 5}},        {"ADDi", "", {0, 1, 2, 6, 7, 8}},
      {"SUBi", "", {0, 1, 2, 6, 7, 8}},       {"MOVi", "", {0, 1, 2, 6, 7, 8}},
      {"LD", "", {0, 1, 2, 9}},               {"ST", "", {0, 1, 2, 10, 11}},
      {"LDX", "", {0, 1, 2, 12, 13, 14}},     {"STX", "", {0, 1, 2, 15, 16, 17}},
      {"BEQ", "0", {0, 1, 2, 18, 19, 20}},    {"BEQ", "1", {0, 1, 2, 18, 19, 21}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.instruction) + " Z=" + c.z);
    rec.waits.clear();
    instructions = {entry(c.instruction)};
    if (*c.z) z_answers = {c.z};
    start_user();
    plat::PropertyLog::start();
    Run_single_instruction("Simulazioa1");
    EXPECT_EQ(counter_captions(), bits_of(c.passes));
    EXPECT_EQ(rec.waits, expected_waits(c.passes, 11));
    EXPECT_TRUE(instructions.empty());
    EXPECT_TRUE(z_answers.empty());
    if (*c.z) {
      EXPECT_EQ(engine().Z_value, c.z);
    }
    EXPECT_EQ(engine().Micro_address, 0);
    EXPECT_EQ(engine().Micro_address_bits, "00001");
    EXPECT_EQ(engine().Instruction_running, kFlagFalse);
  }
}

TEST_F(EngineRun, StatusTextsMessageAndBeepsOfARun) {
  instructions = {entry("SUB")};
  start_user();
  plat::PropertyLog::start();
  Run_single_instruction("Simulazioa1");
  EXPECT_EQ(panel_writes(1), (std::vector<std::string>{"KU simulatzen", "Simulazioa amaitzen", "Aginduaren zain"}));
  EXPECT_EQ(panel_writes(2), (std::vector<std::string>{"001011", "", ""}));
  EXPECT_EQ(panel_writes(3), (std::vector<std::string>{"Agindua: sub rh, ri1, ri2", "", ""}));
  EXPECT_EQ(panel_writes(4), (std::vector<std::string>{"", "", ""}));
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "Aginduaren simulazioa amaitu da");
  EXPECT_EQ(clock.messages[0].style, 64);
  EXPECT_EQ(clock.messages[0].title, "Agindua simulatzen");
  // A beep on each of the six clk1 edges and on the replay's.
  EXPECT_EQ(clock.beeps, 7);
  // The other status windows follow the main window.
  EXPECT_EQ(plat::panel_text(Status_window(StatusWindow::Laguntza_edukia).ctl("StatusBar1"), 1), "Aginduaren zain");

  // Without sound only the replay beeps.
  clock.beeps = 0;
  main_window().soinua = kFlagFalse;
  instructions = {entry("LD")};
  start_user();
  Run_single_instruction("Simulazioa1");
  EXPECT_EQ(clock.beeps, 1);
  EXPECT_EQ(clock.messages.size(), 2u);
}

TEST_F(EngineRun, ManualModesWaitForTheirPulses) {
  struct Case {
    const char* item;
    bool clk2;
    const char* first_wait;
  };
  for (const Case& c : {Case{"Simulazioa2", false, "clk1-en zain"}, Case{"Simulazioa3", true, "clk2-ren zain"}}) {
    SCOPED_TRACE(c.item);
    pulses[0] = pulses[1] = 0;
    press_clk1 = true;
    press_clk2 = c.clk2;
    instructions = {entry("LD")};
    start_user();
    plat::PropertyLog::start();
    Run_single_instruction(c.item);
    // One clk1 pulse per pass (four for LD), and one clk2 in step-by-step mode.
    EXPECT_EQ(pulses[0], 4);
    EXPECT_EQ(pulses[1], c.clk2 ? 4 : 0);
    const std::vector<std::string> p1 = panel_writes(1);
    ASSERT_GE(p1.size(), 3u);
    EXPECT_EQ(p1[1], c.first_wait);
    EXPECT_EQ(std::count(p1.begin(), p1.end(), std::string("clk1-en zain")), 4);
    EXPECT_EQ(std::count(p1.begin(), p1.end(), std::string("clk2-ren zain")), c.clk2 ? 4 : 0);
    EXPECT_FALSE(nw("Command3", 0).visible());
    EXPECT_FALSE(nw("Command3", 1).visible());
    EXPECT_FALSE(engine().Mode_cycle_by_cycle);
    EXPECT_FALSE(engine().Mode_step_by_step);
  }
}

TEST_F(EngineRun, PauseHoldsTheNextStepUntilContinue) {
  instructions = {entry("LD")};
  start_user();
  size_t writes_at_pause = 0;
  // Mid-wait of the second pass: pause; 20 s later, continue.
  clock.at(12'300, [&] {
    Simulazioa9_Click(5);
    writes_at_pause = plat::PropertyLog::writes().size();
  });
  clock.at(32'300, [&] {
    // Nothing was painted while paused.
    EXPECT_EQ(plat::PropertyLog::writes().size(), writes_at_pause);
    for (size_t k = writes_at_pause; k < plat::PropertyLog::writes().size(); ++k) {
      const auto& w = plat::PropertyLog::writes()[k];
      ADD_FAILURE() << w.form << "." << w.control << "(" << w.index << ")." << w.property << "=" << w.value.to_string();
    }
    EXPECT_EQ(plat::panel_text(nw("StatusBar1"), 1), "Simulazioa geldirik");
    Simulazioa10_Click(5);
  });
  plat::PropertyLog::start();
  const int64_t start = clock.now_ms();
  Run_single_instruction("Simulazioa1");
  int64_t paced = 0;
  for (int64_t w : rec.waits) paced += w;
  // The run took its paced waits plus the 20 s paused beyond the wait that was running.
  EXPECT_NEAR(double(clock.now_ms() - start), double(paced + 20'000 - 0), 1000.0);
  EXPECT_EQ(counter_captions(), bits_of({0, 1, 2, 9}));
}

TEST_F(EngineRun, ResetRestartsTheSameInstructionInTheSameMode) {
  instructions = {entry("ADD")};
  start_user();
  clock.at(15'000, [] { Command1_Click(); });  // during the second pass
  plat::PropertyLog::start();
  Run_single_instruction("Simulazioa1");
  EXPECT_EQ(counter_captions(),
            (std::vector<std::string>{"00000", "00001", "00000", "00001", "00010", "00011", "00100", "00101", "00000"}));
  EXPECT_TRUE(instructions.empty());  // asked in the restarted run
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "Aginduaren simulazioa amaitu da");
  EXPECT_EQ(main_window().reset, kFlagFalse);
  EXPECT_EQ(engine().Simulation_ended, kFlagFalse);
  // The restart went through the end command's idle look and the running look again.
  const std::vector<std::string> p1 = panel_writes(1);
  EXPECT_EQ(std::count(p1.begin(), p1.end(), std::string("KU simulatzen")), 2);
}

TEST_F(EngineRun, EndInTheMiddleOfAPassClosesTheRunAtOnce) {
  instructions = {entry("ADD")};
  start_user();
  int64_t ended_at = 0;
  clock.at(33'500, [&] {  // inside the pass at micro-address 3
    main_window().click("Simulazioa11", 5);
    ended_at = clock.now_ms();
  });
  plat::PropertyLog::start();
  Run_single_instruction("Simulazioa1");
  EXPECT_EQ(counter_captions(), (std::vector<std::string>{"00000", "00001", "00010", "00011", "00000"}));
  // Only the replay's seven waits follow the end.
  EXPECT_EQ(clock.now_ms() - ended_at, 7 * wait_ms(11, 0));
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(engine().Simulation_ended, kFlagFalse);
  EXPECT_FALSE(nw("Simulazioa11", 5).enabled());
  EXPECT_TRUE(nw("Simulazioa1", 5).enabled());
  EXPECT_EQ(plat::panel_text(nw("StatusBar1"), 1), "Aginduaren zain");
}

TEST_F(EngineRun, ARestartOrEndWhileTheInstructionIsAskedTakesTheQuestionBack) {
  for (bool end : {false, true}) {
    SCOPED_TRACE(end ? "end" : "restart");
    bool seen_open = false;
    // The main window is disabled while the dialog is open: the request comes from elsewhere.
    clock.at(clock.now_ms() + 26'000, [&] {
      seen_open = plat::loaded_form(Agindua::kName) != nullptr && !main_window().enabled();
      if (end)
        Simulazioa11_Click(5);
      else
        Command1_Click();
      instructions = {entry("LD")};
      start_user();
    });
    plat::PropertyLog::start();
    Run_single_instruction("Simulazioa1");
    EXPECT_TRUE(seen_open);
    EXPECT_EQ(plat::loaded_form(Agindua::kName), nullptr);
    EXPECT_TRUE(main_window().enabled());
    const std::vector<std::string> expected =
        end ? std::vector<std::string>{"00000", "00001", "00010", "00000"}
            : std::vector<std::string>{"00000", "00001", "00010", "00000", "00001", "00010", "01001", "00000"};
    EXPECT_EQ(counter_captions(), expected);
    EXPECT_EQ(engine().Dialog_answered, kFlagFalse);
    clock.messages.clear();
  }
}

// The instruction dialog disables the main window: it stays above it, and a
// click on the main window brings the dialog forward, not the main window.
// The Z dialog, without a title bar, stays above the window it opened over.
TEST_F(EngineRun, TheDialogsStayAboveTheWindowTheyOpenOver) {
  Nagusia& m = main_window();
  m.Show();
  m.SetFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m.window()));
  Show_instruction_dialog();
  Agindua& a = plat::form<Agindua>();
  EXPECT_EQ(a.window()->windowHandle()->transientParent(), m.window()->windowHandle());
  ASSERT_TRUE(QTest::qWaitForWindowActive(a.window()));
  m.window()->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(a.window()));
  a.ctl("Combo1").set_text(entry("ADD"));
  a.click("Command1");
  m.SetFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m.window()));
  Show_z_dialog();
  EXPECT_EQ(plat::form<Zaukeratu>().window()->windowHandle()->transientParent(), m.window()->windowHandle());
}

TEST_F(EngineRun, ADialogClosesOnlyByItsButtonAndRefusesWhatNamesNoChoice) {
  Agindua& a = plat::form<Agindua>();
  a.Show();
  EXPECT_FALSE(main_window().enabled());
  EXPECT_FALSE(plat::unload_form(Agindua::kName));  // the close box
  // Only an entry as listed answers: a bare mnemonic, an entry with other
  // blanks or a part of one is refused and changes nothing.
  engine().Micro_address_bits = "00010";
  const char* refused[] = {"",    "   ",  "NOP", "  ADD:", "add", "ADD", " MOVi ", "ldx",
                           "ADD:     ADD rh, ri1, ri2", "  ADD:     ADD rh, ri1, ri2 ", "  add:     add rh, ri1, ri2"};
  for (const char* text : refused) {
    a.ctl("Combo1").set_text(text);
    a.click("Command1");
    EXPECT_TRUE(plat::is_loaded<Agindua>()) << text;
  }
  ASSERT_EQ(clock.messages.size(), std::size(refused));
  EXPECT_EQ(engine().Micro_address_bits, "00010");
  EXPECT_EQ(nw("Label10", 5).caption(), "XXXXX");
  EXPECT_EQ(plat::panel_text(nw("StatusBar1"), 3), "");
  EXPECT_FALSE(main_window().enabled());
  for (const auto& m : clock.messages) {
    EXPECT_EQ(m.text, "Agindu bat aukeratu behar duzu.");
    EXPECT_EQ(m.style, 48);
    EXPECT_EQ(m.title, "Aginduaren aukeraketa");
  }
  EXPECT_EQ(engine().Dialog_answered, kFlagFalse);
  ASSERT_NE(plat::loaded_form(Agindua::kName), nullptr);
  a.ctl("Combo1").set_text("  SUB:     SUB rh, ri1, ri2");
  a.click("Command1");
  EXPECT_EQ(plat::loaded_form(Agindua::kName), nullptr);
  EXPECT_EQ(engine().Micro_address_bits, "00011");
  EXPECT_EQ(nw("Label10", 5).caption(), "00011");
  EXPECT_EQ(plat::panel_text(Status_window(StatusWindow::PU).ctl("StatusBar1"), 2), "001011");
  EXPECT_EQ(plat::panel_text(Status_window(StatusWindow::PU).ctl("StatusBar1"), 3), "Agindua: sub rh, ri1, ri2");
  EXPECT_TRUE(main_window().enabled());
  EXPECT_EQ(engine().Dialog_answered, kFlagTrue);

  clock.messages.clear();
  engine().Dialog_answered = kFlagFalse;
  Zaukeratu& z = plat::form<Zaukeratu>();
  z.Show();
  EXPECT_TRUE(main_window().enabled());
  EXPECT_EQ(z.ctl("Combo1").items(), (std::vector<std::string>{"0", "1"}));
  EXPECT_FALSE(plat::unload_form(Zaukeratu::kName));
  for (const char* text : {"", "2", "01", "x"}) {
    z.ctl("Combo1").set_text(text);
    z.click("Command1");
  }
  ASSERT_EQ(clock.messages.size(), 4u);
  for (const auto& m : clock.messages) {
    EXPECT_EQ(m.text, "Z-rentzako balio bat aukeratu behar duzu.");
    EXPECT_EQ(m.style, 64);
    EXPECT_EQ(m.title, "Arazoak agindua simulatzean");
  }
  EXPECT_EQ(engine().Dialog_answered, kFlagFalse);
  z.ctl("Combo1").set_text("1");
  z.click("Command1");
  EXPECT_EQ(engine().Z_value, "1");
  EXPECT_EQ(engine().Dialog_answered, kFlagTrue);
  EXPECT_EQ(plat::loaded_form(Zaukeratu::kName), nullptr);
}

TEST(DataWordValue, ReadsSixteenBitsAsTwosComplement) {
  struct Case {
    const char* bits;  // most significant first
    int16_t value;
  };
  const Case cases[] = {{"0000000000000000", 0},      {"0000000000000001", 1},  {"0111111111111111", 32767},
                        {"1000000000000000", -32768}, {"1111111111111111", -1}, {"0000000000001011", 11}};
  machine() = MachineTables{};
  for (const Case& c : cases) {
    for (int j = 0; j < 16; ++j) machine().Main_memory_bits[7][size_t(j)] = int16_t(c.bits[j] - '0');
    EXPECT_EQ(Data_word_value(7), c.value) << c.bits;
  }
}

TEST_F(EngineRun, EachListedInstructionAnswersWithItsRoutineCodeAndText) {
  struct Case {
    const char* entry;
    const char* start;
    const char* code;
    const char* text;
  };
  const Case cases[] = {
      {"  ADD:     ADD rh, ri1, ri2", "00011", "001001", "Agindua: add rh, ri1, ri2"},
      {"  ADDi:    ADDi rh, ri, #bereh", "00110", "001010", "Agindua: addi rh, ri, #bereh"},
      {"  SUB:     SUB rh, ri1, ri2", "00011", "001011", "Agindua: sub rh, ri1, ri2"},
      {"  SUBi:    SUBi rh, ri, #bereh", "00110", "001100", "Agindua: subi rh, ri, #bereh"},
      {"  MOV:     MOV rh, ri", "00011", "000111", "Agindua: mov rh, ri"},
      {"  MOVi:    MOVi rh, #bereh", "00110", "001000", "Agindua: movi rh, #bereh"},
      {"  LD:      LD rh, ALDAGAIA", "01001", "000000", "Agindua: ld rh, ALDAGAIA"},
      {"  ST:      ST ri2, ALDAGAIA", "01010", "000011", "Agindua: st ri2, ALDAGAIA"},
      {"  LDX:     LDX rh, ALD[ri]", "01100", "000010", "Agindua: ldx rh, ALD[ri]"},
      {"  STX:     STX ri2, ALD[ri1]", "01111", "000101", "Agindua: stx ri2, ALD[ri1]"},
      {"  BEQ:     BEQ ri, etiketa", "10010", "011010", "Agindua: beq ri, etiketa"},
  };
  std::vector<std::string> listed;
  for (const Case& c : cases) listed.push_back(c.entry);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    engine().Micro_address_bits = "00011";
    Agindua& a = plat::form<Agindua>();
    a.Show();
    EXPECT_EQ(a.ctl("Combo1").items(), listed);
    a.ctl("Combo1").set_text(c.entry);  // chosen from the list
    a.click("Command1");
    EXPECT_FALSE(plat::is_loaded<Agindua>());
    EXPECT_EQ(engine().Micro_address_bits, c.start);
    EXPECT_EQ(nw("Label10", 5).caption(), c.start);
    for (StatusWindow w : kStatusOrder) {
      EXPECT_EQ(plat::panel_text(Status_window(w).ctl("StatusBar1"), 2), c.code);
      EXPECT_EQ(plat::panel_text(Status_window(w).ctl("StatusBar1"), 3), c.text);
    }
    EXPECT_EQ(engine().Dialog_answered, kFlagTrue);
    EXPECT_TRUE(main_window().enabled());
    engine().Dialog_answered = kFlagFalse;
  }
  EXPECT_TRUE(clock.messages.empty());
}

TEST_F(EngineRun, EndChosenWhileZIsAskedLeavesTheDrawingAtRest) {
  instructions = {entry("BEQ")};
  start_user();
  // At micro-address 19 the Z dialog opens; end the run then answer.
  clock.at(50'000, [&] {
    ASSERT_NE(plat::loaded_form(Zaukeratu::kName), nullptr);
    Simulazioa11_Click(5);
    z_answers = {"1"};
  });
  Run_single_instruction("Simulazioa1");
  for (int i : {1, 0, 2, 12, 8, 7, 11, 13}) EXPECT_EQ(nw("Label2", i).back_color(), 0xE0E0E0u) << "Label2 " << i;
  for (int i : {5, 11, 12, 13, 14, 16, 18, 19, 24}) EXPECT_EQ(nw("Line1", i).border_color(), 0xC0C0C0u) << i;
  for (int i : {13, 14}) EXPECT_EQ(nw("Label3", i).back_color(), 0xC0C0C0u) << "Label3 " << i;
  EXPECT_EQ(plat::loaded_form(Zaukeratu::kName), nullptr);
  EXPECT_EQ(clock.messages.size(), 1u);
}

// RESET while Z is asked: nothing happens until Z is chosen; then the rest of
// the condition phase is lit and its last wait runs, the next-address phase
// does not run, and the instruction starts again.
TEST_F(EngineRun, ARestartWhileZIsAskedTakesEffectAfterTheConditionPhase) {
  instructions = {entry("BEQ"), entry("LD")};
  start_user();
  const auto lit = [this] {
    return nw("Label2", 2).back_color() == 0x0000FFu && nw("Line1", 13).border_color() == 0xFF0000u &&
           nw("Label2", 8).back_color() == 0x0000FFu && nw("Line1", 19).border_color() == 0xFF0000u;
  };
  const auto next_address_ran = [this] {
    return nw("kont", 2).visible() || nw("Label3", 13).back_color() == 0x0000FFu ||
           nw("Label3", 14).back_color() == 0x0000FFu;
  };
  int64_t answered_at = 0;
  bool lit_in_wait = false, still_in_wait = false, restarted = false;
  clock.at(50'000, [&] {
    ASSERT_TRUE(plat::is_loaded<Zaukeratu>());
    main_window().click("Command1");  // RESET
  });
  clock.at(60'000, [&] {
    Zaukeratu& z = plat::form<Zaukeratu>();
    EXPECT_TRUE(z.visible());  // the restart waited for the answer
    EXPECT_FALSE(lit());
    z.ctl("Combo1").set_text("1");
    z.click("Command1");
    answered_at = clock.now_ms();
  });
  // Inside the condition phase's last wait, and just after it.
  clock.at(60'050, [&] { lit_in_wait = lit() && !next_address_ran(); });
  clock.at(60'650, [&] { still_in_wait = lit() && !next_address_ran(); });
  clock.at(61'000, [&] { restarted = !lit() && !next_address_ran() && nw("Label10", 1).caption() == "11111"; });
  plat::PropertyLog::start();
  Run_single_instruction("Simulazioa1");
  EXPECT_EQ(answered_at, 60'000);
  EXPECT_TRUE(lit_in_wait);
  EXPECT_TRUE(still_in_wait);
  EXPECT_TRUE(restarted);
  // BEQ up to micro-address 19, then LD in the restarted run.
  EXPECT_EQ(counter_captions(), (std::vector<std::string>{"00000", "00001", "00010", "10010", "10011", "00000",
                                                          "00001", "00010", "01001", "00000"}));
  EXPECT_TRUE(instructions.empty());
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "Aginduaren simulazioa amaitu da");
}

TEST_F(EngineRun, ANextMicroAddressOutsideTheTableEndsTheInstruction) {
  struct Case {
    int row;
    const char* bk;
    const char* j;
    std::vector<int> passes;
  };
  // Row 5 loading "11111"; row 4 jumping to "10110"; row 21 counting on to "10110".
  const Case cases[] = {{5, "11", "11111", {0, 1, 2, 3, 4, 5}},
                        {4, "11", "10110", {0, 1, 2, 3, 4}},
                        {3, "11", "10101", {0, 1, 2, 3, 21}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    Load_control_memory();
    auto& row = machine().Control_memory[size_t(c.row)];
    row[0] = c.bk[0];
    row[1] = c.bk[1];
    for (int k = 0; k < 5; ++k) row[size_t(3 + k)] = c.j[k];
    if (c.row == 3) {  // and 21 counts instead of jumping to 0
      auto& last = machine().Control_memory[21];
      last[0] = "0";
      last[1] = "0";
    }
    instructions = {entry("ADD")};
    start_user();
    plat::PropertyLog::start();
    Run_single_instruction("Simulazioa1");
    EXPECT_EQ(counter_captions(), bits_of(c.passes));
    EXPECT_EQ(clock.messages.size(), 1u);
    clock.messages.clear();
  }
}

TEST_F(EngineRun, ARunStartsWithoutAPauseOrPulseLeftFromBefore) {
  engine().Stop_requested = kFlagTrue;
  engine().Cycle_pulse = true;
  engine().Step_pulse = kFlagTrue;
  instructions = {entry("LD")};
  start_user();
  // Press clk1 only from 60 s on: a pulse left over would have ended the first wait at once.
  clock.at(60'000, [&] { press_clk1 = true; });
  plat::PropertyLog::start();
  Run_single_instruction("Simulazioa2");
  EXPECT_EQ(pulses[0], 4);
  EXPECT_GE(clock.now_ms(), 60'000);
  EXPECT_EQ(engine().Stop_requested, kFlagFalse);
}

// The user presses the clock button that a run waits for.
void press_waiting_clock_buttons() {
  Nagusia& m = plat::form<Nagusia>();
  for (int i : {0, 1})
    if (m.ctl("Command3", i).visible() && m.ctl("Command3", i).enabled()) m.click("Command3", i);
}

// The states the displays show as current, in the chart of ASM, in the main
// window's mini chart and in each of the four micro-address grids, as
// "chart: 0; mini: 0; ...".
std::string marked_states() {
  ASM& chart = plat::form<ASM>();
  Nagusia& main = plat::form<Nagusia>();
  const auto row_marked = [](Grid g, int last_col) {
    return [g, last_col](int s) {
      for (int col = 1; col <= last_col; ++col)
        if (g.CellBackColor(col, s + 1) == 0xFF8080 || g.CellBackColor(col, s + 1) == 0xFFC0C0) return true;
      return false;
    };
  };
  const auto chart_marked = [&chart](int s) {
    const AsmState& st = Asm_state(s);
    bool lit = chart.ctl(st.backdrop.name, st.backdrop.index).back_color() != kAsmIdleBack;
    for (const AsmRef& l : st.lines) lit = lit || chart.ctl(l.name, l.index).border_width() != kAsmIdleWidth;
    for (const auto& a : st.actions) lit = lit || chart.ctl(a.label.name, a.label.index).back_color() != kAsmIdleBack;
    return lit || (st.name_box >= 0 && chart.ctl("Text1", st.name_box).back_color() != kAsmIdleName);
  };
  const std::pair<const char*, std::function<bool(int)>> places[] = {
      {"chart", chart_marked},
      {"mini", [&main](int s) { return main.ctl("Shape3", s).back_color() != 0xFFFFFFu; }},
      {"NadrelMikro", row_marked(Nagusia_NadrelMikro(), 2)},
      {"Mikroprograma", row_marked(Mikroprograma_NadrelMikro(), 2)},
      {"Nadrel1", row_marked(Nagusia_Nadrel1(), 21)},
      {"Kontrolmemoria", row_marked(Kontrolmemoria_Nadrel2(), 21)}};
  std::string r;
  for (const auto& [name, marked] : places) {
    r += std::string(name) + ":";
    for (int s = 0; s < 22; ++s)
      if (marked(s)) r += " " + std::to_string(s);
    r += "; ";
  }
  return r;
}

// RESET at any wait of a pass of ADD, the one at micro-address 4 (shown
// after Ir_OP, 3), then "Amaitu simulazioa" at the same wait of the
// restarted run, given LD (its pass at 9), then one more LD: the end and the
// last run each leave one state marked, micro-address 0 of the closing
// replay, in the chart, the mini chart and every grid; LD never passes Ir_OP
// again to take back a mark left on it.
TEST_F(EngineRun, ARestartOrEndAtAnyWaitLeavesOneStateMarked) {
  enum Wait { Phase, Clk1, Clk2 };
  struct Case {
    const char* item;
    Wait wait;
    int delay;  // Phase: the pass's paced wait 1..14
  };
  std::vector<Case> cases;
  for (int k = 1; k <= 14; ++k) cases.push_back({"Simulazioa1", Phase, k});
  cases.push_back({"Simulazioa2", Clk1, 0});
  cases.push_back({"Simulazioa2", Phase, 1});  // the first second after a clk1
  cases.push_back({"Simulazioa3", Clk2, 0});
  cases.push_back({"Simulazioa3", Clk1, 0});
  cases.push_back({"Simulazioa3", Phase, 2});
  const std::string only_zero =
      "chart: 0; mini: 0; NadrelMikro: 0; Mikroprograma: 0; Nadrel1: 0; Kontrolmemoria: 0; ";
  start_user();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item) + (c.wait == Phase ? " delay " + std::to_string(c.delay)
                                                        : c.wait == Clk1 ? " clk1" : " clk2"));
    instructions = {entry("ADD"), entry("LD"), entry("LD")};
    // 0: RESET at the wait; 1: until the restart; 2: the end at the wait; 3: no more.
    int stage = 0;
    int64_t first_wait = -1;  // the pass's first paced wait, counted in rec.waits
    std::function<void()> poll = [&] {
      EngineState& e = engine();
      const bool in_pass = e.Micro_address == (stage < 2 ? 4 : 9) && Run_in_progress();
      if (stage == 1 && !in_pass) stage = 2;
      if (!in_pass) first_wait = -1;
      if (in_pass && first_wait < 0) first_wait = int64_t(rec.waits.size());
      const bool at_wait =
          in_pass && (stage == 0 || stage == 2) &&
          (c.wait == Phase ? int64_t(rec.waits.size()) - first_wait + 1 == c.delay
                           : nw("Command3", c.wait == Clk1 ? 0 : 1).enabled());
      if (at_wait) {
        if (stage == 0)
          main_window().click("Command1");
        else
          nw("Simulazioa11", 5).action()->trigger();
        ++stage;
      } else {
        press_waiting_clock_buttons();
      }
      if (Run_in_progress()) clock.after(50, poll);
    };
    clock.after(50, poll);
    nw(c.item, 5).action()->trigger();
    EXPECT_EQ(stage, 3);
    EXPECT_EQ(marked_states(), only_zero);

    clock.after(50, poll);
    nw(c.item, 5).action()->trigger();
    EXPECT_TRUE(instructions.empty());
    EXPECT_EQ(marked_states(), only_zero);
    clock.messages.clear();
  }
}


// "Gelditu" around a clock wait of ADD's pass at micro-address 4 holds the run,
// and the seven bars keep "Simulazioa geldirik" whatever a clock button or
// the mode menu does meanwhile; "Hasi" shows the run's state again.
TEST_F(EngineRun, APauseKeepsItsTextOnTheBarsUntilContinue) {
  enum Action { None, Pulse, Continuous };
  struct Case {
    const char* item;
    int wait;               // paused in the wait of Command3(wait); -1: in the paced wait before the clk2 wait
    Action action;          // while paused
    const char* continued;  // panel 1 once continued
  };
  const Case cases[] = {
      {"Simulazioa2", 0, Pulse, "KU simulatzen"},      {"Simulazioa3", 1, Pulse, "KU simulatzen"},
      {"Simulazioa3", 0, Continuous, "KU simulatzen"}, {"Simulazioa2", 0, None, "clk1-en zain"},
      {"Simulazioa3", -1, None, "clk2-ren zain"},
  };
  const auto bars = [] {
    std::vector<std::string> r;
    for (StatusWindow w : kStatusOrder) r.push_back(plat::panel_text(Status_window(w).ctl("StatusBar1"), 1));
    return r;
  };
  const auto all = [](const char* text) { return std::vector<std::string>(7, text); };
  start_user();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.item) + " wait " + std::to_string(c.wait) + " action " + std::to_string(c.action));
    instructions = {entry("ADD")};
    int stage = 0;  // 0: before the pause; 1: paused; 2: continued
    int64_t first_wait = -1;
    std::function<void()> poll = [&] {
      const bool in_pass = engine().Micro_address == 4;
      if (in_pass && first_wait < 0) first_wait = int64_t(rec.waits.size());
      const bool at_wait = in_pass && (c.wait >= 0 ? nw("Command3", c.wait).enabled()
                                                   : int64_t(rec.waits.size()) - first_wait + 1 == 7);
      if (stage == 0 && at_wait) {
        plat::press_toolbar_button(nw("Toolbar1"), 2);  // "Gelditu"
        EXPECT_EQ(bars(), all("Simulazioa geldirik"));
        if (c.action == Pulse) main_window().click("Command3", c.wait);
        if (c.action == Continuous) nw("Simulazioa5_1", 4).action()->trigger();
        stage = 1;
        const size_t waits_at_pause = rec.waits.size();
        clock.after(5000, [&, waits_at_pause] {
          EXPECT_EQ(bars(), all("Simulazioa geldirik"));
          EXPECT_EQ(rec.waits.size(), waits_at_pause);
          if (c.wait < 0) {
            EXPECT_TRUE(nw("Command3", 1).enabled());
          }
          plat::press_toolbar_button(nw("Toolbar1"), 1);  // "Hasi"
          EXPECT_EQ(bars(), all(c.continued));
          stage = 2;
        });
      } else if (stage != 1) {
        press_waiting_clock_buttons();
      }
      if (Run_in_progress()) clock.after(50, poll);
    };
    clock.after(50, poll);
    nw(c.item, 5).action()->trigger();
    EXPECT_EQ(stage, 2);
    EXPECT_TRUE(instructions.empty());
    ASSERT_EQ(clock.messages.size(), 1u);
    EXPECT_EQ(clock.messages[0].text, "Aginduaren simulazioa amaitu da");
    EXPECT_EQ(bars(), all("Aginduaren zain"));
    clock.messages.clear();
  }
}

// Every write of the decode pass of ADD (micro-address 2) to the main
// window, in the order of the phases: clk1 edge, counter, control-word read,
// decode with the instruction dialog's answer, fields, signals, condition
// and next address.
constexpr const char* kDecodePassWrites = R"(Line1(25).BorderWidth=3
Line1(25).BorderColor=0x0000FF
Line1(26).BorderWidth=3
Line1(26).BorderColor=0x0000FF
Line57(17).BorderWidth=3
Line57(17).BorderColor=0x0000FF
Line58(17).BorderWidth=3
Line58(17).BorderColor=0x0000FF
Label9(0).ForeColor=0x0000FF
Shape4.Visible=false
Label1(4).Visible=false
Label3(13).Visible=false
Label3(14).Visible=false
Label3(15).Visible=false
Label3(16).Visible=false
Label10(1).Visible=false
Shape7(1).Visible=false
Shape4.Visible=true
Label1(4).Visible=true
Label3(13).Visible=true
Label3(14).Visible=true
Label3(15).Visible=true
Label3(16).Visible=true
Label10(1).Visible=true
Shape7(1).Visible=true
Label10(1).Caption=00010
Line1(25).BorderWidth=1
Line1(25).BorderColor=0x000000
Line1(26).BorderWidth=1
Line1(26).BorderColor=0x000000
Line57(17).BorderWidth=1
Line57(17).BorderColor=0x000000
Line58(17).BorderWidth=1
Line58(17).BorderColor=0x000000
Label9(0).ForeColor=0x000000
Label3(13).BackColor=0xC0C0C0
Label3(14).BackColor=0xC0C0C0
Label3(15).BackColor=0xC0C0C0
kont(1).Visible=true
kont(1).Caption=00010
Line1(1).BorderColor=0xFF0000
Line1(2).BorderColor=0xFF0000
Line1(3).BorderColor=0xFF0000
Line57(1).BorderColor=0xFF0000
Line58(1).BorderColor=0xFF0000
Label12.Visible=false
Shape9.Visible=false
Shape1(0).Visible=false
Label1(0).Visible=false
Label3(0).Visible=false
Label3(1).Visible=false
Label1(1).Visible=false
Shape9.Visible=false
Label12.Visible=false
Shape1(0).Visible=true
Label1(0).Visible=true
Label3(0).Visible=true
Label3(1).Visible=true
Label1(1).Visible=true
Label12.Visible=true
Shape9.Visible=true
Label12.Caption=111XXXXX0XXXX000XX00XX00X
Line1(1).BorderColor=0xC0C0C0
Line1(2).BorderColor=0xC0C0C0
Line1(3).BorderColor=0xC0C0C0
Line57(1).BorderColor=0xC0C0C0
Line58(1).BorderColor=0xC0C0C0
kont(1).Visible=false
Line1(0).BorderColor=0xFF0000
Line1(4).BorderColor=0xFF0000
Line57(2).BorderColor=0xFF0000
Line58(2).BorderColor=0xFF0000
Label2(15).Visible=false
kont(0).Visible=true
kont(0).Caption=111XXXXX0XXXX000XX00XX00X
(form).Enabled=false
StatusBar1.Panels(2).Text=001001
StatusBar1.Panels(3).Text=Agindua: add rh, ri1, ri2
Label10(5).Caption=00011
(form).Enabled=true
Line1(15).BorderColor=0xFF0000
Line58(0).BorderColor=0xFF0000
Line57(0).BorderColor=0xFF0000
Label2(11).BackColor=0x0000FF
Label10(5).Visible=true
Shape11(1).Visible=true
Line1(21).BorderWidth=3
Line1(21).BorderColor=0x0000FF
Line1(22).BorderWidth=3
Line1(22).BorderColor=0x0000FF
Line57(14).BorderWidth=3
Line57(14).BorderColor=0x0000FF
Line58(14).BorderWidth=3
Line58(14).BorderColor=0x0000FF
Label9(1).ForeColor=0x0000FF
Label3(3).Visible=false
Label3(6).Visible=false
Label3(7).Visible=false
Label3(8).Visible=false
Shape2(0).Visible=false
Shape2(1).Visible=false
Shape2(2).Visible=false
Shape2(3).Visible=false
Label10(2).Visible=false
Shape10.Visible=false
Label10(3).Visible=false
Shape11(0).Visible=false
Label10(4).Visible=false
Shape12.Visible=false
Label10(0).Visible=false
Shape8.Visible=false
Label3(3).Visible=true
Label3(6).Visible=true
Label3(7).Visible=true
Label3(8).Visible=true
Shape2(0).Visible=true
Shape2(1).Visible=true
Shape2(2).Visible=true
Shape2(3).Visible=true
Line1(21).BorderWidth=1
Line1(21).BorderColor=0x000000
Line1(22).BorderWidth=1
Line1(22).BorderColor=0x000000
Line57(14).BorderWidth=1
Line57(14).BorderColor=0x000000
Line58(14).BorderWidth=1
Line58(14).BorderColor=0x000000
Label9(1).ForeColor=0x000000
Label10(0).Visible=true
Shape8.Visible=true
Label10(2).Visible=true
Shape10.Visible=true
Label10(3).Visible=true
Shape11(0).Visible=true
Label10(4).Visible=true
Shape12.Visible=true
Label10(0).Caption=11
Label10(2).Caption=1
Label10(3).Caption=XXXXX
Label10(4).Caption=0XXXX000XX00XX00X
Line1(5).BorderColor=0xFF0000
Line1(16).BorderColor=0xFF0000
Line1(24).BorderColor=0xFF0000
Line57(6).BorderColor=0xFF0000
Line57(11).BorderColor=0xFF0000
Line57(16).BorderColor=0xFF0000
Line58(6).BorderColor=0xFF0000
Line58(11).BorderColor=0xFF0000
Line58(16).BorderColor=0xFF0000
Label2(13).BackColor=0x0000FF
Line1(0).BorderColor=0xC0C0C0
Line1(4).BorderColor=0xC0C0C0
Line57(2).BorderColor=0xC0C0C0
Line58(2).BorderColor=0xC0C0C0
Label2(15).Visible=true
kont(0).Visible=false
Label2(12).BackColor=0x0000FF
Line1(12).BorderColor=0xFF0000
Line58(9).BorderColor=0xFF0000
Line57(9).BorderColor=0xFF0000
Label2(7).BackColor=0x0000FF
Line1(11).BorderColor=0xFF0000
Line58(12).BorderColor=0xFF0000
Line57(12).BorderColor=0xFF0000
Line1(7).BorderColor=0xFF0000
Line58(4).BorderColor=0xFF0000
Line57(4).BorderColor=0xFF0000
Line1(8).BorderColor=0xFF0000
Line1(9).BorderColor=0xFF0000
Line1(10).BorderColor=0xFF0000
Line58(5).BorderColor=0xFF0000
Line57(5).BorderColor=0xFF0000
Line1(6).BorderColor=0xFF0000
Line58(10).BorderColor=0xFF0000
Line57(10).BorderColor=0xFF0000
kont(2).Visible=true
kont(3).Visible=true
kont(4).Visible=true
kont(2).Caption=1
kont(3).Caption=0
kont(4).Caption=00011
Label3(13).BackColor=0x0000FF
Line1(7).BorderColor=0xC0C0C0
Line58(4).BorderColor=0xC0C0C0
Line57(4).BorderColor=0xC0C0C0
Line1(8).BorderColor=0xC0C0C0
Line1(9).BorderColor=0xC0C0C0
Line1(10).BorderColor=0xC0C0C0
Line58(5).BorderColor=0xC0C0C0
Line57(5).BorderColor=0xC0C0C0
Line1(6).BorderColor=0xC0C0C0
Line58(10).BorderColor=0xC0C0C0
Line57(10).BorderColor=0xC0C0C0
kont(2).Visible=false
kont(3).Visible=false
kont(4).Visible=false
Label2(12).BackColor=0xE0E0E0
Line1(12).BorderColor=0xC0C0C0
Line58(9).BorderColor=0xC0C0C0
Line57(9).BorderColor=0xC0C0C0
Label2(7).BackColor=0xE0E0E0
Line1(11).BorderColor=0xC0C0C0
Line58(12).BorderColor=0xC0C0C0
Line57(12).BorderColor=0xC0C0C0
Line1(5).BorderColor=0xC0C0C0
Line1(16).BorderColor=0xC0C0C0
Line1(24).BorderColor=0xC0C0C0
Line57(6).BorderColor=0xC0C0C0
Line57(11).BorderColor=0xC0C0C0
Line57(16).BorderColor=0xC0C0C0
Line58(6).BorderColor=0xC0C0C0
Line58(11).BorderColor=0xC0C0C0
Line58(16).BorderColor=0xC0C0C0
Line1(15).BorderColor=0xC0C0C0
Line58(0).BorderColor=0xC0C0C0
Line57(0).BorderColor=0xC0C0C0
Label2(11).BackColor=0xE0E0E0
Label2(13).BackColor=0xE0E0E0)";

std::string describe(const plat::PropWrite& w) {
  std::string v;
  if (w.value.is_bool()) {
    v = w.value.to_bool() ? "true" : "false";
  } else if (w.value.is_int() && w.property.find("Color") != std::string::npos) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%06X", unsigned(w.value.to_int()));
    v = buf;
  } else {
    v = w.value.to_string();
  }
  std::string c = w.control.empty() ? "(form)" : w.control;
  if (w.index >= 0) c += "(" + std::to_string(w.index) + ")";
  return c + "." + w.property + "=" + v;
}

TEST_F(EngineRun, TheDecodePassOfAddPaintsInTheOrderOfItsPhases) {
  instructions = {entry("ADD")};
  start_user();
  plat::PropertyLog::start();
  Run_single_instruction("Simulazioa1");
  // The engine's own writes; the state chart and the signal panel are the
  // display's, painted at the points where the engine calls it.
  const std::set<std::string> display_controls = {"Shape3", "Text4", "Label5", "Line153", "Shape6", "ksUP"};
  std::vector<std::string> writes;
  for (const plat::PropWrite& w : plat::PropertyLog::writes())
    if (w.form == "Nagusia" && !display_controls.count(w.control)) writes.push_back(describe(w));
  // The pass runs from its clk1 edge to the next pass's.
  const std::string edge = "Line1(25).BorderWidth=3";
  std::vector<size_t> edges;
  for (size_t i = 0; i < writes.size(); ++i)
    if (writes[i] == edge) edges.push_back(i);
  ASSERT_GE(edges.size(), 4u);
  const std::vector<std::string> pass(writes.begin() + long(edges[2]), writes.begin() + long(edges[3]));
  std::vector<std::string> expected;
  std::string text = kDecodePassWrites;
  for (size_t a = 0, b; a < text.size(); a = b + 1) {
    b = text.find('\n', a);
    if (b == std::string::npos) b = text.size();
    expected.push_back(text.substr(a, b - a));
  }
  ASSERT_EQ(pass.size(), expected.size());
  for (size_t i = 0; i < pass.size(); ++i) EXPECT_EQ(pass[i], expected[i]) << "write " << i;
}

// A clock wait that ends by a mode change or by the end leaves its button
// disabled: when a manual mode shows the button again later, before the
// engine waits on it, it takes no pulse that would end the next wait at once.
TEST_F(EngineRun, AClockButtonShownAgainWaitsForItsOwnWait) {
  struct Case {
    const char* run;     // the run command
    int wait;            // the clock wait the action is taken in
    const char* action;  // the menu item chosen in it, at index `action_index`
    int action_index;
    const char* second_run;  // after an end: the next run, else nullptr
    const char* mode;        // chosen one pass later
    int shown;               // the clock button that mode shows again
  };
  const Case cases[] = {
      {"Simulazioa2", 0, "Simulazioa5_1", 4, nullptr, "Simulazioa5_2", 0},
      {"Simulazioa3", 1, "Simulazioa5_2", 4, nullptr, "Simulazioa5_3", 1},
      {"Simulazioa3", 0, "Simulazioa5_1", 4, nullptr, "Simulazioa5_3", 0},
      {"Simulazioa2", 0, "Simulazioa11", 5, "Simulazioa1", "Simulazioa5_2", 0},
  };
  start_user();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.run) + " " + c.action + " then " + c.mode);
    instructions = {entry("LD")};  // an end before the decode asks nothing
    int stage = 0;  // 0: before the action; 1: until the next pass; 2: checked
    int16_t pass_of_action = -1;
    std::function<void()> poll = [&] {
      EngineState& e = engine();
      if (stage == 0 && Run_in_progress() && e.Micro_address == 1 && nw("Command3", c.wait).enabled()) {
        nw(c.action, c.action_index).action()->trigger();
        pass_of_action = e.Micro_address;
        stage = 1;
      } else if (stage == 1 && Run_in_progress() && e.Micro_address != pass_of_action) {
        nw(c.mode, 4).action()->trigger();
        EXPECT_TRUE(nw("Command3", c.shown).visible());
        EXPECT_FALSE(nw("Command3", c.shown).enabled());
        stage = 2;
      } else if (stage != 1 || c.second_run == nullptr) {
        press_waiting_clock_buttons();
      }
      if (Run_in_progress() || stage == 1) clock.after(50, poll);
    };
    clock.after(50, poll);
    nw(c.run, 5).action()->trigger();
    if (c.second_run) nw(c.second_run, 5).action()->trigger();
    EXPECT_EQ(stage, 2);
    EXPECT_TRUE(instructions.empty());
    ASSERT_FALSE(clock.messages.empty());
    EXPECT_EQ(clock.messages.back().text, "Aginduaren simulazioa amaitu da");
    clock.messages.clear();
  }
}

}  // namespace
}  // namespace brendalo::testing
