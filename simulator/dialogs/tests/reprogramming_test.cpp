// Reprogramming a microinstruction: the step dialog, the question, the
// editor's buttons and rules, and what an accepted change writes.
#include <QApplication>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <gtest/gtest.h>

#include "testing/simulator_test.h"

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/pictures.h"
#include "platform/forms/render.h"
#include "platform/forms/services.h"
#include "platform/forms/virtual_services.h"
#include "simulator/dialogs/birprogramatumikroagindua.h"
#include "simulator/dialogs/birprogramaziorakopausoa.h"
#include "simulator/dialogs/galdera.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/microinstruction_rules.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {
namespace {

Control_word_fields fields_of(const std::string& word) {
  Control_word_fields w;
  for (size_t i = 0; i < w.size(); ++i) w[i] = std::string(1, word[i]);
  return w;
}

std::string joined(const Control_word_fields& w) {
  std::string s;
  for (const auto& f : w) s += f;
  return s;
}

int field_named(const std::string& n) {
  for (size_t i = 0; i < kFieldNames.size(); ++i)
    if (n == kFieldNames[i]) return int(i);
  ADD_FAILURE() << n;
  return 0;
}

// "MCS=1 MOE=X" applied to a word.
Control_word_fields edited(Control_word_fields w, const std::string& edits) {
  std::istringstream in(edits);
  for (std::string e; in >> e;) w[size_t(field_named(e.substr(0, e.find('='))))] = e.substr(e.find('=') + 1);
  return w;
}

// Fields:        BK JT J4..J0 MCS MOE MWR hMH1 hMH0 IR1 IR2 EM hMD hH e1 e2 hB ual PC PCi hD
const char* kIdle = "00" "0" "XXXXX" "0" "X" "X" "X" "X" "0" "0" "0" "X" "X" "0" "0" "X" "0" "0" "0" "X";
const char* kRead = "00" "0" "XXXXX" "1" "1" "0" "0" "0" "0" "0" "0" "X" "X" "0" "0" "X" "0" "0" "0" "X";

struct RuleCase {
  const char* stored;
  const char* edits;
  std::vector<int> broken;
  const char* result;  // the word after the restores; nullptr: the edited word, kept
};

const RuleCase kRuleCases[] = {
    {kIdle, "LD_PC=1 hD=1", {}, nullptr},
    {kIdle, "MCS=1 MOE=X", {1}, kIdle},  // MCS back to 0: the rules of an active MCS say no more
    {kRead, "MOE=1 MWR=1", {2}, kRead},
    {kRead, "MOE=0 MWR=1", {}, nullptr},
    {kRead, "hMH1=1 hMH0=1", {3}, kRead},
    {kRead, "hMH1=X", {3}, kRead},
    {kIdle, "MWR=0", {4}, kIdle},
    {kIdle, "LD_EM=1", {5}, kIdle},
    {kIdle, "LD_EM=1 hMD=0 hH=1", {6, 7}, kIdle},  // rule 6 puts LD_EM back to 0: hMD must be X again
    {kIdle, "hMD=1", {7}, kIdle},
    {kIdle, "LD_e2=1", {8}, kIdle},
    {kIdle, "LD_ual=1", {9}, kIdle},
    {kIdle, "LD_ual=1 hB=0", {}, nullptr},
    {kIdle, "BK0=1", {10}, kIdle},  // then rule 11 sees BK1BK0 = 00 and the stored J
    {kIdle, "J0=0", {11}, kIdle},  // rule 15 sees the restored XXXXX
    {kIdle, "BK1=1", {12}, kIdle},
    {kIdle, "BK1=1 J4=0 J3=0 J2=0 J1=0 J0=0", {12}, kIdle},
    {kIdle, "BK1=1 J4=0 J3=0 J2=0 J1=0 J0=1", {}, nullptr},
    {kIdle, "BK1=1 BK0=1 J4=0 J3=0 J2=0 J1=0 J0=0", {}, nullptr},
    {kIdle, "BK1=1 BK0=1", {13}, kIdle},
    {kIdle, "BK1=1 J4=0 J3=X J2=0 J1=0 J0=0", {15}, "100XXXXX0XXXX000XX00X000X"},  // J back, BK1 kept
    {kRead, "hMH0=X MCS=0", {4}, kRead},  // MCS 0 needs X everywhere: rule 4, and 14 sees the stored pair
};

TEST(MicroinstructionRules, EachBrokenRuleRestoresItsFieldsAndTheNextRulesSeeThem) {
  for (const RuleCase& c : kRuleCases) {
    SCOPED_TRACE(std::string(c.stored) + " + " + c.edits);
    const Control_word_fields stored = fields_of(c.stored);
    Control_word_fields w = edited(stored, c.edits);
    std::vector<int> broken;
    const int16_t result =
        Check_microinstruction_rules(w, stored, [&](int rule, const std::string&) { broken.push_back(rule); });
    EXPECT_EQ(broken, c.broken);
    EXPECT_EQ(result, c.broken.empty() ? 0 : -1);
    EXPECT_EQ(joined(w), c.result ? c.result : joined(edited(stored, c.edits)));
  }
}

class Reprogramming : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    Load_microprogram_text();
    Load_control_memory();
    Show_microprogram_main();
    Show_microprogram_window();
    Show_control_memory_main();
    Show_control_memory_window();
  }
  // The editor for micro-address n, as the question's "&Bai" opens it.
  static Birprogramatumikroagindua& edit(int n) {
    Ask_reprogramming(nullptr, n + 1);
    plat::form<Galdera>().click("Command1", 0);
    return plat::form<Birprogramatumikroagindua>();
  }
  static std::string boxes(Birprogramatumikroagindua& e) {
    std::string s;
    for (int i = 0; i < kControlWordLength; ++i) s += e.ctl(Birprogramatumikroagindua::kField, i).text();
    return s;
  }
  static void press(Birprogramatumikroagindua& e, int field, const char* value) {
    for (const auto& b : Birprogramatumikroagindua::kButtons)
      if (b.field == field) {
        const int idx = value[0] == '0' ? b.zero : value[0] == '1' ? b.one : b.x;
        ASSERT_GE(idx, 0) << field << value;
        EXPECT_EQ(e.ctl("Command2", idx).caption(), value);
        e.click("Command2", idx);
        return;
      }
    FAIL() << field;
  }
  plat::VirtualServices clock;
};

