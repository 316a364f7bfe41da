#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWindow>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/comctl/comctl.h"
#include "platform/forms/form.h"
#include "platform/forms/pictures.h"
#include "platform/forms/proplog.h"
#include "platform/forms/render.h"
#include "platform/forms/virtual_services.h"
#include "platform/forms/widgets.h"

using namespace plat;

namespace {

int g_loads = 0;
int g_unloads = 0;

// A window declared the way the program declares its windows.
class Sample : public Form {
 public:
  static constexpr const char* kName = "Sample";
  Sample()
      : Form(kName, {
                        {"Sample", -1, Kind::Form, "", -1, {0, 0, 6000, 4500}, "Lagina", {{"BackColor", 0xFFFFFF}}},
                        {"Frame1", -1, Kind::Frame, "", -1, {150, 150, 3000, 2000}, "Markoa", {}},
                        {"Frame2", -1, Kind::Frame, "", -1, {3300, 150, 2400, 2000}, "Bigarrena", {}},
                        {"Label2", 0, Kind::Label, "Frame1", -1, {150, 300, 900, 255}, "bat", {}},
                        {"Label2", 7, Kind::Label, "Frame2", -1, {150, 300, 900, 255}, "zazpi", {}},
                        {"Shape1", -1, Kind::Shape, "", -1, {150, 2400, 1500, 900}, "",
                         {{"BackStyle", 1}, {"BackColor", 0xFF0000}}},
                        {"Line1", 0, Kind::Line, "", -1, {150, 2850, 1650, 2850}, "",
                         {{"BorderColor", 0x0000FF}, {"BorderWidth", 3}}},
                        {"Label9", -1, Kind::Label, "", -1, {2100, 2400, 1500, 600}, "azpian",
                         {{"BackColor", 0x00FF00}}},
                        {"Command1", -1, Kind::CommandButton, "", -1, {2100, 2400, 1200, 450}, "&Onartu", {}},
                        {"Timer1", -1, Kind::Timer, "", -1, {}, "", {{"Interval", 1000}}},
                        {"Artxibo", 2, Kind::Menu, "", -1, {}, "&Artxiboa", {}},
                        {"Artxibo1", 1, Kind::Menu, "Artxibo", -1, {}, "&Ireki", {{"Shortcut", "Ctrl+O"}}},
                        {"Artxibo3", 1, Kind::Menu, "Artxibo", -1, {}, "&Irten", {{"Shortcut", "Del"}}},
                        {"StatusBar1", -1, Kind::StatusBar, "", -1, {0, 0, 6000, 300}, "", {{"Panels.Count", 5}}},
                        {"ProgressBar1", -1, Kind::ProgressBar, "", -1, {150, 3500, 3000, 255}, "", {}},
                        {"Text1", -1, Kind::TextBox, "", -1, {3300, 3500, 1500, 300}, "", {}},
                    }) {
    on("Command1", Event::Click, [this](EventArgs&) { Command1_Click(); });
    on("Timer1", Event::Timer, [this](EventArgs&) { ++ticks; });
    on("Artxibo1", Event::Click, [this](EventArgs& a) { menu_index = a.index; ++menu_clicks; });
    on("Artxibo3", Event::Click, [this](EventArgs&) { ++exits; });
  }
  void Form_Load() override {
    ++g_loads;
    // A reference from inside the load gets this same window.
    self_seen = &form<Sample>() == this;
  }
  void Form_Unload(int16_t& cancel) override {
    ++g_unloads;
    cancel = refuse_unload;
  }
  void Command1_Click() { ++clicks; }

  int clicks = 0, ticks = 0, menu_clicks = 0, menu_index = -1, exits = 0;
  bool self_seen = false;
  int16_t refuse_unload = 0;
};

class Opts : public Form {
 public:
  static constexpr const char* kName = "Opts";
  Opts()
      : Form(kName, {{"Option1", 6, Kind::OptionButton, "", -1, {100, 100, 1500, 300}, "a", {}},
                     {"Option1", 7, Kind::OptionButton, "", -1, {100, 500, 1500, 300}, "b", {}},
                     {"Check2", -1, Kind::CheckBox, "", -1, {100, 900, 1500, 300}, "z", {}}}) {}
};

class Pictured : public Form {
 public:
  static constexpr const char* kName = "Pictured";
  Pictured()
      : Form(kName, {{"Command1", -1, Kind::CommandButton, "", -1, {0, 0, 615, 255}, "", {{"Style", 1}, {"Picture", "test:red"}}},
                     {"Command2", -1, Kind::CommandButton, "", -1, {0, 300, 615, 255}, "a", {{"Picture", "test:red"}}}}) {}
};

// A small window of the given client size in pixels and extra row properties.
template <int W, int H>
class Sized : public Form {
 public:
  Sized(const char* name, std::vector<Prop> props)
      : Form(name, {{name, -1, Kind::Form, "", -1, {0, 0, W * 15, H * 15}, name, std::move(props)}}) {}
};
struct Dlg : Sized<200, 100> {
  static constexpr const char* kName = "Dlg";
  Dlg() : Sized(kName, {}) {}
};
struct Bare : Sized<200, 100> {  // no border, no title bar
  static constexpr const char* kName = "Bare";
  Bare() : Sized(kName, {{"BorderStyle", 0}}) {}
};
struct Big : Sized<2000, 1500> {  // larger than any screen of the tests
  static constexpr const char* kName = "Big";
  Big() : Sized(kName, {}) {}
};
struct Placed : Sized<200, 100> {
  static constexpr const char* kName = "Placed";
  Placed() : Sized(kName, {{"Left", 1500}, {"Top", 750}}) {}
};

QWindow* handle(Form& f) { return f.window()->windowHandle(); }
QWindow* owner_of(Form& f) { return handle(f) ? handle(f)->transientParent() : nullptr; }

class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override { g_loads = g_unloads = 0; }
  void TearDown() override {
    set_main_form("");
    unload_all_forms();
    QApplication::processEvents();
    reset_program_end();
  }
  VirtualServices clock;
};

QRgb pixel_at_twips(const QImage& img, Form& f, int x_tw, int y_tw) {
  // The client area starts below the menu bar.
  const QWidget* client = f.form_window()->client();
  return img.pixel(client->x() + x_tw / 15, client->y() + y_tw / 15);
}

}  // namespace

