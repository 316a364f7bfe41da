// The data change of a word of A or B, the register view, the options
// dialog and the information windows, and their pictures.
#include <QAction>
#include <QTest>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include "testing/caption_runs.h"
#include "testing/simulator_test.h"

#include <string>

#include "gridcontrol/nadrel_ids.h"
#include "platform/browser/browser.h"
#include "platform/comctl/comctl.h"
#include "platform/forms/form.h"
#include "platform/forms/render.h"
#include "platform/forms/services.h"
#include "platform/forms/virtual_services.h"
#include "simulator/dialogs/birprogramatumikroagindua.h"
#include "simulator/dialogs/datuenaldaketa.h"
#include "simulator/dialogs/datuenaldaketarakopausoa.h"
#include "simulator/dialogs/emkoerrenkada.h"
#include "simulator/dialogs/galdera.h"
#include "simulator/dialogs/konfiguratusim.h"
#include "simulator/dialogs/laguntza_edukia.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/dialogs/simuladoreariburuz.h"
#include "simulator/dialogs/ualeragiketak.h"
#include "simulator/engine/conversions.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/example_listing.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {
namespace {

class SecondaryWindows : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    Load_main_memory_data();
    Reset_register_file_text();
    Show_main_memory_main();
    Show_main_memory_window();
    engine().Example_loaded = kFlagTrue;
    Fill_example_program_grid();
    Fill_example_program_memory_window();
  }
  void TearDown() override {
    plat::unload_all_forms();
    QApplication::processEvents();
    plat::reset_program_end();
    plat::set_program_folder("");
    engine() = EngineState{};
    machine() = MachineTables{};
    Came_from_memory_view = kFlagFalse;
  }
  static Datuenaldaketa& choose(const char* vector, const char* component) {
    Datuenaldaketarakopausoa& s = plat::form<Datuenaldaketarakopausoa>();
    s.ctl("Combo1").set_text(vector);
    s.ctl("Combo2").set_text(component);
    s.click("Command3", 0);
    return plat::form<Datuenaldaketa>();
  }
  static std::string boxes(Datuenaldaketa& d) {
    std::string s;
    for (int j = 0; j < 16; ++j) s += d.ctl("Text1", j).text();
    return s;
  }
  static std::string bits_of(int word) {
    std::string s;
    for (int j = 0; j < 16; ++j) s += machine().Main_memory_bits[size_t(word)][size_t(j)] ? "1" : "0";
    return s;
  }
  plat::VirtualServices clock;
};

TEST_F(SecondaryWindows, TheStepDialogOpensTheEditorOnTheWordChosen) {
  struct Case {
    const char* vector;
    const char* component;
    int row;
    const char* label;
  };
  for (const Case& c : {Case{"A", "0", 1, "A(0)"}, Case{"B", "15", 32, "B(15)"}, Case{"B", "3", 20, "B(3)"}}) {
    SCOPED_TRACE(c.label);
    Datuenaldaketa& d = choose(c.vector, c.component);
    EXPECT_EQ(plat::loaded_form(Datuenaldaketarakopausoa::kName), nullptr);
    EXPECT_EQ(Selected_memory_row, c.row);
    EXPECT_EQ(d.ctl("Label2").caption(), c.label);
    EXPECT_EQ(boxes(d), bits_of(c.row - 1));
    EXPECT_TRUE(d.visible());
    EXPECT_TRUE(plat::form<Nagusia>().enabled());
    plat::unload_form(Datuenaldaketa::kName);
  }
  for (const auto& [vector, component] : {std::pair{"A", ""}, {"", "3"}, {"C", "3"}, {"A", "16"}, {"B", "x"}}) {
    clock.messages.clear();
    Datuenaldaketarakopausoa& s = plat::form<Datuenaldaketarakopausoa>();
    s.ctl("Combo1").set_text(vector);
    s.ctl("Combo2").set_text(component);
    s.click("Command3", 0);
    ASSERT_EQ(clock.messages.size(), 1u) << vector << component;
    EXPECT_EQ(clock.messages[0].text, "Bektore bat eta osagai bat aukeratu behar dituzu");
    EXPECT_EQ(clock.messages[0].title, "Datuak aldatzen memoria nagusitik");
    EXPECT_EQ(clock.messages[0].style, plat::vbExclamation);
    EXPECT_EQ(s.ctl("Combo1").text(), vector);
    EXPECT_EQ(plat::loaded_form(Datuenaldaketa::kName), nullptr);
  }
}

