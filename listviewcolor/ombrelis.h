#pragma once
// The Ombrelis control: placed beside a list view, it subclasses the list's
// parent window and answers the list's custom-draw notification, painting up
// to eight chosen lines in its own BackColor and ForeColor. It draws nothing
// itself.
//
// An instance is split in two: `Ombrelis`, the object the container holds
// (interface, saved properties, surface), and `OmbrelisState`, what the
// window procedure needs (window, wanted messages, lines, colours, list
// view). The subclass table holds a counted reference to the state: a bound
// instance is not ended by the container's release alone; its binding and
// its colouring stay until the window is destroyed (or its hwnd is set to 0),
// and then the state goes too.
#include <QPointer>
#include <memory>
#include <vector>

#include "listviewcolor/ombrelis_ids.h"
#include "platform/com/control.h"
#include "platform/forms/subclass.h"

namespace ombrelis {

using plat::win::HWND;
using plat::win::LPARAM;
using plat::win::LRESULT;
using plat::win::UINT;
using plat::win::WPARAM;

constexpr uint32_t kDefaultBackColor = 0x8000000F;  // button face
constexpr uint32_t kDefaultForeColor = 0x80000012;  // button text

class OmbrelisState : public std::enable_shared_from_this<OmbrelisState> {
 public:
  OmbrelisState();

  // The subclassed window, 0 for none. Setting it detaches the window held
  // before and attaches the new one; a handle that names no window fails
  // with error 5 and changes nothing.
  HWND hwnd() const { return m_hWnd; }
  void set_hwnd(HWND h);
  // The window procedure's notice that the window is gone or was taken over
  // by another instance: the binding ends without touching the window.
  void forget_window() { m_hWnd = 0; }

  bool Messages(int32_t message) const;
  void EnableMessage(int32_t message, bool enable);

  // Adds line n (counted from 1); a line already listed and a ninth line
  // change nothing and report no error.
  void NumeroItem(int32_t n);
  const std::vector<int32_t>& items() const { return m_Items; }
  void clear_items() { m_Items.clear(); }

  uint32_t back_color = kDefaultBackColor;
  uint32_t fore_color = kDefaultForeColor;

  // The list view, or none. An Ombrelis control given as the list view is
  // held without a count: a control given itself, or two given each other,
  // would otherwise keep each other alive after the host let them go.
  std::shared_ptr<plat::com::Dispatch> lview() const { return m_Lview ? m_Lview : m_LviewControl.lock(); }
  void set_lview(std::shared_ptr<plat::com::Dispatch> lview);
  // Whether the list view, followed through the controls given as list
  // views, comes back to a control already passed: its Refresh would call
  // itself without end.
  bool lview_leads_back() const;

  // The entry the subclass procedure calls for a wanted message.
  static LRESULT WndProcFriend(OmbrelisState* control, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT CustomDrawWndProc(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT CallOldWndProc(UINT message, WPARAM wParam, LPARAM lParam);

  HWND m_hWnd = 0;
  std::vector<int32_t> m_Messages;
  std::vector<int32_t> m_Items;
  std::shared_ptr<plat::com::Dispatch> m_Lview;
  std::weak_ptr<plat::com::Dispatch> m_LviewControl;
};

class Ombrelis final : public plat::com::Control {
 public:
  Ombrelis();
  ~Ombrelis() override;

  const plat::com::ClassInfo& class_info() const override;
  QWidget* widget() override;
  void init_properties() override;
  void read_properties(const plat::com::PropertyBag& bag) override;
  void write_properties(plat::com::PropertyBag& bag) override;

  OmbrelisState& state() { return *state_; }

  // The control keeps 500 by 500 twips, whatever size the container asks for.
  void UserControl_Resize();

 protected:
  plat::com::Variant dispatch(plat::com::DispId id, plat::com::CallKind kind,
                              std::span<plat::com::Variant> args) override;

 private:
  void Refresh();
  void Clear();
  void AboutBox();
  void show_colors();

  std::shared_ptr<OmbrelisState> state_;
  QPointer<QWidget> surface_;
  bool resizing_ = false;
  // A Refresh or Clear under way: one that the list view's Refresh calls
  // back fails instead of calling it again.
  bool refreshing_ = false;
};

// The type library: interface _Ombrelis, events __Ombrelis, enum WinNotifications.
const plat::com::ClassInfo& ombrelis_class_info();

}  // namespace ombrelis