TEST_F(FormsTest, WindowIsLoadedHiddenOnFirstReferenceAndOnce) {
  EXPECT_FALSE(is_loaded<Sample>());
  Sample& s = form<Sample>();
  EXPECT_TRUE(is_loaded<Sample>());
  EXPECT_EQ(g_loads, 1);
  EXPECT_TRUE(s.self_seen);
  EXPECT_FALSE(s.visible());
  EXPECT_FALSE(s.window()->isVisible());
  EXPECT_EQ(&form<Sample>(), &s);
  EXPECT_EQ(g_loads, 1);
  s.Show();
  EXPECT_TRUE(s.window()->isVisible());
  EXPECT_EQ(s.window()->windowTitle(), "Lagina");
}

TEST_F(FormsTest, UnloadRunsHandlerAndNextReferenceStartsFromDesign) {
  Sample& s = form<Sample>();
  s.ctl("Label2", 0).set_caption("aldatua");
  s.clicks = 5;
  EXPECT_TRUE(unload_form("Sample"));
  EXPECT_EQ(g_unloads, 1);
  EXPECT_FALSE(is_loaded<Sample>());
  Sample& again = form<Sample>();
  EXPECT_EQ(g_loads, 2);
  EXPECT_EQ(again.ctl("Label2", 0).caption(), "bat");
  EXPECT_EQ(again.clicks, 0);
}

TEST_F(FormsTest, CancelledUnloadKeepsTheWindow) {
  Sample& s = form<Sample>();
  s.refuse_unload = 1;
  EXPECT_FALSE(unload_form("Sample"));
  EXPECT_TRUE(is_loaded<Sample>());
  s.refuse_unload = 0;
}

TEST_F(FormsTest, UnloadFromItsOwnHandlerDefersDestruction) {
  Sample& s = form<Sample>();
  s.on("Command1", Event::Click, [&s](EventArgs&) {
    unload_form("Sample");
    // still safe to touch: nothing is destroyed under a running handler
    s.ctl("Label2", 0).set_caption("x");
  });
  QTest::mouseClick(static_cast<QPushButton*>(s.ctl("Command1").widget()), Qt::LeftButton);
  EXPECT_FALSE(is_loaded<Sample>());
  QApplication::processEvents();
}

TEST_F(FormsTest, ControlArraysAreSparseAndSpanContainers) {
  Sample& s = form<Sample>();
  EXPECT_EQ(s.indices("Label2"), (std::vector<int>{0, 7}));
  EXPECT_EQ(s.ctl("Label2", 0).container(), &s.ctl("Frame1"));
  EXPECT_EQ(s.ctl("label2", 7).container(), &s.ctl("Frame2"));
  EXPECT_EQ(s.find("Label2", 3), nullptr);
  EXPECT_THROW(s.ctl("Label2", 3), std::out_of_range);
}

TEST_F(FormsTest, PropertiesReadBackExactlyAsWritten) {
  Sample& s = form<Sample>();
  struct Case {
    const char* control;
    int index;
    const char* prop;
    Value v;
  } cases[] = {
      {"Label2", 0, "Caption", "  bi  "},       {"Label2", 7, "BackColor", 0x8000000F},
      {"Line1", 0, "BorderWidth", 3},           {"Line1", 0, "X2", 4321},
      {"Shape1", -1, "FillStyle", 0},           {"Command1", -1, "Left", 2222},
      {"ProgressBar1", -1, "Value", 104.5},      {"StatusBar1", -1, "Panels(5).Text", "11''"},
      {"Artxibo1", 1, "Checked", true},          {"Label9", -1, "ToolTipText", "laguntza"},
  };
  for (auto& c : cases) {
    s.ctl(c.control, c.index).set(c.prop, c.v);
    EXPECT_EQ(s.ctl(c.control, c.index).get(c.prop), c.v) << c.control << "." << c.prop;
  }
  // defaults exist before any write
  EXPECT_TRUE(s.ctl("Label2", 0).visible());
  EXPECT_EQ(s.ctl("Label2", 0).get("Left").to_int(), 150);
}

TEST_F(FormsTest, ProgressValuePastRangeShowsRangeEnd) {
  Sample& s = form<Sample>();
  Control& pb = s.ctl("ProgressBar1");
  pb.set_value(140.0);
  EXPECT_DOUBLE_EQ(pb.get("Value").to_double(), 140.0);
  pb.set_value(-3.0);
  EXPECT_DOUBLE_EQ(pb.get("Value").to_double(), -3.0);
}

TEST_F(FormsTest, RenderedImageShowsWindowlessControlsInZOrderBelowWindowed) {
  Sample& s = form<Sample>();
  QImage img = render_form(s);
  ASSERT_FALSE(img.isNull());
  // the red line (drawn after the blue shape) lies on top of it
  EXPECT_EQ(QColor(pixel_at_twips(img, s, 600, 2850)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(pixel_at_twips(img, s, 600, 2550)), QColor(0, 0, 255));
  // the green label is under the button; below the button it shows
  EXPECT_NE(QColor(pixel_at_twips(img, s, 2400, 2550)), QColor(0, 255, 0));
  EXPECT_EQ(QColor(pixel_at_twips(img, s, 2400, 2950)), QColor(0, 255, 0));
  // hiding the line uncovers the shape
  s.ctl("Line1", 0).set_visible(false);
  img = render_form(s);
  EXPECT_EQ(QColor(pixel_at_twips(img, s, 600, 2850)), QColor(0, 0, 255));
  EXPECT_TRUE(save_form_png(s, testing::TempDir() + "/sample.png"));
}

// A write to a windowless control repaints its own area on screen, with
// what lies above it drawn again over it.
TEST_F(FormsTest, AWriteRepaintsTheControlOnScreenBelowWhatCoversIt) {
  Sample& s = form<Sample>();
  s.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(s.window()));
  auto on_screen = [&](int x_tw, int y_tw) {
    QApplication::processEvents();
    const QImage img = s.window()->screen()->grabWindow(s.window()->winId()).toImage();
    return QColor(pixel_at_twips(img, s, x_tw, y_tw));
  };
  EXPECT_EQ(on_screen(600, 2550), QColor(0, 0, 255));
  s.ctl("Shape1").set_back_color(0x00FF00);
  EXPECT_EQ(on_screen(600, 2550), QColor(0, 255, 0));
  EXPECT_EQ(on_screen(600, 2850), QColor(255, 0, 0));  // the line above it
  s.ctl("Line1", 0).set_visible(false);
  EXPECT_EQ(on_screen(600, 2850), QColor(0, 255, 0));
  s.ctl("Shape1").set("Left", 3000);  // moved: its old place shows the window again
  EXPECT_EQ(on_screen(600, 2550), QColor(255, 255, 255));
}

