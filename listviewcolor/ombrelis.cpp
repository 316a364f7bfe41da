#include "listviewcolor/ombrelis.h"

#include <QWidget>
#include <algorithm>
#include <string>

#include "listviewcolor/autor.h"
#include "listviewcolor/winproc.h"
#include "platform/com/errors.h"
#include "platform/comctl/listview.h"
#include "platform/forms/units.h"
#include "platform/gdi/colors.h"

namespace ombrelis {

using plat::com::Args;
using plat::com::CallKind;
using plat::com::DispId;
using plat::com::RuntimeError;
using plat::com::Variant;
namespace cc = plat::comctl;

namespace {

// The part of the list view's record that is read and written back: up to
// the low half of the column number.
constexpr size_t kRecordBytes = 58;
constexpr int kSideTwips = 500;
// The platform's error for a call that calls itself without end.
constexpr int kErrOutOfStack = 28;

// The control's surface: a change of its size is the control's resize.
class OmbrelisSurface final : public QWidget {
 public:
  explicit OmbrelisSurface(Ombrelis& control) : control_(control) {}

 protected:
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    control_.UserControl_Resize();
  }

 private:
  Ombrelis& control_;
};

}  // namespace

// ---- the state the window procedure works on ----

OmbrelisState::OmbrelisState() { EnableMessage(int32_t(plat::win::WM_NOTIFY), true); }

void OmbrelisState::set_hwnd(HWND h) {
  if (h == m_hWnd) return;
  if (h != 0 && !plat::win::IsWindow(h))
    throw RuntimeError(plat::com::kErrInvalidCall, "No window has the handle " + std::to_string(h));
  if (m_hWnd != 0) DetachSubclass(m_hWnd, this);
  m_hWnd = h;
  if (h != 0) AttachSubclass(h, shared_from_this());
}

bool OmbrelisState::Messages(int32_t message) const {
  return std::find(m_Messages.begin(), m_Messages.end(), message) != m_Messages.end();
}

void OmbrelisState::EnableMessage(int32_t message, bool enable) {
  auto it = std::find(m_Messages.begin(), m_Messages.end(), message);
  if (it == m_Messages.end() && enable) m_Messages.push_back(message);
  if (it != m_Messages.end() && !enable) m_Messages.erase(it);
}

void OmbrelisState::set_lview(std::shared_ptr<plat::com::Dispatch> lview) {
  m_Lview.reset();
  m_LviewControl.reset();
  if (dynamic_cast<const Ombrelis*>(lview.get())) m_LviewControl = lview;
  else m_Lview = std::move(lview);
}

bool OmbrelisState::lview_leads_back() const {
  std::vector<const OmbrelisState*> passed{this};
  for (std::shared_ptr<plat::com::Dispatch> next = lview(); next;) {
    auto* control = dynamic_cast<Ombrelis*>(next.get());
    if (!control) return false;
    const OmbrelisState* s = &control->state();
    if (std::find(passed.begin(), passed.end(), s) != passed.end()) return true;
    passed.push_back(s);
    next = s->lview();
  }
  return false;
}

void OmbrelisState::NumeroItem(int32_t n) {
  const int32_t item = int32_t(uint32_t(n) - 1u);  // lines count from 1, items from 0
  if (std::find(m_Items.begin(), m_Items.end(), item) != m_Items.end()) return;
  if (m_Items.size() >= size_t(kMaxLines)) return;  // full: a ninth line is ignored, as hosts expect
  m_Items.push_back(item);
}

LRESULT OmbrelisState::WndProcFriend(OmbrelisState* control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!control) throw RuntimeError(plat::com::kErrTypeMismatch);
  return control->CustomDrawWndProc(message, wParam, lParam);
}

LRESULT OmbrelisState::CallOldWndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return m_hWnd != 0 ? CallOriginalWndProc(m_hWnd, message, wParam, lParam) : 0;
}

