// The grid windows Mikroprograma, Kontrolmemoria and MNetaEM around the
// listings: their loads, the start-up listing steps, the File command that
// restores the microprogram and the control memory, and their pictures.
#include <QApplication>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "testing/simulator_test.h"

#include <string>

#include "platform/comctl/comctl.h"
#include "platform/forms/form.h"
#include "platform/forms/render.h"
#include "platform/forms/virtual_services.h"
#include "simulator/dialogs/abiarazi.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {
namespace {

class ListingWindowsTest : public SimulatorTest {
 protected:

  // The loaders and listings of the eight start-up steps, with the splash
  // window's loading flag set as the steps have it.
  static Abiarazi& start_up(int16_t progress = 10) {
    Abiarazi& a = plat::form<Abiarazi>();
    a.abiarazten = kFlagTrue;
    a.Balioa = progress;
    Load_microprogram_text();
    Show_microprogram_main();
    Show_microprogram_window();
    Load_control_memory();
    Show_control_memory_main();
    Show_control_memory_window();
    Reset_register_file_text();
    Load_main_memory_data();
    Show_registers_main();
    Show_registers_window();
    Show_main_memory_main();
    Show_main_memory_window();
    a.abiarazten = kFlagFalse;
    return a;
  }

  // Every data row of the four microprogram and control-memory grids shows the built-in tables.
  static void expect_built_in_listings() {
    const auto& text = machine().Microprogram_text;
    for (const Grid& g : {Nagusia_NadrelMikro(), Mikroprograma_NadrelMikro()}) {
      ASSERT_EQ(g.Rows(), 22);
      for (int m = 0; m < kMicroinstructions; ++m) {
        EXPECT_EQ(g.TextMatrix(m + 1, 1), text[m][0]);
        EXPECT_EQ(g.TextMatrix(m + 1, 2), text[m][1]);
      }
    }
    for (const Grid& g : {Nagusia_Nadrel1(), Kontrolmemoria_Nadrel2()}) {
      ASSERT_EQ(g.Rows(), 22);
      for (int m = 0; m < kMicroinstructions; ++m) {
        const auto cells = Control_memory_row_texts(m);
        for (int c = 1; c <= 21; ++c) EXPECT_EQ(g.TextMatrix(m + 1, c), cells[size_t(c - 1)]) << m << "," << c;
      }
    }
  }