TEST_F(FormsTest, PropertyLogRecordsWritesInOrder) {
  Sample& s = form<Sample>();
  PropertyLog::start();
  s.ctl("Line1", 0).set_border_color(0xFF0000);
  s.ctl("Label2", 7).set_caption("z");
  s.set_caption("Beste");
  PropertyLog::stop();
  s.ctl("Label2", 0).set_caption("not logged");
  auto& w = PropertyLog::writes();
  ASSERT_EQ(w.size(), 3u);
  EXPECT_EQ(w[0].control, "Line1");
  EXPECT_EQ(w[0].index, 0);
  EXPECT_EQ(w[0].property, "BorderColor");
  EXPECT_EQ(w[0].value, Value(int64_t(0xFF0000)));
  EXPECT_EQ(w[1].control, "Label2");
  EXPECT_EQ(w[1].index, 7);
  EXPECT_EQ(w[2].form, "Sample");
  EXPECT_EQ(w[2].control, "");
  EXPECT_EQ(w[2].property, "Caption");
}

TEST_F(FormsTest, TimersRunOnTheVirtualClock) {
  Sample& s = form<Sample>();
  clock.advance(3500);
  EXPECT_EQ(s.ticks, 3);
  s.ctl("Timer1").set_enabled(false);
  clock.advance(5000);
  EXPECT_EQ(s.ticks, 3);
  s.ctl("Timer1").set_enabled(true);
  unload_form("Sample");
  clock.advance(5000);  // an unloaded window's timer is gone
  EXPECT_EQ(clock.pending(), 0u);
}

// Counts the times it is painted.
class PaintCounter : public QWidget {
 public:
  int paints = 0;

 protected:
  void paintEvent(QPaintEvent*) override { ++paints; }
};

// The virtual clock holds the event loop's repaints, not the paint on show
// nor a picture taken, and asks again for what it held when it ends.
TEST(VirtualClock, HoldsRepaintsUntilAskedOrEnded) {
  PaintCounter w;
  w.resize(120, 80);
  int shown = 0;
  {
    VirtualServices clock;
    w.show();
    clock.advance(10);
    shown = w.paints;
    EXPECT_GE(shown, 1);
    w.update();
    clock.advance(10);
    EXPECT_EQ(w.paints, shown);
    w.grab();
    EXPECT_EQ(w.paints, shown + 1);
    clock.repaint_windows = true;
    clock.advance(10);
    EXPECT_EQ(w.paints, shown + 2);
    clock.repaint_windows = false;
    w.update();
    clock.advance(10);
    EXPECT_EQ(w.paints, shown + 2);
  }
  QApplication::processEvents();
  EXPECT_EQ(w.paints, shown + 3);
}

TEST_F(FormsTest, ChoosingAMenuItemNeverTogglesItsMarkAndPassesTheIndex) {
  Sample& s = form<Sample>();
  Control& item = s.ctl("Artxibo1", 1);
  item.set("Checked", true);
  item.action()->trigger();
  EXPECT_EQ(s.menu_clicks, 1);
  EXPECT_EQ(s.menu_index, 1);
  EXPECT_TRUE(item.get("Checked").to_bool());
  EXPECT_TRUE(item.action()->isChecked());
  item.set("Checked", false);
  item.action()->trigger();
  EXPECT_FALSE(item.action()->isChecked());
  EXPECT_EQ(item.action()->shortcut(), QKeySequence("Ctrl+O"));
}

// Only an item whose mark is set shows one: an item whose mark was cleared
// looks like an item that never had one, with no empty box.
TEST_F(FormsTest, OnlyAMenuItemWhoseMarkIsSetShowsACheckMark) {
  Sample& s = form<Sample>();
  Control& marked = s.ctl("Artxibo1", 1);
  Control& plain = s.ctl("Artxibo3", 1);
  QMenu* menu = s.ctl("Artxibo", 2).submenu();
  ASSERT_NE(menu, nullptr);
  menu->ensurePolished();
  menu->resize(menu->sizeHint());
  // The pixels left of an item's caption, where a mark would be drawn
  // (inside the menu's frame).
  auto mark_area = [&](Control& item) {
    const QRect r = menu->actionGeometry(item.action());
    return menu->grab().toImage().copy(QRect(r.left() + 2, r.top() + 3, 16, r.height() - 6));
  };
  marked.set("Checked", true);
  const QImage with_mark = mark_area(marked);
  EXPECT_NE(with_mark, mark_area(plain));
  marked.set("Checked", false);
  EXPECT_EQ(mark_area(marked), mark_area(plain));
  marked.action()->trigger();  // choosing it sets no mark either
  EXPECT_EQ(mark_area(marked), mark_area(plain));
  marked.set("Checked", true);
  EXPECT_EQ(mark_area(marked), with_mark);
}

TEST_F(FormsTest, DisabledWindowTakesNoInputShortcutsIncluded) {
  Sample& s = form<Sample>();
  s.Show();
  s.set_enabled(false);
  s.ctl("Artxibo3", 1).action()->trigger();
  EXPECT_EQ(s.exits, 0);
  s.click("Command1");
  EXPECT_EQ(s.clicks, 0);
  s.set_enabled(true);
  s.ctl("Artxibo3", 1).action()->trigger();
  EXPECT_EQ(s.exits, 1);
  s.click("Command1");
  EXPECT_EQ(s.clicks, 1);
}

TEST_F(FormsTest, StatusBarPanelsAndToolbarButtons) {
  Sample& s = form<Sample>();
  set_panel_text(s.ctl("StatusBar1"), 1, "Aginduaren zain");
  EXPECT_EQ(panel_text(s.ctl("StatusBar1"), 1), "Aginduaren zain");
  EXPECT_EQ(panel_text(s.ctl("StatusBar1"), 2), "");
}

// A status bar is read most while its window is disabled by a dialog.
TEST_F(FormsTest, StatusBarTextKeepsItsLookWhileItsWindowIsDisabled) {
  Sample& s = form<Sample>();
  s.Show();
  set_panel_text(s.ctl("StatusBar1"), 1, "KU simulatzen");
  const QRect bar = s.ctl("StatusBar1").widget()->geometry().translated(s.form_window()->client()->pos());
  const QImage enabled = render_form(s).copy(bar);
  s.set_enabled(false);
  EXPECT_EQ(render_form(s).copy(bar), enabled);
}