LRESULT OmbrelisState::CustomDrawWndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != plat::win::WM_NOTIFY || lParam == 0) return 0;
  plat::win::NMHDR hdr{};
  plat::win::RtlMoveMemory(&hdr, reinterpret_cast<const void*>(lParam), sizeof hdr);
  if (hdr.code != cc::NM_CUSTOMDRAW) return CallOldWndProc(message, wParam, lParam);
  // A record shorter than the part read and written (another kind of
  // control's) goes on to the previous procedure untouched.
  if (cc::custom_draw_record_size(hdr.hwndFrom) < kRecordBytes) return CallOldWndProc(message, wParam, lParam);
  cc::NMLVCUSTOMDRAW cd{};
  plat::win::RtlMoveMemory(&cd, reinterpret_cast<const void*>(lParam), kRecordBytes);
  if (cd.nmcd.dwDrawStage == cc::CDDS_PREPAINT) return cc::CDRF_NOTIFYITEMDRAW;
  if (cd.nmcd.dwDrawStage != cc::CDDS_ITEMPREPAINT || m_Items.empty()) return cc::CDRF_DODEFAULT;
  if (std::find(m_Items.begin(), m_Items.end(), cd.nmcd.dwItemSpec) == m_Items.end()) return cc::CDRF_DODEFAULT;
  // Written as stored: a system-colour reference stays one.
  cd.clrTextBk = back_color;
  cd.clrText = fore_color;
  plat::win::RtlMoveMemory(reinterpret_cast<void*>(lParam), &cd, kRecordBytes);
  return cc::CDRF_DODEFAULT;
}

// ---- the control ----

Ombrelis::Ombrelis() : state_(std::make_shared<OmbrelisState>()) {
  auto* w = new OmbrelisSurface(*this);
  w->setObjectName("Ombrelis");
  w->setAutoFillBackground(true);
  surface_ = w;
  UserControl_Resize();
  show_colors();
}

// A bound state stays in the subclass table, which holds it until the
// window's binding ends. Nobody can ask it to refresh the list any more: it
// lets the list view go, so a list bound by its own handle is no cycle.
Ombrelis::~Ombrelis() {
  state_->set_lview(nullptr);
  delete surface_.data();
}

void Ombrelis::UserControl_Resize() {
  if (resizing_) return;  // the sizes set below come back here
  resizing_ = true;
  if (plat::com::Extender* e = site() ? site()->extender() : nullptr) e->SizeTwips(kSideTwips, kSideTwips);
  if (surface_) surface_->resize(plat::px(kSideTwips), plat::px(kSideTwips));
  resizing_ = false;
}

const plat::com::ClassInfo& Ombrelis::class_info() const { return ombrelis_class_info(); }

QWidget* Ombrelis::widget() { return surface_.data(); }

void Ombrelis::init_properties() {
  state_->EnableMessage(int32_t(plat::win::WM_NOTIFY), true);
  UserControl_Resize();  // the container's first size
}

void Ombrelis::read_properties(const plat::com::PropertyBag& bag) {
  const uint32_t back = bag.read("BackColor", Variant(int32_t(kDefaultBackColor))).to_color();
  const uint32_t fore = bag.read("ForeColor", Variant(int32_t(kDefaultForeColor))).to_color();
  std::shared_ptr<plat::com::Dispatch> lview = bag.read("Lview", Variant::nothing()).to_object();
  state_->back_color = back;
  state_->fore_color = fore;
  state_->set_lview(std::move(lview));
  show_colors();
  UserControl_Resize();  // the container's first size
}

void Ombrelis::write_properties(plat::com::PropertyBag& bag) {
  bag.write("BackColor", Variant(int32_t(state_->back_color)), Variant(int32_t(kDefaultBackColor)));
  bag.write("ForeColor", Variant(int32_t(state_->fore_color)), Variant(int32_t(kDefaultForeColor)));
  const std::shared_ptr<plat::com::Dispatch> lview = state_->lview();
  bag.write("Lview", lview ? Variant(lview) : Variant::nothing(), Variant::nothing());
}

