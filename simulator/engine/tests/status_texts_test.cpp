#include <QApplication>
#include <gtest/gtest.h>

#include "platform/comctl/comctl.h"
#include "platform/forms/form.h"
#include "platform/forms/proplog.h"
#include "platform/forms/virtual_services.h"
#include "simulator/engine/status_texts.h"

using namespace brendalo;

namespace {

const char* const kOrder[] = {"Nagusia", "ASM", "PU", "MNetaEM", "Aginduenformatua", "Birprogramatumikroagindua",
                              "Laguntza_edukia"};

class StatusTexts : public ::testing::Test {
 protected:
  void TearDown() override {
    plat::PropertyLog::stop();
    plat::unload_all_forms();
    QApplication::processEvents();
    plat::reset_program_end();
  }
  plat::VirtualServices clock;
};

}  // namespace

TEST_F(StatusTexts, ReachAllSevenWindowsInOrderLoadingThemHidden) {
  plat::unload_all_forms();
  plat::PropertyLog::start();
  Set_status_texts("001001", "Agindua: add rh, ri1, ri2");
  plat::PropertyLog::stop();

  for (const char* name : kOrder) {
    plat::Form* f = plat::loaded_form(name);
    ASSERT_NE(f, nullptr) << name;
    EXPECT_FALSE(f->visible()) << name;
    EXPECT_EQ(plat::panel_text(f->ctl("StatusBar1"), 2), "001001") << name;
    EXPECT_EQ(plat::panel_text(f->ctl("StatusBar1"), 3), "Agindua: add rh, ri1, ri2") << name;
  }
  // The windows' own loads write properties too; the panels are what counts here.
  std::vector<plat::PropWrite> w;
  for (const auto& pw : plat::PropertyLog::writes())
    if (pw.control == "StatusBar1") w.push_back(pw);
  ASSERT_EQ(w.size(), 14u);
  for (size_t i = 0; i < 14; ++i) {
    EXPECT_EQ(w[i].form, kOrder[i % 7]) << i;
    EXPECT_EQ(w[i].control, "StatusBar1");
    EXPECT_EQ(w[i].property, i < 7 ? "Panels(2).Text" : "Panels(3).Text") << i;
  }
}

TEST_F(StatusTexts, EmptyTextsClearPanelsTwoAndThree) {
  Set_status_texts("001001", "Agindua: add rh, ri1, ri2");
  Set_status_texts("", "");
  for (const char* name : kOrder) {
    plat::Control& bar = plat::loaded_form(name)->ctl("StatusBar1");
    EXPECT_EQ(plat::panel_text(bar, 2), "");
    EXPECT_EQ(plat::panel_text(bar, 3), "");
  }
}

TEST_F(StatusTexts, PanelFollowsTheGivenOrder) {
  const std::array<StatusWindow, 7> panel5_order = {
      StatusWindow::Nagusia, StatusWindow::PU, StatusWindow::ASM, StatusWindow::MNetaEM,
      StatusWindow::Aginduenformatua, StatusWindow::Birprogramatumikroagindua, StatusWindow::Laguntza_edukia};
  Set_status_panel(5, "11''");  // loads them all first
  plat::PropertyLog::start();
  Set_status_panel(5, "12''", panel5_order);
  plat::PropertyLog::stop();
  const auto& w = plat::PropertyLog::writes();
  ASSERT_EQ(w.size(), 7u);
  EXPECT_EQ(w[1].form, "PU");
  EXPECT_EQ(w[2].form, "ASM");
}
