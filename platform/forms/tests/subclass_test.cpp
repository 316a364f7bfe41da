// The message layer: handles, window procedures, subclassing, destruction.
#include <gtest/gtest.h>

#include <vector>

#include "platform/forms/subclass.h"

using namespace plat::win;

namespace {

std::vector<std::pair<char, UINT>> g_log;

LRESULT base_proc(HWND, UINT msg, WPARAM wParam, LPARAM) {
  g_log.emplace_back('b', msg);
  return LRESULT(wParam) + 1;
}

LONG_PTR g_old = 0;
LRESULT over_proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  g_log.emplace_back('o', msg);
  return CallWindowProcA(g_old, h, msg, wParam, lParam) * 10;
}

struct Recorder : Window {
  Recorder() : Window("Recorder") {}
  ~Recorder() override { destroy(); }
  std::vector<UINT> seen;
  LRESULT window_proc(UINT msg, WPARAM, LPARAM) override {
    seen.push_back(msg);
    return 42;
  }
};

}  // namespace

TEST(MessageLayer, SubclassingChainsProceduresAndRestoringUndoesIt) {
  g_log.clear();
  const HWND h = CreateWindowA("Test", &base_proc, 0, 0);
  EXPECT_TRUE(IsWindow(h));
  EXPECT_EQ(window_class(h), "Test");
  EXPECT_EQ(SendMessageA(h, WM_USER, 4, 0), 5);
  g_old = SetWindowLongA(h, GWL_WNDPROC, proc_address(&over_proc));
  EXPECT_EQ(g_old, proc_address(&base_proc));
  EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), proc_address(&over_proc));
  EXPECT_EQ(SendMessageA(h, WM_USER, 4, 0), 50);
  EXPECT_EQ(SetWindowLongA(h, GWL_WNDPROC, g_old), proc_address(&over_proc));
  EXPECT_EQ(SendMessageA(h, WM_USER, 1, 0), 2);
  EXPECT_EQ(g_log, (std::vector<std::pair<char, UINT>>{{'b', WM_USER}, {'o', WM_USER}, {'b', WM_USER}, {'b', WM_USER}}));
  // a null procedure is never installed
  EXPECT_EQ(SetWindowLongA(h, GWL_WNDPROC, 0), 0);
  EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), proc_address(&base_proc));
  DestroyWindow(h);
}

TEST(MessageLayer, DestroyedWindowsLeaveDeadHandlesThatAreNeverReused) {
  g_log.clear();
  const HWND h = CreateWindowA("Test", &base_proc, 0, 0);
  EXPECT_TRUE(DestroyWindow(h));
  EXPECT_EQ(g_log, (std::vector<std::pair<char, UINT>>{{'b', WM_DESTROY}, {'b', WM_NCDESTROY}}));
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(DestroyWindow(h));
  // every call on the dead handle does nothing
  EXPECT_EQ(SendMessageA(h, WM_USER, 1, 0), 0);
  EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), 0);
  EXPECT_EQ(SetWindowLongA(h, GWL_WNDPROC, proc_address(&over_proc)), 0);
  EXPECT_EQ(window_class(h), "");
  EXPECT_EQ(CallWindowProcA(0, h, WM_USER, 0, 0), 0);
  const HWND next = CreateWindowA("Test", &base_proc, 0, 0);
  EXPECT_NE(next, h);
  EXPECT_NE(next, 0);
  DestroyWindow(next);
  EXPECT_EQ(g_log.size(), 4u);
}

TEST(MessageLayer, WindowObjectsReceiveTheirMessagesUntilDestroyed) {
  HWND h = 0;
  std::vector<UINT> seen;
  {
    Recorder r;
    h = r.hwnd();
    EXPECT_EQ(GetParent(h), 0);
    EXPECT_EQ(SendMessageA(h, WM_NOTIFY, 0, 0), 42);
    r.destroy();
    EXPECT_EQ(r.hwnd(), 0);
    seen = r.seen;
  }
  EXPECT_EQ(seen, (std::vector<UINT>{WM_NOTIFY, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_FALSE(IsWindow(h));
}