  plat::VirtualServices clock;
};

TEST_F(ListingWindowsTest, StartUpFillsEveryGridAndRaisesTheProgressBy54) {
  Abiarazi& a = start_up(10);
  EXPECT_EQ(a.Balioa, 64);  // the two control-memory listings, 27 each
  for (const char* w : {Nagusia::kName, Mikroprograma::kName, Kontrolmemoria::kName, MNetaEM::kName}) {
    ASSERT_NE(plat::loaded_form(w), nullptr) << w;
    EXPECT_FALSE(plat::loaded_form(w)->visible()) << w;
  }
  expect_built_in_listings();
  EXPECT_EQ(Nagusia_Nadrel4().Rows(), 32);
  EXPECT_EQ(MNetaEM_Nadrel1().Rows(), 32);
  EXPECT_EQ(Nagusia_Nadrel3().Rows(), 72);
  EXPECT_EQ(MNetaEM_Nadrel3().Rows(), 72);
  EXPECT_EQ(Nagusia_NadrelMikro().TextMatrix(3, 1), " 2:  goto Eragiketa_kodea;");
  EXPECT_EQ(Kontrolmemoria_Nadrel2().TextMatrix(1, 1), "     bil1    ");
}

TEST_F(ListingWindowsTest, ListingWindowsListOnLoadExceptDuringStartUp) {
  Load_microprogram_text();
  Load_control_memory();
  Abiarazi& a = plat::form<Abiarazi>();
  a.abiarazten = kFlagTrue;
  EXPECT_NE(Mikroprograma_NadrelMikro().Rows(), 22);
  EXPECT_NE(Kontrolmemoria_Nadrel2().Rows(), 22);
  plat::unload_form(Mikroprograma::kName);
  plat::unload_form(Kontrolmemoria::kName);
  a.abiarazten = kFlagFalse;
  Show_microprogram_main();
  Nagusia_NadrelMikro().CellBackColor(1, 2, 0xFF8080);
  plat::form<Mikroprograma>().Show();
  plat::form<Kontrolmemoria>().Show();
  EXPECT_EQ(Mikroprograma_NadrelMikro().Rows(), 22);
  EXPECT_EQ(Mikroprograma_NadrelMikro().CellBackColor(1, 2), 0xFF8080);
  EXPECT_EQ(Kontrolmemoria_Nadrel2().Rows(), 22);
  EXPECT_EQ(Kontrolmemoria_Nadrel2().TextMatrix(3, 1), "    desk     ");
  // Listed before the main window's grid was: the rows that grid lacks are silver.
  EXPECT_EQ(Kontrolmemoria_Nadrel2().CellBackColor(2, 22), kListingSilver);
}

TEST_F(ListingWindowsTest, MemoryWindowLoadFollowsTheExampleState) {
  Reset_register_file_text();
  Load_main_memory_data();
  for (bool loaded : {false, true}) {
    plat::unload_form(MNetaEM::kName);
    QApplication::processEvents();
    engine().Example_loaded = to_flag(loaded);
    MNetaEM& w = plat::form<MNetaEM>();
    EXPECT_EQ(w.window_state(), 2);
    EXPECT_EQ(w.ctl("Nadrel3", 0).enabled(), loaded);
    EXPECT_EQ(w.ctl("Nadrel1").enabled(), loaded);
    Grid mem = MNetaEM_Nadrel3(), regs = MNetaEM_Nadrel1();
    EXPECT_EQ(mem.Rows(), 72);
    EXPECT_EQ(mem.TextMatrix(1, 2), loaded ? "      " + machine().Main_memory_text[0] : "");
    EXPECT_EQ(mem.TextMatrix(51, 3), loaded ? "   movi r1,#0" : "");
    EXPECT_EQ(mem.TextMatrix(50, 1), "  -----------");
    EXPECT_EQ(regs.Rows(), 32);
    EXPECT_EQ(regs.TextMatrix(32, 1), "    31");
    EXPECT_EQ(regs.TextMatrix(32, 2), "   " + std::string(9, ' ') + "0");
  }
  // Closing it gives the focus back without bringing a main window into being.
  plat::unload_form(MNetaEM::kName);
  EXPECT_FALSE(plat::is_loaded<Nagusia>());
  MNetaEM& w = plat::form<MNetaEM>();
  EXPECT_NE(w.find("StatusBar1"), nullptr);
  // The period buttons stand above the status bar, with the window's own tips.
  struct Button {
    int index, left;
    const char* caption;
    const char* tip;
  };
  for (const Button& b : {Button{1, 12600, "-", "clk1 denbora segundu batean txikiagotuko du"},
                          Button{0, 13320, "+", "clk1 denbora segundu batean handigotuko du"}}) {
    plat::Control& c = w.ctl("Command2", b.index);
    EXPECT_EQ(c.caption(), b.caption);
    EXPECT_EQ(c.get("ToolTipText").to_string(), b.tip);
    EXPECT_EQ(c.left(), b.left);
    EXPECT_EQ(c.top(), 10440);
    EXPECT_EQ(c.get("Width").to_int(), 255);
    EXPECT_EQ(c.get("Height").to_int(), 270);
  }
  // "-" shortens the period as the main window's "-" does.
  plat::form<Nagusia>();  // there from start-up on; its load sets the default period
  w.click("Command2", 1);
  EXPECT_EQ(engine().Clk1_period_text, "10");
  EXPECT_EQ(plat::panel_text(w.ctl("StatusBar1"), 5), "10''");
}

TEST_F(ListingWindowsTest, RestoringTheMicroprogramRelistsEveryRowWithItsBuiltInText) {
  start_up();
  // A reprogrammed microinstruction 5, and the control-memory window closed.
  machine().Microprogram_text[5][0] = machine().Microprogram_text[5][1] = "-----ALDATUA-----";
  machine().Control_memory[5][8] = "1";
  for (Grid g : {Nagusia_NadrelMikro(), Mikroprograma_NadrelMikro()}) {
    g.TextMatrix(6, 1, "-----ALDATUA-----");
    g.CellForeColor(1, 6, 0x800080);
  }
  Show_control_memory_main();
  EXPECT_EQ(Nagusia_Nadrel1().TextMatrix(6, 6), "   1");
  plat::unload_form(Kontrolmemoria::kName);
  QApplication::processEvents();
  engine().Control_memory_modified = kFlagTrue;

  Nagusia& m = plat::form<Nagusia>();
  m.ctl("Artxibo11", 1).set_enabled(true);
  m.click("Artxibo11", 1);
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "Mikroprograma era Kontrol Memoria berrezarri dira.");
  EXPECT_EQ(engine().Control_memory_modified, kFlagFalse);
  EXPECT_EQ(machine().Microprogram_text[5][0], " 5:  EM(Rh):=R_ual; goto 0;");
  expect_built_in_listings();
  EXPECT_EQ(Nagusia_NadrelMikro().TextMatrix(6, 1), " 5:  EM(Rh):=R_ual; goto 0;");
  EXPECT_EQ(Mikroprograma_NadrelMikro().CellForeColor(1, 6), 0);
  EXPECT_EQ(Kontrolmemoria_Nadrel2().TextMatrix(6, 6), "   0");
  EXPECT_FALSE(plat::form<Kontrolmemoria>().visible());
}

