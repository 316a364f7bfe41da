#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/display/display_modes.h"
#include "platform/forms/form.h"
#include "platform/forms/virtual_services.h"
#include "simulator/dialogs/abiarazi.h"
#include "simulator/dialogs/bereizmena.h"
#include "simulator/dialogs/konfiguratusim.h"
#include "simulator/mainwindow/nagusia.h"

using namespace brendalo;
using plat::DisplayMode;

namespace {

class StartUp : public ::testing::Test {
 protected:
  void TearDown() override {
    Nagusia::Bereizmena_aldatua = 0;
    plat::set_display(nullptr);
    plat::unload_all_forms();
    QApplication::processEvents();
    plat::reset_program_end();
  }
  void use(std::vector<DisplayMode> modes, DisplayMode current) {
    screen = std::make_unique<plat::ScriptedDisplay>(std::move(modes), current);
    plat::set_display(screen.get());
  }
  // Clicks the Basque label and lets the nine ticks pass.
  void start_loading() {
    Abiarazi& a = plat::form<Abiarazi>();
    a.fire(a.ctl("Label5", 1), plat::Event::Click);
  }
  plat::VirtualServices clock;
  std::unique_ptr<plat::ScriptedDisplay> screen;
};

}  // namespace

TEST_F(StartUp, DisplayAlreadyAt1024x768GoesStraightToTheSplashWindow) {
  use({{1024, 768, 16}, {1024, 768, 32}}, {1024, 768, 32});
  Bereizmena& b = plat::form<Bereizmena>();
  EXPECT_FALSE(b.visible());
  EXPECT_TRUE(plat::form<Abiarazi>().visible());
  EXPECT_EQ(Nagusia::Bereizmena_aldatua, 0);
  EXPECT_TRUE(b.h.is_empty() && b.b.is_empty() && b.bk.is_empty());
  // The main window comes with the second loading step, not with the check.
  EXPECT_EQ(plat::loaded_forms(), (std::vector<std::string>{Bereizmena::kName, Abiarazi::kName}));
  EXPECT_TRUE(screen->set_calls.empty());
  EXPECT_TRUE(clock.messages.empty());
}

TEST_F(StartUp, OtherSizeWithTheModeShowsDotsSwitchesAndRestoresOnExit) {
  use({{1280, 1024, 32}, {1024, 768, 16}}, {1280, 1024, 32});
  Bereizmena& b = plat::form<Bereizmena>();
  EXPECT_TRUE(b.visible());
  EXPECT_EQ(b.h.to_i4(), 1280);
  EXPECT_EQ(b.b.to_i4(), 1024);
  EXPECT_EQ(b.bk.to_i4(), 32);
  EXPECT_EQ(plat::loaded_forms(), std::vector<std::string>{Bereizmena::kName});
  clock.advance(2249);
  EXPECT_TRUE(screen->set_calls.empty());
  clock.advance(1);
  const std::string caption = b.ctl("Label1").caption();
  const std::string base = "Pantailaren bereizmena aldatzen ...";
  ASSERT_EQ(caption.substr(0, base.size()), base);
  EXPECT_EQ(caption.size() - base.size(), 2250u / 55u);  // about forty dots
  ASSERT_EQ(screen->set_calls.size(), 1u);
  EXPECT_EQ(screen->set_calls[0], (DisplayMode{1024, 768, 16}));
  EXPECT_EQ(Nagusia::Bereizmena_aldatua, -1);
  EXPECT_FALSE(plat::is_loaded<Nagusia>());
  EXPECT_FALSE(b.visible());
  EXPECT_TRUE(plat::form<Abiarazi>().visible());
  clock.advance(10000);
  EXPECT_EQ(b.ctl("Label1").caption(), caption);  // the dots stopped with the switch
  // the exit puts the saved mode back
  Nagusia& n = plat::form<Nagusia>();
  n.ctl("Artxibo15", 1).action()->trigger();
  ASSERT_EQ(screen->set_calls.size(), 2u);
  EXPECT_EQ(screen->set_calls[1], (DisplayMode{1280, 1024, 32}));
  EXPECT_TRUE(plat::ending());
}

TEST_F(StartUp, WithoutTheModeTwoMessagesAndTheEnd) {
  use({{800, 600, 16}, {1024, 768, 32}}, {800, 600, 16});
  plat::form<Bereizmena>();
  ASSERT_EQ(clock.messages.size(), 2u);
  EXPECT_EQ(clock.messages[0].text,
            "Zure ordenagailuak ez du 1024x768x16 bereizmena simuladorearen funtzionamendua egokia izan dadin");
  EXPECT_EQ(clock.messages[1].text, "1024x768x16 bereizmena duen ordenagailu batean saiatu instalatzen aplikazioa");
  for (auto& m : clock.messages) {
    EXPECT_EQ(m.title, "Arazoa bereizmenarekin");
    EXPECT_EQ(m.style, 48);
  }
  EXPECT_TRUE(plat::ending());
  // Nothing but the start-up window was loaded.
  EXPECT_EQ(plat::loaded_forms(), std::vector<std::string>{Bereizmena::kName});
}

