#include "platform/forms/virtual_services.h"

#include <QCoreApplication>
#include <algorithm>
#include <stdexcept>

namespace plat {

VirtualServices::VirtualServices() { set_services(this); }
VirtualServices::~VirtualServices() { set_services(nullptr); }

void VirtualServices::yield() {
  ++yields;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
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
  QCoreApplication::processEvents(QEventLoop::AllEvents);
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
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  while (fire_next(target)) QCoreApplication::processEvents(QEventLoop::AllEvents);
  now_ = std::max(now_, target);
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

size_t VirtualServices::pending() const { return entries_.size(); }

}  // namespace plat
