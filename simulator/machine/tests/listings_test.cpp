// The listings of the machine tables in the eight grids, read back through
// the grid's automation interface.
#include "simulator/machine/listings.h"

#include <QApplication>
#include <QProgressBar>
#include <QWidget>
#include <gtest/gtest.h>

#include "testing/simulator_test.h"

#include <string>
#include <vector>

#include "gridcontrol/nadrel_ids.h"
#include "platform/forms/form.h"
#include "platform/forms/proplog.h"
#include "platform/forms/virtual_services.h"
#include "simulator/dialogs/abiarazi.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/example_listing.h"

namespace brendalo {
namespace {

namespace id = nadrel::dispid;

class ListingsTest : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    load_tables();
  }

  // The cells of one data row, column 1 first, joined by Tabs: the text the listing added.
  static std::string row_text(const Grid& g, int row, int cols) {
    std::string s;
    for (int c = 1; c <= cols; ++c) s += (c > 1 ? "\t" : "") + g.TextMatrix(row, c);
    return s;
  }
  static std::string format_string(const Grid& g) { return g.object().get(id::FormatString).to_string(); }
  static int32_t width(const Grid& g, int col) { return g.object().get(id::ColWidth, {col}).to_i4(); }
  static int32_t cols(const Grid& g) { return g.object().get(id::Cols).to_i4(); }
  // A cell without a colour of its own (a negative value) shows the grid's background.
  static bool own_background(const Grid& g, int col, int row) { return g.CellBackColor(col, row) < 0; }

  static Abiarazi& splash(int16_t running, int16_t value) {
    Abiarazi& a = plat::form<Abiarazi>();
    a.abiarazten = running;
    a.Balioa = value;
    a.ctl("ProgressBar1").set("Value", double(value));
    return a;
  }

  plat::VirtualServices clock;
};

constexpr const char* kControlMemoryHeader =
    "  egoera  |    @    | BK1BK0| JT|J4J3J2J1J0|MCS|MOE|MWR|hMH| LD_IR1| LD_IR2| LD_EM|hMD|hH|  LD_e1|  LD_e2|hB|  "
    "LD_ual|  LD_PC| LD_PCi|hD";
constexpr int kControlMemoryWidths[21] = {50, 40, 50, 20, 60, 30, 30, 40, 30, 50, 50,
                                          50, 30, 20, 50, 50, 20, 50, 50, 50, 20};

TEST_F(ListingsTest, ControlMemoryRowsHeadersAndWidthsInBothGrids) {
  struct Row {
    int grid_row;
    const char* text;
  } rows[] = {
      {1, "     bil1    \t 00000\t     00\t 0\t   XXXXX\t   1\t    1\t    0\t  00\t      1\t      0\t      0\t   "
          "X\t X\t      0\t      0\t X\t      X\t      1\t      1\t 0"},
      {3, "    desk     \t 00010\t     11\t 1\t   XXXXX\t   0\t    X\t    X\t  XX\t      0\t      0\t      0\t   "
          "X\t X\t      0\t      0\t X\t      X\t      0\t      0\t X"},
      {20, "             \t 10011\t     10\t 0\t   10101\t   0\t    X\t    X\t  XX\t      0\t      0\t      0\t   "
           "X\t X\t      0\t      0\t X\t      X\t      0\t      0\t X"},
  };
  Show_control_memory_main();
  Show_control_memory_window();
  for (const Grid& g : {Nagusia_Nadrel1(), Kontrolmemoria_Nadrel2()}) {
    EXPECT_EQ(g.Rows(), 22);
    EXPECT_EQ(cols(g), 21);
    for (const Row& r : rows) EXPECT_EQ(row_text(g, r.grid_row, 21), r.text) << "row " << r.grid_row;
    EXPECT_EQ(format_string(g), kControlMemoryHeader);
    EXPECT_EQ(std::string(kControlMemoryHeader).size(), 136u);
    int total = 0;
    for (int c = 1; c <= 21; ++c) {
      EXPECT_EQ(width(g, c), kControlMemoryWidths[c - 1]) << "column " << c;
      total += width(g, c);
    }
    EXPECT_EQ(total, 840);
    EXPECT_EQ(g.TextMatrix(0, 1), "  egoera");
    EXPECT_EQ(g.TextMatrix(0, 21), "hD");
    // Column 1 is 13 characters in every row; column 2 is the row's own address.
    for (int row = 1; row <= 22; ++row) {
      EXPECT_EQ(g.TextMatrix(row, 1).size(), 13u) << "row " << row;
      std::string bits;
      for (int b = 4; b >= 0; --b) bits += ((row - 1) >> b) & 1 ? '1' : '0';
      EXPECT_EQ(g.TextMatrix(row, 2), " " + bits);
    }
    EXPECT_EQ(g.TextMatrix(4, 1), "  op/mov     ");
    EXPECT_EQ(g.TextMatrix(5, 1), std::string(13, ' '));
    EXPECT_EQ(g.TextMatrix(7, 1), " opi/movi    ");
  }
}

