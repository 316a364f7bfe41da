#pragma once
// Window handles, window procedures and messages: the small message layer a
// control needs to subclass a window and answer its children's
// notifications.
//
// A window here is a handle (a 32-bit number, never 0, never reused, so a
// handle kept after its window is gone names no other window), a class name,
// a user-data value and the window procedure in force. Messages are sent
// synchronously on the user-interface thread: SendMessageA calls the window
// procedure in force at that moment. Subclassing is the classic exchange of
// procedures through SetWindowLongA(h, GWL_WNDPROC, ...); the replaced
// procedure is called on with CallWindowProcA.
//
// A call on a handle that names no window does nothing and returns 0.
// DestroyWindow sends WM_DESTROY and then WM_NCDESTROY, the last message the
// window receives; the handle is dead once it returns.
//
// plat::win::Window is a window whose procedure calls its virtual
// window_proc, for hosts written as C++ classes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace plat::win {

using HWND = int32_t;
using UINT = uint32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using LONG_PTR = intptr_t;  // wide enough for a procedure's address
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

constexpr int GWL_WNDPROC = -4;
constexpr int GWL_USERDATA = -21;

constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_NOTIFY = 0x004E;
constexpr UINT WM_NCDESTROY = 0x0082;
constexpr UINT WM_USER = 0x0400;

// The header of every notification carried by WM_NOTIFY (lParam points at it).
struct NMHDR {
  HWND hwndFrom;
  int32_t idFrom;
  int32_t code;
};
static_assert(sizeof(NMHDR) == 12);

// A new window with `proc` as its procedure; `parent` is only recorded.
HWND CreateWindowA(std::string_view class_name, WNDPROC proc, HWND parent = 0, LONG_PTR user_data = 0);
// Sends WM_DESTROY and WM_NCDESTROY, then forgets the handle. False for a
// handle that names no window (or one already being destroyed).
bool DestroyWindow(HWND h);
bool IsWindow(HWND h);

// GWL_WNDPROC: the procedure in force; GWL_USERDATA: the user-data value.
// Any other index, or a dead handle, gives 0.
LONG_PTR GetWindowLongA(HWND h, int index);
// Stores the value and returns the previous one; 0 (and nothing stored) for
// a dead handle, an unknown index or a null procedure.
LONG_PTR SetWindowLongA(HWND h, int index, LONG_PTR value);
// Calls `proc` (an address as GetWindowLongA gives it); 0 for a null one.
LRESULT CallWindowProcA(LONG_PTR proc, HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
// Calls the procedure in force on `h`; 0 for a dead handle.
LRESULT SendMessageA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

// The class name the window was created with ("" for a dead handle).
std::string window_class(HWND h);
HWND GetParent(HWND h);

// Copies `n` bytes; the ranges may overlap.
void RtlMoveMemory(void* dst, const void* src, size_t n);

// A procedure's address as the window layer stores it.
inline LONG_PTR proc_address(WNDPROC p) { return reinterpret_cast<LONG_PTR>(p); }

// A window whose procedure is the object's window_proc. Destroying the
// object destroys the window (when it still exists).
class Window {
 public:
  explicit Window(std::string_view class_name, HWND parent = 0);
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  void destroy();

  // The procedure every Window is created with: finds the object through
  // the user-data value and calls its window_proc.
  static LRESULT class_proc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);

 protected:
  virtual LRESULT window_proc(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  HWND hwnd_ = 0;
};

}  // namespace plat::win
