#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

#include "testing/caption_runs.h"
#include "testing/simulator_test.h"

#include "platform/comctl/comctl.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form.h"
#include "platform/forms/pictures.h"
#include "platform/forms/render.h"
#include "platform/forms/virtual_services.h"
#include "simulator/dialogs/konfiguratusim.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

using namespace brendalo;

namespace {

class NagusiaTest : public SimulatorTest {
 protected:
  Nagusia& main_window() { return plat::form<Nagusia>(); }
  plat::Control& toolbar() { return main_window().ctl("Toolbar1"); }

  plat::VirtualServices clock;
};

TEST_F(NagusiaTest, LoadSetsFlagsPeriodAndLooks) {
  engine().Example_loaded = kFlagTrue;
  engine().Stop_requested = kFlagTrue;
  Nagusia& f = main_window();
  EXPECT_EQ(f.reset, kFlagTrue);
  EXPECT_EQ(f.soinua, kFlagTrue);
  EXPECT_EQ(f.Bereizmena_aldatua, 0);
  EXPECT_EQ(engine().Clk1_period_text, "11");
  EXPECT_EQ(engine().Example_loaded, kFlagFalse);
  EXPECT_EQ(engine().Stop_requested, kFlagFalse);
  EXPECT_EQ(engine().Report_z_value, kFlagFalse);
  EXPECT_EQ(f.window_state(), 2);
  EXPECT_EQ(f.mouse_pointer(), 0);
  EXPECT_FALSE(f.visible());
  EXPECT_EQ(f.caption(), kMainCaption);
  EXPECT_TRUE(plat::is_loaded<KonfiguratuSIM>());
  plat::Control& sb = f.ctl("StatusBar1");
  EXPECT_EQ(plat::panel_text(sb, 1), "Aginduaren zain");
  EXPECT_EQ(plat::panel_text(sb, 5), "11''");
  EXPECT_EQ(sb.get("Panels.Count").to_int(), 6);
}

TEST_F(NagusiaTest, ReportZFollowsTheOptionsCheckBoxAndGreyKeepsIt) {
  struct Case {
    int check;
    Flag16 before, after;
  } cases[] = {{0, kFlagTrue, kFlagFalse}, {1, kFlagFalse, kFlagTrue}, {2, kFlagTrue, kFlagTrue}, {2, kFlagFalse, kFlagFalse}};
  for (const Case& c : cases) {
    plat::unload_all_forms();
    plat::reset_program_end();
    engine().Report_z_value = c.before;
    plat::form<KonfiguratuSIM>().ctl("Check2").set_value(c.check);
    main_window();
    EXPECT_EQ(engine().Report_z_value, c.after) << "check box " << c.check;
  }
}

TEST_F(NagusiaTest, MenusHaveTheirCaptionsIndicesShortcutsAndStatesAtLoad) {
  struct Item {
    const char* name;
    int index;
    const char* parent;
    const char* caption;
    const char* shortcut;
    bool enabled, checked, visible;
  };
  const Item items[] = {
      {"Artxibo", 2, "", "&Artxibo", "", true, false, true},
      {"Artxibo3", 1, "Artxibo", "Ireki programa adibidea", "Ctrl+F1", true, false, true},
      {"Artxibo5", 1, "Artxibo", "-", "", true, false, true},
      {"Artxibo6", 1, "Artxibo", "Kargatu programa MNan", "Ctrl+F2", false, false, true},
      {"Artxibo7", 1, "Artxibo", "Deskargatu programa MNtik", "Ctrl+F3", false, false, true},
      {"Artxibo8", 1, "Artxibo", "Datuak aldatu MNtik", "Ctrl+F4", false, false, true},
      {"Artxibo9", 1, "Artxibo", "-", "", true, false, true},
      {"Artxiboaldatu", 1, "Artxibo", "Aldatu mikroprograma eta KM", "Ctrl+F5", true, false, true},
      {"Artxibo11", 1, "Artxibo", "Berrezarri mikroprograma eta KM", "Ctrl+F6", false, false, true},
      {"Artxibo12", 1, "Artxibo", "-", "", true, false, true},
      {"Artxibo13", 1, "Artxibo", "Txikiagotu simuladorea", "", true, false, true},
      {"Artxibo14", 1, "Artxibo", "-", "", true, false, true},
      {"Artxibo15", 1, "Artxibo", "Irten", "Del", true, false, true},
      {"Ikusi", 4, "", "&Ikusi", "", true, false, true},
      {"Ikusi1", 3, "Ikusi", "PU eta Kontrol-seinaleak", "Ctrl+F7", true, true, true},
      {"Ikusi2", 3, "Ikusi", "Memoria Nagusia eta EM", "Ctrl+F8", true, false, true},
      {"Ikusi3", 3, "Ikusi", "Programa adibidea eta kontrol-seinaleak", "Ctrl+F9", true, false, true},
      {"Ikusi4", 3, "Ikusi", "-", "", true, false, true},
      {"Ikusi5", 3, "Ikusi", "ASM algoritmoa", "F1", true, false, true},
      {"Ikusi6", 3, "Ikusi", "Mikroprograma", "F2", true, false, true},
      {"Ikusi7", 3, "Ikusi", "Kontrol Memoria", "F3", true, false, true},
      {"Ikusi8", 3, "Ikusi", "Prozesu-Unitatea", "F4", true, false, true},
      {"IKusi9", 3, "Ikusi", "Memoria Nagusia eta Erregistro Multzoa", "F5", true, false, true},
      {"Ikusi10", 3, "Ikusi", "-", "", true, false, true},
      {"Ikusi11", 3, "Ikusi", "UALaren eragiketak", "F6", true, false, true},
      {"Ikusi12", 3, "Ikusi", "-", "", true, false, true},
      {"Ikusi13", 3, "Ikusi", "Aginduen formatua", "F7", true, false, true},
      {"Simulazioa", 6, "", "&Simulazioa", "", true, false, true},
      {"Simulazioa1", 5, "Simulazioa", "Simulatu agindua (jarraian)", "Ctrl+A", true, false, true},
      {"Simulazioa2", 5, "Simulazioa", "Simulatu agindua (zikloz ziklo)", "Ctrl+B", true, false, true},
      {"Simulazioa3", 5, "Simulazioa", "Simulatu agindua  (pausoz pauso)", "Ctrl+C", true, false, true},
      {"Simulazioa20", 5, "Simulazioa", "-", "", true, false, true},
      {"Simulazioa4", 5, "Simulazioa", "Simulatu programa adibidea ", "Ctrl+D", false, false, true},
      {"Simulazioa30", 5, "Simulazioa", "-", "", true, false, true},
      {"Simulazioa5", 5, "Simulazioa", "Mota", "", true, false, true},
      {"Simulazioa5_1", 4, "Simulazioa5", "jarraia", "Ctrl+E", true, true, true},
      {"Simulazioa5_2", 4, "Simulazioa5", "zikloz ziklo", "Ctrl+F", true, false, true},
      {"Simulazioa5_3", 4, "Simulazioa5", "pausoz pauso", "Ctrl+G", true, false, true},
      {"Simulazioa6", 5, "Simulazioa", "Simulazio azkarra", "Ctrl+H", true, false, true},
      {"Simulazioa7", 5, "Simulazioa", "Simulazio motela", "Ctrl+I", true, false, true},
      {"Simulazioa8", 5, "Simulazioa", "CLK denbora", "", true, false, true},
      {"Simulazioa8_1", 4, "Simulazioa8", "Handiagotu denbora (+1 seg)", "F8", true, false, true},
      {"Simulazioa8_2", 4, "Simulazioa8", "Txikiagotu denbora  (-1 seg)", "F9", true, false, true},
      {"Simulazioa40", 5, "Simulazioa", "-", "", true, false, true},
      {"Simulazioa9", 5, "Simulazioa", "Gelditu simulazioa", "Ctrl+L", false, false, true},
      {"Simulazioa10", 5, "Simulazioa", "Jarraitu simulazioa", "Ctrl+M", false, false, true},
      {"Simulazioa50", 5, "Simulazioa", "-", "", true, false, true},
      {"Simulazioa11", 5, "Simulazioa", "Amaitu simulazioa", "Ctrl+N", false, false, true},
      {"Aukerak", 8, "", "&Aukerak", "", true, false, true},
      {"Aukerak1", 7, "Aukerak", "Ikusi aukerak", "Ctrl+O", true, false, true},
      {"Laguntza", 10, "", "&Laguntza", "", true, false, true},
      {"Laguntza1", 9, "Laguntza", "Edukia", "", true, false, true},
      {"Laguntza2", 9, "Laguntza", "Aurkibidea", "", true, false, false},
      {"Laguntza3", 9, "Laguntza", "Bilaketa", "", true, false, false},
      {"Laguntza4", -1, "Laguntza", "-", "", true, false, true},
      {"Laguntza5", 9, "Laguntza", "Simuladorearen inguruan...", "Ctrl+P", true, false, true},
  };
  Nagusia& f = main_window();
  size_t menus = 0;
  for (auto& c : f.controls()) menus += c->kind() == plat::Kind::Menu;
  EXPECT_EQ(menus, std::size(items));
  for (const Item& it : items) {
    SCOPED_TRACE(it.name);
    plat::Control* c = f.find(it.name, it.index);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->kind(), plat::Kind::Menu);
    EXPECT_EQ(c->container() ? c->container()->name() : std::string(), it.parent);
    EXPECT_EQ(c->caption(), it.caption);
    EXPECT_EQ(c->get("Shortcut").to_string(), it.shortcut);
    EXPECT_EQ(c->enabled(), it.enabled);
    EXPECT_EQ(c->get("Checked").to_bool(), it.checked);
    EXPECT_EQ(c->visible(), it.visible);
    ASSERT_NE(c->action(), nullptr);
    EXPECT_EQ(c->action()->shortcut(), QKeySequence::fromString(it.shortcut));
    if (it.visible) {
      EXPECT_EQ(c->action()->isEnabled(), it.enabled);  // Qt disables a hidden action
    }
    EXPECT_EQ(c->action()->isVisible(), it.visible);
    EXPECT_EQ(f.indices(it.name), it.index < 0 ? std::vector<int>{} : std::vector<int>{it.index});
  }
}