TEST_F(Reprogramming, TheStepDialogAsksForAListedMicroAddressOnly) {
  for (const char* text : {"", "0", "2", "22", "abc"}) {
    clock.messages.clear();
    Birprogramaziorakopausoa& s = plat::form<Birprogramaziorakopausoa>();
    s.ctl("Combo1").set_text(text);
    s.click("Command3", 0);
    ASSERT_EQ(clock.messages.size(), 1u) << text;
    EXPECT_EQ(clock.messages[0].text, "Mikroagindua aukeratu behar duzu");
    EXPECT_EQ(clock.messages[0].style, plat::vbExclamation);
    EXPECT_EQ(clock.messages[0].title, "Birprogramazioa");
    EXPECT_EQ(plat::loaded_form(Galdera::kName), nullptr);
    EXPECT_TRUE(s.enabled());
  }
  Birprogramaziorakopausoa& s = plat::form<Birprogramaziorakopausoa>();
  ASSERT_EQ(s.ctl("Combo1").items().size(), 19u);
  EXPECT_EQ(s.ctl("Combo1").items().front(), "3");
  EXPECT_EQ(s.ctl("Combo1").items().back(), "21");
  s.ctl("Combo1").set_text("3");
  s.click("Command3", 0);
  EXPECT_EQ(plat::loaded_form(Birprogramaziorakopausoa::kName), nullptr);
  EXPECT_EQ(Selected_microinstruction_row, 4);
  EXPECT_EQ(plat::form<Galdera>().ctl("Label1").caption(), "3 mikroagindua birprogramatzea nahi?");
  EXPECT_TRUE(plat::form<Galdera>().visible());
}

TEST_F(Reprogramming, TheQuestionFillsTheEditorFromTheControlMemory) {
  Birprogramatumikroagindua& e = edit(5);
  EXPECT_EQ(plat::loaded_form(Galdera::kName), nullptr);
  EXPECT_TRUE(e.visible());
  EXPECT_EQ(e.window_state(), 2);
  EXPECT_EQ(boxes(e), Control_word(5));
  EXPECT_FALSE(e.ctl(Birprogramatumikroagindua::kField, 0).enabled());
  plat::unload_form(Birprogramatumikroagindua::kName);
  Ask_reprogramming(nullptr, 7);
  plat::form<Galdera>().click("Command1", 1);
  EXPECT_EQ(plat::loaded_form(Galdera::kName), nullptr);
  EXPECT_EQ(plat::loaded_form(Birprogramatumikroagindua::kName), nullptr);
}

