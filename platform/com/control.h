#pragma once
// Hosting a control: the object a container creates by class name, the site
// through which the control sees its container, and the extender properties
// the container adds to every control it holds.
//
// Life of a hosted control: create (registry) -> set_site -> init_properties
// (new in a designer) or read_properties (every other load) -> use ->
// write_properties (any number of times) -> release (drop the last pointer).
// The container embeds widget() in its window; the control keeps its own
// state, so every member works whether or not the widget is shown.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/dispatch.h"
#include "platform/com/font.h"
#include "platform/com/property_bag.h"

namespace plat::com {

// Properties the container keeps for each control it holds. Positions and
// sizes are pixels of the container's window; Index is -1 for a control that
// is not part of a control array.
class Extender {
 public:
  virtual ~Extender();
  virtual bool Visible() const = 0;
  virtual void Visible(bool v) = 0;
  virtual int32_t Left() const = 0;
  virtual void Left(int32_t v) = 0;
  virtual int32_t Top() const = 0;
  virtual void Top(int32_t v) = 0;
  virtual int32_t Width() const = 0;
  virtual void Width(int32_t v) = 0;
  virtual int32_t Height() const = 0;
  virtual void Height(int32_t v) = 0;
  virtual std::string Name() const = 0;
  virtual int16_t Index() const = 0;
  // The control's enabled state as the container keeps it (a disabled
  // control takes no input from it).
  virtual bool Enabled() const = 0;
  virtual void Enabled(bool v) = 0;
  // The control giving itself a size in twips (15 to a pixel), which a
  // container laid out in twips keeps exactly; by default through Width and
  // Height in pixels.
  virtual void SizeTwips(int32_t width, int32_t height) {
    Width((width + 7) / 15);
    Height((height + 7) / 15);
  }
};

// The container's side, as the control sees it.
class Site {
 public:
  virtual ~Site();
  // The container's font; the control clones it for its own use.
  virtual std::shared_ptr<Font> ambient_font() const = 0;
  // True at run time, False in a designer.
  virtual bool ambient_user_mode() const = 0;
  // A property changed, so a designer should save it again.
  virtual void property_changed(std::string_view name) = 0;
  virtual Extender* extender() { return nullptr; }
};

// Called for every event the control raises: the event's identifier and its
// arguments (by-reference ones may be written back with Variant::assign).
using EventHandler = std::function<void(DispId event, std::span<Variant> args)>;

class Control : public Dispatch {
 public:
  ~Control() override;

  virtual const ClassInfo& class_info() const = 0;
  const TypeInfo& type_info() const override { return class_info().interface; }

  // Connects a handler to the named event interface (e.g. "__Nadrel");
  // returns a cookie for disconnect. Error 438 for an unknown interface.
  int connect(std::string_view event_interface, EventHandler handler);
  void disconnect(int cookie);

  void set_site(Site* site) { site_ = site; }
  Site* site() const { return site_; }

  // The control's surface. It exists from creation; the container reparents
  // it into its window. The control deletes it when released.
  virtual QWidget* widget() = 0;

  virtual void init_properties() = 0;
  // Throws RuntimeError when a value cannot be taken.
  virtual void read_properties(const PropertyBag& bag) = 0;
  virtual void write_properties(PropertyBag& bag) = 0;
  // The container's notice that the focus left the control.
  virtual void focus_left() {}

 protected:
  void fire(DispId event, std::span<Variant> args);
  void notify_property_changed(std::string_view name);
  // The site's ambient values, or the platform's defaults without a site.
  std::shared_ptr<Font> ambient_font() const;
  bool ambient_user_mode() const;

 private:
  Site* site_ = nullptr;
  struct Connection {
    int cookie;
    EventHandler handler;
  };
  std::vector<Connection> connections_;
  int next_cookie_ = 1;
};

// The Qt cursor of a mouse-pointer value (0 default, 1 arrow, 2 cross,
// 3 I-beam, 5 size all, 6 size NE-SW, 7 size N-S, 8 size NW-SE, 9 size W-E,
// 10 up arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass,
// 14 arrow and question, 15 size all).
Qt::CursorShape cursor_shape_of(int16_t mouse_pointer);

// Dispatch identifiers of the extender's properties.
enum ExtenderDispId : DispId {
  kExtVisible = int32_t(0x80010001u), kExtLeft, kExtTop, kExtWidth, kExtHeight, kExtName, kExtIndex,
};

// The object a container hands to its code for a control: the extender's
// properties first, then every member of the control.
class ExtendedControl final : public Dispatch {
 public:
  ExtendedControl(std::shared_ptr<Control> control, Extender& extender);
  const TypeInfo& type_info() const override { return info_; }
  Control& control() const { return *control_; }

 protected:
  Variant dispatch(DispId id, CallKind kind, std::span<Variant> args) override;

 private:
  std::shared_ptr<Control> control_;
  Extender& ext_;
  TypeInfo info_;
};

// An extender over a widget's own geometry and visibility.
class WidgetExtender final : public Extender {
 public:
  WidgetExtender(QWidget* w, std::string name, int16_t index = -1) : w_(w), name_(std::move(name)), index_(index) {}
  bool Visible() const override { return w_ && !w_->isHidden(); }
  void Visible(bool v) override { if (w_) w_->setVisible(v); }
  int32_t Left() const override { return w_ ? w_->x() : 0; }
  void Left(int32_t v) override { if (w_) w_->move(v, w_->y()); }
  int32_t Top() const override { return w_ ? w_->y() : 0; }
  void Top(int32_t v) override { if (w_) w_->move(w_->x(), v); }
  int32_t Width() const override { return w_ ? w_->width() : 0; }
  void Width(int32_t v) override { if (w_) w_->resize(v, w_->height()); }
  int32_t Height() const override { return w_ ? w_->height() : 0; }
  void Height(int32_t v) override { if (w_) w_->resize(w_->width(), v); }
  std::string Name() const override { return name_; }
  int16_t Index() const override { return index_; }
  bool Enabled() const override { return w_ && !w_->testAttribute(Qt::WA_ForceDisabled); }
  void Enabled(bool v) override { if (w_) w_->setEnabled(v); }

 private:
  QPointer<QWidget> w_;
  std::string name_;
  int16_t index_;
};

// A plain container site: a settable ambient font and user mode, a log of
// the property-changed notices, and optionally an extender.
class SimpleSite final : public Site {
 public:
  SimpleSite() : font_(Font::create()) {}
  std::shared_ptr<Font> ambient_font() const override { return font_; }
  bool ambient_user_mode() const override { return user_mode_; }
  void property_changed(std::string_view name) override { changed_.emplace_back(name); }
  Extender* extender() override { return extender_.get(); }

  void set_ambient_font(std::shared_ptr<Font> f) { font_ = std::move(f); }
  void set_user_mode(bool run_time) { user_mode_ = run_time; }
  void set_extender(std::unique_ptr<Extender> e) { extender_ = std::move(e); }
  const std::vector<std::string>& changed() const { return changed_; }
  void clear_changed() { changed_.clear(); }

 private:
  std::shared_ptr<Font> font_;
  bool user_mode_ = true;
  std::vector<std::string> changed_;
  std::unique_ptr<Extender> extender_;
};

}  // namespace plat::com
