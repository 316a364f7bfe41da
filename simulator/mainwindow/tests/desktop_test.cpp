// The simulator's windows on the desktop, driven by real key and mouse
// events sent where a user's would go: the drop-down combo boxes, Enter on a
// focused button, the options' mode group, the period buttons on the status
// bars and the dialogs a run waits on.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "simulator/dialogs/agindua.h"
#include "simulator/dialogs/birprogramaziorakopausoa.h"
#include "simulator/dialogs/datuenaldaketarakopausoa.h"
#include "simulator/dialogs/emkoerrenkada.h"
#include "simulator/dialogs/galdera.h"
#include "simulator/dialogs/konfiguratusim.h"
#include "simulator/dialogs/laguntza_edukia.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/dialogs/simuladoreariburuz.h"
#include "simulator/dialogs/zaukeratu.h"
#include "simulator/display/aginduenformatua.h"
#include "simulator/display/asm_window.h"
#include "simulator/display/pu_window.h"
#include "simulator/engine/tests/run_fixture.h"

namespace brendalo::testing {
namespace {

class Desktop : public RunTest {
 protected:
  // Shows `f` as the user finds it: active, its first control focused.
  static void open(plat::Form& f) {
    f.Show();
    f.SetFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(f.window())) << f.name();
  }
  static QWidget* focused() { return QApplication::focusWidget(); }
  static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(focused(), k, m); }
  // An access key presses its button after a short press animation.
  static void access_key(Qt::Key k) {
    key(k, Qt::AltModifier);
    QTest::qWait(200);
  }
  // The control whose widget holds the focus.
  static std::string focus_name(plat::Form& f) {
    for (QWidget* w = focused(); w; w = w->parentWidget())
      for (auto& c : f.controls())
        if (c->widget() == w) return c->name() + (c->index() >= 0 ? "(" + std::to_string(c->index()) + ")" : "");
    return "?";
  }
  static bool loaded(const char* name) { return plat::loaded_form(name) != nullptr; }
};