TEST_F(SecondaryWindows, AcceptingStoresTheBitsAndTheTextAndListsBothGrids) {
  struct Case {
    int component;
    const char* vector;
    const char* set;  // per box: '0', '1' or '.' (left as it is)
    const char* text;
  };
  const Case cases[] = {
      {4, "A", "1...............", nullptr},
      {9, "B", "1111111111111111", "     1111   1111   1111   1111"},
      {0, "A", "0000000000000010", "     0000   0000   0000   0010"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    Datuenaldaketa& d = choose(c.vector, std::to_string(c.component).c_str());
    const int word = Selected_memory_row - 1;
    std::string expected = boxes(d);
    for (int j = 0; j < 16; ++j) {
      if (c.set[j] == '.') continue;
      d.click(c.set[j] == '0' ? "Command1" : "Command2", j);
      expected[size_t(j)] = c.set[j];
    }
    d.click("Command3", 0);
    EXPECT_EQ(plat::loaded_form(Datuenaldaketa::kName), nullptr);
    EXPECT_EQ(bits_of(word), expected);
    EXPECT_EQ(machine().Main_memory_bits[size_t(word)][16], 0);
    const std::string& text = machine().Main_memory_text[size_t(word)];
    if (c.text) {
      EXPECT_EQ(text, c.text);
    }
    EXPECT_EQ(text.size(), 30u);
    EXPECT_EQ(text[5], expected[0]);
    EXPECT_EQ(Nagusia_Nadrel3().TextMatrix(word + 1, 2), text);
    EXPECT_EQ(MNetaEM_Nadrel3().TextMatrix(word + 1, 2), "      " + text);
  }
}

TEST_F(SecondaryWindows, CancellingOrClosingStoresNothingAndReturnsToTheOpener) {
  const MachineTables before = machine();
  MNetaEM& m = plat::form<MNetaEM>();
  Came_from_memory_view = kFlagTrue;
  Open_data_change(&m, 3, "A(2)");
  EXPECT_FALSE(m.enabled());
  plat::form<Datuenaldaketa>().click("Command2", 0);
  plat::form<Datuenaldaketa>().click("Command3", 1);
  EXPECT_TRUE(machine() == before);
  EXPECT_TRUE(m.enabled());
  EXPECT_FALSE(Came_from_memory_view);
  Open_data_change(&plat::form<Nagusia>(), 3, "A(2)");
  plat::form<Datuenaldaketa>().click("Command1", 0);
  plat::unload_form(Datuenaldaketa::kName);  // the close box
  EXPECT_TRUE(machine() == before);
  EXPECT_TRUE(plat::form<Nagusia>().enabled());
  // The register view from the memory window returns there.
  Came_from_memory_view = kFlagTrue;
  Show_register_row(m, 5);
  EXPECT_FALSE(m.enabled());
  EXPECT_EQ(plat::form<EMkoerrenkada>().ctl("Label2", 0).caption(), machine().Register_file_text[4][0]);
  plat::form<EMkoerrenkada>().click("Onartu");
  EXPECT_EQ(plat::loaded_form(EMkoerrenkada::kName), nullptr);
  EXPECT_TRUE(m.enabled());
  EXPECT_FALSE(Came_from_memory_view);
}

struct OptionsCase {
  const char* period;
  int option;  // Option1 index
  bool z;
  bool fast, slow;
  const char* mode_item;
  bool clk1, clk2;
};

TEST_F(SecondaryWindows, TheOptionsStorePeriodModeAndZ) {
  const OptionsCase cases[] = {
      {"3", 7, false, true, false, "Simulazioa5_2", true, false},
      {"20", 6, true, false, true, "Simulazioa5_3", true, true},
      {"59", 8, false, false, false, "Simulazioa5_1", false, false},
  };
  Nagusia& n = plat::form<Nagusia>();
  for (const OptionsCase& c : cases) {
    SCOPED_TRACE(c.period);
    KonfiguratuSIM& o = plat::form<KonfiguratuSIM>();
    EXPECT_EQ(o.ctl("Combo1", 0).items().size(), 57u);
    o.ctl("Combo1", 0).set_text(c.period);
    o.ctl("Option1", c.option).set_value(true);
    o.ctl("Check2").set_value(c.z ? 1 : 0);
    o.click("Command1");
    EXPECT_EQ(plat::loaded_form(KonfiguratuSIM::kName), nullptr);
    const EngineState& e = engine();
    EXPECT_EQ(e.Clk1_period_text, c.period);
    EXPECT_DOUBLE_EQ(e.Phase_delay, (std::stoi(c.period) - 1) / 14.0);
    for (StatusWindow w : kStatusOrder)
      EXPECT_EQ(plat::panel_text(Status_window(w).ctl("StatusBar1"), 5), std::string(c.period) + "''");
    EXPECT_EQ(n.ctl("Simulazioa6", 5).get("Checked").to_bool(), c.fast);
    EXPECT_EQ(n.ctl("Simulazioa7", 5).get("Checked").to_bool(), c.slow);
    for (const char* item : {"Simulazioa5_1", "Simulazioa5_2", "Simulazioa5_3"})
      EXPECT_EQ(n.ctl(item, 4).get("Checked").to_bool(), std::string(item) == c.mode_item) << item;
    EXPECT_EQ(e.Mode_continuous, c.option == 8);
    EXPECT_EQ(e.Mode_cycle_by_cycle, c.option == 7);
    EXPECT_EQ(e.Mode_step_by_step != 0, c.option == 6);
    EXPECT_EQ(e.Report_z_value != 0, c.z);
    EXPECT_EQ(n.ctl("Command3", 0).visible(), c.clk1);
    EXPECT_EQ(n.ctl("Command3", 1).visible(), c.clk2);
    // The next opening shows what is in use.
    KonfiguratuSIM& again = plat::form<KonfiguratuSIM>();
    EXPECT_EQ(again.ctl("Combo1", 0).text(), c.period);
    EXPECT_TRUE(again.ctl("Option1", c.option).value());
    EXPECT_EQ(again.ctl("Check2").value(), c.z ? 1 : 0);
  }
}

TEST_F(SecondaryWindows, OptionsClosedWithoutOkOrWithAnUnlistedPeriodChangeNothing) {
  plat::form<Nagusia>();
  const EngineState before = engine();
  KonfiguratuSIM& o = plat::form<KonfiguratuSIM>();
  o.ctl("Combo1", 0).set_text("2");
  o.click("Command1");
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].style, plat::vbExclamation);
  EXPECT_TRUE(engine() == before);
  o.ctl("Combo1", 0).set_text("30");
  o.ctl("Check2").set_value(1);
  plat::unload_form(KonfiguratuSIM::kName);
  EXPECT_TRUE(engine() == before);
  EXPECT_EQ(plat::form<KonfiguratuSIM>().ctl("Combo1", 0).text(), before.Clk1_period_text);
}

