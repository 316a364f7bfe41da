// The control placed in a window of the forms layer, as a host places it.
#include <QApplication>

#include "listviewcolor/tests/ombrelis_fixture.h"
#include "platform/forms/form.h"
#include "platform/forms/hosted.h"
#include "platform/forms/units.h"
#include "platform/forms/virtual_services.h"

namespace {

class ListWindow : public plat::Form {
 public:
  static constexpr const char* kName = "ListWindow";
  ListWindow()
      : Form(kName, {{"ListWindow", -1, plat::Kind::Form, "", -1, {0, 0, 4000, 3000}, "Zerrenda", {}},
                     {"Ombrelis1", -1, plat::Kind::Hosted, "", -1, {120, 120, 1200, 900}, ombrelis::kClassName,
                      {{"Properties", "BackColor = &H00C0FFFF\n"}}}}) {}
};

}  // namespace

TEST(OmbrelisHosting, AWindowCreatesItByClassNameWithItsSavedPropertiesAndItsOwnSize) {
  plat::VirtualServices clock;
  ListWindow& w = plat::form<ListWindow>();
  plat::Control& c = w.ctl("Ombrelis1");
  ASSERT_EQ(plat::hosted_error(c), "");
  plat::com::Dispatch& o = plat::object(c);
  EXPECT_EQ(o.get(ombrelistest::d::BackColor).to_color(), 0xC0FFFFu);
  EXPECT_EQ(o.get(ombrelistest::d::ForeColor).to_color(), 0x80000012u);
  // The layout asked 1200 x 900 twips: the control keeps 500 x 500, in the
  // window's own twips, and again when the window asks for another size.
  EXPECT_EQ(c.widget()->size(), QSize(plat::px(500), plat::px(500)));
  EXPECT_EQ(c.width(), 500);
  EXPECT_EQ(c.height(), 500);
  w.Show();
  c.set("Width", 3000);
  o.let(plat::com::kExtHeight, {plat::com::Variant(90)});
  EXPECT_EQ(c.width(), 500);
  EXPECT_EQ(c.height(), 500);
  EXPECT_EQ(c.widget()->size(), QSize(plat::px(500), plat::px(500)));
  EXPECT_EQ(c.left(), 120);
  plat::unload_all_forms();
  QApplication::processEvents();
}