// A grid paints first at its layout size, so the page a click in a scroll
// bar's trough moves is the page of that size; the two listing windows show
// their whole listing.
TEST_F(ListingWindowsTest, GridsPageAtTheirLayoutSizeAndTheListingWindowsShowWholeListings) {
  start_up();
  auto bar = [](plat::Form& f, const char* grid, int index, const char* which) {
    return f.ctl(grid, index).widget()->findChild<QScrollBar*>(which);
  };
  // 553 pixels of grid: 548 of cells, a header row and 33 rows of 16.
  QScrollBar* memory = bar(plat::form<MNetaEM>(), "Nadrel3", 0, "scrVertical");
  ASSERT_NE(memory, nullptr);
  EXPECT_FALSE(memory->isHidden());
  EXPECT_EQ(memory->pageStep(), 32);
  for (auto [f, grid] : {std::pair<plat::Form*, const char*>{&plat::form<Mikroprograma>(), "NadrelMikro"},
                         {&plat::form<Kontrolmemoria>(), "Nadrel2"}}) {
    SCOPED_TRACE(grid);
    EXPECT_TRUE(bar(*f, grid, -1, "scrVertical")->isHidden());
    EXPECT_TRUE(bar(*f, grid, -1, "scrHorizontal")->isHidden());
  }
}

TEST_F(ListingWindowsTest, PicturesOfTheMainWindowAndTheGridWindows) {
  start_up();
  engine().Example_loaded = kFlagTrue;
  plat::unload_form(MNetaEM::kName);  // its load lists the example too
  QApplication::processEvents();
  Refresh_registers_main();
  Refresh_registers_window();
  struct Picture {
    plat::Form& form;
    const char* file;
  } pictures[] = {
      {plat::form<Nagusia>(), "/docs/main_window_listings.png"},
      {plat::form<Mikroprograma>(), "/docs/mikroprograma.png"},
      {plat::form<Kontrolmemoria>(), "/docs/kontrolmemoria.png"},
      {plat::form<MNetaEM>(), "/docs/mnetaem.png"},
  };
  for (const Picture& p : pictures) {
    EXPECT_FALSE(plat::render_form(p.form).isNull()) << p.file;
    EXPECT_TRUE(plat::save_form_png(p.form, std::string(BRENDALO_SOURCE_DIR) + p.file)) << p.file;
  }
}

}  // namespace
}  // namespace brendalo