namespace {
// A window with a magenta shape under its bar, and a magenta picture box
// above the bar that the bar covers once the window is made smaller.
class Covered : public Form {
 public:
  static constexpr const char* kName = "Covered";
  Covered()
      : Form(kName, {
                        {"Covered", -1, Kind::Form, "", -1, {0, 0, 3000, 1500}, "Azpian", {}},
                        {"Shape1", -1, Kind::Shape, "", -1, {0, 0, 3000, 1500}, "",
                         {{"BackStyle", 1}, {"BackColor", 0xFF00FF}}},
                        {"StatusBar1", -1, Kind::StatusBar, "", -1, {0, 1185, 3000, 315}, "",
                         {{"Panels.Count", 3}, {"Panels(1).Width", 900}, {"Panels(1).Text", "Aginduaren zain"}}},
                        {"Picture1", -1, Kind::PictureBox, "", -1, {0, 300, 3000, 870}, "",
                         {{"BackColor", 0xFF00FF}, {"BorderStyle", 0}}},
                    }) {}
};
}  // namespace

// A status bar paints every pixel of its rectangle: made smaller than its
// design, the window shows none of what lies under the bar through it.
TEST_F(FormsTest, AStatusBarHidesWhatLiesUnderIt) {
  Covered& c = form<Covered>();
  c.Show();
  QWidget* bar = c.ctl("StatusBar1").widget();
  for (const QSize size : {QSize(200, 100), QSize(150, 70), QSize(120, 40)}) {
    c.form_window()->resize(size);
    QApplication::processEvents();
    const QImage img = render_form(c);
    const QRect r = bar->geometry().translated(c.form_window()->client()->pos());
    ASSERT_EQ(r.bottom(), size.height() - 1);
    int under = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) under += img.pixel(x, y) == qRgb(255, 0, 255);
    EXPECT_EQ(under, 0) << size.width() << "x" << size.height();
  }
}

namespace {
class Boxes : public Form {
 public:
  static constexpr const char* kName = "Boxes";
  Boxes()
      : Form(kName, {
                        {"Boxes", -1, Kind::Form, "", -1, {0, 0, 3000, 1500}, "Kutxak", {}},
                        {"Text1", 0, Kind::TextBox, "", -1, {150, 150, 1500, 300}, "BIL1", {{"Locked", true}}},
                        {"Text2", -1, Kind::TextBox, "", -1, {150, 600, 1500, 300}, "abc", {}},
                    }) {}
};
}  // namespace

// A locked text box, which the user cannot type into, looks the same with
// the focus as without: no focus frame reads as a mark. An editable box
// still shows that it has the focus.
TEST_F(FormsTest, ALockedTextBoxDrawsNoFocusFrame) {
  Boxes& b = form<Boxes>();
  b.Show();
  b.SetFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(b.window()));
  QWidget* locked = b.ctl("Text1", 0).widget();
  QWidget* editable = b.ctl("Text2").widget();
  auto look = [](QWidget* w) { return w->grab().toImage(); };
  editable->setFocus();
  ASSERT_TRUE(editable->hasFocus());
  const QImage locked_unfocused = look(locked);
  const QImage editable_focused = look(editable);
  locked->setFocus();
  ASSERT_TRUE(locked->hasFocus());
  EXPECT_EQ(look(locked), locked_unfocused);
  EXPECT_NE(look(editable), editable_focused);
  // Unlocked, the same box shows its focus again.
  b.ctl("Text1", 0).set("Locked", false);
  EXPECT_NE(look(locked), locked_unfocused);
}

TEST_F(FormsTest, MessageBoxesAndBeepsAreRecorded) {
  message_box("Aginduaren simulazioa amaitu da", vbInformation, "Agindua simulatzen");
  beep();
  ASSERT_EQ(clock.messages.size(), 1u);
  EXPECT_EQ(clock.messages[0].style, 64);
  EXPECT_EQ(clock.messages[0].title, "Agindua simulatzen");
  EXPECT_EQ(clock.beeps, 1);
}

TEST_F(FormsTest, EndingTheProgramEndsEveryWait) {
  bool after = false;
  clock.after(1000, [] { end_program(); });
  clock.after(5000, [&] { after = true; });
  const int64_t start = clock.now_ms();
  while (!ending() && clock.now_ms() - start < 10000) wait_until(start + 10000);
  EXPECT_TRUE(ending());
  EXPECT_EQ(clock.now_ms(), 1000);
  wait_until(start + 10000);  // returns at once now
  EXPECT_EQ(clock.now_ms(), 1000);
  EXPECT_FALSE(after);
}

TEST_F(FormsTest, OptionButtonsMayAllBeTurnedOffByCode) {
  Opts& o = form<Opts>();
  o.click("Option1", 6);
  EXPECT_TRUE(o.ctl("Option1", 6).get("Value").to_bool());
  o.click("Option1", 7);
  EXPECT_FALSE(o.ctl("Option1", 6).get("Value").to_bool());
  EXPECT_TRUE(o.ctl("Option1", 7).get("Value").to_bool());
  o.ctl("Option1", 7).set_value(false);
  EXPECT_FALSE(o.ctl("Option1", 6).get("Value").to_bool());
  EXPECT_FALSE(o.ctl("Option1", 7).get("Value").to_bool());
  o.click("Check2");
  EXPECT_EQ(o.ctl("Check2").value(), 1);
  o.ctl("Check2").set_value(2);
  EXPECT_EQ(o.ctl("Check2").value(), 2);
}

TEST_F(FormsTest, GraphicalButtonShowsItsPicture) {
  QImage red(16, 16, QImage::Format_ARGB32);
  red.fill(Qt::red);
  register_picture("test:red", red);
  Pictured& p = form<Pictured>();
  auto icon = [&](const char* n) { return static_cast<QPushButton*>(p.ctl(n).widget())->icon(); };
  EXPECT_FALSE(icon("Command1").isNull());
  EXPECT_TRUE(icon("Command2").isNull());  // a standard button shows no picture
  p.ctl("Command2").set("Style", 1);
  EXPECT_FALSE(icon("Command2").isNull());
  p.ctl("Command1").set("Picture", "");
  EXPECT_TRUE(icon("Command1").isNull());
}

TEST_F(FormsTest, MenuShortcutsComeBeforeATextFieldsOwnKeys) {
  Sample& s = form<Sample>();
  s.Show();
  QWidget* text = s.ctl("Text1").widget();
  s.window()->activateWindow();
  text->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
  // Del is a menu item's shortcut; a text field would take it for itself
  QTest::keyClick(text, Qt::Key_Delete);
  EXPECT_EQ(s.exits, 1);
  QTest::keyClick(text, Qt::Key_X);  // plain keys still go to the field
  EXPECT_EQ(s.ctl("Text1").text(), "x");
}

