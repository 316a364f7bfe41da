#include "platform/forms/hosted.h"

#include <QCoreApplication>
#include <QLabel>
#include <QResizeEvent>
#include <cstdio>

#include "platform/com/control.h"
#include "platform/com/errors.h"
#include "platform/com/registry.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form.h"
#include "platform/forms/hosted_state.h"
#include "platform/forms/units.h"

namespace plat {

namespace {

// The container's extender: the forms layer keeps Left, Top, Width, Height
// (twips) and Visible; the component reads and writes them in pixels.
class ControlExtender final : public com::Extender {
 public:
  explicit ControlExtender(Control& c) : c_(c) {}
  bool Visible() const override { return c_.visible(); }
  void Visible(bool v) override { c_.set_visible(v); }
  int32_t Left() const override { return px(c_.left()); }
  void Left(int32_t v) override { c_.set("Left", twips(v)); }
  int32_t Top() const override { return px(c_.top()); }
  void Top(int32_t v) override { c_.set("Top", twips(v)); }
  int32_t Width() const override { return px(c_.width()); }
  void Width(int32_t v) override { c_.set("Width", twips(v)); }
  int32_t Height() const override { return px(c_.height()); }
  void Height(int32_t v) override { c_.set("Height", twips(v)); }
  std::string Name() const override { return c_.name(); }
  int16_t Index() const override { return int16_t(c_.index()); }
  // The window's Enabled of the control, which the forms layer gives its
  // widget.
  bool Enabled() const override { return c_.enabled(); }
  void Enabled(bool v) override { c_.set_enabled(v); }
  void SizeTwips(int32_t width, int32_t height) override {
    c_.set("Width", width);
    c_.set("Height", height);
  }

 private:
  Control& c_;
};

class ControlSite final : public com::Site {
 public:
  explicit ControlSite(com::Extender& e) : extender_(e) {
    com::FontProps p;
    p.name = kDesignFontName;
    p.size = kDesignFontSize;
    font_ = com::Font::create(p);
  }
  std::shared_ptr<com::Font> ambient_font() const override { return font_; }
  bool ambient_user_mode() const override { return true; }
  void property_changed(std::string_view) override {}  // nothing is saved at run time
  com::Extender* extender() override { return &extender_; }

 private:
  com::Extender& extender_;
  std::shared_ptr<com::Font> font_;
};

}  // namespace

struct HostedAccess {
  static std::unique_ptr<HostedState>& state(Control& c) { return c.hosted_; }
  static const std::unique_ptr<HostedState>& state(const Control& c) { return c.hosted_; }
};

com::Dispatch* component(Control& c) {
  auto& s = HostedAccess::state(c);
  return s && s->component ? s->component.get() : nullptr;
}

com::Dispatch& object(Control& c) {
  auto& s = HostedAccess::state(c);
  if (!s || !s->extended)
    throw com::RuntimeError{com::kErrNoObject, c.name() + ": " + (s ? s->error : std::string("not a component"))};
  return *s->extended;
}

std::string hosted_error(const Control& c) {
  auto& s = HostedAccess::state(c);
  return s ? s->error : std::string();
}

namespace {
// The container sizes a component before it loads, so a component that
// paints while it reads its properties paints at its layout size. The widget
// is not shown yet, so Qt would hold the resize back until it is: the
// component gets it now.
void give_layout_size(QWidget* w, QWidget* parent, const Control& c) {
  w->setParent(parent);
  const QSize before = w->size();
  w->setGeometry(px(c.left()), px(c.top()), px(c.width()), px(c.height()));
  if (w->size() == before || !w->testAttribute(Qt::WA_PendingResizeEvent)) return;
  QResizeEvent e(w->size(), before);
  QCoreApplication::sendEvent(w, &e);
  w->setAttribute(Qt::WA_PendingResizeEvent, false);
}
}  // namespace

QWidget* create_hosted(Control& c, QWidget* parent) {
  auto& s = HostedAccess::state(c);
  s = std::make_unique<HostedState>();
  const std::string cls = c.get("ClassName").to_string();
  try {
    s->component = com::create_object(cls);
    give_layout_size(s->component->widget(), parent, c);
    s->extender = std::make_unique<ControlExtender>(c);
    s->site = std::make_unique<ControlSite>(*s->extender);
    s->component->set_site(s->site.get());
    const std::string saved = c.get("Properties").to_string();
    if (saved.empty())
      s->component->init_properties();
    else
      s->component->read_properties(com::PropertyBag::from_text(saved));
    s->extended = std::make_unique<com::ExtendedControl>(s->component, *s->extender);
    Control* self = &c;
    s->cookie = s->component->connect(s->component->class_info().events.name,
                                      [self](com::DispId id, std::span<com::Variant> args) {
                                        self->form().fire_object_event(*self, id, args);
                                      });
  } catch (const com::RuntimeError& e) {
    s->component.reset();
    s->extended.reset();
    s->error = e.description.empty() ? com::error_text(e.number) : e.description;
    std::fprintf(stderr, "%s: %s\n", c.name().c_str(), s->error.c_str());
    auto* placeholder = new QLabel(QString::fromStdString(s->error), parent);
    placeholder->setWordWrap(true);
    placeholder->setFrameStyle(QFrame::Box);
    return placeholder;
  }
  return s->component->widget();
}

void destroy_hosted(Control& c) { HostedAccess::state(c).reset(); }

}  // namespace plat