TEST_F(ListingsTest, ControlMemoryColoursKeepOnlyTheFirstTwoColumnsOfTheMainGridsMarks) {
  Show_control_memory_main();
  Grid main = Nagusia_Nadrel1();
  // The display marks micro-address 2 in the main grid, and a cell further right.
  main.CellBackColor(1, 3, 0xFF8080);
  main.CellBackColor(2, 3, 0xFF8080);
  main.CellBackColor(7, 3, 0xFFC0C0);
  main.CellForeColor(5, 3, 0x800080);
  Show_control_memory_window();
  Grid win = Kontrolmemoria_Nadrel2();
  EXPECT_EQ(win.CellBackColor(1, 3), 0xFF8080);
  EXPECT_EQ(win.CellBackColor(2, 3), 0xFF8080);
  EXPECT_EQ(win.CellBackColor(1, 4), kListingSilver);
  for (int row = 1; row <= 22; ++row)
    for (int col = 1; col <= 21; ++col) {
      EXPECT_EQ(win.CellForeColor(col, row), 0);
      if (col >= 3) {
        EXPECT_TRUE(own_background(win, col, row)) << col << "," << row;
      }
    }
  // Listing the main grid again takes its own marks away, rows are not doubled.
  Show_control_memory_main();
  EXPECT_EQ(main.Rows(), 22);
  EXPECT_EQ(main.CellBackColor(1, 3), kListingSilver);
  EXPECT_TRUE(own_background(main, 7, 3));
  EXPECT_EQ(main.CellForeColor(5, 3), 0);
}

TEST_F(ListingsTest, ControlMemoryCellsFollowAnEditedControlWord) {
  Show_control_memory_main();
  machine().Control_memory[4][8] = "1";   // MCS of micro-address 4
  machine().Control_memory[4][11] = "0";  // hMH1
  machine().Control_memory[4][kEntryLabelColumn] = "xx";  // not a labelled row: never read
  Show_control_memory_main();
  Grid g = Nagusia_Nadrel1();
  EXPECT_EQ(g.TextMatrix(5, 6), "   1");
  EXPECT_EQ(g.TextMatrix(5, 9), "  0X");
  EXPECT_EQ(g.TextMatrix(5, 1), std::string(13, ' '));
  EXPECT_EQ(g.TextMatrix(5, 2), " 00100");
}

TEST_F(ListingsTest, MicroprogramHeadersWidthsTextsAndCopiedMark) {
  struct Variant {
    Grid (*grid)();
    const char* header;
    int w1, w2;
  } variants[] = {
      {Nagusia_NadrelMikro, "                 Mikroaginduak  |                    Azalpena                         ", 190,
       300},
      {Mikroprograma_NadrelMikro,
       "                Mikroaginduak  |                      Azalpena                         ", 200, 200},
  };
  Show_microprogram_main();
  Nagusia_NadrelMikro().CellBackColor(1, 6, 0xFF8080);  // micro-address 5 is the current one
  Nagusia_NadrelMikro().CellBackColor(2, 6, 0xFF8080);
  Show_microprogram_window();
  for (const Variant& v : variants) {
    Grid g = v.grid();
    EXPECT_EQ(format_string(g), v.header);
    EXPECT_EQ(width(g, 1), v.w1);
    EXPECT_EQ(width(g, 2), v.w2);
    EXPECT_EQ(g.Rows(), 22);
    EXPECT_EQ(g.TextMatrix(1, 1), " 0:  ir1:=mem(pc); pc:=pc+1; pci:=pc;");
    EXPECT_EQ(g.TextMatrix(1, 2), " /* bil1 */");
    EXPECT_EQ(g.TextMatrix(22, 1), " 21:  pc:=pci+ir2; goto 0;");
    for (int c = 1; c <= 2; ++c) {
      EXPECT_EQ(g.CellBackColor(c, 6), 0xFF8080);
      EXPECT_EQ(g.CellBackColor(c, 7), kListingSilver);
      EXPECT_EQ(g.CellForeColor(c, 6), 0);
    }
  }
  EXPECT_EQ(std::string(variants[0].header).size(), 86u);
  EXPECT_EQ(std::string(variants[1].header).size(), 87u);
}

