#pragma once
// Services on a virtual clock, for tests: time moves only when a wait lets it
// (straight to the next due timer or scripted action, or to the deadline),
// message boxes are recorded and answered at once, beeps are counted.
//
// A virtual wait takes no real time, so repainting the shown windows at every
// wait, as the real event loop does, would cost far more than the program's
// own work (a run makes thousands of waits). While the clock handles events it
// holds the windows' repaints; a window still paints when it is shown, and
// render_form or grab paint it on demand. The held repaints are asked for
// again when the clock is destroyed or `repaint_windows` is set.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/services.h"

namespace plat {

class VirtualServices final : public Services {
 public:
  struct Message {
    std::string text;
    int style;
    std::string title;
    int64_t at_ms;
  };

  // Installs itself on construction and restores the real services on destruction.
  VirtualServices();
  ~VirtualServices() override;

  int64_t now_ms() override { return now_; }
  void yield() override;
  void wait_until(int64_t deadline_ms) override;
  int start_timer(int interval_ms, std::function<void()> tick) override;
  void stop_timer(int id) override;
  int message_box(const std::string& text, int style, const std::string& title) override;
  void beep() override { ++beeps; }
  TimeOfDay time_of_day() override;

  // Runs `fn` once at virtual time `t_ms` (from inside a wait or advance()).
  void at(int64_t t_ms, std::function<void()> fn);
  void after(int64_t ms, std::function<void()> fn) { at(now_ + ms, std::move(fn)); }
  // Lets `ms` of virtual time pass, firing every timer and action due.
  void advance(int64_t ms);
  // Number of timers and scripted actions still pending.
  size_t pending() const;

  void set_time_of_day(TimeOfDay t) { tod_base_ = t; tod_set_at_ = now_; }

  std::vector<Message> messages;
  // Called for each message box before it returns (may drive the program).
  std::function<void(const Message&)> on_message;
  int beeps = 0;
  int64_t waits = 0;   // calls of wait_until
  int64_t yields = 0;  // calls of yield
  bool repaint_windows = false;  // repaint at every wait, as the real event loop does

 private:
  struct Entry {
    int id;
    int64_t due;
    int interval;  // 0: one-shot action
    uint64_t seq;
    std::function<void()> fn;
  };
  bool fire_next(int64_t limit);
  // Handles the pending events, the windows' repaints held (see above).
  void process_events();

  class RepaintHold;
  std::unique_ptr<RepaintHold> hold_;

  int64_t now_ = 0;
  std::vector<Entry> entries_;
  int last_id_ = 0;
  uint64_t seq_ = 0;
  TimeOfDay tod_base_{10, 0, 0};
  int64_t tod_set_at_ = 0;
};

// Test support: forget an end_program() so the next test starts clean.
void reset_program_end();

}  // namespace plat