void Ombrelis::show_colors() {
  if (!surface_) return;
  QPalette pal = surface_->palette();
  pal.setColor(QPalette::Window, plat::to_qcolor(state_->back_color));
  pal.setColor(QPalette::WindowText, plat::to_qcolor(state_->fore_color));
  surface_->setPalette(pal);
}

namespace {
// Marks a Refresh or Clear under way for its length. Refused, changing
// nothing: one that the list view's own Refresh calls back, and one whose
// list view leads back to a control already passed; either would go on
// calling itself until the stack ran out.
class Refreshing {
 public:
  Refreshing(bool& flag, const OmbrelisState& state) : flag_(flag) {
    if (flag_ || state.lview_leads_back()) throw RuntimeError(kErrOutOfStack, "Out of stack space");
    flag_ = true;
  }
  ~Refreshing() { flag_ = false; }
  Refreshing(const Refreshing&) = delete;
  Refreshing& operator=(const Refreshing&) = delete;

 private:
  bool& flag_;
};
}  // namespace

void Ombrelis::Refresh() {
  Refreshing guard(refreshing_, *state_);
  const std::shared_ptr<plat::com::Dispatch> lview = state_->lview();
  if (!lview) throw RuntimeError(plat::com::kErrNoObject);
  const std::optional<DispId> id = lview->id_of_name("Refresh");
  if (!id) throw RuntimeError(plat::com::kErrNoMember);
  plat::com::CallResult r = lview->invoke(*id, CallKind::Method, {});
  if (!r.ok()) throw RuntimeError(r.error, r.description);
}

void Ombrelis::Clear() {
  {
    Refreshing guard(refreshing_, *state_);  // before the lines are emptied
    state_->clear_items();
  }
  Refresh();
}

void Ombrelis::AboutBox() { show_autor(); }

Variant Ombrelis::dispatch(DispId id, CallKind kind, std::span<Variant> args) {
  namespace d = dispid;
  const bool put = kind == CallKind::Let;
  switch (id) {
    case d::NumeroItem:
      if (put) {
        Args a(args, 1, 1);
        state_->NumeroItem(a.value().to_i4());
        return {};
      }
      break;
    case d::Clear:
    case d::Refresh:
    case d::AboutBox:
      if (kind == CallKind::Method) {
        Args a(args, 0, 0);
        if (id == d::Clear) Clear();
        else if (id == d::Refresh) Refresh();
        else AboutBox();
        return {};
      }
      break;
    case d::Messages:
      if (kind == CallKind::Get) {
        Args a(args, 1, 1);
        return Variant(state_->Messages(a.required(0).to_i4()));
      }
      break;
    case d::hwnd:
      if (kind == CallKind::Get) {
        Args a(args, 0, 0);
        return Variant(int32_t(state_->hwnd()));
      }
      if (put) {
        Args a(args, 1, 1);
        state_->set_hwnd(a.value().to_i4());
        return {};
      }
      break;
    case d::BackColor:
    case d::ForeColor: {
      uint32_t& c = id == d::BackColor ? state_->back_color : state_->fore_color;
      if (kind == CallKind::Get) {
        Args a(args, 0, 0);
        return Variant::color(c);
      }
      if (put) {
        Args a(args, 1, 1);
        c = a.value().to_color();
        show_colors();
        notify_property_changed(id == d::BackColor ? "BackColor" : "ForeColor");
        return {};
      }
      break;
    }
    case d::Lview:
      if (kind == CallKind::Get) {
        Args a(args, 0, 0);
        const std::shared_ptr<plat::com::Dispatch> lview = state_->lview();
        return lview ? Variant(lview) : Variant::nothing();
      }
      if (kind == CallKind::Set) {
        Args a(args, 1, 1);
        state_->set_lview(a.value().to_object());
        notify_property_changed("Lview");
        return {};
      }
      break;
    default:
      break;
  }
  throw RuntimeError(plat::com::kErrNoMember);
}

}  // namespace ombrelis
