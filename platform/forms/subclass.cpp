#include "platform/forms/subclass.h"

#include <cstring>
#include <unordered_map>

namespace plat::win {

namespace {

struct WindowRec {
  std::string class_name;
  WNDPROC proc = nullptr;
  HWND parent = 0;
  LONG_PTR user_data = 0;
  bool destroying = false;
};

std::unordered_map<HWND, WindowRec>& windows() {
  static std::unordered_map<HWND, WindowRec> table;
  return table;
}

// Handles grow and are never given out twice.
HWND g_next_handle = 0x10010;

WindowRec* find(HWND h) {
  auto it = windows().find(h);
  return it == windows().end() ? nullptr : &it->second;
}

}  // namespace

HWND CreateWindowA(std::string_view class_name, WNDPROC proc, HWND parent, LONG_PTR user_data) {
  const HWND h = g_next_handle;
  g_next_handle += 4;
  windows()[h] = WindowRec{std::string(class_name), proc, parent, user_data, false};
  return h;
}

bool DestroyWindow(HWND h) {
  WindowRec* w = find(h);
  if (!w || w->destroying) return false;
  w->destroying = true;
  SendMessageA(h, WM_DESTROY, 0, 0);
  SendMessageA(h, WM_NCDESTROY, 0, 0);
  windows().erase(h);
  return true;
}

bool IsWindow(HWND h) { return find(h) != nullptr; }

LONG_PTR GetWindowLongA(HWND h, int index) {
  const WindowRec* w = find(h);
  if (!w) return 0;
  if (index == GWL_WNDPROC) return proc_address(w->proc);
  if (index == GWL_USERDATA) return w->user_data;
  return 0;
}

LONG_PTR SetWindowLongA(HWND h, int index, LONG_PTR value) {
  WindowRec* w = find(h);
  if (!w) return 0;
  if (index == GWL_WNDPROC) {
    if (!value) return 0;
    const LONG_PTR old = proc_address(w->proc);
    w->proc = reinterpret_cast<WNDPROC>(value);
    return old;
  }
  if (index == GWL_USERDATA) {
    const LONG_PTR old = w->user_data;
    w->user_data = value;
    return old;
  }
  return 0;
}

LRESULT CallWindowProcA(LONG_PTR proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!proc) return 0;
  return reinterpret_cast<WNDPROC>(proc)(h, msg, wParam, lParam);
}

LRESULT SendMessageA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  const WindowRec* w = find(h);
  if (!w || !w->proc) return 0;
  // The record may move while the procedure runs; only the pointer is kept.
  WNDPROC proc = w->proc;
  return proc(h, msg, wParam, lParam);
}

std::string window_class(HWND h) {
  const WindowRec* w = find(h);
  return w ? w->class_name : std::string();
}

HWND GetParent(HWND h) {
  const WindowRec* w = find(h);
  return w ? w->parent : 0;
}

void RtlMoveMemory(void* dst, const void* src, size_t n) {
  if (n) std::memmove(dst, src, n);
}

Window::Window(std::string_view class_name, HWND parent)
    : hwnd_(CreateWindowA(class_name, &Window::class_proc, parent, reinterpret_cast<LONG_PTR>(this))) {}

Window::~Window() { destroy(); }

void Window::destroy() {
  if (hwnd_) DestroyWindow(hwnd_);
  hwnd_ = 0;
}

LRESULT Window::class_proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<Window*>(GetWindowLongA(h, GWL_USERDATA));
  if (!self || self->hwnd_ != h) return 0;
  const LRESULT r = self->window_proc(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    SetWindowLongA(h, GWL_USERDATA, 0);
    self->hwnd_ = 0;
  }
  return r;
}

LRESULT Window::window_proc(UINT, WPARAM, LPARAM) { return 0; }

}  // namespace plat::win
