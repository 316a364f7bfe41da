#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "testing/simulator_test.h"

#include "gridcontrol/nadrel_ids.h"
#include "platform/forms/form.h"
#include "platform/forms/virtual_services.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

using namespace brendalo;
namespace d = nadrel::dispid;

TEST(GridGuard, NoTextIsTypedIntoAGridCell) {
  plat::VirtualServices clock;
  Nagusia& n = plat::form<Nagusia>();
  Load_control_memory();
  Show_control_memory_main();
  Grid g = Nagusia_Nadrel1();
  const std::string before = g.TextMatrix(2, 3);
  g.object().let(d::Row, {2});
  g.object().let(d::Col, {3});
  QWidget* cells = n.ctl("Nadrel1").widget()->findChild<QWidget*>("picGrid");
  ASSERT_NE(cells, nullptr);
  QTest::keyClick(cells, 'a');
  QTest::keyClick(cells, Qt::Key_Return);
  QLineEdit* editor = n.ctl("Nadrel1").widget()->findChild<QLineEdit*>("txtEdit");
  EXPECT_TRUE(editor == nullptr || editor->isHidden());
  EXPECT_EQ(g.TextMatrix(2, 3), before);
  plat::unload_all_forms();
  QApplication::processEvents();
  plat::reset_program_end();
}

// ---------------------------------------------------------------- the eight guards

#include "simulator/dialogs/datuenaldaketa.h"
#include "simulator/dialogs/emkoerrenkada.h"
#include "simulator/dialogs/galdera.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/engine/variables.h"
#include "simulator/mainwindow/grid_guards.h"

namespace {

class GridGuards : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    load_tables();
    Show_microprogram_main();
    Show_control_memory_main();
    Show_registers_main();
    Show_main_memory_main();
  }
  static plat::Form& window_named(const std::string& n) {
    if (n == Mikroprograma::kName) return plat::form<Mikroprograma>();
    if (n == Kontrolmemoria::kName) return plat::form<Kontrolmemoria>();
    if (n == MNetaEM::kName) return plat::form<MNetaEM>();
    return plat::form<Nagusia>();
  }
  static bool any_flag() { return Came_from_control_memory || Came_from_microprogram || Came_from_memory_view; }

  plat::VirtualServices clock;
};

struct GuardCase {
  const char* what;
  void (*guard)(int row, int col);
  const char* window;
  bool running;
  int row, col;
  int refusal;         // 1..8, or 0 when a dialog opens
  const char* opens;   // the dialog opened
  const char* label;   // its label (Galdera.Label1, Datuenaldaketa.Label2), or nullptr
  int16_t* flag;       // the came-from flag set while it is open, or nullptr
};

