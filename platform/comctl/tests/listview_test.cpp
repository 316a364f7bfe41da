// The list view's custom-draw chain: what its parent is sent, and how the
// answers colour the painted lines.
#include <gtest/gtest.h>

#include <QTreeWidget>
#include <vector>

#include "platform/comctl/listview.h"
#include "platform/gdi/colors.h"

using namespace plat;
using namespace plat::comctl;

namespace {

// A parent that logs every custom-draw record and answers from its settings.
struct Parent : win::Window {
  Parent() : win::Window("Parent") {}
  ~Parent() override { destroy(); }

  std::vector<NMLVCUSTOMDRAW> log;
  LRESULT prepaint = CDRF_NOTIFYITEMDRAW;
  int sub_line = -1;      // the line that asks for its columns
  int skipped_line = -1;  // the line left unpainted

  LRESULT window_proc(win::UINT msg, win::WPARAM, win::LPARAM lParam) override {
    if (msg != win::WM_NOTIFY) return 0;
    auto* r = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    log.push_back(*r);
    const int line = r->nmcd.dwItemSpec;
    switch (r->nmcd.dwDrawStage) {
      case CDDS_PREPAINT: return prepaint;
      case CDDS_ITEMPREPAINT:
        if (line == skipped_line) return CDRF_SKIPDEFAULT;
        if (line == 1) r->clrTextBk = rgb(0, 0, 255);
        return line == sub_line ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
      case CDDS_SUBITEM | CDDS_ITEMPREPAINT:
        if (r->iSubItem == 1) {
          r->clrTextBk = rgb(0, 255, 0);
          r->clrText = 0x8000000E;  // highlight text, a system colour
        }
        return CDRF_DODEFAULT;
    }
    return 0;
  }
  int stages(uint32_t stage) const {
    int n = 0;
    for (const auto& r : log) n += r.nmcd.dwDrawStage == stage;
    return n;
  }
};

struct ListFixture : ::testing::Test {
  Parent parent;
  ListView lv{parent.hwnd(), 7};
  void SetUp() override {
    lv.add_column("Name", 80);
    lv.add_column("Value", 60);
    for (int i = 0; i < 4; ++i) {
      lv.add_item("line " + std::to_string(i));
      lv.set_text(i, 1, std::to_string(i * 10));
    }
    lv.widget()->resize(180, 120);
  }
  QColor at(const QImage& img, int line, int column) {
    const QRect r = lv.item_rect(line, column);
    return img.pixelColor(r.right() - 2, r.top() + 1);
  }
};

}  // namespace

TEST_F(ListFixture, RecordsNameTheSenderTheLineAndTheStartingColours) {
  const ListView::Colors c = lv.draw_colors(2, 0);
  ASSERT_EQ(parent.log.size(), 2u);
  const NMLVCUSTOMDRAW& pre = parent.log[0];
  EXPECT_EQ(pre.nmcd.hdr.hwndFrom, lv.hwnd());
  EXPECT_EQ(pre.nmcd.hdr.idFrom, 7);
  EXPECT_EQ(pre.nmcd.hdr.code, NM_CUSTOMDRAW);
  EXPECT_EQ(pre.nmcd.dwDrawStage, CDDS_PREPAINT);
  const NMLVCUSTOMDRAW& item = parent.log[1];
  EXPECT_EQ(item.nmcd.dwDrawStage, CDDS_ITEMPREPAINT);
  EXPECT_EQ(item.nmcd.dwItemSpec, 2);
  EXPECT_EQ(item.iSubItem, 0);
  EXPECT_EQ(item.clrText, rgb(0, 0, 0));
  EXPECT_EQ(item.clrTextBk, rgb(255, 255, 255));
  EXPECT_EQ(c.back, rgb(255, 255, 255));
  EXPECT_EQ(win::window_class(lv.hwnd()), kListViewClass);
  EXPECT_EQ(win::GetParent(lv.hwnd()), parent.hwnd());
}

TEST_F(ListFixture, PaintingColoursLinesAndColumnsAsTheParentAnswers) {
  parent.sub_line = 3;
  parent.skipped_line = 0;
  const QImage img = lv.render();
  EXPECT_EQ(parent.stages(CDDS_PREPAINT), 1);
  // each painted line once, and only line 3 its two columns
  EXPECT_EQ(parent.stages(CDDS_ITEMPREPAINT), 4);
  EXPECT_EQ(parent.stages(CDDS_SUBITEM | CDDS_ITEMPREPAINT), 2);
  // the line's colour covers every column of a line that does not ask for them
  EXPECT_EQ(at(img, 1, 0), QColor(0, 0, 255));
  EXPECT_EQ(at(img, 1, 1), QColor(0, 0, 255));
  EXPECT_EQ(at(img, 2, 0), QColor(255, 255, 255));
  EXPECT_EQ(at(img, 3, 0), QColor(255, 255, 255));
  EXPECT_EQ(at(img, 3, 1), QColor(0, 255, 0));
  const ListView::Colors sub = lv.draw_colors(3, 1);
  EXPECT_EQ(sub.text, 0x8000000Eu);
  EXPECT_TRUE(lv.draw_colors(0, 0).skipped);
}

