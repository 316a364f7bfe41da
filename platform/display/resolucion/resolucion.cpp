// The outside resolution control "Pantalla.Resolucion": reports the current
// width, height and colour depth of the display and sets a display mode,
// through the platform's display backend. A library of its own, created by
// class name like any control.
#include <QString>
#include <QWidget>

#include "platform/com/control.h"
#include "platform/com/errors.h"
#include "platform/com/control_library.h"
#include "platform/display/display_modes.h"

namespace {

constexpr const char* kClassName = "Pantalla.Resolucion";
constexpr plat::com::DispId kDepth = 0x68030000, kHeight = 0x68030001, kWidth = 0x68030002, kSetMode = 0x6003000B;

const plat::com::ClassInfo& info() {
  using plat::com::CallKind;
  using plat::com::make_func;
  static const plat::com::ClassInfo ci = [] {
    plat::com::ClassInfo c;
    c.class_name = kClassName;
    c.interface.name = "_Resolucion";
    c.interface.funcs = {
        make_func("Profundidad", kDepth, CallKind::Get, "Long"),
        make_func("Alto", kHeight, CallKind::Get, "Long"),
        make_func("Ancho", kWidth, CallKind::Get, "Long"),
        make_func("CambiarResolucion", kSetMode, CallKind::Method, "",
                  {{"Ancho", "Integer"}, {"Alto", "Integer"}, {"Profundidad", "Integer"}}),
    };
    c.events.name = "__Resolucion";
    return c;
  }();
  return ci;
}

class Resolucion final : public plat::com::Control {
 public:
  const plat::com::ClassInfo& class_info() const override { return info(); }
  QWidget* widget() override {
    if (!widget_) {
      widget_ = new QWidget();
      widget_->hide();  // invisible at run time
    }
    return widget_;
  }
  ~Resolucion() override { delete widget_.data(); }
  void init_properties() override {}
  void read_properties(const plat::com::PropertyBag&) override {}
  void write_properties(plat::com::PropertyBag&) override {}

 protected:
  plat::com::Variant dispatch(plat::com::DispId id, plat::com::CallKind kind,
                              std::span<plat::com::Variant> args) override {
    using plat::com::CallKind;
    const plat::DisplayMode m = plat::display().current();
    if (kind == CallKind::Get && args.empty()) {
      if (id == kWidth) return plat::com::Variant(int32_t(m.width));
      if (id == kHeight) return plat::com::Variant(int32_t(m.height));
      if (id == kDepth) return plat::com::Variant(int32_t(m.bits_per_pixel));
    }
    if (id == kSetMode && kind == CallKind::Method) {
      plat::com::Args a(args, 3, 3);
      plat::display().set_mode({a.required(0).to_i2(), a.required(1).to_i2(), a.required(2).to_i2()});
      return {};
    }
    throw plat::com::RuntimeError{plat::com::kErrNoMember, plat::com::error_text(plat::com::kErrNoMember)};
  }

 private:
  QPointer<QWidget> widget_;
};

}  // namespace

BRENDALO_SINGLE_CLASS_LIBRARY(kClassName, Resolucion)