TEST_F(NagusiaTest, ToolbarHasItsKeyedButtonsTooltipsAndPictures) {
  const struct {
    const char* key;
    const char* tip;
    bool enabled;
  } buttons[] = {
      {"Hasi", "Simulazioarekin jarraitu", false},
      {"Gelditu", "Simulazioa gelditu", false},
      {"Konfigurazioa", "Simulaziorako aukerak bistaratu", true},
      {"Martxan", "KUaren simulazioa martxan", false},
      {"Geldirik", "KUaren simulazioa geldirik", false},
      {"Zain", "KUa aginduaren zain", true},
      {"Soinua", "clk1 erloju seinalearen soinua", true},
      {"Galdera", "Simuladorearen inguruko laguntza bistaratu", true},
  };
  Nagusia& f = main_window();
  plat::Control& tb = toolbar();
  ASSERT_EQ(tb.get("Buttons.Count").to_int(), 8);
  for (int i = 1; i <= 8; ++i) {
    SCOPED_TRACE(buttons[i - 1].key);
    EXPECT_EQ(plat::toolbar_button(tb, buttons[i - 1].key), i);
    EXPECT_EQ(tb.item("Buttons", i, "ToolTipText").to_string(), buttons[i - 1].tip);
    EXPECT_EQ(plat::toolbar_button_enabled(tb, i), buttons[i - 1].enabled);
    const int image = int(tb.item("Buttons", i, "Image").to_int());
    const QImage pic = plat::picture(f.ctl("ImageList1").item("ListImages", image, "Picture").to_string());
    EXPECT_EQ(pic.size(), QSize(16, 16));
  }
  EXPECT_FALSE(plat::picture(f.ctl("Image1", 0).get("Picture").to_string()).isNull());
}