const GuardCase kGuardCases[] = {
    {"main microprogram, run", &Nagusia_NadrelMikro_BeforeEdit, "Nagusia", true, 5, 1, 1, nullptr, nullptr, nullptr},
    {"main microprogram, row 4", &Nagusia_NadrelMikro_BeforeEdit, "Nagusia", false, 4, 2, 0, "Galdera",
     "3 mikroagindua birprogramatzea nahi?", nullptr},
    {"main microprogram, row 3", &Nagusia_NadrelMikro_BeforeEdit, "Nagusia", false, 3, 1, 2, nullptr, nullptr, nullptr},
    {"main control memory, run", &Nagusia_Nadrel1_BeforeEdit, "Nagusia", true, 5, 3, 3, nullptr, nullptr, nullptr},
    {"main control memory, row 2 col 2", &Nagusia_Nadrel1_BeforeEdit, "Nagusia", false, 2, 2, 2, nullptr, nullptr,
     nullptr},
    {"main control memory, row 5 col 2", &Nagusia_Nadrel1_BeforeEdit, "Nagusia", false, 5, 2, 4, nullptr, nullptr,
     nullptr},
    {"main control memory, row 5 col 3", &Nagusia_Nadrel1_BeforeEdit, "Nagusia", false, 5, 3, 0, "Galdera",
     "4 mikroagindua birprogramatzea nahi?", nullptr},
    {"microprogram window, row 2", &Mikroprograma_NadrelMikro_BeforeEdit, "Mikroprograma", false, 2, 1, 2, nullptr,
     nullptr, nullptr},
    {"microprogram window, row 6", &Mikroprograma_NadrelMikro_BeforeEdit, "Mikroprograma", false, 6, 1, 0, "Galdera",
     "5 mikroagindua birprogramatzea nahi?", &Came_from_microprogram},
    // Their grids are disabled during a run; the guards refuse as the main window's do.
    {"microprogram window, run", &Mikroprograma_NadrelMikro_BeforeEdit, "Mikroprograma", true, 6, 1, 1, nullptr,
     nullptr, nullptr},
    {"control-memory window, run", &Kontrolmemoria_Nadrel2_BeforeEdit, "Kontrolmemoria", true, 10, 3, 3, nullptr,
     nullptr, nullptr},
    {"control-memory window, row 5 col 2", &Kontrolmemoria_Nadrel2_BeforeEdit, "Kontrolmemoria", false, 5, 2, 4,
     nullptr, nullptr, nullptr},
    {"control-memory window, row 1", &Kontrolmemoria_Nadrel2_BeforeEdit, "Kontrolmemoria", false, 1, 5, 2, nullptr,
     nullptr, nullptr},
    {"control-memory window, row 22", &Kontrolmemoria_Nadrel2_BeforeEdit, "Kontrolmemoria", false, 22, 4, 0,
     "Galdera", "21 mikroagindua birprogramatzea nahi?", &Came_from_control_memory},
    {"main memory, run", &Nagusia_Nadrel3_BeforeEdit, "Nagusia", true, 2, 2, 5, nullptr, nullptr, nullptr},
    {"main memory, col 1", &Nagusia_Nadrel3_BeforeEdit, "Nagusia", false, 2, 1, 6, nullptr, nullptr, nullptr},
    {"main memory, col 3", &Nagusia_Nadrel3_BeforeEdit, "Nagusia", false, 2, 3, 7, nullptr, nullptr, nullptr},
    {"main memory, row 33", &Nagusia_Nadrel3_BeforeEdit, "Nagusia", false, 33, 2, 8, nullptr, nullptr, nullptr},
    {"main memory, row 17", &Nagusia_Nadrel3_BeforeEdit, "Nagusia", false, 17, 2, 0, "Datuenaldaketa", "B(16)",
     nullptr},
    {"main memory, row 1", &Nagusia_Nadrel3_BeforeEdit, "Nagusia", false, 1, 2, 0, "Datuenaldaketa", "A(0)", nullptr},
    {"memory window, row 16", [](int r, int c) { MNetaEM_Nadrel3_BeforeEdit(0, r, c); }, "MNetaEM", false, 16, 2, 0,
     "Datuenaldaketa", "A(15)", &Came_from_memory_view},
    {"memory window, row 40", [](int r, int c) { MNetaEM_Nadrel3_BeforeEdit(0, r, c); }, "MNetaEM", false, 40, 2, 8,
     nullptr, nullptr, nullptr},
    {"memory window, run", [](int r, int c) { MNetaEM_Nadrel3_BeforeEdit(0, r, c); }, "MNetaEM", true, 3, 2, 5,
     nullptr, nullptr, nullptr},
    {"main registers, during a run", [](int r, int c) { Nagusia_Nadrel4_BeforeEdit(1, r, c); }, "Nagusia", true, 3, 2,
     0, "EMkoerrenkada", nullptr, nullptr},
    {"register window", &MNetaEM_Nadrel1_BeforeEdit, "MNetaEM", false, 32, 1, 0, "EMkoerrenkada", nullptr,
     &Came_from_memory_view},
};

TEST_F(GridGuards, EachGuardRefusesOrOpensItsDialogAndTheDialogReturnsToItsWindow) {
  for (const GuardCase& c : kGuardCases) {
    SCOPED_TRACE(c.what);
    clock.messages.clear();
    plat::Form& w = window_named(c.window);
    // The example run sets its own flag: both count as running.
    engine().Instruction_running = to_flag(c.running && c.refusal != 5);
    engine().Example_running = to_flag(c.running && c.refusal == 5);
    c.guard(c.row, c.col);
    if (c.refusal) {
      ASSERT_EQ(clock.messages.size(), 1u);
      EXPECT_EQ(clock.messages[0].text, kGuardRefusals[c.refusal - 1].text);
      EXPECT_EQ(clock.messages[0].title, kGuardRefusals[c.refusal - 1].title);
      EXPECT_EQ(clock.messages[0].style, plat::vbCritical);
      for (const char* d : {"Galdera", "Datuenaldaketa", "EMkoerrenkada"}) EXPECT_EQ(plat::loaded_form(d), nullptr) << d;
      EXPECT_TRUE(w.enabled());
      EXPECT_FALSE(any_flag());
      continue;
    }
    EXPECT_TRUE(clock.messages.empty());
    plat::Form* d = plat::loaded_form(c.opens);
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->visible());
    EXPECT_FALSE(w.enabled());
    const std::string opens = c.opens;
    if (c.flag) {
      EXPECT_TRUE(*c.flag);
    }
    if (c.label) {
      EXPECT_EQ(d->ctl(opens == "Galdera" ? "Label1" : "Label2").caption(), c.label);
    }
    if (opens == "Galdera") {
      EXPECT_EQ(Selected_microinstruction_row, c.row);
    } else if (opens == "Datuenaldaketa") {
      EXPECT_EQ(Selected_memory_row, c.row);
    }
    plat::unload_form(c.opens);
    EXPECT_TRUE(w.enabled());
    EXPECT_FALSE(any_flag());
  }
}

