// A program's window holding a list view and an Ombrelis side by side, both
// from its layout; a handler binds them and colours eight of the twelve lines.
#include <QApplication>
#include <QTreeWidget>
#include <cstdio>
#include <string>

#include "listviewcolor/tests/ombrelis_fixture.h"
#include "platform/comctl/comctl.h"
#include "platform/forms/form.h"
#include "platform/forms/hosted.h"
#include "platform/forms/render.h"
#include "platform/forms/units.h"
#include "platform/forms/virtual_services.h"
#include "platform/gdi/colors.h"

namespace {

using plat::Kind;

constexpr uint32_t kBack = 0xC0FFFF, kFore = 0x800000;  // light yellow, dark blue

class Erregistroak : public plat::Form {
 public:
  static constexpr const char* kName = "Erregistroak";
  Erregistroak()
      : Form(kName, {{kName, -1, Kind::Form, "", -1, {0, 0, 6360, 3960}, "Erregistroak", {}},
                     {"ListView1", -1, Kind::ListView, "", -1, {120, 120, 5160, 3720}, "", {}},
                     {"Ombrelis1", -1, Kind::Hosted, "", -1, {5400, 120, 500, 500}, ombrelis::kClassName,
                      {{"Properties", "BackColor = &H00C0FFFF\nForeColor = &H00800000\n"}}},
                     {"Command1", -1, Kind::CommandButton, "", -1, {5400, 720, 840, 375}, "Margotu", {}}}) {
    on("Command1", plat::Event::Click, [this](plat::EventArgs&) { Command1_Click(); });
  }

 protected:
  void Form_Load() override {
    plat::Control& list = ctl("ListView1");
    plat::add_list_column(list, "Erreg", 900);
    plat::add_list_column(list, "Edukia (osoz)", 1500);
    plat::add_list_column(list, "Edukia (bitarrez)", 2400);
    for (int r = 0; r < 12; ++r) {
      const int value = r * r * 37;
      std::string bits;
      for (int b = 15; b >= 0; --b) bits += (value >> b) & 1 ? '1' : '0';
      const int line = plat::add_list_item(list, "r" + std::to_string(r));
      plat::set_list_subitem(list, line, 1, std::to_string(value));
      plat::set_list_subitem(list, line, 2, bits);
    }
  }

 private:
  // The list and the window's handle given to the control: three lines.
  void Command1_Click() {
    plat::com::Dispatch& colours = plat::object(ctl("Ombrelis1"));
    colours.set(ombrelis::dispid::Lview, {plat::com::Variant(plat::list_view_object(ctl("ListView1")))});
    colours.let(ombrelis::dispid::hwnd, {plat::com::Variant(int32_t(hWnd()))});
    for (int line = 3; line <= 10; ++line) colours.let(ombrelis::dispid::NumeroItem, {plat::com::Variant(line)});
    colours.call(ombrelis::dispid::Refresh);
  }
};

}  // namespace

TEST(OmbrelisWindow, AListViewAndAnOmbrelisOfOneLayoutColourEightOfTwelveLines) {
  plat::VirtualServices clock;
  Erregistroak& w = plat::form<Erregistroak>();
  plat::Control& list = w.ctl("ListView1");
  ASSERT_EQ(plat::hosted_error(w.ctl("Ombrelis1")), "");
  auto lv = std::dynamic_pointer_cast<plat::comctl::ListView>(plat::list_view_object(list));
  ASSERT_NE(lv, nullptr);
  // The list's window belongs to the window that holds it.
  EXPECT_NE(w.hWnd(), 0);
  EXPECT_EQ(plat::win::GetParent(plat::list_view_hwnd(list)), w.hWnd());
  EXPECT_EQ(lv->item_count(), 12);
  EXPECT_EQ(lv->column_count(), 3);
  EXPECT_EQ(lv->text(4, 2), "0000001001010000");
  EXPECT_EQ(lv->widget()->headerItem()->text(1), "Edukia (osoz)");
  EXPECT_EQ(lv->widget()->columnWidth(2), plat::px(2400));
  EXPECT_EQ(list.get("ListItems.Count").to_int(), 12);

  w.click("Command1");
  EXPECT_EQ(plat::object(w.ctl("Ombrelis1")).get(ombrelis::dispid::hwnd).to_i4(), w.hWnd());
  int coloured = 0;
  for (int i = 0; i < 12; ++i) {
    const plat::comctl::ListView::Colors c = lv->draw_colors(i, 0);
    const bool chosen = i >= 2 && i <= 9;
    EXPECT_EQ(c.back == kBack && c.text == kFore, chosen) << "line " << i + 1;
    coloured += chosen;
  }
  EXPECT_EQ(coloured, 8);
  const QImage img = plat::render_form(w);
  ASSERT_FALSE(img.isNull());
  const QRect third = lv->item_rect(2, 1).translated(lv->widget()->mapTo(w.window(), QPoint(0, 0)));
  EXPECT_EQ(img.pixelColor(third.right() - 2, third.top() + 1), plat::to_qcolor(kBack));
  EXPECT_TRUE(plat::save_form_png(w, BRENDALO_SOURCE_DIR "/docs/ombrelis_window.png"));

  // Unloading the window destroys its handle: the control lets it go.
  const plat::win::HWND handle = w.hWnd();
  plat::unload_all_forms();
  QApplication::processEvents();
  EXPECT_FALSE(plat::win::IsWindow(handle));
  EXPECT_NE(lv->draw_colors(2, 0).back, kBack);
  EXPECT_EQ(lv.use_count(), 1);
}
