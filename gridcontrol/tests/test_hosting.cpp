// The grid hosted in a window of the forms layer, as the simulator hosts it.
#include <QApplication>
#include <QWidget>
#include <gtest/gtest.h>

#include "gridcontrol/nadrel_ids.h"
#include "platform/com/control.h"
#include "platform/com/errors.h"
#include "platform/forms/form.h"
#include "platform/forms/hosted.h"
#include "platform/forms/virtual_services.h"

using namespace plat;
using plat::com::Variant;
namespace id = nadrel::dispid;

namespace {

class GridWindow : public Form {
 public:
  static constexpr const char* kName = "GridWindow";
  GridWindow()
      : Form(kName, {{"GridWindow", -1, Kind::Form, "", -1, {0, 0, 6000, 4000}, "Sareta", {}},
                     {"Frame1", -1, Kind::Frame, "", -1, {120, 120, 5700, 3700}, "Markoa", {}},
                     {"Nadrel3", 0, Kind::Hosted, "Frame1", -1, {120, 240, 5400, 3300}, nadrel::kClassName, {}},
                     {"Nadrel9", -1, Kind::Hosted, "", -1, {0, 0, 600, 600}, "Ez.Dago", {}}}) {
    on_object_event("Nadrel3", nadrel::event::AfterAddRow, [this](int index, std::span<Variant>) {
      ++added;
      sender = index;
    });
  }
  int added = 0;
  int sender = -2;
};

class Hosting : public ::testing::Test {
 protected:
  void TearDown() override {
    unload_all_forms();
    QApplication::processEvents();
  }
  VirtualServices clock;
};

}  // namespace

TEST_F(Hosting, WindowCreatesItsGridByClassNameAndCallsItLateBound) {
  GridWindow& w = form<GridWindow>();
  Control& grid = w.ctl("Nadrel3", 0);
  ASSERT_EQ(hosted_error(grid), "");
  com::Dispatch& g = object(grid);
  g.let(id::TextMatrix, {1, 2, "bil1"});
  EXPECT_EQ(g.get(id::TextMatrix, {1, 2}).to_string(), "bil1");
  // the grid's widget sits in its frame at the layout's place
  QWidget* widget = grid.widget();
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->parentWidget(), w.ctl("Frame1").widget());
  EXPECT_EQ(widget->geometry(), QRect(8, 16, 360, 220));
  // the extender answers from the layer's own properties
  EXPECT_EQ(g.get(com::kExtName).to_string(), "Nadrel3");
  EXPECT_EQ(g.get(com::kExtIndex).to_i4(), 0);
  EXPECT_EQ(g.get(com::kExtWidth).to_i4(), 360);
  g.let(com::kExtVisible, {false});
  EXPECT_FALSE(grid.visible());
}

TEST_F(Hosting, EventsReachTheWindowsHandlerWithTheSendersIndex) {
  GridWindow& w = form<GridWindow>();
  object(w.ctl("Nadrel3", 0)).call(id::AddItem, {"a"});
  EXPECT_EQ(w.added, 1);
  EXPECT_EQ(w.sender, 0);
}

TEST_F(Hosting, UnknownClassGivesAClearErrorNotACrash) {
  GridWindow& w = form<GridWindow>();
  Control& missing = w.ctl("Nadrel9");
  EXPECT_NE(hosted_error(missing).find("Ez.Dago"), std::string::npos);
  EXPECT_EQ(component(missing), nullptr);
  try {
    object(missing);
    FAIL() << "no object expected";
  } catch (const com::RuntimeError& e) {
    EXPECT_EQ(e.number, 91);
  }
}