TEST_F(SecondaryWindows, TheAboutBoxAndTheAluTableShowTheirTexts) {
  Simuladoreariburuz& a = plat::form<Simuladoreariburuz>();
  EXPECT_EQ(a.caption(), "Simuladoreari buruz");
  EXPECT_EQ(a.ctl("Label1").caption(), "     ZELT MAKINAKO KONTROL UNITATE MIKROPROGRAMATUAREN SIMULADOREA");
  EXPECT_EQ(a.ctl("Label3", 0).caption(), "2.0 Bertsioa");
  EXPECT_EQ(a.ctl("Label3", 1).caption(), "2005/2006");
  a.click("Command1");
  EXPECT_EQ(plat::loaded_form(Simuladoreariburuz::kName), nullptr);

  UALeragiketak& u = plat::form<UALeragiketak>();
  EXPECT_EQ(u.indices("Text1").size(), 28u);
  EXPECT_EQ(u.ctl("Text1", 0).text(), " UAL_kod");
  EXPECT_EQ(u.ctl("Text1", 1).text(), " Eragiketa");
  EXPECT_EQ(u.ctl("Text1", 2).text(), "    0000");
  EXPECT_EQ(u.ctl("Text1", 3).text(), "    A + B");
  EXPECT_EQ(u.ctl("Text1", 25).text(), "    <-- A ");
  EXPECT_EQ(u.ctl("Text1", 26).text(), "    1100");
  EXPECT_EQ(u.ctl("Text1", 27).text(), "     --> A");
  EXPECT_EQ(u.ctl("Text1", 9).back_color(), 0xC0C0C0u);
}