TEST_F(ListFixture, WithoutTheItemAnswerNoLineIsAskedFor) {
  parent.prepaint = CDRF_DODEFAULT;
  const QImage img = lv.render();
  EXPECT_EQ(parent.stages(CDDS_PREPAINT), 1);
  EXPECT_EQ(parent.stages(CDDS_ITEMPREPAINT), 0);
  EXPECT_EQ(at(img, 1, 0), QColor(255, 255, 255));
}

TEST_F(ListFixture, IsAnAutomationObjectWithRefreshAndItsHandle) {
  const auto id = lv.id_of_name("refresh");
  ASSERT_TRUE(id);
  lv.call(*id);
  EXPECT_EQ(lv.refresh_count(), 1);
  EXPECT_EQ(lv.get(*lv.id_of_name("hWnd")).to_i4(), lv.hwnd());
  EXPECT_EQ(lv.invoke(*id, com::CallKind::Get, {}).error, com::kErrNoMember);
}

// ---------------------------------------------------------------- in a window

#include <QApplication>

#include "platform/comctl/comctl.h"
#include "platform/forms/form.h"
#include "platform/forms/virtual_services.h"

namespace {

// The lines and columns may stand in the layout, in any order.
class ListWindow : public Form {
 public:
  static constexpr const char* kName = "ListWindow";
  ListWindow()
      : Form(kName, {{kName, -1, Kind::Form, "", -1, {0, 0, 4800, 3600}, "Zerrenda", {}},
                     {"ListView1", -1, Kind::ListView, "", -1, {120, 120, 4200, 3000}, "",
                      {{"ListItems(10).Text", "hamar"},
                       {"ListItems(2).SubItems(1)", "bi-bat"},
                       {"ColumnHeaders(2).Text", "Bigarrena"},
                       {"ColumnHeaders(1).Width", 1500}}}}) {}
};

// Counts the custom-draw notifications that reach a window's handle.
int g_custom_draws = 0;
win::LONG_PTR g_form_proc = 0;
win::LRESULT counting_proc(win::HWND h, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (msg == win::WM_NOTIFY && reinterpret_cast<const win::NMHDR*>(lParam)->code == NM_CUSTOMDRAW) ++g_custom_draws;
  return win::CallWindowProcA(g_form_proc, h, msg, wParam, lParam);
}

}  // namespace

TEST(ListViewControl, ALayoutRowMakesAListWhoseWindowBelongsToItsWindow) {
  VirtualServices clock;
  ListWindow& w = form<ListWindow>();
  Control& c = w.ctl("ListView1");
  auto lv = std::dynamic_pointer_cast<ListView>(list_view_object(c));
  ASSERT_NE(lv, nullptr);
  EXPECT_EQ(lv->item_count(), 10);
  EXPECT_EQ(lv->column_count(), 2);
  EXPECT_EQ(lv->text(9, 0), "hamar");
  EXPECT_EQ(lv->text(1, 1), "bi-bat");
  EXPECT_EQ(lv->widget()->headerItem()->text(1), "Bigarrena");
  EXPECT_EQ(lv->widget()->columnWidth(0), 100);
  EXPECT_EQ(add_list_item(c, "hamaika"), 11);
  EXPECT_EQ(lv->text(10, 0), "hamaika");
  // Its notifications go to the window's handle.
  const win::HWND h = w.hWnd();
  ASSERT_NE(h, 0);
  EXPECT_EQ(win::GetParent(list_view_hwnd(c)), h);
  g_custom_draws = 0;
  g_form_proc = win::SetWindowLongA(h, win::GWL_WNDPROC, win::proc_address(&counting_proc));
  lv->draw_colors(0, 0);
  EXPECT_EQ(g_custom_draws, 1);  // the first stage; no line asked for
  win::SetWindowLongA(h, win::GWL_WNDPROC, g_form_proc);
  // Unloaded, the window's handle is gone.
  unload_all_forms();
  QApplication::processEvents();
  EXPECT_FALSE(win::IsWindow(h));
}