// The editor keeps itself maximised: restored by the user, it reads its
// real state and maximises itself again.
TEST_F(Reprogramming, TheEditorRestoredByTheUserMaximisesItselfAgain) {
  Birprogramatumikroagindua& e = edit(5);
  ASSERT_TRUE(e.window()->isMaximized());
  e.window()->setWindowState(Qt::WindowNoState);  // as the window manager does it
  QApplication::processEvents();
  EXPECT_EQ(e.window_state(), 2);
  EXPECT_TRUE(e.window()->isMaximized());
}

TEST_F(Reprogramming, ASignalButtonShowsOnlyItsMarksAndTheSequencingButtonsLeaveThem) {
  Birprogramatumikroagindua& e = edit(4);
  auto shown = [&e] {
    std::vector<int> v;
    for (int i = 0; i <= 16; ++i)
      if (e.ctl("Shape1", i).visible()) v.push_back(i);
    return v;
  };
  press(e, field::LD_PCi, "1");
  EXPECT_EQ(shown(), (std::vector<int>{0, 12}));
  EXPECT_EQ(e.ctl(Birprogramatumikroagindua::kField, field::LD_PCi).text(), "1");
  press(e, field::J2, "X");
  EXPECT_EQ(shown(), (std::vector<int>{0, 12}));
  press(e, field::hMH0, "0");
  EXPECT_EQ(shown(), (std::vector<int>{9}));
  press(e, field::MCS, "1");
  EXPECT_EQ(shown(), (std::vector<int>{8}));
}

// The texts of a picture drawn with aliased lines and solid fills: a pixel
// of a colour that fills a 3 x 3 block somewhere, or of a colour that is
// everywhere (the lines' greys), is drawing; any other is a text's ink. Ink
// within 3 pixels across and 2 down is one text (a word with its underscore
// and the dots of its i's); names stacked 3 rows apart stay apart.
std::vector<QRect> picture_texts(const QImage& picture) {
  const QImage img = picture.convertToFormat(QImage::Format_RGB32);
  const int w = img.width(), h = img.height();
  std::map<QRgb, int> count;
  std::set<QRgb> drawing;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) ++count[img.pixel(x, y)];
  for (auto [c, n] : count)
    if (n >= 500) drawing.insert(c);
  for (int y = 1; y + 1 < h; ++y)
    for (int x = 1; x + 1 < w; ++x) {
      bool solid = true;
      for (int dy = -1; dy <= 1 && solid; ++dy)
        for (int dx = -1; dx <= 1 && solid; ++dx) solid = img.pixel(x + dx, y + dy) == img.pixel(x, y);
      if (solid) drawing.insert(img.pixel(x, y));
    }
  std::vector<char> seen(size_t(w * h), 0);
  const auto ink = [&](int x, int y) { return !drawing.count(img.pixel(x, y)); };
  std::vector<QRect> texts;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      if (seen[size_t(y * w + x)] || !ink(x, y)) continue;
      seen[size_t(y * w + x)] = 1;
      std::vector<QPoint> todo{{x, y}};
      QRect box(x, y, 1, 1);
      while (!todo.empty()) {
        const QPoint p = todo.back();
        todo.pop_back();
        box |= QRect(p, QSize(1, 1));
        for (int dy = -2; dy <= 2; ++dy)
          for (int dx = -3; dx <= 3; ++dx) {
            const int qx = p.x() + dx, qy = p.y() + dy;
            if (qx < 0 || qy < 0 || qx >= w || qy >= h || seen[size_t(qy * w + qx)] || !ink(qx, qy)) continue;
            seen[size_t(qy * w + qx)] = 1;
            todo.push_back({qx, qy});
          }
      }
      texts.push_back(box);
    }
  return texts;
}