// The help window shows the guide. Without it the user who opens the window
// is told so, each time; loads of the hidden window by status-bar writes tell
// no one.
TEST_F(SecondaryWindows, TheHelpWindowShowsTheGuideOrSaysWhyNotWhenOpened) {
  Nagusia& m = plat::form<Nagusia>();
  m.ctl("Laguntza1", 9).action()->trigger();  // "Edukia"
  Laguntza_edukia& h = plat::form<Laguntza_edukia>();
  EXPECT_TRUE(h.visible());
  EXPECT_TRUE(clock.messages.empty());
  EXPECT_EQ(h.window_state(), 2);
  EXPECT_EQ(h.mouse_pointer(), 0);
  EXPECT_EQ(plat::location(h.ctl("WebBrowser1")), plat::program_folder() + "/ErabiltzaileGida.htm");
  EXPECT_NE(plat::document_text(h.ctl("WebBrowser1")).find("Erabiltzailearen gida"), std::string::npos);
  EXPECT_NE(h.find("StatusBar1"), nullptr);
  h.window()->close();
  QApplication::processEvents();
  ASSERT_FALSE(plat::is_loaded<Laguntza_edukia>());

  QTemporaryDir empty;
  plat::set_program_folder(empty.path().toStdString());
  // The options' OK and a speed preset write the status bars, which loads
  // the closed help window again, hidden.
  m.ctl("Aukerak1", 7).action()->trigger();
  plat::form<KonfiguratuSIM>().click("Command1");
  m.ctl("Simulazioa6", 5).action()->trigger();
  ASSERT_TRUE(plat::is_loaded<Laguntza_edukia>());
  EXPECT_FALSE(plat::form<Laguntza_edukia>().visible());
  EXPECT_TRUE(clock.messages.empty());

  const std::string text = "Ezin da laguntza bistaratu. Ziurtatu 'ErabiltzaileGida.htm' fitxategia eta bere karpeta guztiak " +
                           empty.path().toStdString() + "-en daudela.";
  for (bool by_menu : {true, false}) {
    SCOPED_TRACE(by_menu ? "menu" : "toolbar");
    clock.messages.clear();
    if (by_menu)
      m.ctl("Laguntza1", 9).action()->trigger();
    else
      plat::press_toolbar_button(m.ctl("Toolbar1"), 8);  // "Galdera"
    ASSERT_EQ(clock.messages.size(), 1u);
    EXPECT_EQ(clock.messages[0].text, text);
    EXPECT_EQ(clock.messages[0].style, plat::vbOKOnly);
    EXPECT_EQ(clock.messages[0].title, "");
    Laguntza_edukia& missing = plat::form<Laguntza_edukia>();
    EXPECT_TRUE(missing.visible());
    EXPECT_EQ(missing.window_state(), 2);
    EXPECT_EQ(plat::document_text(missing.ctl("WebBrowser1")), "");
    EXPECT_EQ(missing.mouse_pointer(), 0);
    missing.window()->close();
    QApplication::processEvents();
  }
}

// The ruler under the sixteen bit boxes: each number stands under the
// buttons and the box of its bit (box j is bit 15 - j), measured in the font
// the ruler is drawn in.
TEST_F(SecondaryWindows, TheBitRulerNumbersStandUnderTheirBits) {
  Datuenaldaketa& d = plat::form<Datuenaldaketa>();
  const plat::Control& ruler = d.ctl("Label1", 0);
  const std::vector<CaptionRun> runs = caption_runs(ruler);
  ASSERT_EQ(runs.size(), 16u);
  EXPECT_LE(runs.back().right, (ruler.get("Left").to_double() + ruler.get("Width").to_double()) / 15);
  for (int j = 0; j < 16; ++j) {
    const CaptionRun& r = runs[size_t(j)];
    EXPECT_EQ(r.text.toInt(), 15 - j);
    for (const char* column : {"Command1", "Text1", "Command2"}) {
      const plat::Control& c = d.ctl(column, j);
      const double left = c.get("Left").to_double() / 15, right = left + c.get("Width").to_double() / 15;
      EXPECT_GE(r.left, left) << column << "(" << j << ") bit " << r.text.toStdString();
      EXPECT_LE(r.right, right) << column << "(" << j << ") bit " << r.text.toStdString();
    }
  }
}