// Each editable combo box shows exactly what its Text holds, whatever was
// typed, and "&Onartu" refuses the typed text alike by Alt+O and by a mouse
// click that takes the focus from the box.
TEST_F(Desktop, ComboBoxesShowWhatTheyHoldAndOnartuRefusesWhatWasTyped) {
  struct Case {
    const char* window;
    std::function<plat::Form&()> open;
    int combo;
    const char* typed;
    const char* button;
    int button_index;
    const char* refusal;
  } cases[] = {
      {Agindua::kName, [] { Show_instruction_dialog(); return std::ref(plat::form<Agindua>()); }, -1, "  B",
       "Command1", -1, "Agindu bat aukeratu behar duzu."},
      {Birprogramaziorakopausoa::kName, [] { return std::ref<plat::Form>(plat::form<Birprogramaziorakopausoa>()); },
       -1, "2", "Command3", 0, "Mikroagindua aukeratu behar duzu"},
      {KonfiguratuSIM::kName, [] { return std::ref<plat::Form>(plat::form<KonfiguratuSIM>()); }, 0, "2", "Command1",
       -1, "Erloju zikloak 3 eta 59 segundo bitartekoa izan behar du."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    const EngineState before = engine();
    plat::Form& f = c.open();
    open(f);
    plat::Control& combo = f.ctl("Combo1", c.combo);
    QLineEdit* field = static_cast<QComboBox*>(combo.widget())->lineEdit();
    ASSERT_EQ(focused(), combo.widget());  // its field types for it
    key(Qt::Key_A, Qt::ControlModifier);  // what the box held goes with the first key typed
    QTest::keyClicks(focused(), c.typed);
    EXPECT_EQ(combo.text(), c.typed);
    EXPECT_EQ(field->text().toStdString(), c.typed);

    clock.messages.clear();
    access_key(Qt::Key_O);
    QWidget* ok = f.ctl(c.button, c.button_index).widget();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(focused(), ok);
    ASSERT_EQ(clock.messages.size(), 2u);
    for (const auto& m : clock.messages) EXPECT_EQ(m.text, c.refusal);
    EXPECT_TRUE(loaded(c.window));
    EXPECT_EQ(combo.text(), c.typed);
    EXPECT_EQ(field->text().toStdString(), c.typed);
    // Nothing was run, offered or set.
    EXPECT_EQ(engine().Dialog_answered, before.Dialog_answered);
    EXPECT_EQ(engine().Micro_address_bits, before.Micro_address_bits);
    EXPECT_EQ(engine().Clk1_period_text, before.Clk1_period_text);
    EXPECT_FALSE(loaded(Galdera::kName));
    Close_instruction_dialog();
    plat::unload_form(c.window);
  }
}

// Return and the keypad's Enter on a focused button do what a click does.
TEST_F(Desktop, EnterOnAFocusedButtonDoesWhatAClickDoes) {
  main_window().Show();
  struct Case {
    const char* window;
    std::function<plat::Form&()> open;
    const char* button;
    int index;
  } cases[] = {
      {Simuladoreariburuz::kName, [] { return std::ref<plat::Form>(plat::form<Simuladoreariburuz>()); }, "Command1", -1},
      {Galdera::kName, [] { Ask_reprogramming(&plat::form<Nagusia>(), 5); return std::ref<plat::Form>(plat::form<Galdera>()); },
       "Command1", 1},
      {Birprogramaziorakopausoa::kName, [] { return std::ref<plat::Form>(plat::form<Birprogramaziorakopausoa>()); },
       "Command3", 1},
      {Datuenaldaketarakopausoa::kName, [] { return std::ref<plat::Form>(plat::form<Datuenaldaketarakopausoa>()); },
       "Command3", 1},
      {EMkoerrenkada::kName, [] { Show_register_row(plat::form<Nagusia>(), 3); return std::ref<plat::Form>(plat::form<EMkoerrenkada>()); },
       "Onartu", -1},
      {KonfiguratuSIM::kName, [] { return std::ref<plat::Form>(plat::form<KonfiguratuSIM>()); }, "Command1", -1},
  };
  for (const Case& c : cases)
    for (const auto& [k, m] : {std::pair{Qt::Key_Return, Qt::NoModifier}, std::pair{Qt::Key_Enter, Qt::KeypadModifier}}) {
      SCOPED_TRACE(std::string(c.window) + (k == Qt::Key_Return ? " Return" : " Enter"));
      plat::Form& f = c.open();
      open(f);
      f.ctl(c.button, c.index).widget()->setFocus();
      key(Qt::Key_Escape);  // no window has a Cancel button
      EXPECT_TRUE(loaded(c.window));
      key(k, m);
      EXPECT_FALSE(loaded(c.window));
      EXPECT_TRUE(main_window().enabled());
      QApplication::processEvents();
    }
  EXPECT_TRUE(clock.messages.empty());
}

// The options' mode group is one Tab stop, at the chosen mode; Down and Up
// choose the next mode, and "&Onartu" then sets it.
TEST_F(Desktop, ArrowsChooseTheOptionsModeAndTabStopsOnceOnTheGroup) {
  main_window().Show();
  plat::unload_form(KonfiguratuSIM::kName);  // loaded with the main window, before its mode was checked
  KonfiguratuSIM& o = plat::form<KonfiguratuSIM>();
  open(o);
  plat::Form* shown = &o;
  auto tab = [&](bool back = false) {
    key(Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    return focus_name(*shown);
  };
  EXPECT_EQ(focus_name(o), "Combo1(0)");
  const std::vector<std::string> forth = {tab(), tab(), tab(), tab()};
  EXPECT_EQ(forth, (std::vector<std::string>{"Option1(8)", "Check2", "Command1", "Combo1(0)"}));
  const std::vector<std::string> back = {tab(true), tab(true), tab(true), tab(true)};
  EXPECT_EQ(back, (std::vector<std::string>{"Command1", "Check2", "Option1(8)", "Combo1(0)"}));

  EXPECT_EQ(tab(), "Option1(8)");
  key(Qt::Key_Down);
  key(Qt::Key_Down);
  key(Qt::Key_Up);
  EXPECT_EQ(focus_name(o), "Option1(7)");
  for (int i : {8, 7, 6}) EXPECT_EQ(o.ctl("Option1", i).get("Value").to_bool(), i == 7) << i;
  EXPECT_EQ(tab(), "Check2");
  EXPECT_EQ(tab(true), "Option1(7)");
  access_key(Qt::Key_O);
  EXPECT_FALSE(loaded(KonfiguratuSIM::kName));
  EXPECT_TRUE(engine().Mode_cycle_by_cycle);
  EXPECT_TRUE(nw("Simulazioa5_2", 4).get("Checked").to_bool());
  EXPECT_FALSE(nw("Simulazioa5_1", 4).get("Checked").to_bool());
  EXPECT_TRUE(nw("Command3", 0).visible());

  KonfiguratuSIM& again = plat::form<KonfiguratuSIM>();
  shown = &again;
  open(again);
  EXPECT_EQ(tab(), "Option1(7)");
  key(Qt::Key_Up);
  EXPECT_EQ(tab(), "Check2");
  EXPECT_EQ(tab(), "Command1");
  key(Qt::Key_Return);
  EXPECT_TRUE(engine().Mode_continuous);
  EXPECT_FALSE(engine().Mode_cycle_by_cycle);
  EXPECT_TRUE(nw("Simulazioa5_1", 4).get("Checked").to_bool());
  EXPECT_FALSE(nw("Command3", 0).visible());
}

// The period buttons stand on the right part of the status bar, in front of
// it, at every size of the window, and take a click there.
TEST_F(Desktop, PeriodButtonsStandOnTheStatusBarAtEverySize) {
  std::vector<plat::Form*> windows = {&main_window(), &plat::form<ASM>(), &plat::form<PU>(),
                                      &plat::form<Aginduenformatua>()};
  for (plat::Form* f : windows) {
    SCOPED_TRACE(f->name());
    f->Show();
    f->set_window_state(0);
    QWidget* bar = f->ctl("StatusBar1").widget();
    QWidget* client = bar->parentWidget();
    const int menu = f->window()->height() - client->height();
    const QSize design(f->self().get("Width").to_int() / 15, f->self().get("Height").to_int() / 15 + menu);
    for (const QSize size : {design, QSize(1024, 730), QSize(1280, 960), QSize(1600, 1150)}) {
      SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
      f->window()->resize(size);
      QApplication::processEvents();
      ASSERT_EQ(f->window()->size(), size);
      EXPECT_EQ(bar->geometry().bottom(), client->height() - 1);
      for (int i : {0, 1}) {
        QWidget* b = f->ctl("Command2", i).widget();
        EXPECT_TRUE(bar->geometry().contains(b->geometry())) << i;
        EXPECT_GT(b->x(), bar->width() / 2) << i;
        EXPECT_EQ(f->window()->childAt(b->mapTo(f->window(), b->rect().center())), b) << i;
      }
    }
    const std::string period = engine().Clk1_period_text;
    QTest::mouseClick(f->ctl("Command2", 0).widget(), Qt::LeftButton);
    EXPECT_EQ(engine().Clk1_period_text, std::to_string(std::stoi(period) + 1));
  }
}

// The help window opens maximised, and its browser fills the client above
// the status bar, from the client's top: maximised, and at the clients of a
// window maximised on 1280 x 1024 and on 1024 x 768 under a title bar.
TEST_F(Desktop, TheHelpWindowsBrowserFillsTheWindowAboveItsBar) {
  Open_help_window();
  Laguntza_edukia& h = plat::form<Laguntza_edukia>();
  ASSERT_TRUE(h.window()->isVisible());
  EXPECT_EQ(h.self().get("WindowState").to_int(), 2);
  QWidget* browser = h.ctl("WebBrowser1").widget();
  QWidget* bar = h.ctl("StatusBar1").widget();
  QWidget* client = bar->parentWidget();
  auto fills = [&] {
    const QSize size = client->size();
    EXPECT_EQ(bar->geometry(), QRect(0, size.height() - bar->height(), size.width(), bar->height()));
    EXPECT_EQ(browser->geometry(), QRect(0, 0, size.width(), size.height() - bar->height()));
  };
  fills();
  h.set_window_state(0);
  for (const QSize size : {QSize(1280, 1005), QSize(1024, 749)}) {
    SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
    h.window()->resize(size);
    QApplication::processEvents();
    ASSERT_EQ(client->size(), size);
    fills();
  }
}

// ASM opens with the focus on its first state box, PU on its "MuxBat" box
// and the main window on its state text: locked boxes, which look the same
// with the focus as without, so that no focus frame reads as a mark.
TEST_F(Desktop, LockedBoxesShowNoFocusFrame) {
  std::vector<plat::Form*> windows = {&main_window(), &plat::form<ASM>(), &plat::form<PU>()};
  for (plat::Form* f : windows) {
    SCOPED_TRACE(f->name());
    open(*f);
    int locked = 0;
    for (auto& c : f->controls()) {
      if (c->kind() != plat::Kind::TextBox || !c->get("Locked").to_bool() || !c->visible()) continue;
      QWidget* w = c->widget();
      w->setFocus();
      ASSERT_TRUE(w->hasFocus()) << c->name();
      const QImage focused = w->grab().toImage();
      w->clearFocus();
      EXPECT_EQ(w->grab().toImage(), focused) << c->name() << "(" << c->index() << ")";
      ++locked;
    }
    EXPECT_GT(locked, 0);
  }
}

// Whether `dialog` is kept above every other shown window of the program.
::testing::AssertionResult above_every_window(plat::Form& dialog) {
  QWidget* d = dialog.window();
  if (!d->isVisible()) return ::testing::AssertionFailure() << dialog.name() << " is not shown";
  for (const std::string& n : plat::loaded_forms()) {
    plat::Form* f = plat::loaded_form(n);
    if (f == &dialog || !f->window()->isVisible()) continue;
    const bool transient = d->windowHandle()->transientParent() == f->window()->windowHandle();
    if (!transient && !d->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
      return ::testing::AssertionFailure() << dialog.name() << " can go behind " << n;
  }
  return ::testing::AssertionSuccess();
}

// A dialog a run waits on stays above every shown window of the program,
// which stay usable: the period changes from the state chart's window
// meanwhile.
TEST_F(Desktop, TheDialogsARunWaitsOnStayAboveEveryWindow) {
  Nagusia& m = main_window();
  open(m);
  std::vector<plat::Form*> others = {&plat::form<ASM>(), &plat::form<PU>(), &plat::form<MNetaEM>(),
                                     &plat::form<Aginduenformatua>(), &plat::form<Laguntza_edukia>()};
  for (plat::Form* f : others) f->Show();
  ASM& chart = plat::form<ASM>();
  int looked = 0;
  std::function<void()> look = [&] {
    for (const char* name : {Agindua::kName, Zaukeratu::kName}) {
      plat::Form* d = plat::loaded_form(name);
      if (!d || !d->visible() || (name == Agindua::kName ? !instructions.empty() : !z_answers.empty())) continue;
      EXPECT_TRUE(above_every_window(*d));
      chart.SetFocus();
      EXPECT_TRUE(QTest::qWaitForWindowActive(chart.window()));
      const std::string period = engine().Clk1_period_text;
      QTest::mouseClick(chart.ctl("Command2", 0).widget(), Qt::LeftButton);
      EXPECT_EQ(engine().Clk1_period_text, std::to_string(std::stoi(period) + 1));
      EXPECT_TRUE(above_every_window(*d));
      ++looked;
      if (name == Agindua::kName)
        instructions.push_back("  BEQ:     BEQ ri, etiketa");
      else
        z_answers.push_back("1");
    }
    if (Run_in_progress()) clock.after(100, look);
  };
  start_user();
  clock.after(100, look);
  m.ctl("Simulazioa1", 5).action()->trigger();
  EXPECT_EQ(looked, 2);
  EXPECT_EQ(answers, 2);
}

// Tab and Shift+Tab pass the locked name boxes of ASM and PU (a click still
// focuses one) and walk the period buttons only. The windows that carry
// period buttons open with no control focused, so Return and Space change
// nothing until the user chooses a button.
TEST_F(Desktop, TabPassesTheLockedNameBoxesAndNoPeriodButtonHasTheFirstFocus) {
  main_window().Show();
  struct Case {
    plat::Form& window;
    const char* name_box;  // a locked box of the window, "" for none
  } cases[] = {{plat::form<ASM>(), "Text1"},
               {plat::form<PU>(), "Text1"},
               {plat::form<Aginduenformatua>(), ""},
               {plat::form<MNetaEM>(), ""}};
  for (const Case& c : cases) {
    plat::Form& f = c.window;
    SCOPED_TRACE(f.name());
    open(f);
    const std::string period = engine().Clk1_period_text;
    EXPECT_EQ(focus_name(f), "?");  // the window itself
    key(Qt::Key_Return);
    key(Qt::Key_Space);
    EXPECT_EQ(engine().Clk1_period_text, period);
    const auto walk = [&](bool back) {
      std::vector<std::string> r;
      for (int i = 0; i < 3; ++i) {
        key(Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
        r.push_back(focus_name(f));
      }
      return r;
    };
    EXPECT_EQ(walk(false), (std::vector<std::string>{"Command2(1)", "Command2(0)", "Command2(1)"}));
    EXPECT_EQ(walk(true), (std::vector<std::string>{"Command2(0)", "Command2(1)", "Command2(0)"}));
    EXPECT_EQ(engine().Clk1_period_text, period);
    if (*c.name_box) {
      QTest::mouseClick(f.ctl(c.name_box, 0).widget(), Qt::LeftButton);
      EXPECT_EQ(focus_name(f), std::string(c.name_box) + "(0)");
      key(Qt::Key_Return);
      key(Qt::Key_Space);
      EXPECT_EQ(engine().Clk1_period_text, period);
      EXPECT_EQ(walk(false).front(), "Command2(1)");
    }
  }
}

}  // namespace
}  // namespace brendalo::testing
