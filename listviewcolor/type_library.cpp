// The type library of the control: the interface _Ombrelis in slot order,
// the event interface __Ombrelis (no events) and the enumeration
// WinNotifications for hosts.
#include "listviewcolor/ombrelis.h"

namespace ombrelis {

using plat::com::CallKind;
using plat::com::FuncInfo;
using plat::com::ParamInfo;

namespace {

FuncInfo slot(const char* name, int32_t id, CallKind kind, const char* type, std::vector<ParamInfo> params = {},
              bool by_ref = false, const char* desc = "") {
  FuncInfo f = plat::com::make_func(name, id, kind, type, std::move(params));
  f.value_by_ref = by_ref;
  f.description = desc;
  return f;
}

constexpr const char* kHwndText = "Specifies the handle of the window to be subclassed";
constexpr const char* kBackText =
    "Devuelve o establece el color de fondo usado para mostrar texto y gráficos en un objeto.";
constexpr const char* kForeText =
    "Devuelve o establece el color de primer plano usado para mostrar textos y gráficos en un objeto.";
constexpr const char* kRefreshText = "Obliga a volver a dibujar un objeto.";
constexpr const char* kAboutText = "Displays an About box";

}  // namespace

const plat::com::ClassInfo& ombrelis_class_info() {
  static const plat::com::ClassInfo ci = [] {
    namespace d = dispid;
    plat::com::ClassInfo c;
    c.class_name = kClassName;
    c.interface.name = "_Ombrelis";
    auto& f = c.interface.funcs;
    f.push_back(slot("NumeroItem", d::NumeroItem, CallKind::Let, "Long", {}, true));
    f.push_back(slot("Clear", d::Clear, CallKind::Method, ""));
    FuncInfo messages = slot("Messages", d::Messages, CallKind::Get, "Boolean", {{"nMessage", "Long", true, false}});
    messages.nonbrowsable = true;
    f.push_back(messages);
    f.push_back(slot("hwnd", d::hwnd, CallKind::Let, "Long", {}, true, kHwndText));
    f.push_back(slot("hwnd", d::hwnd, CallKind::Get, "Long", {}, false, kHwndText));
    FuncInfo about = slot("AboutBox", d::AboutBox, CallKind::Method, "", {}, false, kAboutText);
    about.hidden = true;
    f.push_back(about);
    f.push_back(slot("BackColor", d::BackColor, CallKind::Get, "OLE_COLOR", {}, false, kBackText));
    f.push_back(slot("BackColor", d::BackColor, CallKind::Let, "OLE_COLOR", {}, false, kBackText));
    f.push_back(slot("ForeColor", d::ForeColor, CallKind::Get, "OLE_COLOR", {}, false, kForeText));
    f.push_back(slot("ForeColor", d::ForeColor, CallKind::Let, "OLE_COLOR", {}, false, kForeText));
    f.push_back(slot("Refresh", d::Refresh, CallKind::Method, "", {}, false, kRefreshText));
    f.push_back(slot("Lview", d::Lview, CallKind::Get, "Object"));
    f.push_back(slot("Lview", d::Lview, CallKind::Set, "Object", {}, true));
    c.events.name = "__Ombrelis";
    c.enums.push_back({"WinNotifications",
                       {{"NM_FIRST", 0},
                        {"NM_LAST", -99},
                        {"NM_OUTOFMEMORY", -1},
                        {"NM_CLICK", -2},
                        {"NM_DBLCLK", -3},
                        {"NM_RETURN", -4},
                        {"NM_RCLICK", -5},
                        {"NM_RDBLCLK", -6},
                        {"NM_SETFOCUS", -7},
                        {"NM_KILLFOCUS", -8},
                        {"NM_CUSTOMDRAW", -12},
                        {"NM_HOVER", -13}}});
    return c;
  }();
  return ci;
}

}  // namespace ombrelis