TEST_F(StartUp, SplashLoadsInNineTicksThenShowsTheMainWindow) {
  use({{1024, 768, 16}}, {1024, 768, 16});
  plat::form<Bereizmena>();
  Abiarazi& a = plat::form<Abiarazi>();
  EXPECT_FALSE(a.ctl("Label4").visible());
  start_loading();
  EXPECT_EQ(a.abiarazten, -1);
  EXPECT_EQ(a.mouse_pointer(), 11);
  EXPECT_TRUE(a.ctl("Label4").visible());
  EXPECT_FALSE(a.ctl("Label5", 1).visible());
  EXPECT_DOUBLE_EQ(a.ctl("ProgressBar1").get("Value").to_double(), 2.0);
  a.fire(a.ctl("Label6", 2), plat::Event::Click);  // a second click changes nothing
  EXPECT_DOUBLE_EQ(a.ctl("ProgressBar1").get("Value").to_double(), 2.0);
  // The first step loads the microprogram table only; the second, which
  // lists it in the main window, loads the main window and its options.
  clock.advance(1000);
  EXPECT_FALSE(plat::is_loaded<Nagusia>());
  EXPECT_FALSE(plat::is_loaded<KonfiguratuSIM>());
  clock.advance(1000);
  EXPECT_TRUE(plat::is_loaded<Nagusia>());
  EXPECT_TRUE(plat::is_loaded<KonfiguratuSIM>());
  clock.advance(6999);
  ASSERT_TRUE(plat::is_loaded<Abiarazi>());
  double last = a.ctl("ProgressBar1").get("Value").to_double();
  EXPECT_GT(last, 2.0);
  EXPECT_LE(last, 100.0);
  EXPECT_FALSE(plat::form<Nagusia>().visible());
  clock.advance(1);
  EXPECT_FALSE(plat::is_loaded<Abiarazi>());
  EXPECT_TRUE(plat::form<Nagusia>().visible());
}

TEST_F(StartUp, HoverColoursTheLanguageLabels) {
  use({{1024, 768, 16}}, {1024, 768, 16});
  plat::form<Bereizmena>();
  Abiarazi& a = plat::form<Abiarazi>();
  a.fire(a.ctl("Label6", 2), plat::Event::MouseMove);
  EXPECT_EQ(a.ctl("Label6", 2).fore_color(), 0xFF0000u);
  EXPECT_EQ(a.ctl("Label5", 1).fore_color(), 0x80000012u);
  a.fire(a.self(), plat::Event::MouseMove);
  EXPECT_EQ(a.ctl("Label6", 2).fore_color(), 0x80000012u);
}

// The close box of a start-up window: the display check while it shows and
// the splash window while it waits end the program as "Irten" does (a
// switched mode put back, the event loop left with exit code 0); while the
// splash loads it refuses, and the loading goes on to the main window.
TEST_F(StartUp, TheCloseBoxOfAStartUpWindow) {
  const DisplayMode large{1280, 1024, 32}, design{1024, 768, 16};
  const auto ends_normally = [] {
    EXPECT_TRUE(plat::ending());
    EXPECT_EQ(plat::exit_code(), 0);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });  // not reached when the exit is queued
    EXPECT_EQ(QApplication::exec(), 0);
  };
  const auto again = [this] {
    Nagusia::Bereizmena_aldatua = 0;
    plat::unload_all_forms();
    plat::reset_program_end();
  };
  {
    SCOPED_TRACE("display check showing");
    use({large, design}, large);
    Bereizmena& b = plat::form<Bereizmena>();
    clock.advance(1000);
    b.window()->close();
    ends_normally();
    clock.advance(5000);
    EXPECT_TRUE(screen->set_calls.empty());
    EXPECT_FALSE(plat::is_loaded<Abiarazi>());
    again();
  }
  for (const DisplayMode& at_start : {large, design}) {
    SCOPED_TRACE(at_start == large ? "splash waiting after a switch" : "splash waiting");
    use({large, design}, at_start);
    plat::form<Bereizmena>();
    clock.advance(2250);
    Abiarazi& a = plat::form<Abiarazi>();
    ASSERT_TRUE(a.visible());
    a.window()->close();
    EXPECT_FALSE(plat::is_loaded<Abiarazi>());
    if (at_start == large) {
      ASSERT_EQ(screen->set_calls.size(), 2u);
      EXPECT_EQ(screen->set_calls[1], large);
    } else {
      EXPECT_TRUE(screen->set_calls.empty());
    }
    ends_normally();
    again();
  }
  {
    SCOPED_TRACE("splash loading");
    use({design}, design);
    plat::form<Bereizmena>();
    start_loading();
    clock.advance(3000);
    Abiarazi& a = plat::form<Abiarazi>();
    a.window()->close();
    EXPECT_EQ(plat::loaded_form(Abiarazi::kName), &a);
    EXPECT_TRUE(a.visible());
    EXPECT_EQ(a.abiarazten, -1);
    EXPECT_FALSE(plat::ending());
    clock.advance(6000);
    EXPECT_FALSE(plat::is_loaded<Abiarazi>());
    EXPECT_TRUE(plat::form<Nagusia>().visible());
    EXPECT_FALSE(plat::ending());
  }
}

TEST(DisplayModes, ParsesAScriptedList) {
  auto d = plat::parse_display_modes("1280x1024x32,1024x768x16*");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->modes().size(), 2u);
  EXPECT_EQ(d->current(), (DisplayMode{1024, 768, 16}));
  for (const char* bad : {"", "1024x768", "axbxc", "1024x768x16x3", "0x768x16"})
    EXPECT_FALSE(plat::parse_display_modes(bad)) << bad;
}