TEST_F(NagusiaTest, CaptionClockShowsTheTimeFromTheFirstTick) {
  clock.set_time_of_day({9, 5, 7});
  Nagusia& f = main_window();
  EXPECT_EQ(f.caption(), kMainCaption);
  clock.advance(999);
  EXPECT_EQ(f.caption(), kMainCaption);
  clock.advance(1);
  const std::string fixed = std::string(kMainCaption) + std::string(97, ' ');
  ASSERT_EQ(fixed.size(), 158u);
  EXPECT_EQ(f.caption(), fixed + "09:05:08");
  clock.advance(3600 * 1000);
  EXPECT_EQ(f.caption(), fixed + "10:05:08");
}

TEST_F(NagusiaTest, PauseAndContinueOnTheToolbarActOnlyDuringARun) {
  Nagusia& f = main_window();
  plat::set_panel_text(f.ctl("StatusBar1"), 1, "Aginduaren zain");
  // Idle: "Hasi" is disabled, and even a direct click changes no flag, no text, no menu item.
  EXPECT_FALSE(plat::toolbar_button_enabled(toolbar(), 1));
  f.Toolbar1_ButtonClick("Hasi");
  f.Toolbar1_ButtonClick("Gelditu");
  EXPECT_EQ(engine().Stop_requested, kFlagFalse);
  EXPECT_EQ(plat::panel_text(f.ctl("StatusBar1"), 1), "Aginduaren zain");
  EXPECT_EQ(plat::panel_text(Status_window(StatusWindow::ASM).ctl("StatusBar1"), 1), "Aginduaren zain");
  EXPECT_FALSE(f.ctl("Simulazioa9", 5).enabled());
  EXPECT_FALSE(f.ctl("Simulazioa10", 5).enabled());

  // During a run they pause and continue.
  engine().Instruction_running = kFlagTrue;
  f.Toolbar1_ButtonClick("Gelditu");
  EXPECT_EQ(engine().Stop_requested, kFlagTrue);
  EXPECT_EQ(plat::panel_text(Status_window(StatusWindow::Laguntza_edukia).ctl("StatusBar1"), 1),
            "Simulazioa geldirik");
  EXPECT_FALSE(f.ctl("Simulazioa9", 5).enabled());
  EXPECT_TRUE(f.ctl("Simulazioa10", 5).enabled());
  const bool paused[] = {true, false, true, false, true, true};  // buttons 1..5 and 6 untouched
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(plat::toolbar_button_enabled(toolbar(), i), paused[i - 1]) << i;
  plat::press_toolbar_button(toolbar(), 1);
  EXPECT_EQ(engine().Stop_requested, kFlagFalse);
  EXPECT_EQ(plat::panel_text(f.ctl("StatusBar1"), 1), "KU simulatzen");
  EXPECT_TRUE(f.ctl("Simulazioa9", 5).enabled());
  EXPECT_FALSE(f.ctl("Simulazioa10", 5).enabled());
  EXPECT_FALSE(plat::toolbar_button_enabled(toolbar(), 1));
  EXPECT_TRUE(plat::toolbar_button_enabled(toolbar(), 4));
}