// Each mark, shown alone as the buttons show them, changes no pixel of a
// text: of the signal names above the fields, nor of the names and unit
// texts of the picture under the marks (a mark may frame a text, never cross it).
TEST_F(Reprogramming, NoMarkCoversALabel) {
  Birprogramatumikroagindua& e = edit(4);
  const QImage bare = plat::render_form(e);
  struct Text {
    std::string what;
    QRect box;
  };
  std::vector<Text> texts;
  for (int i : e.indices("Label1")) {
    const plat::Control& l = e.ctl("Label1", i);
    texts.push_back({l.caption(), QRect(l.left() / 15, l.top() / 15, l.width() / 15, l.height() / 15)});
  }
  const plat::Control& image = e.ctl("Image1");
  const QImage picture = plat::picture(image.get("Picture").to_string());
  ASSERT_FALSE(picture.isNull());
  for (const QRect& r : picture_texts(picture)) {
    const QRect at = r.translated(image.left() / 15, image.top() / 15);
    std::ostringstream what;
    what << "the picture's text at " << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    texts.push_back({what.str(), at});
  }
  ASSERT_GT(texts.size(), 17u + 30u);  // the picture's names found
  for (int m = 0; m <= 16; ++m) {
    SCOPED_TRACE("Shape1(" + std::to_string(m) + ")");
    e.ctl("Shape1", m).set_visible(true);
    const QImage marked = plat::render_form(e);
    e.ctl("Shape1", m).set_visible(false);
    ASSERT_EQ(marked.size(), bare.size());
    int changed = 0;
    std::set<std::string> covered;  // what the mark crosses
    for (int y = 0; y < bare.height(); ++y)
      for (int x = 0; x < bare.width(); ++x) {
        if (marked.pixel(x, y) == bare.pixel(x, y)) continue;
        ++changed;
        for (const Text& t : texts)
          if (t.box.contains(x, y)) covered.insert(t.what);
      }
    EXPECT_GT(changed, 0);
    for (const std::string& t : covered) ADD_FAILURE() << "covers " << t;
  }
}

TEST_F(Reprogramming, AcceptingWithoutAChangeStoresNothing) {
  const MachineTables before = machine();
  Birprogramatumikroagindua& e = edit(3);
  e.click("CommandOnartu");
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "3 mikroagindua ez da aldatu.");
  EXPECT_EQ(clock.messages[0].style, plat::vbInformation);
  EXPECT_EQ(clock.messages[0].title, "Mikroprograma birprogramatzen");
  EXPECT_EQ(plat::loaded_form(Birprogramatumikroagindua::kName), nullptr);
  EXPECT_TRUE(machine() == before);
  EXPECT_FALSE(engine().Control_memory_modified);
}

TEST_F(Reprogramming, ABrokenRuleKeepsTheEditorOpenWithTheFieldsRestored) {
  Birprogramatumikroagindua& e = edit(9);
  const std::string stored = Control_word(9);
  press(e, field::BK1, "0");
  press(e, field::BK0, "1");
  e.click("CommandOnartu");
  ASSERT_GE(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "BK1BK0ren balio posibleak: 00, 10 eta 11.");
  EXPECT_EQ(clock.messages[0].style, plat::vbCritical);
  EXPECT_EQ(clock.messages[0].title, "Arazoak mikroprograma aldatzen saiatzean");
  ASSERT_NE(plat::loaded_form(Birprogramatumikroagindua::kName), nullptr);
  EXPECT_EQ(boxes(e), stored);
  EXPECT_EQ(e.mouse_pointer(), 0);
  EXPECT_EQ(Control_word(9), stored);
  // Cancelling stores nothing either.
  press(e, field::LD_PC, "1");
  clock.messages.clear();
  e.click("CommandDeuseztu");
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].text, "9 mikroagindua ez da aldatu.");
  EXPECT_EQ(Control_word(9), stored);
  EXPECT_EQ(plat::loaded_form(Birprogramatumikroagindua::kName), nullptr);
}