TEST_F(GridGuards, TheEditorAndTheViewShowTheTablesOfTheRowOpened) {
  machine().Main_memory_bits[16] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0};
  machine().Register_file_text[2] = {" 2", " -5", " 1111111111111011", ""};
  Nagusia_Nadrel3_BeforeEdit(17, 2);
  plat::Form& d = *plat::loaded_form("Datuenaldaketa");
  std::string bits;
  for (int j = 0; j < 16; ++j) bits += d.ctl("Text1", j).text();
  EXPECT_EQ(bits, "1000000000000101");
  plat::unload_form("Datuenaldaketa");
  engine().Instruction_running = kFlagTrue;
  Nagusia_Nadrel4_BeforeEdit(1, 3, 1);
  plat::Form& v = *plat::loaded_form("EMkoerrenkada");
  EXPECT_EQ(v.ctl("Label2", 0).caption(), " 2");
  EXPECT_EQ(v.ctl("Label2", 1).caption(), " -5");
  EXPECT_EQ(v.ctl("Label2", 2).caption(), " 1111111111111011");
}

// A second guard reaching the open dialog from the other window: the unload
// leaves neither opener disabled.
TEST_F(GridGuards, ASecondOpeningFromTheOtherWindowLeavesNoOpenerDisabled) {
  Nagusia& n = plat::form<Nagusia>();
  MNetaEM& m = plat::form<MNetaEM>();
  Nagusia_Nadrel3_BeforeEdit(2, 2);
  MNetaEM_Nadrel3_BeforeEdit(0, 18, 2);
  EXPECT_FALSE(n.enabled());
  EXPECT_FALSE(m.enabled());
  EXPECT_EQ(plat::loaded_form("Datuenaldaketa")->ctl("Label2").caption(), "B(17)");
  plat::unload_form("Datuenaldaketa");
  EXPECT_TRUE(n.enabled());
  EXPECT_TRUE(m.enabled());
  EXPECT_FALSE(Came_from_memory_view);

  Nagusia_Nadrel1_BeforeEdit(6, 4);
  Kontrolmemoria_Nadrel2_BeforeEdit(7, 4);
  EXPECT_EQ(plat::loaded_form("Galdera")->ctl("Label1").caption(), "6 mikroagindua birprogramatzea nahi?");
  plat::unload_form("Galdera");
  EXPECT_TRUE(n.enabled());
  EXPECT_TRUE(plat::form<Kontrolmemoria>().enabled());
  EXPECT_FALSE(Came_from_control_memory);
}

// A memory-grid refusal while the register view opened from the memory
// window waits: the view keeps its window disabled and its way back, which
// the data-word editor's return (the same flag) would otherwise take.
TEST_F(GridGuards, ARefusalWhileTheRegisterViewWaitsLeavesItsWindowAndItsReturnAlone) {
  Nagusia& n = plat::form<Nagusia>();
  MNetaEM& m = plat::form<MNetaEM>();
  MNetaEM_Nadrel1_BeforeEdit(3, 1);
  for (int col : {1, 3}) {
    Nagusia_Nadrel3_BeforeEdit(2, col);
    EXPECT_FALSE(m.enabled()) << col;
    EXPECT_TRUE(Came_from_memory_view) << col;
    EXPECT_TRUE(n.enabled()) << col;
  }
  plat::form<EMkoerrenkada>().click("Onartu");
  EXPECT_TRUE(m.enabled());
  EXPECT_FALSE(Came_from_memory_view);
}