TEST_F(NagusiaTest, SoundButtonBeepsAndTogglesLampsDoNothing) {
  Nagusia& f = main_window();
  const EngineState before = engine();
  for (const char* lamp : {"Martxan", "Geldirik", "Zain"}) f.Toolbar1_ButtonClick(lamp);
  EXPECT_EQ(engine(), before);
  EXPECT_TRUE(clock.messages.empty());
  plat::press_toolbar_button(toolbar(), 7);
  EXPECT_EQ(f.soinua, kFlagFalse);
  plat::press_toolbar_button(toolbar(), 7);
  EXPECT_EQ(f.soinua, kFlagTrue);
  EXPECT_EQ(clock.beeps, 2);
}

TEST_F(NagusiaTest, ButtonsAndMenusOpenTheirWindows) {
  const struct {
    const char* control;
    int index;
    const char* window;
    int state;
  } cases[] = {
      {"CommandASM", 0, "ASM", 2},          {"CommandMikro", 1, "Mikroprograma", 0},
      {"CommandKM", 0, "Kontrolmemoria", 0}, {"CommandPU", 0, "PU", 2},
      {"CommandMN", 1, "MNetaEM", 2},        {"Ikusi11", 3, "UALeragiketak", 0},
      {"Ikusi13", 3, "Aginduenformatua", 2}, {"Aukerak1", 7, "KonfiguratuSIM", 0},
      {"Laguntza1", 9, "Laguntza_edukia", 2}, {"Laguntza5", 9, "Simuladoreariburuz", 0},
      {"Artxibo8", 1, "Datuenaldaketarakopausoa", 0}, {"Artxiboaldatu", 1, "Birprogramaziorakopausoa", 0},
  };
  Nagusia& f = main_window();
  for (auto& c : cases) {
    SCOPED_TRACE(c.control);
    plat::Control& ctl = f.ctl(c.control, c.index);
    if (ctl.kind() == plat::Kind::Menu) {
      ctl.set_enabled(true);
      f.fire(ctl, plat::Event::Click);
    } else {
      f.click(c.control, c.index);
    }
    plat::Form* w = plat::loaded_form(c.window);
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->visible());
    EXPECT_EQ(w->window_state(), c.state);
    EXPECT_EQ(f.mouse_pointer(), 0);
  }
  EXPECT_EQ(f.ctl("CommandKM", 0).get("MousePointer").to_int(), 10);
  EXPECT_EQ(plat::loaded_form("KonfiguratuSIM")->caption(), "Simulaziorako aukerak");
  EXPECT_EQ(plat::loaded_form("Birprogramaziorakopausoa")->caption(), "Birprogamaziorako pausoa");
}

TEST_F(NagusiaTest, RestoreCommandDisablesItselfClearsTheFlagAndConfirmsOnce) {
  Nagusia& f = main_window();
  plat::Control& item = f.ctl("Artxibo11", 1);
  item.set_enabled(true);
  engine().Control_memory_modified = kFlagTrue;
  f.fire(item, plat::Event::Click);
  EXPECT_FALSE(item.enabled());
  EXPECT_EQ(engine().Control_memory_modified, kFlagFalse);
  EXPECT_FALSE(machine().Control_memory[0][0].empty());
  EXPECT_FALSE(machine().Microprogram_text[0][0].empty());
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "Mikroprograma era Kontrol Memoria berrezarri dira.");
  EXPECT_EQ(clock.messages[0].title, "Birprogramazioa");
  EXPECT_EQ(clock.messages[0].style, 64);
}