TEST_F(FormsTest, WindowWithoutBorderHasNoTitleBar) {
  Opts& o = form<Opts>();
  EXPECT_FALSE(o.window()->windowFlags().testFlag(Qt::FramelessWindowHint));
  o.self().set("BorderStyle", 0);
  o.Show();
  EXPECT_TRUE(o.window()->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(o.window()->isVisible());
}

TEST_F(FormsTest, ResizingAWindowRaisesItsResizeEvent) {
  Sample& s = form<Sample>();
  int resizes = 0;
  s.on("Form", Event::Resize, [&](EventArgs&) { ++resizes; });
  s.Show();
  s.form_window()->resize(600, 500);
  QApplication::processEvents();
  EXPECT_GE(resizes, 1);
  EXPECT_EQ(s.self().get("ScaleWidth").to_int(), 600 * 15);
}

// A guard or a dialog disables the window it opens from; the window it
// opens then stays above that one, and the disabled window, clicked, hands
// the activation on to it.
TEST_F(FormsTest, WindowOpenedWhileItsOpenerIsDisabledStaysAboveIt) {
  Sample& s = form<Sample>();
  s.Show();
  Opts& other = form<Opts>();  // shown, but disabled earlier than the opener
  other.Show();
  other.set_enabled(false);
  s.set_enabled(false);
  Dlg& d = form<Dlg>();
  d.Show();
  EXPECT_EQ(owner_of(d), handle(s));
  EXPECT_EQ(d.window()->windowType(), Qt::Dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(d.window()));
  s.window()->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(d.window()));
  // Above every window of the program, which stays usable, while the program is in use.
  EXPECT_TRUE(d.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(other.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

  // With every window enabled again, a window opens on its own.
  unload_form(Dlg::kName);
  QApplication::processEvents();
  s.set_enabled(true);
  other.set_enabled(true);
  Dlg& again = form<Dlg>();
  again.Show();
  EXPECT_EQ(owner_of(again), nullptr);
  EXPECT_EQ(again.window()->windowType(), Qt::Window);
  EXPECT_FALSE(again.window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// A message box, like a dialog a window waits for, stays above the
// program's windows while the program is in use, and lets another program's
// window come over it while that one is active.
TEST_F(FormsTest, MessageBoxesAndDialogsStayAboveOnlyWhileTheProgramIsInUse) {
  Sample& s = form<Sample>();
  s.Show();
  s.SetFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
  s.set_enabled(false);
  Dlg& d = form<Dlg>();
  d.Show();
  auto on_top = [](QWidget* w) { return w->windowFlags().testFlag(Qt::WindowStaysOnTopHint); };
  std::vector<std::pair<bool, bool>> seen;  // (message box, dialog) at each step
  QTimer::singleShot(0, [&] {
    QMessageBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
    if (!box) return;
    seen.emplace_back(on_top(box), on_top(d.window()));
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);  // another program is activated
    seen.emplace_back(on_top(box), on_top(d.window()));
    emit qApp->applicationStateChanged(Qt::ApplicationActive);  // and the program again
    seen.emplace_back(on_top(box), on_top(d.window()));
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(d.window()->isVisible());
    box->accept();
  });
  set_services(nullptr);  // the real message box
  message_box("Aginduaren simulazioa amaitu da", vbInformation, "Agindua simulatzen");
  set_services(&clock);
  using P = std::pair<bool, bool>;
  EXPECT_EQ(seen, (std::vector<P>{P(true, true), P(false, false), P(true, true)}));
}

// A window without a title bar could not be brought back from behind
// another: it stays above the window that was active when it opened.
TEST_F(FormsTest, WindowWithoutTitleBarStaysAboveTheActiveWindow) {
  Sample& s = form<Sample>();
  s.Show();
  s.SetFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(s.window()));
  Bare& b = form<Bare>();
  b.Show();
  EXPECT_EQ(owner_of(b), handle(s));
  EXPECT_TRUE(b.window()->windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST_F(FormsTest, WindowOpensCentredOnTheMainWindowWhollyOnScreenOrWhereItsLayoutSays) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  Dlg& alone = form<Dlg>();  // no main window yet: centred on the screen
  alone.Show();
  EXPECT_LE((alone.window()->frameGeometry().center() - screen.center()).manhattanLength(), 30);
  unload_form(Dlg::kName);

  set_main_form(Sample::kName);
  Sample& s = form<Sample>();
  s.Show();
  s.form_window()->move(screen.topLeft() + QPoint(40, 30));
  Dlg& d = form<Dlg>();
  d.Show();
  EXPECT_TRUE(screen.contains(d.window()->frameGeometry()));
  EXPECT_LE((d.window()->frameGeometry().center() - s.window()->frameGeometry().center()).manhattanLength(), 30);

  Big& big = form<Big>();  // larger than the screen: its top left on the screen
  big.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(big.window()));
  EXPECT_EQ(big.window()->frameGeometry().topLeft(), screen.topLeft());

  Placed& p = form<Placed>();
  p.Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(p.window()));
  EXPECT_EQ(p.window()->frameGeometry().topLeft(), QPoint(100, 50));
}

// A window is placed before the window manager frames it, so its client's
// place is asked for: inside the frame it is to have, which stands wholly on
// the screen's available area, title bar included (top left first when it
// is larger).
TEST_F(FormsTest, APlacedWindowsClientStandsInsideAFrameWhollyOnTheScreen) {
  const QMargins title_bar(1, 20, 1, 5);  // as a window manager frames a window
  struct Case {
    const char* what;
    QRect avail;
    QPoint frame_at;
    QSize client;
    QPoint client_at;
  };
  const Case cases[] = {
      {"where it is put", {0, 0, 1024, 768}, {100, 50}, {400, 300}, {101, 70}},
      {"nearly the screen's height", {0, 0, 1024, 768}, {3, 3}, {1016, 736}, {4, 23}},
      {"above the screen", {0, 0, 1024, 768}, {-40, -10}, {400, 300}, {1, 20}},
      {"past the bottom right", {0, 0, 1024, 768}, {900, 700}, {200, 100}, {823, 663}},
      {"taller than the screen", {0, 0, 1024, 768}, {3, 3}, {1016, 760}, {4, 20}},
      {"larger than the screen", {0, 0, 1024, 768}, {50, 50}, {2000, 1500}, {1, 20}},
      {"below a panel", {0, 30, 1280, 994}, {100, 0}, {400, 300}, {101, 50}},
  };
  for (const Case& k : cases) {
    const QPoint at = placed_client(k.avail, k.frame_at, k.client, title_bar);
    EXPECT_EQ(at, k.client_at) << k.what;
    const QRect frame = QRect(at, k.client).marginsAdded(title_bar);
    EXPECT_GE(frame.top(), k.avail.top()) << k.what;
    EXPECT_GE(frame.left(), k.avail.left()) << k.what;
    if (frame.height() <= k.avail.height()) {
      EXPECT_TRUE(k.avail.contains(frame)) << k.what;
    }
  }
}

// WindowState follows the window system: after the user restores a
// maximised window it reads 0, and the window's code hears of it as a resize.
TEST_F(FormsTest, WindowStateTellsTheWindowsRealState) {
  Sample& s = form<Sample>();
  std::vector<int> states_seen;
  s.on("Form", Event::Resize, [&](EventArgs&) { states_seen.push_back(s.window_state()); });
  s.set_window_state(2);
  s.Show();
  EXPECT_TRUE(s.window()->isMaximized());
  EXPECT_EQ(s.window_state(), 2);
  states_seen.clear();
  PropertyLog::start();
  s.window()->setWindowState(Qt::WindowNoState);  // as the window manager does it
  QApplication::processEvents();
  EXPECT_EQ(s.window_state(), 0);
  ASSERT_FALSE(states_seen.empty());
  EXPECT_EQ(states_seen.front(), 0);
  EXPECT_TRUE(PropertyLog::writes().empty());  // the program wrote nothing
  PropertyLog::stop();
  s.window()->setWindowState(Qt::WindowMinimized);
  EXPECT_EQ(s.window_state(), 1);
}

namespace {

// A window for the keyboard: a drop-down combo box, a text box, an option
// group of three in a frame, a check box and two command buttons.
class Keys : public Form {
 public:
  static constexpr const char* kName = "Keys";
  Keys()
      : Form(kName, {
                        {"Keys", -1, Kind::Form, "", -1, {0, 0, 3600, 3000}, "Teklak", {}},
                        {"Combo1", -1, Kind::ComboBox, "", -1, {100, 100, 3000, 315}, "", {}},
                        {"Frame1", -1, Kind::Frame, "", -1, {100, 500, 3000, 1300}, "Mota", {}},
                        {"Option1", 8, Kind::OptionButton, "Frame1", -1, {100, 300, 2000, 255}, "a", {{"Value", true}}},
                        {"Option1", 7, Kind::OptionButton, "Frame1", -1, {100, 600, 2000, 255}, "b", {}},
                        {"Option1", 6, Kind::OptionButton, "Frame1", -1, {100, 900, 2000, 255}, "c", {}},
                        {"Check2", -1, Kind::CheckBox, "", -1, {100, 1900, 2000, 255}, "z", {}},
                        {"Command1", -1, Kind::CommandButton, "", -1, {100, 2300, 1200, 375}, "&Onartu", {}},
                        {"Command2", -1, Kind::CommandButton, "", -1, {1400, 2300, 1200, 375}, "&Ez", {}},
                    }) {
    on("Command1", Event::Click, [this](EventArgs&) { seen.push_back("Onartu:" + ctl("Combo1").text()); });
    on("Command2", Event::Click, [this](EventArgs&) { seen.push_back("Ez"); });
    on("Option1", Event::Click, [this](EventArgs& a) { seen.push_back("Option1(" + std::to_string(a.index) + ")"); });
    on("Check2", Event::Click, [this](EventArgs&) { seen.push_back("Check2"); });
  }
  void Form_Load() override {
    for (const char* s : {"2", "20", "21", "  BEQ:     BEQ ri, etiketa"}) ctl("Combo1").add_item(s);
  }
  std::vector<std::string> seen;
};

class KeysTest : public FormsTest {
 protected:
  Keys& open() {
    Keys& k = form<Keys>();
    k.Show();
    k.SetFocus();
    EXPECT_TRUE(QTest::qWaitForWindowActive(k.window()));
    return k;
  }
  static QWidget* focused() { return QApplication::focusWidget(); }
  static QWidget* widget(Keys& k, const char* name, int index = -1) { return k.ctl(name, index).widget(); }
  // The control whose widget has the focus (a combo box's field counts as the box).
  static std::string focus_name(Keys& k) {
    for (QWidget* w = focused(); w; w = w->parentWidget())
      for (auto& c : k.controls())
        if (c->widget() == w) return c->name() + (c->index() >= 0 ? "(" + std::to_string(c->index()) + ")" : "");
    return "?";
  }
};

}  // namespace

// The combo box completes nothing: it shows what was typed, which is what its
// Text holds, also after a click elsewhere takes the focus from it.
TEST_F(KeysTest, ComboBoxShowsExactlyWhatItsTextHolds) {
  Keys& k = open();
  auto* box = static_cast<QComboBox*>(widget(k, "Combo1"));
  ASSERT_EQ(focus_name(k), "Combo1");
  for (const char* typed : {"2", "  B"}) {
    box->lineEdit()->clear();
    QTest::keyClicks(focused(), typed);
    EXPECT_EQ(k.ctl("Combo1").text(), typed);
    EXPECT_EQ(box->lineEdit()->text().toStdString(), typed);
    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_EQ(box->lineEdit()->text().toStdString(), typed);
    QTest::mouseClick(widget(k, "Command1"), Qt::LeftButton);
    EXPECT_EQ(box->lineEdit()->text().toStdString(), typed);
    EXPECT_EQ(k.seen.back(), std::string("Onartu:") + typed);
    box->setFocus();
  }
  // A choice from the list is stored as listed.
  QTest::keyClick(focused(), Qt::Key_Down);
  EXPECT_EQ(k.ctl("Combo1").text(), box->lineEdit()->text().toStdString());
  EXPECT_EQ(k.ctl("Combo1").list_index(), box->currentIndex());
}

// The focused command button takes Return and the keypad's Enter as it takes
// Space; Escape does nothing.
TEST_F(KeysTest, EnterPressesTheFocusedCommandButton) {
  Keys& k = open();
  widget(k, "Command2")->setFocus();
  QTest::keyClick(focused(), Qt::Key_Return);
  QTest::keyClick(focused(), Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClick(focused(), Qt::Key_Space);
  QTest::keyClick(focused(), Qt::Key_Escape);
  EXPECT_EQ(k.seen, (std::vector<std::string>{"Ez", "Ez", "Ez"}));
  EXPECT_TRUE(k.window()->isVisible());
  // A held Enter presses it once.
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
  QApplication::sendEvent(focused(), &repeat);
  EXPECT_EQ(k.seen.size(), 3u);
  // The access key still presses its button from anywhere in the window.
  widget(k, "Check2")->setFocus();
  QTest::keyClick(focused(), Qt::Key_O, Qt::AltModifier);
  QTest::qWait(200);  // an access key presses its button as a short animation
  EXPECT_EQ(k.seen.back(), "Onartu:");
}

// Tab and Shift+Tab pass a control whose TabStop is False, and take it
// again once it is True; a click still focuses it. A window that holds the
// focus itself gives Return to no control, and Tab to its first stop.
TEST_F(KeysTest, TabPassesAControlThatIsNoTabStop) {
  Keys& k = open();
  auto tab = [&](bool back = false) {
    QTest::keyClick(focused(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    return focus_name(k);
  };
  k.ctl("Check2").set("TabStop", false);
  EXPECT_EQ(tab(), "Option1(8)");
  EXPECT_EQ(tab(), "Command1");
  EXPECT_EQ(tab(true), "Option1(8)");
  QTest::mouseClick(widget(k, "Check2"), Qt::LeftButton);
  EXPECT_EQ(focus_name(k), "Check2");
  EXPECT_EQ(tab(), "Command1");
  k.ctl("Check2").set("TabStop", true);
  EXPECT_EQ(tab(true), "Check2");

  k.focus_itself();
  EXPECT_EQ(focused(), k.window());
  k.seen.clear();
  QTest::keyClick(focused(), Qt::Key_Return);
  QTest::keyClick(focused(), Qt::Key_Space);
  EXPECT_TRUE(k.seen.empty());
  EXPECT_EQ(tab(), "Combo1");
}

// A control disabled or hidden under the focus leaves it waiting on the
// window, where Space and Return press nothing (Qt would give it to the next
// control), and gets it back when it is offered again; unless the user has
// put the focus elsewhere meanwhile. A window disabled and enabled again (a
// dialog came and went) keeps its focus, and gives the waiting focus on.
TEST_F(KeysTest, AControlDisabledUnderTheFocusGetsItBackWhenOfferedAgain) {
  Keys& k = open();
  // "&Ez" disables itself when pressed, as a clock-pulse button does.
  k.on("Command2", Event::Click, [&k](EventArgs&) {
    k.seen.push_back("Ez");
    k.ctl("Command2").set_enabled(false);
  });
  auto press = [&](Qt::Key key) {
    QTest::keyClick(focused(), key);
    return k.seen.size();
  };
  widget(k, "Command2")->setFocus();
  EXPECT_EQ(press(Qt::Key_Space), 1u);
  EXPECT_EQ(focused(), k.window());
  EXPECT_EQ(press(Qt::Key_Space), 1u);
  EXPECT_EQ(press(Qt::Key_Return), 1u);
  k.ctl("Command2").set_enabled(true);
  EXPECT_EQ(focus_name(k), "Command2");
  EXPECT_EQ(press(Qt::Key_Space), 2u);

  // Offered while the window is disabled: the focus goes back once it is enabled.
  k.set_enabled(false);
  k.ctl("Command2").set_enabled(true);
  k.set_enabled(true);
  EXPECT_EQ(focus_name(k), "Command2");

  // Hidden under the focus, then shown.
  widget(k, "Command1")->setFocus();
  k.ctl("Command1").set_visible(false);
  EXPECT_EQ(focused(), k.window());
  k.ctl("Command1").set_visible(true);
  EXPECT_EQ(focus_name(k), "Command1");

  // Inside a container that is disabled, then enabled.
  QTest::keyClick(focused(), Qt::Key_Tab, Qt::ShiftModifier);
  QTest::keyClick(focused(), Qt::Key_Tab, Qt::ShiftModifier);
  ASSERT_EQ(focus_name(k), "Option1(8)");
  k.ctl("Frame1").set_enabled(false);
  EXPECT_EQ(focused(), k.window());
  k.ctl("Frame1").set_enabled(true);
  EXPECT_EQ(focus_name(k), "Option1(8)");
  widget(k, "Command1")->setFocus();

  // Put elsewhere meanwhile: it stays there.
  EXPECT_EQ(press(Qt::Key_Return), 3u);
  k.ctl("Command1").set_enabled(false);
  EXPECT_EQ(focused(), k.window());
  QTest::keyClick(focused(), Qt::Key_Tab);
  EXPECT_EQ(focus_name(k), "Combo1");
  k.ctl("Command1").set_enabled(true);
  EXPECT_EQ(focus_name(k), "Combo1");

  // A window disabled and enabled again keeps the focus it had.
  widget(k, "Check2")->setFocus();
  k.set_enabled(false);
  k.set_enabled(true);
  EXPECT_EQ(focus_name(k), "Check2");
  k.focus_itself();
  k.set_enabled(false);
  k.set_enabled(true);
  EXPECT_EQ(focused(), k.window());
  // The control it had disabled meanwhile: the focus waits on the window.
  widget(k, "Check2")->setFocus();
  k.set_enabled(false);
  k.ctl("Check2").set_enabled(false);
  k.set_enabled(true);
  EXPECT_EQ(focused(), k.window());
  k.ctl("Check2").set_enabled(true);
  EXPECT_EQ(focus_name(k), "Check2");

  // A waiting focus handed to another control goes to it when it is offered.
  widget(k, "Command2")->setFocus();
  EXPECT_EQ(press(Qt::Key_Space), 4u);
  k.ctl("Command1").set_enabled(false);
  k.pass_waiting_focus(k.ctl("Command2"), k.ctl("Command1"));
  EXPECT_EQ(focused(), k.window());
  k.ctl("Command2").set_enabled(true);
  EXPECT_EQ(focused(), k.window());
  k.ctl("Command1").set_enabled(true);
  EXPECT_EQ(focus_name(k), "Command1");
}

// An option group is one Tab stop, at its selected button; an arrow moves to
// the next button of the group, round and past a disabled one, and selects
// it, raising its Click as a mouse click does.
TEST_F(KeysTest, ArrowsSelectInAnOptionGroupThatIsOneTabStop) {
  Keys& k = open();
  auto tab = [&](bool back = false) {
    QTest::keyClick(focused(), Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
    return focus_name(k);
  };
  EXPECT_EQ(tab(), "Option1(8)");
  EXPECT_EQ(tab(), "Check2");
  EXPECT_EQ(tab(true), "Option1(8)");
  EXPECT_EQ(tab(true), "Combo1");

  EXPECT_EQ(tab(), "Option1(8)");
  QTest::keyClick(focused(), Qt::Key_Down);
  EXPECT_EQ(focus_name(k), "Option1(7)");
  EXPECT_TRUE(k.ctl("Option1", 7).get("Value").to_bool());
  EXPECT_FALSE(k.ctl("Option1", 8).get("Value").to_bool());
  EXPECT_EQ(k.seen, (std::vector<std::string>{"Option1(7)"}));
  EXPECT_EQ(tab(), "Check2");
  EXPECT_EQ(tab(true), "Option1(7)");  // the stop moved with the choice
  QTest::keyClick(focused(), Qt::Key_Right);
  QTest::keyClick(focused(), Qt::Key_Down);  // round to the first
  EXPECT_EQ(focus_name(k), "Option1(8)");
  QTest::keyClick(focused(), Qt::Key_Up);  // round back to the last
  EXPECT_EQ(focus_name(k), "Option1(6)");
  EXPECT_EQ(k.seen, (std::vector<std::string>{"Option1(7)", "Option1(6)", "Option1(8)", "Option1(6)"}));

  k.ctl("Option1", 8).set_enabled(false);
  QTest::keyClick(focused(), Qt::Key_Down);  // past the disabled one
  EXPECT_EQ(focus_name(k), "Option1(7)");
  EXPECT_TRUE(k.ctl("Option1", 7).get("Value").to_bool());
  for (int i : {8, 6}) EXPECT_FALSE(k.ctl("Option1", i).get("Value").to_bool()) << i;

  // A mouse click selects and raises Click once; code may still clear the group.
  k.seen.clear();
  QWidget* c = widget(k, "Option1", 6);
  QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));  // on its circle
  EXPECT_EQ(k.seen, (std::vector<std::string>{"Option1(6)"}));
  EXPECT_TRUE(static_cast<QRadioButton*>(widget(k, "Option1", 6))->isChecked());
  EXPECT_FALSE(static_cast<QRadioButton*>(widget(k, "Option1", 7))->isChecked());
  k.ctl("Option1", 6).set_value(false);
  widget(k, "Combo1")->setFocus();
  EXPECT_EQ(tab(), "Option1(7)");  // none selected: the first that takes the focus

  // A click as the user would, selected or not, raises one Click.
  k.seen.clear();
  k.click("Option1", 7);
  k.click("Option1", 7);
  k.click("Check2");
  QTest::mouseClick(widget(k, "Check2"), Qt::LeftButton, {}, QPoint(6, widget(k, "Check2")->height() / 2));
  EXPECT_EQ(k.seen, (std::vector<std::string>{"Option1(7)", "Option1(7)", "Check2", "Check2"}));
  EXPECT_EQ(k.ctl("Check2").value(), 0);
}

namespace {
// A status bar at the bottom with a button standing over it, and one above it.
class Barred : public Form {
 public:
  static constexpr const char* kName = "Barred";
  Barred()
      : Form(kName, {
                        {"Barred", -1, Kind::Form, "", -1, {0, 0, 3000, 1500}, "Barra", {}},
                        {"StatusBar1", -1, Kind::StatusBar, "", -1, {0, 1185, 3000, 315}, "", {{"Panels.Count", 2}}},
                        {"Command2", 0, Kind::CommandButton, "", -1, {2400, 1200, 255, 270}, "+", {}},
                        {"Command1", -1, Kind::CommandButton, "", -1, {150, 600, 1200, 375}, "&Onartu", {}},
                        {"Text1", -1, Kind::TextBox, "", -1, {1500, 150, 1200, 300}, "", {}},
                    }) {}
};
}  // namespace

// A control standing over a bottom-aligned bar stays on it, in front of it,
// at every size of the window; the others keep their place.
TEST_F(FormsTest, AControlStandingOverABottomBarFollowsIt) {
  Barred& b = form<Barred>();
  b.Show();
  QWidget* client = b.form_window()->client();
  QWidget* bar = b.ctl("StatusBar1").widget();
  QWidget* plus = b.ctl("Command2", 0).widget();
  QWidget* ok = b.ctl("Command1").widget();
  for (const QSize size : {QSize(200, 100), QSize(400, 300), QSize(640, 480), QSize(200, 90)}) {
    b.form_window()->resize(size);
    QApplication::processEvents();
    EXPECT_TRUE(bar->geometry().contains(plus->geometry())) << size.width() << "x" << size.height();
    EXPECT_EQ(client->childAt(plus->geometry().center()), plus) << size.width() << "x" << size.height();
    EXPECT_EQ(plus->x(), 160);
    EXPECT_EQ(ok->geometry(), QRect(10, 40, 80, 25));
  }
  // Moved by code, it stays on the bar.
  b.ctl("Command2", 0).set("Left", 2700);
  EXPECT_EQ(plus->x(), 180);
  EXPECT_TRUE(bar->geometry().contains(plus->geometry()));
  EXPECT_EQ(b.ctl("Command2", 0).get("Top").to_int(), 1200);
}

// What stands over a bar is decided by the layout: a control that the
// program sizes or moves into the bar's band (as a window stretches a control
// down to its bar) keeps the box it is given, and one moved off the bar
// stays where it was put, at every size of the window.
TEST_F(FormsTest, AControlTheProgramPutsIntoABottomBarsBandKeepsItsBox) {
  Barred& b = form<Barred>();
  b.Show();
  Control& text = b.ctl("Text1");
  Control& plus = b.ctl("Command2", 0);
  struct Case {
    const char* what;
    Control& c;
    Box box;  // twips, set at run time
  };
  const Case cases[] = {
      {"sized down to the bar's bottom", text, {1500, 150, 1200, 1350}},
      {"sized into the band", text, {1500, 150, 1200, 1110}},
      {"moved into the band", text, {1500, 1200, 1200, 300}},
      {"moved off the bar", plus, {2400, 150, 255, 270}},
  };
  for (const Case& k : cases) {
    k.c.set("Left", k.box.left);
    k.c.set("Top", k.box.top);
    k.c.set("Width", k.box.width);
    k.c.set("Height", k.box.height);
    const QRect given(k.box.left / 15, k.box.top / 15, k.box.width / 15, k.box.height / 15);
    for (const QSize size : {QSize(400, 300), QSize(640, 480), QSize(200, 100)}) {
      b.form_window()->resize(size);
      QApplication::processEvents();
      EXPECT_EQ(k.c.widget()->geometry(), given) << k.what << " at " << size.width() << "x" << size.height();
    }
  }
}
