#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "gridcontrol/nadrel_ids.h"
#include "platform/forms/form.h"
#include "platform/forms/virtual_services.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

using namespace brendalo;
namespace d = nadrel::dispid;

TEST(GridGuard, NoTextIsTypedIntoAGridCell) {
  plat::VirtualServices clock;
  Nagusia& n = plat::form<Nagusia>();
  Load_control_memory();
  Show_control_memory_main();
  Grid g = Nagusia_Nadrel1();
  const std::string before = g.TextMatrix(2, 3);
  g.object().let(d::Row, {2});
  g.object().let(d::Col, {3});
  QWidget* cells = n.ctl("Nadrel1").widget()->findChild<QWidget*>("picGrid");
  ASSERT_NE(cells, nullptr);
  QTest::keyClick(cells, 'a');
  QTest::keyClick(cells, Qt::Key_Return);
  QLineEdit* editor = n.ctl("Nadrel1").widget()->findChild<QLineEdit*>("txtEdit");
  EXPECT_TRUE(editor == nullptr || editor->isHidden());
  EXPECT_EQ(g.TextMatrix(2, 3), before);
  plat::unload_all_forms();
  QApplication::processEvents();
  plat::reset_program_end();
}