TEST_F(NagusiaTest, ExampleStepsSetMenusAndViews) {
  Nagusia& f = main_window();
  auto enabled = [&](const char* n) { return f.ctl(n, n[0] == 'S' ? 5 : 1).enabled(); };
  auto checked = [&](const char* n) { return f.ctl(n, 3).get("Checked").to_bool(); };
  struct Step {
    const char* item;
    bool a3, a6, a7, a8, s4, i1, i2, i3;
    const char* frame6;
    bool frame7, listing, picture;
  } steps[] = {
      {"Artxibo3", false, true, false, false, false, false, false, true, "Programa adibidea", false, true, false},
      {"Artxibo6", false, false, true, true, true, false, true, false, "Programa adibidea", true, false, false},
      {"Artxibo7", false, true, false, false, false, false, true, false, "Programa adibidea", true, false, false},
      {"Ikusi1", false, true, false, false, false, true, false, false, "Prozesu Unitatea", false, false, true},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.item);
    plat::Control& item = f.ctl(s.item, s.item[0] == 'I' ? 3 : 1);
    ASSERT_TRUE(item.enabled());
    f.fire(item, plat::Event::Click);
    EXPECT_EQ(enabled("Artxibo3"), s.a3);
    EXPECT_EQ(enabled("Artxibo6"), s.a6);
    EXPECT_EQ(enabled("Artxibo7"), s.a7);
    EXPECT_EQ(enabled("Artxibo8"), s.a8);
    EXPECT_EQ(enabled("Simulazioa4"), s.s4);
    EXPECT_EQ(checked("Ikusi1"), s.i1);
    EXPECT_EQ(checked("Ikusi2"), s.i2);
    EXPECT_EQ(checked("Ikusi3"), s.i3);
    EXPECT_EQ(f.ctl("Frame6").caption(), s.frame6);
    EXPECT_EQ(f.ctl("Frame7").visible(), s.frame7);
    EXPECT_EQ(f.ctl("Text1", 8).visible(), s.listing);
    EXPECT_EQ(f.ctl("Image1", 0).visible(), s.picture);
  }
  EXPECT_EQ(engine().Example_opened, kFlagTrue);
  EXPECT_EQ(engine().Example_loaded, kFlagFalse);
  // After unloading every memory and register grid refuses the user.
  EXPECT_FALSE(f.ctl("Nadrel3").enabled());
  EXPECT_FALSE(f.ctl("Nadrel4", 1).enabled());
  EXPECT_FALSE(plat::loaded_form("MNetaEM")->ctl("Nadrel3", 0).enabled());
  EXPECT_FALSE(plat::loaded_form("MNetaEM")->ctl("Nadrel1").enabled());
  // "Adib" is back on the process-unit view once the example is open; a view
  // by its button checks the same single View item as by its menu.
  EXPECT_TRUE(f.ctl("CommandAdib", 1).visible());
  f.click("CommandAdib", 1);
  EXPECT_TRUE(checked("Ikusi3"));
  EXPECT_FALSE(checked("Ikusi1") || checked("Ikusi2"));
}

TEST_F(NagusiaTest, ProcessUnitViewLightsTheLampsOfBoldSignalsOnly) {
  Nagusia& f = main_window();
  f.ctl("Label5", 13).set_font_bold(true);  // LD_IR1
  f.ctl("Label5", 1).set_font_bold(true);   // hMH0
  f.ctl("Label5", 2).set_font_bold(true);   // hD
  f.ctl("ksUP", 15).set_visible(true);      // a lamp left lit stays lit
  f.fire(f.ctl("Ikusi1", 3), plat::Event::Click);
  for (int i = 0; i <= 16; ++i)
    EXPECT_EQ(f.ctl("ksUP", i).visible(), i == 8 || i == 4 || i == 0 || i == 1 || i == 15) << i;
  f.fire(f.ctl("Ikusi3", 3), plat::Event::Click);
  for (int i = 0; i <= 16; ++i) EXPECT_FALSE(f.ctl("ksUP", i).visible()) << i;
}