TEST_F(GridGuards, TypingIntoACellOpensTheQuestionAndTypesNothing) {
  Nagusia& n = plat::form<Nagusia>();
  Grid g = Nagusia_Nadrel1();
  const std::string before = g.TextMatrix(5, 3);
  g.object().let(d::Row, {5});
  g.object().let(d::Col, {3});
  QWidget* cells = n.ctl("Nadrel1").widget()->findChild<QWidget*>("picGrid");
  ASSERT_NE(cells, nullptr);
  QTest::keyClick(cells, '1');
  QLineEdit* editor = n.ctl("Nadrel1").widget()->findChild<QLineEdit*>("txtEdit");
  EXPECT_TRUE(editor == nullptr || editor->isHidden());
  EXPECT_EQ(g.TextMatrix(5, 3), before);
  ASSERT_NE(plat::loaded_form("Galdera"), nullptr);
  EXPECT_EQ(Selected_microinstruction_row, 5);
  EXPECT_FALSE(n.enabled());
}

}  // namespace

namespace {

struct GridCell {
  const char* window;
  const char* control;
  int index;
  Grid (*grid)();
  int row, col;
};

// A cell of each of the eight grids on which typing refuses or asks.
const GridCell kGridCells[] = {
    {"Nagusia", "NadrelMikro", -1, &Nagusia_NadrelMikro, 9, 1},
    {"Nagusia", "Nadrel1", -1, &Nagusia_Nadrel1, 5, 3},
    {"Nagusia", "Nadrel3", -1, &Nagusia_Nadrel3, 2, 1},
    {"Nagusia", "Nadrel4", 1, &Nagusia_Nadrel4, 3, 2},
    {"Mikroprograma", "NadrelMikro", -1, &Mikroprograma_NadrelMikro, 9, 1},
    {"Kontrolmemoria", "Nadrel2", -1, &Kontrolmemoria_Nadrel2, 10, 4},
    {"MNetaEM", "Nadrel1", -1, &MNetaEM_Nadrel1, 5, 1},
    {"MNetaEM", "Nadrel3", 0, &MNetaEM_Nadrel3, 17, 2},
};

void press(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods, const QString& text) {
  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent e(type, key, mods, text);
    QApplication::sendEvent(w, &e);
  }
}

}  // namespace

TEST_F(GridGuards, DeleteOnAGridCellGivesNoMessageAndAsksNothing) {
  // Every grid takes input, as after the example's loading: the memory window
  // reads the flag at its load, the main window's grids are enabled by it.
  engine().Example_loaded = kFlagTrue;
  for (plat::Control* g : {&plat::form<Nagusia>().ctl("Nadrel3"), &plat::form<Nagusia>().ctl("Nadrel4", 1)})
    g->set_enabled(true);
  for (const GridCell& c : kGridCells) {
    SCOPED_TRACE(std::string(c.window) + "." + c.control);
    Grid g = c.grid();
    plat::Form& w = window_named(c.window);
    QWidget* cells = w.ctl(c.control, c.index).widget()->findChild<QWidget*>("picGrid");
    ASSERT_NE(cells, nullptr);
    g.object().let(d::Row, {c.row});
    g.object().let(d::Col, {c.col});
    clock.messages.clear();
    // The desktop gives Delete, on the main block and the keypad, the text DEL.
    press(cells, Qt::Key_Delete, Qt::NoModifier, "\x7f");
    press(cells, Qt::Key_Delete, Qt::KeypadModifier, "\x7f");
    EXPECT_TRUE(clock.messages.empty());
    for (const char* d : {"Galdera", "Datuenaldaketa", "EMkoerrenkada"}) EXPECT_EQ(plat::loaded_form(d), nullptr) << d;
    EXPECT_TRUE(w.enabled());
    // A typed character on the same cell does refuse or ask.
    press(cells, Qt::Key_1, Qt::NoModifier, "1");
    const bool asked = plat::loaded_form("Galdera") || plat::loaded_form("Datuenaldaketa") ||
                       plat::loaded_form("EMkoerrenkada");
    EXPECT_TRUE(asked || clock.messages.size() == 1u);
    for (const char* d : {"Galdera", "Datuenaldaketa", "EMkoerrenkada"})
      if (plat::loaded_form(d)) plat::unload_form(d);
    ASSERT_TRUE(w.enabled());
  }
}