TEST_F(Reprogramming, AnAcceptedChangeIsStoredAndMarkedInTheFourGrids) {
  auto change = [this](int n, int field, const char* value) {
    Birprogramatumikroagindua& e = edit(n);
    press(e, field, value);
    clock.messages.clear();
    e.click("CommandOnartu");
    ASSERT_EQ(clock.messages.size(), 1u);
    EXPECT_EQ(clock.messages[0].text, "Kontrol memoriako " + std::to_string(n) + " mikroagindua aldatu da.");
    EXPECT_EQ(clock.messages[0].style, plat::vbInformation);
    EXPECT_EQ(plat::loaded_form(Birprogramatumikroagindua::kName), nullptr);
  };
  const std::string other = machine().Microprogram_text[7][0];
  change(6, field::LD_PC, machine().Control_memory[6][field::LD_PC] == "1" ? "0" : "1");
  // The window listing is made afresh between the two changes: the first mark stays.
  plat::unload_form(Kontrolmemoria::kName);
  plat::unload_form(Mikroprograma::kName);
  std::string word5 = Control_word(5);
  change(5, field::hD, word5[field::hD] == "1"[0] ? "0" : "1");
  EXPECT_NE(Control_word(5), word5);
  EXPECT_TRUE(engine().Control_memory_modified);
  EXPECT_TRUE(plat::form<Nagusia>().ctl("Artxibo11", 1).enabled());
  for (int n : {5, 6}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(machine().Microprogram_text[size_t(n)][0], kReprogrammedText);
    EXPECT_EQ(machine().Microprogram_text[size_t(n)][1], kReprogrammedText);
    const auto cells = Control_memory_row_texts(n);
    for (Grid g : {Nagusia_Nadrel1(), Kontrolmemoria_Nadrel2()})
      for (int col = 1; col <= 21; ++col) {
        EXPECT_EQ(g.TextMatrix(n + 1, col), cells[size_t(col - 1)]) << col;
        EXPECT_EQ(g.CellForeColor(col, n + 1), kReprogrammedColor) << col;
      }
    for (Grid g : {Nagusia_NadrelMikro(), Mikroprograma_NadrelMikro()})
      for (int col = 1; col <= 2; ++col) {
        EXPECT_EQ(g.TextMatrix(n + 1, col), kReprogrammedText);
        EXPECT_EQ(g.CellForeColor(col, n + 1), kReprogrammedColor);
      }
  }
  EXPECT_EQ(machine().Microprogram_text[7][0], other);
  EXPECT_NE(Nagusia_Nadrel1().CellForeColor(3, 8), kReprogrammedColor);
}

// The editor is modeless: a run may start while it is open. Its "&Onartu"
// then refuses, changes nothing and leaves the editor open as it is; once the
// run is over the same "&Onartu" stores the word.
TEST_F(Reprogramming, AChangeAcceptedDuringARunIsRefusedAndTakenAfterIt) {
  Birprogramatumikroagindua& e = edit(6);
  const std::string stored = Control_word(6), text = machine().Microprogram_text[6][0];
  press(e, field::LD_PC, stored[field::LD_PC] == '1' ? "0" : "1");
  const std::string edited = boxes(e);
  plat::form<Nagusia>().ctl("Artxibo11", 1).set_enabled(false);  // as a run's start leaves it
  for (bool example : {false, true}) {
    engine().Instruction_running = to_flag(!example);
    engine().Example_running = to_flag(example);
    clock.messages.clear();
    e.click("CommandOnartu");
    ASSERT_EQ(clock.messages.size(), 1u);
    EXPECT_EQ(clock.messages[0].text, "KU simulatzen ari da denez, mikroprograma ezin da aldatu.");
    EXPECT_EQ(clock.messages[0].title, "Arazoak mikroprograma aldatzen saiatzean");
    EXPECT_EQ(clock.messages[0].style, plat::vbCritical);
    EXPECT_EQ(plat::loaded_form(Birprogramatumikroagindua::kName), &e);
    EXPECT_EQ(boxes(e), edited);
    EXPECT_EQ(Control_word(6), stored);
    EXPECT_EQ(machine().Microprogram_text[6][0], text);
    EXPECT_EQ(Nagusia_NadrelMikro().TextMatrix(7, 1), text);
    EXPECT_FALSE(engine().Control_memory_modified);
    EXPECT_FALSE(plat::form<Nagusia>().ctl("Artxibo11", 1).enabled());
  }
  engine().Example_running = kFlagFalse;
  e.click("CommandOnartu");
  EXPECT_EQ(plat::loaded_form(Birprogramatumikroagindua::kName), nullptr);
  EXPECT_EQ(Control_word(6), edited);
  EXPECT_TRUE(engine().Control_memory_modified);
  EXPECT_TRUE(plat::form<Nagusia>().ctl("Artxibo11", 1).enabled());
}

}  // namespace
}  // namespace brendalo