TEST_F(NagusiaTest, ControlUnitDrawingHasItsIdleLook) {
  constexpr int B = 0x000000, S = 0xC0C0C0, L = 0xE0E0E0, W = 0xFFFFFF, U = 0xFF0000;
  const struct {
    const char* name;
    int index;
    plat::Box box;
    const char* caption;
    int back, fore;
    bool visible, bold;
    double size;
  } labels[] = {
      {"Label9", 0, {360, 4200, 375, 255}, "clk1", L, B, true, false, 8.25},
      {"Label9", 1, {3720, 2280, 375, 255}, "clk2", L, B, true, false, 8.25},
      {"Label3", 12, {720, 2160, 495, 255}, "uPC", L, B, true, true, 8.25},
      {"Label1", 4, {960, 2520, 1095, 375}, "Kontagailua", S, B, true, true, 8.25},
      {"Label3", 13, {1920, 2760, 255, 255}, " LD", S, B, true, false, 8.25},
      {"Label3", 15, {1800, 3720, 375, 255}, " DAT", S, B, true, false, 8.25},
      {"Label10", 1, {1080, 2880, 615, 255}, "11111", S, W, false, true, 9.75},
      {"kont", 1, {0, 2520, 615, 255}, "XXXXX", L, U, false, true, 8.25},
      {"Label1", 0, {1560, 480, 975, 375}, "KONTROL MEMORIA", S, B, true, true, 8.25},
      {"Label1", 1, {1680, 1680, 495, 255}, " ROM", S, B, true, true, 8.25},
      {"Label12", -1, {240, 960, 3375, 255}, "XXXXXXXXXXXXXXXXXXXXXXXXX", S, W, false, true, 9.75},
      {"Label2", 15, {3600, 1200, 255, 255}, "25", L, B, true, false, 8.25},
      {"kont", 0, {3480, 1320, 3015, 255}, "XXXXXXXXXXXXXXXXXXXXXXXXX", L, U, false, true, 8.25},
      {"Label3", 2, {9000, 1440, 375, 255}, " uIR", L, B, true, true, 8.25},
      {"Label3", 8, {6240, 1800, 735, 255}, "jauzi_eg", S, B, true, true, 8.25},
      {"Label10", 4, {7200, 2040, 2295, 255}, "XXXXXXXXXXXXXXXXX", S, W, false, true, 9.75},
      {"Label2", 6, {4440, 2760, 375, 255}, "mux", S, B, true, true, 8.25},
      {"Label2", 12, {4800, 3120, 135, 255}, "3", L, B, true, false, 8.25},
      {"Label2", 4, {5160, 2880, 135, 255}, "Z", L, B, true, false, 8.25},
      {"kont", 4, {2760, 3720, 615, 255}, "XXXXX", L, U, false, true, 8.25},
      {"Label1", 3, {7320, 3840, 735, 375}, "Itzulpen   taula", S, B, true, true, 8.25},
      {"Label2", 11, {9120, 3960, 255, 255}, "EK", L, B, true, true, 8.25},
      {"Label10", 5, {7320, 4320, 735, 255}, "XXXXX", S, W, false, true, 9.75},
      {"Label2", 20, {8520, 2520, 255, 255}, "17", L, B, true, false, 8.25},
      {"Label2", 13, {8280, 2880, 495, 255}, "PUra", L, B, true, true, 8.25},
  };
  Nagusia& f = main_window();
  for (auto& e : labels) {
    SCOPED_TRACE(std::string(e.name) + "(" + std::to_string(e.index) + ")");
    plat::Control& c = f.ctl(e.name, e.index);
    EXPECT_EQ(c.kind(), plat::Kind::Label);
    EXPECT_EQ(c.container()->name(), "FrameKU");
    EXPECT_EQ(c.left(), e.box.left);
    EXPECT_EQ(c.top(), e.box.top);
    EXPECT_EQ(c.width(), e.box.width);
    EXPECT_EQ(c.height(), e.box.height);
    EXPECT_EQ(c.caption(), e.caption);
    EXPECT_EQ(c.back_color(), uint32_t(e.back));
    EXPECT_EQ(c.fore_color(), uint32_t(e.fore));
    EXPECT_EQ(c.visible(), e.visible);
    EXPECT_EQ(c.font_bold(), e.bold);
    EXPECT_DOUBLE_EQ(c.get("FontSize").to_double(), e.size);
  }
  const struct {
    const char* name;
    int index;
    plat::Box box;
    int back;  // -1: an outline
    bool visible;
  } shapes[] = {
      {"Shape4", -1, {720, 2400, 1575, 1695}, S, true},    {"Shape1", 0, {1200, 360, 1575, 1695}, S, true},
      {"Shape2", 2, {7080, 1680, 2535, 495}, S, true},     {"Shape1", 2, {7080, 3720, 1215, 735}, S, true},
      {"Shape7", 1, {960, 2880, 855, 255}, -1, false},     {"Shape9", -1, {240, 960, 3375, 255}, -1, false},
      {"Shape11", 1, {7320, 4320, 735, 255}, -1, false},   {"Shape6", 4, {3120, 3240, 135, 255}, L, true},
  };
  for (auto& e : shapes) {
    SCOPED_TRACE(std::string(e.name) + "(" + std::to_string(e.index) + ")");
    plat::Control& c = f.ctl(e.name, e.index);
    EXPECT_EQ(c.kind(), plat::Kind::Shape);
    EXPECT_EQ(c.left(), e.box.left);
    EXPECT_EQ(c.top(), e.box.top);
    EXPECT_EQ(c.width(), e.box.width);
    EXPECT_EQ(c.height(), e.box.height);
    EXPECT_EQ(c.border_color(), 0u);
    EXPECT_EQ(c.border_width(), 1);
    EXPECT_EQ(c.get("BackStyle").to_int(), e.back < 0 ? 0 : 1);
    if (e.back >= 0) {
      EXPECT_EQ(c.back_color(), uint32_t(e.back));
    }
    EXPECT_EQ(c.visible(), e.visible);
  }
  // Wires: the clock wires black and thin, every other one grey and 3 wide,
  // arrowheads with the look of their wire.
  for (int i : f.indices("Line1")) {
    const bool clk = i == 21 || i == 22 || i == 25 || i == 26;
    EXPECT_EQ(f.ctl("Line1", i).border_color(), clk ? 0u : 0xC0C0C0u) << i;
    EXPECT_EQ(f.ctl("Line1", i).border_width(), clk ? 1 : 3) << i;
  }
  EXPECT_EQ(f.indices("Line1"), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 19, 21,
                                                  22, 23, 24, 25, 26}));
  EXPECT_EQ(f.indices("Line57"), (std::vector<int>{0, 1, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}));
  EXPECT_EQ(f.indices("Line37"), (std::vector<int>{0, 1, 3, 4, 5, 6, 7, 9}));
  const struct {
    std::vector<int> wire;
    int arrow;
  } chains[] = {{{25, 26}, 17}, {{21, 22}, 14}, {{23}, 15}, {{1, 2, 3}, 1}, {{0, 4}, 2}, {{14}, 8}, {{13}, 7},
                {{12}, 9},      {{5}, 6},       {{7}, 4},   {{10}, 5},     {{19, 18}, 13}, {{11}, 12},
                {{16}, 11},     {{6}, 10},      {{15}, 0},  {{24}, 16}};
  for (auto& ch : chains) {
    SCOPED_TRACE("arrowhead " + std::to_string(ch.arrow));
    for (size_t s = 1; s < ch.wire.size(); ++s) {  // the segments join up
      plat::Control& a = f.ctl("Line1", ch.wire[s - 1]);
      plat::Control& b = f.ctl("Line1", ch.wire[s]);
      EXPECT_EQ(a.get("X2"), b.get("X1"));
      EXPECT_EQ(a.get("Y2"), b.get("Y1"));
    }
    plat::Control& last = f.ctl("Line1", ch.wire.back());
    for (const char* head : {"Line57", "Line58"}) {
      plat::Control& h = f.ctl(head, ch.arrow);
      EXPECT_EQ(h.get("X2"), last.get("X2"));
      EXPECT_EQ(h.get("Y2"), last.get("Y2"));
      EXPECT_EQ(std::abs(h.get("X2").to_int() - h.get("X1").to_int()), 120);
      EXPECT_EQ(std::abs(h.get("Y2").to_int() - h.get("Y1").to_int()), 120);
      EXPECT_EQ(h.border_color(), last.border_color());
      EXPECT_EQ(h.border_width(), last.border_width());
    }
  }
  // Buttons.
  plat::Control& reset = f.ctl("Command1");
  EXPECT_EQ(reset.caption(), "RESET");
  EXPECT_TRUE(reset.visible());
  EXPECT_FALSE(reset.enabled());
  EXPECT_EQ(reset.get("ToolTipText").to_string(), "Simulazioa abiarazi");
  for (int i : {0, 1}) {
    plat::Control& b = f.ctl("Command3", i);
    EXPECT_FALSE(b.visible());
    EXPECT_FALSE(b.enabled());
    EXPECT_EQ(b.get("Style").to_int(), 1);
    EXPECT_EQ(b.get("MousePointer").to_int(), 10);
  }
  EXPECT_EQ(f.ctl("Command3", 0).back_color(), 0xFFC0FFu);
  EXPECT_EQ(f.ctl("Command3", 1).back_color(), 0xC0FFFFu);
  // The four grids are hosted by class name.
  for (auto [name, index] : {std::pair{"NadrelMikro", -1}, {"Nadrel1", -1}, {"Nadrel4", 1}, {"Nadrel3", -1}}) {
    plat::Control& g = f.ctl(name, index);
    EXPECT_EQ(g.kind(), plat::Kind::Hosted);
    EXPECT_EQ(g.get("ClassName").to_string(), "NadrelControl.Nadrel");
  }
  EXPECT_FALSE(f.ctl("Nadrel4", 1).visible());
}

