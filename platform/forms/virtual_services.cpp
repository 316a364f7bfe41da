#include "platform/forms/virtual_services.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <algorithm>
#include <stdexcept>

namespace plat {

// Holds the windows' repaint requests while the clock handles events. A
// window asks again only once its request has been handled, so each one
// waiting is noted once and asked again when repainting is allowed.
class VirtualServices::RepaintHold final : public QObject {
 public:
  RepaintHold() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
  }
  ~RepaintHold() override { release(); }

  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::UpdateRequest || !holding || !o->isWidgetType()) return false;
    if (std::find(held_.begin(), held_.end(), o) == held_.end()) held_.emplace_back(o);
    return true;
  }
  void release() {
    for (const QPointer<QObject>& o : held_)
      if (o) QCoreApplication::postEvent(o, new QEvent(QEvent::UpdateRequest), Qt::LowEventPriority);
    held_.clear();
  }

  bool holding = false;

 private:
  std::vector<QPointer<QObject>> held_;
};

VirtualServices::VirtualServices() : hold_(std::make_unique<RepaintHold>()) { set_services(this); }
VirtualServices::~VirtualServices() { set_services(nullptr); }

void VirtualServices::process_events() {
  if (repaint_windows) hold_->release();
  // A handler run from here may wait in turn: restore the outer level's state.
  const bool outer = hold_->holding;
  hold_->holding = !repaint_windows;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  hold_->holding = outer;
}

void VirtualServices::yield() {
  ++yields;
  process_events();
}

bool VirtualServices::fire_next(int64_t limit) {
  auto it = std::min_element(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    return a.due != b.due ? a.due < b.due : a.seq < b.seq;
  });
  if (it == entries_.end() || it->due > limit) return false;
  now_ = std::max(now_, it->due);
  std::function<void()> fn = it->fn;
  if (it->interval > 0) {
    it->due += it->interval;
    it->seq = ++seq_;
  } else {
    entries_.erase(it);
  }
  fn();
  return true;
}

void VirtualServices::wait_until(int64_t deadline_ms) {
  ++waits;
  process_events();
  if (ending() || deadline_ms <= now_) return;
  if (fire_next(deadline_ms)) return;
  if (deadline_ms == kForever)
    throw std::logic_error("virtual clock: waiting for an event that nothing will ever send");
  now_ = deadline_ms;
}

int VirtualServices::start_timer(int interval_ms, std::function<void()> tick) {
  const int id = ++last_id_;
  const int iv = std::max(1, interval_ms);
  entries_.push_back({id, now_ + iv, iv, ++seq_, std::move(tick)});
  return id;
}

void VirtualServices::stop_timer(int id) {
  std::erase_if(entries_, [id](const Entry& e) { return e.id == id; });
}

int VirtualServices::message_box(const std::string& text, int style, const std::string& title) {
  messages.push_back({text, style, title, now_});
  if (on_message) on_message(messages.back());
  return vbOK;
}

TimeOfDay VirtualServices::time_of_day() {
  int64_t s = tod_base_.hour * 3600LL + tod_base_.minute * 60LL + tod_base_.second + (now_ - tod_set_at_) / 1000;
  s %= 86400;
  return {int(s / 3600), int(s / 60 % 60), int(s % 60)};
}

void VirtualServices::at(int64_t t_ms, std::function<void()> fn) {
  entries_.push_back({++last_id_, std::max(t_ms, now_), 0, ++seq_, std::move(fn)});
}

void VirtualServices::advance(int64_t ms) {
  const int64_t target = now_ + ms;
  process_events();
  while (fire_next(target)) process_events();
  now_ = std::max(now_, target);
  process_events();
}

size_t VirtualServices::pending() const { return entries_.size(); }

}  // namespace plat
