// Binding the control to a window: the window procedure is exchanged once,
// given back on every way the binding ends, and never left pointing into a
// control nobody holds.
#include "listviewcolor/tests/ombrelis_fixture.h"

using namespace ombrelistest;

namespace {

LONG_PTR wndproc(HWND h) { return GetWindowLongA(h, GWL_WNDPROC); }

// Another subclasser, installed over whatever the window has.
LONG_PTR g_under = 0;
int g_over_calls = 0;
LRESULT over_proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  ++g_over_calls;
  return CallWindowProcA(g_under, h, msg, wParam, lParam);
}

bool colours_line_1(cc::ListView& lv) { return lv.draw_colors(0, 0).back == 0x8000000Fu; }

}  // namespace

TEST_F(ListHost, BindingExchangesTheProcedureOnceAndUnbindingGivesItBack) {
  Ombrelis o;
  ASSERT_TRUE(o.line(1).ok());
  const LONG_PTR own = wndproc(host.hwnd());
  EXPECT_EQ(own, Host::own_proc());
  o.bind(host.hwnd());
  const LONG_PTR sub = wndproc(host.hwnd());
  EXPECT_NE(sub, own);
  EXPECT_EQ(o.hwnd(), host.hwnd());
  EXPECT_TRUE(colours_line_1(*lv));
  o.bind(host.hwnd());  // the same handle again changes nothing
  EXPECT_EQ(wndproc(host.hwnd()), sub);
  o.bind(0);
  EXPECT_EQ(wndproc(host.hwnd()), own);
  EXPECT_EQ(o.hwnd(), 0);
  EXPECT_FALSE(colours_line_1(*lv));
  // the lines outlive the binding
  o.bind(host.hwnd());
  EXPECT_TRUE(colours_line_1(*lv));
  // moving to another window gives the first one back
  Host other;
  o.bind(other.hwnd());
  EXPECT_EQ(wndproc(host.hwnd()), own);
  EXPECT_EQ(wndproc(other.hwnd()), sub);
  o.bind(0);
}

TEST_F(ListHost, ABoundControlOutlivesItsReleaseUntilTheWindowIsDestroyed) {
  Ombrelis o;
  ASSERT_TRUE(o.line(1).ok());
  o.set(d::Lview, Variant(lv));
  o.bind(host.hwnd());
  const LONG_PTR sub = wndproc(host.hwnd());
  o.release();
  // The binding and the colouring stay: the window keeps its subclass.
  EXPECT_EQ(wndproc(host.hwnd()), sub);
  EXPECT_TRUE(colours_line_1(*lv));
  NMHDR click{lv->hwnd(), 1, -2};
  EXPECT_EQ(SendMessageA(host.hwnd(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&click)), 77);
  // The window's end ends the binding, and the instance goes with it.
  host.destroy();
  EXPECT_EQ(host.messages, (std::vector<UINT>{WM_NOTIFY, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_FALSE(colours_line_1(*lv));
  // The list view, bound by its own handle, is no cycle with the control.
  Ombrelis other;
  other.set(d::Lview, Variant(lv));
  other.bind(lv->hwnd());
  std::weak_ptr<cc::ListView> list = lv;
  other.release();
  lv.reset();
  EXPECT_TRUE(list.expired());
}

TEST_F(ListHost, DestroyingTheWindowEndsTheBindingAfterTheHostSawItsLastMessage) {
  Ombrelis o;
  auto doomed = std::make_unique<Host>();
  const HWND h = doomed->hwnd();
  o.bind(h);
  doomed->destroy();
  EXPECT_EQ(doomed->messages, (std::vector<UINT>{WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(o.hwnd(), 0);
  // a handle that names no window binds nothing and changes nothing
  EXPECT_EQ(o.invoke(d::hwnd, CallKind::Let, {Variant(int32_t(h))}).error, kErrInvalidCall);
  EXPECT_EQ(o.hwnd(), 0);
  o.bind(host.hwnd());
  EXPECT_EQ(o.invoke(d::hwnd, CallKind::Let, {Variant(int32_t(h))}).error, kErrInvalidCall);
  EXPECT_EQ(o.hwnd(), host.hwnd());
}

TEST_F(ListHost, TheLastInstanceBoundToAWindowColoursItAndTheFirstLetsGoWithoutUnbindingIt) {
  Ombrelis first, second;
  ASSERT_TRUE(first.line(2).ok());
  ASSERT_TRUE(second.line(1).ok());
  first.bind(host.hwnd());
  const LONG_PTR sub = wndproc(host.hwnd());
  second.bind(host.hwnd());
  EXPECT_EQ(wndproc(host.hwnd()), sub);  // subclassed once
  EXPECT_TRUE(colours_line_1(*lv));
  EXPECT_FALSE(lv->draw_colors(1, 0).back == 0x8000000Fu);
  EXPECT_EQ(first.hwnd(), 0);  // the first is no longer bound
  first.release();
  EXPECT_EQ(wndproc(host.hwnd()), sub);
  EXPECT_TRUE(colours_line_1(*lv));
  second.bind(0);
  EXPECT_EQ(wndproc(host.hwnd()), Host::own_proc());
}

TEST_F(ListHost, UnbindingUnderALaterSubclasserKeepsItsChainWhole) {
  Ombrelis o;
  ASSERT_TRUE(o.line(1).ok());
  o.bind(host.hwnd());
  g_over_calls = 0;
  g_under = SetWindowLongA(host.hwnd(), GWL_WNDPROC, proc_address(&over_proc));
  o.bind(0);
  // the later procedure stays in force and still reaches the host through ours
  EXPECT_EQ(wndproc(host.hwnd()), proc_address(&over_proc));
  NMHDR click{lv->hwnd(), 1, -2};
  EXPECT_EQ(SendMessageA(host.hwnd(), WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&click)), 77);
  EXPECT_EQ(host.codes, (std::vector<int32_t>{-2}));
  EXPECT_FALSE(colours_line_1(*lv));
  // and binding again takes the window back without a second exchange
  o.bind(host.hwnd());
  EXPECT_TRUE(colours_line_1(*lv));
  EXPECT_EQ(wndproc(host.hwnd()), proc_address(&over_proc));
  EXPECT_GT(g_over_calls, 0);
  o.bind(0);
  host.destroy();
  EXPECT_EQ(host.messages.back(), WM_NCDESTROY);
}