TEST_F(NagusiaTest, ExitDuringARunEndsEveryWaitAndKeepsTheWindow) {
  for (const char* how : {"close", "menu"}) {
    SCOPED_TRACE(how);
    Nagusia& f = main_window();
    f.Show();
    f.Bereizmena_aldatua = kFlagTrue;
    bool touched_after = false;
    // A long handler, as a run is: it waits on the engine's clock until the end.
    f.on("Simulazioa1", plat::Event::Click, [&](plat::EventArgs&) {
      engine().Instruction_running = kFlagTrue;
      for (int i = 0; i < 600 && !engine().Simulation_ended; ++i) Wait_seconds(1.0);
      // The run unwinds onto the same window.
      touched_after = plat::loaded_form("Nagusia") == &f;
      f.ctl("Label10", 1).set_caption("00000");
    });
    const int64_t start = clock.now_ms();
    clock.after(3500, [&] {
      if (std::string(how) == "close")
        f.window()->close();
      else
        f.ctl("Artxibo15", 1).action()->trigger();
    });
    f.ctl("Simulazioa1", 5).action()->trigger();
    EXPECT_TRUE(plat::ending());
    EXPECT_LE(clock.now_ms() - start, 3500);
    EXPECT_TRUE(touched_after);
    EXPECT_EQ(f.Bereizmena_aldatua, 0);
    EXPECT_EQ(&main_window(), &f);
    SimulatorTest::TearDown();
  }
}

TEST_F(NagusiaTest, ExitShortcutIsIgnoredWhileTheWindowIsDisabled) {
  Nagusia& f = main_window();
  f.Show();
  QAction* exit = f.ctl("Artxibo15", 1).action();
  EXPECT_EQ(exit->shortcut(), QKeySequence(Qt::Key_Delete));
  f.set_enabled(false);
  exit->trigger();
  EXPECT_FALSE(plat::ending());
  f.set_enabled(true);
  exit->trigger();
  EXPECT_TRUE(plat::ending());
}