// The register view shows a register's value whole, as the example writes
// it (nine blanks and the digits), in the font the label is drawn in; a key
// on the memory window's register grid opens it.
TEST_F(SecondaryWindows, TheRegisterViewShowsTheWholeValue) {
  plat::unload_form(MNetaEM::kName);  // loaded again with the example in memory: its grids take keys
  QApplication::processEvents();
  MNetaEM& m = plat::form<MNetaEM>();
  ASSERT_TRUE(m.ctl("Nadrel1").enabled());
  for (int value : {0, 22, 9999, -32768}) {
    SCOPED_TRACE(value);
    const std::string decimal = std::string(9, ' ') + std::to_string(value);
    machine().Register_file_text[5][1] = decimal;
    machine().Register_file_text[5][2] = "  " + Integer_to_binary_word(value);
    Grid g = MNetaEM_Nadrel1();
    g.object().let(nadrel::dispid::Row, {6});
    g.object().let(nadrel::dispid::Col, {2});
    QWidget* cells = m.ctl("Nadrel1").widget()->findChild<QWidget*>("picGrid");
    ASSERT_NE(cells, nullptr);
    cells->setFocus();
    QTest::keyClick(cells, '1');
    ASSERT_TRUE(plat::is_loaded<EMkoerrenkada>());
    EMkoerrenkada& v = plat::form<EMkoerrenkada>();
    for (int i : {1, 2}) {
      const plat::Control& label = v.ctl("Label2", i);
      EXPECT_EQ(label.caption(), machine().Register_file_text[5][size_t(i)]);
      const std::vector<CaptionRun> runs = caption_runs(label);
      ASSERT_EQ(runs.size(), 1u) << i;
      const double right = (label.get("Left").to_double() + label.get("Width").to_double()) / 15;
      EXPECT_LE(runs[0].right, right) << "Label2(" << i << ") \"" << label.caption() << "\"";
    }
    EXPECT_EQ(caption_runs(v.ctl("Label2", 1))[0].text.toStdString(), std::to_string(value));
    v.click("Onartu");
    EXPECT_FALSE(plat::is_loaded<EMkoerrenkada>());
    EXPECT_TRUE(m.enabled());
  }
}

TEST_F(SecondaryWindows, Pictures) {
  Load_control_memory();
  Ask_reprogramming(nullptr, 8);
  plat::form<Galdera>().click("Command1", 0);
  Birprogramatumikroagindua& e = plat::form<Birprogramatumikroagindua>();
  e.click("Command2", 48);  // LD_PCi: two marks
  Datuenaldaketa& d = choose("B", "2");
  Show_register_row(plat::form<Nagusia>(), 3);
  struct Picture {
    plat::Form& form;
    const char* file;
  };
  const Picture pictures[] = {
      {e, "/docs/birprogramatumikroagindua.png"},
      {d, "/docs/datuenaldaketa.png"},
      {plat::form<Datuenaldaketarakopausoa>(), "/docs/datuenaldaketarakopausoa.png"},
      {plat::form<EMkoerrenkada>(), "/docs/emkoerrenkada.png"},
      {plat::form<KonfiguratuSIM>(), "/docs/konfiguratusim.png"},
      {plat::form<Simuladoreariburuz>(), "/docs/simuladoreariburuz.png"},
      {plat::form<UALeragiketak>(), "/docs/ualeragiketak.png"},
      {plat::form<Laguntza_edukia>(), "/docs/laguntza_edukia.png"},
  };
  for (const Picture& p : pictures)
    EXPECT_TRUE(plat::save_form_png(p.form, std::string(BRENDALO_SOURCE_DIR) + p.file)) << p.file;
  Ask_reprogramming(nullptr, 8);
  EXPECT_TRUE(plat::save_form_png(plat::form<Galdera>(), std::string(BRENDALO_SOURCE_DIR) + "/docs/galdera.png"));
}

}  // namespace
}  // namespace brendalo