TEST_F(ListingsTest, StartUpControlMemoryListingRaisesTheProgressBy27InSingleSteps) {
  Abiarazi& a = splash(kFlagTrue, 10);
  plat::PropertyLog::start();
  Show_control_memory_main();
  plat::PropertyLog::stop();
  EXPECT_EQ(a.Balioa, 37);
  EXPECT_EQ(a.ctl("ProgressBar1").get("Value").to_double(), 37.0);
  // 25 steps of 1, each written from the value read back, then one of 2.
  std::vector<double> written;
  for (const plat::PropWrite& w : plat::PropertyLog::writes())
    if (w.control == "ProgressBar1" && w.property == "Value") written.push_back(w.value.to_double());
  std::vector<double> expected;
  for (int v = 11; v <= 35; ++v) expected.push_back(v);
  expected.push_back(37);
  EXPECT_EQ(written, expected);

  Show_control_memory_window();
  EXPECT_EQ(a.Balioa, 64);
  // The bar shows at most its maximum, and keeps the value written.
  a.Balioa = 90;
  Show_control_memory_main();
  EXPECT_EQ(a.Balioa, 117);
  auto* bar = qobject_cast<QProgressBar*>(a.ctl("ProgressBar1").widget());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(ListingsTest, OutsideStartUpTheProgressIsLeftAndAClosedSplashStaysClosed) {
  Abiarazi& a = splash(kFlagFalse, 40);
  Show_control_memory_main();
  Show_control_memory_window();
  EXPECT_EQ(a.Balioa, 40);
  EXPECT_EQ(a.ctl("ProgressBar1").get("Value").to_double(), 40.0);
  plat::unload_form(Abiarazi::kName);
  Show_control_memory_main();
  EXPECT_FALSE(plat::is_loaded<Abiarazi>());
  Show_microprogram_main();
  EXPECT_FALSE(plat::is_loaded<Abiarazi>());
}

TEST_F(ListingsTest, RegisterRowsAfterAResetInBothGrids) {
  Show_registers_main();
  Grid main = Nagusia_Nadrel4();
  EXPECT_EQ(format_string(main), "Erreg|Edukia (osoz)|      Edukia (bitarrez)         ");
  EXPECT_EQ(cols(main), 3);
  EXPECT_EQ(main.Rows(), 32);
  for (int r = 1; r <= 32; ++r) {
    EXPECT_EQ(main.TextMatrix(r, 1), "    " + std::to_string(r - 1));
    EXPECT_EQ(main.TextMatrix(r, 2), "");
    EXPECT_EQ(main.TextMatrix(r, 3), "");
    EXPECT_EQ(main.CellBackColor(1, r), kListingSilver);
  }
  // A row the example run marked keeps its marked values column after a refresh.
  for (int c = 1; c <= 3; ++c) main.CellBackColor(c, 4, 0x8080FF);
  Refresh_registers_main();
  for (int r = 1; r <= 32; ++r) {
    EXPECT_EQ(main.TextMatrix(r, 2), std::string(9, ' ') + "0");
    EXPECT_EQ(main.TextMatrix(r, 3), "  0000000000000000");
  }
  EXPECT_EQ(main.CellBackColor(1, 4), kListingSilver);
  EXPECT_EQ(main.CellBackColor(2, 4), 0x8080FF);
  EXPECT_EQ(main.CellBackColor(3, 4), 0x8080FF);

  Show_registers_window();
  Grid win = MNetaEM_Nadrel1();
  EXPECT_EQ(format_string(win), "Erreg|   Edukia (osoz)|         Edukia (bitarrez)     ");
  EXPECT_EQ(win.Rows(), 32);
  EXPECT_EQ(win.TextMatrix(1, 2), "   ");
  EXPECT_EQ(win.TextMatrix(1, 3), "");
  Refresh_registers_window();
  EXPECT_EQ(win.TextMatrix(1, 1), "    0");
  EXPECT_EQ(win.TextMatrix(1, 2), "   " + std::string(9, ' ') + "0");
  EXPECT_EQ(win.TextMatrix(32, 3), "    " + std::string("  0000000000000000"));
  const int widths[2][3] = {{35, 70, 250}, {35, 90, 150}};
  for (int c = 1; c <= 3; ++c) {
    EXPECT_EQ(width(main, c), widths[0][c - 1]);
    EXPECT_EQ(width(win, c), widths[1][c - 1]);
  }
}

TEST_F(ListingsTest, MemoryGridsHave72RowsWithLabelsSeparatorsAndAreaColours) {
  constexpr int32_t grey = 0xE0E0E0, yellow = 0xC0FFFF, pink = 0xFFC0FF, cyan = 0xFFFFC0;
  struct Row {
    int row;
    const char* label;
    int32_t col2;
  } rows[] = {
      {1, "   0000H:", yellow},  {16, "   000FH:", yellow}, {17, "   0010H:", yellow}, {27, "   001AH:", yellow},
      {33, "   0020H:", yellow}, {48, "   002FH:", yellow}, {49, "  -----------", grey},
      {50, "  -----------", grey}, {51, "   4000H:", cyan}, {52, "   4001H:", pink}, {70, "   4013H:", pink},
      {71, "   4014H:", cyan},   {72, "   -----------", grey},
  };
  const std::string dashes2 = "        " + std::string(34, '-'), dashes3 = " " + std::string(35, '-');
  Show_main_memory_main();
  Show_main_memory_window();
  struct Variant {
    Grid g;
    const char* format;
    int w2;
  } variants[] = {
      {Nagusia_Nadrel3(), "      @      |                  Edukia       |     Kodea ", 160},
      {MNetaEM_Nadrel3(), "      @      |                          Edukia       |     Kodea ", 200},
  };
  for (const Variant& v : variants) {
    const Grid& g = v.g;
    EXPECT_EQ(g.Rows(), 72);
    EXPECT_EQ(cols(g), 3);
    EXPECT_EQ(format_string(g), v.format);
    EXPECT_EQ(width(g, 1), 60);
    EXPECT_EQ(width(g, 2), v.w2);
    EXPECT_EQ(width(g, 3), 120);
    for (const Row& r : rows) {
      EXPECT_EQ(g.TextMatrix(r.row, 1), r.label) << "row " << r.row;
      EXPECT_EQ(g.CellBackColor(1, r.row), grey);
      EXPECT_EQ(g.CellBackColor(2, r.row), r.col2) << "row " << r.row;
      EXPECT_EQ(g.CellBackColor(3, r.row), grey);
    }
    for (int r : {49, 50, 72}) {
      EXPECT_EQ(g.TextMatrix(r, 2), dashes2);
      EXPECT_EQ(g.TextMatrix(r, 3), dashes3);
    }
    EXPECT_EQ(g.TextMatrix(71, 2), dashes2);
    // The contents and code of the word rows are empty until the example is listed.
    for (int r = 1; r <= 70; ++r) {
      if (r == 49 || r == 50) continue;
      EXPECT_EQ(g.TextMatrix(r, 2).find_first_not_of(' '), std::string::npos) << "row " << r;
      EXPECT_EQ(g.TextMatrix(r, 3).find_first_not_of(' '), std::string::npos) << "row " << r;
    }
    EXPECT_EQ(g.TextMatrix(71, 3).find_first_not_of(' '), std::string::npos);
  }
}

TEST_F(ListingsTest, ExampleProgramFillsAndEmptiesBothMemoryGrids) {
  Show_main_memory_main();
  Show_main_memory_window();
  Grid main = Nagusia_Nadrel3(), win = MNetaEM_Nadrel3();
  main.CellBackColor(2, 5, 0xC000C0);  // a mark of the run
  Fill_example_program_grid();
  Fill_example_program_memory_window();
  const auto& words = machine().Main_memory_text;
  for (int r = 1; r <= 48; ++r) {
    EXPECT_EQ(main.TextMatrix(r, 2), words[size_t(r - 1)]);
    EXPECT_EQ(win.TextMatrix(r, 2), "      " + words[size_t(r - 1)]);
  }
  EXPECT_EQ(main.TextMatrix(33, 2), "");  // vector C before the run
  EXPECT_EQ(main.CellBackColor(2, 5), 0xC0FFFF);
  for (const Grid* g : {&main, &win}) {
    EXPECT_EQ(g->TextMatrix(1, 3), " :A");
    EXPECT_EQ(g->TextMatrix(17, 3), " :B");
    EXPECT_EQ(g->TextMatrix(33, 3), " :C");
    EXPECT_EQ(g->TextMatrix(55, 3), "   segi: ldx r3, A[r1]");
    EXPECT_EQ(g->TextMatrix(71, 3), "   :buka");
    EXPECT_EQ(g->TextMatrix(71, 1), "   4014H:");
  }
  EXPECT_EQ(main.TextMatrix(60, 2), "    ----------------------------      00011");
  EXPECT_EQ(win.TextMatrix(60, 2), "          ----------------------------      00011");
  EXPECT_EQ(win.TextMatrix(71, 2), "      " + std::string("        ") + std::string(34, '-'));

  Clear_main_memory_grid();
  EXPECT_EQ(main.TextMatrix(1, 2), "");
  EXPECT_EQ(main.TextMatrix(55, 3), "");
  EXPECT_EQ(main.TextMatrix(71, 3), "");
  EXPECT_EQ(main.TextMatrix(71, 2), "        " + std::string(34, '-'));
  EXPECT_EQ(main.TextMatrix(17, 1), "   0010H:");
  EXPECT_EQ(main.CellBackColor(2, 71), 0xFFFFC0);
  EXPECT_EQ(main.CellBackColor(2, 72), 0xE0E0E0);
  EXPECT_EQ(main.Rows(), 72);
}

TEST_F(ListingsTest, AWindowListingOfAClosedWindowLoadsItHiddenAndListsOnce) {
  Show_microprogram_main();
  Show_control_memory_main();
  Show_microprogram_window();
  Show_control_memory_window();
  // The user closes both windows.
  for (plat::Form* w : {plat::loaded_form(Mikroprograma::kName), plat::loaded_form(Kontrolmemoria::kName)}) {
    w->Show();
    w->window()->close();
  }
  QApplication::processEvents();
  ASSERT_FALSE(plat::is_loaded<Mikroprograma>());
  ASSERT_FALSE(plat::is_loaded<Kontrolmemoria>());
  Show_microprogram_window();
  Show_control_memory_window();
  ASSERT_TRUE(plat::is_loaded<Mikroprograma>());
  EXPECT_FALSE(plat::form<Mikroprograma>().visible());
  EXPECT_EQ(Mikroprograma_NadrelMikro().Rows(), 22);
  EXPECT_EQ(Kontrolmemoria_Nadrel2().Rows(), 22);
  EXPECT_EQ(Kontrolmemoria_Nadrel2().TextMatrix(22, 2), " 10101");

  // The memory window's load lists both of its grids before the caller goes on.
  Refresh_registers_window();
  EXPECT_EQ(MNetaEM_Nadrel3().Rows(), 72);
  EXPECT_EQ(MNetaEM_Nadrel1().Rows(), 32);
  EXPECT_EQ(MNetaEM_Nadrel1().TextMatrix(2, 2), "   " + std::string(9, ' ') + "0");
  plat::unload_form(MNetaEM::kName);
  QApplication::processEvents();
  Show_main_memory_window();
  EXPECT_EQ(MNetaEM_Nadrel3().Rows(), 72);
  EXPECT_EQ(MNetaEM_Nadrel3().TextMatrix(72, 1), "   -----------");
}

TEST_F(ListingsTest, WritesIntoALayoutThatIsNotThereYetLayTheGridOutFirst) {
  // The main window's grids before any listing: the example listing and the
  // register refresh find their rows all the same.
  Fill_example_program_grid();
  Grid mem = Nagusia_Nadrel3();
  EXPECT_EQ(mem.Rows(), 72);
  EXPECT_EQ(mem.TextMatrix(72, 1), "   -----------");
  EXPECT_EQ(mem.TextMatrix(55, 3), "   segi: ldx r3, A[r1]");
  Refresh_registers_main();
  EXPECT_EQ(Nagusia_Nadrel4().Rows(), 32);
  EXPECT_EQ(Nagusia_Nadrel4().TextMatrix(32, 3), "  0000000000000000");
  // A grid already laid out is written in place, not listed again.
  Nagusia_Nadrel4().CellBackColor(3, 2, 0x8080FF);
  Refresh_registers_main();
  EXPECT_EQ(Nagusia_Nadrel4().CellBackColor(3, 2), 0x8080FF);
}

TEST_F(ListingsTest, EveryListedGridOpensNoColumnToAnInPlaceEdit) {
  for (void (*show)() : {Show_microprogram_main, Show_microprogram_window, Show_control_memory_main,
                         Show_control_memory_window, Show_registers_main, Show_registers_window,
                         Show_main_memory_main, Show_main_memory_window})
    show();
  const Grid grids[] = {Nagusia_NadrelMikro(), Nagusia_Nadrel1(),          Nagusia_Nadrel4(), Nagusia_Nadrel3(),
                        Mikroprograma_NadrelMikro(), Kontrolmemoria_Nadrel2(), MNetaEM_Nadrel1(), MNetaEM_Nadrel3()};
  for (const Grid& g : grids) {
    ASSERT_GT(g.Cols(), 0);
    for (int c = 0; c <= g.Cols(); ++c) EXPECT_FALSE(g.ColAllowEdit(c)) << c;
  }
}

}  // namespace
}  // namespace brendalo