// The example view's two memory strips: every word of their texts stands
// inside one cell, between two separators, in the font the strips are drawn in.
TEST_F(NagusiaTest, MemoryStripTextsStandInsideTheirCells) {
  Nagusia& f = main_window();
  for (int strip : {1, 0}) {
    const plat::Control& text = f.ctl("Label8", strip);
    const double top = text.get("Top").to_double();
    std::vector<double> separators;
    for (int i : f.indices("LineMN")) {
      const plat::Control& l = f.ctl("LineMN", i);
      if (l.get("X1") == l.get("X2") && l.get("Y1").to_double() == top && l.get("Y2").to_double() == top + 240)
        separators.push_back(l.get("X1").to_double() / 15);
    }
    ASSERT_EQ(separators.size(), 19u);
    std::sort(separators.begin(), separators.end());
    const std::vector<CaptionRun> runs = caption_runs(text);
    EXPECT_EQ(runs.size(), 18u);
    for (const CaptionRun& r : runs) {
      const auto next = std::upper_bound(separators.begin(), separators.end(), r.left);
      ASSERT_NE(next, separators.begin()) << r.text.toStdString();
      ASSERT_NE(next, separators.end()) << r.text.toStdString();
      EXPECT_GT(r.left, *(next - 1)) << "strip " << strip << ": " << r.text.toStdString();
      EXPECT_LE(r.right, *next) << "strip " << strip << ": " << r.text.toStdString() << " from " << r.left;
    }
  }
}

// The control word and its fields, each framed by an outline on its own box,
// stand centred and clear of the outline whatever the control memory holds.
TEST_F(NagusiaTest, ControlWordValuesStandClearOfTheirOutlines) {
  load_tables();
  Nagusia& f = main_window();
  struct Value {
    plat::Control& label;
    size_t from, count;  // the part of the control word it shows
  };
  const Value values[] = {{f.ctl("Label12"), 0, 25},   {f.ctl("Label10", 0), 0, 2}, {f.ctl("Label10", 2), 2, 1},
                          {f.ctl("Label10", 3), 3, 5}, {f.ctl("Label10", 4), 8, 17}};
  auto fits = [](const plat::Control& l, const std::string& text) {
    const QFontMetricsF fm(plat::make_font(l.get("FontName").to_string(), l.get("FontSize").to_double(),
                                           l.get("FontBold").to_bool()));
    return l.get("Alignment").to_int() == 2 &&
           fm.horizontalAdvance(QString::fromStdString(text)) <= l.get("Width").to_double() / 15 - 2;
  };
  for (int m = 0; m < 22; ++m)
    for (const Value& v : values) {
      const std::string text = Control_word(m).substr(v.from, v.count);
      EXPECT_TRUE(fits(v.label, text)) << v.label.name() << " " << text;
    }
  for (const char* address : {"00000", "11111"}) EXPECT_TRUE(fits(f.ctl("Label10", 5), address));
}

// Each lamp of the process-unit view lies on the unit its signal drives: the
// picture (tools/pu_picture) fills every unit with a colour of its own, and
// the lamp's box, just inside its edge, shows that colour all round.
TEST_F(NagusiaTest, ProcessUnitLampsLieOnTheUnitsTheirSignalsDrive) {
  constexpr QRgb kMuxBat = 0xFFE8C8, kMuxPC = 0xFFE8C9, kPC = 0xD4E6FF, kPCi = 0xD4E6FE, kMuxM = 0xFFE8CA,
                 kMem = 0xFFF0C0, kIr1 = 0xD4F4D4, kIr2 = 0xD4F4D5, kMuxData = 0xFFE8CB, kMuxRead = 0xFFE8CC,
                 kEM = 0xFFDCDC, kE1 = 0xD4E6FD, kE2 = 0xD4E6FC, kMuxUal = 0xFFE8CD, kUal = 0xD4E6FB;
  const QRgb unit_of_lamp[17] = {kMuxBat, kMuxPC, kPC,      kPCi,     kMuxM, kMem,    kMem,    kMem, kIr1,
                                 kIr2,    kE1,    kMuxData, kMuxRead, kEM,   kMuxUal, kUal, kE2};
  Nagusia& f = main_window();
  const plat::Control& image = f.ctl("Image1", 0);
  const QImage pic = plat::picture(image.get("Picture").to_string()).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(pic.size(), QSize(300, 250));
  auto px = [](const plat::Control& c, const char* p) { return int(c.get(p).to_int() / 15); };
  for (int i = 0; i <= 16; ++i) {
    const plat::Control& lamp = f.ctl("ksUP", i);
    ASSERT_EQ(lamp.container(), image.container());
    const int x = px(lamp, "Left") - px(image, "Left"), y = px(lamp, "Top") - px(image, "Top");
    const int r = x + px(lamp, "Width") - 1, b = y + px(lamp, "Height") - 1;
    for (const QPoint p : {QPoint(x + 1, y + 1), QPoint(r - 1, y + 1), QPoint(x + 1, b - 1), QPoint(r - 1, b - 1)})
      EXPECT_EQ(pic.pixel(p) & 0xFFFFFF, unit_of_lamp[i]) << "ksUP(" << i << ") at " << p.x() << "," << p.y();
  }
}

// The picture of the main window after load, at its design size, for docs/.
TEST_F(NagusiaTest, RendersTheMainWindow) {
  Nagusia& f = main_window();
  const QImage img = plat::render_form(f);
  ASSERT_FALSE(img.isNull());
  EXPECT_GE(img.width(), 1016);
  EXPECT_TRUE(plat::save_form_png(f, BRENDALO_SOURCE_DIR "/docs/main_window.png"));
}

}  // namespace
