#pragma once
// The services a program gets from the platform beside its windows: the
// elapsed-time clock, the yield, the blocking wait, timers, message boxes,
// the beep and the time of day. All of them go through one replaceable
// object, so a test can run on a virtual clock, answer message boxes by
// script and count beeps (see virtual_services.h).
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace plat {

struct TimeOfDay {
  int hour = 0, minute = 0, second = 0;
};

// Message box styles (icon part); the box always has one OK button.
enum MsgBoxStyle : int { vbOKOnly = 0, vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64 };
constexpr int vbOK = 1;

class Services {
 public:
  static constexpr int64_t kForever = std::numeric_limits<int64_t>::max();

  virtual ~Services() = default;
  // Milliseconds on a clock that only moves forward (no jump at midnight).
  virtual int64_t now_ms() = 0;
  // Handles every pending event, never blocks.
  virtual void yield() = 0;
  // Blocks in the event loop until the deadline or until an event has been
  // handled, whichever comes first. Never spins.
  virtual void wait_until(int64_t deadline_ms) = 0;
  // A periodic timer; the callback runs from the event loop.
  virtual int start_timer(int interval_ms, std::function<void()> tick) = 0;
  virtual void stop_timer(int id) = 0;
  // A modal box with an OK button; returns vbOK. An empty title means the
  // application's own title.
  virtual int message_box(const std::string& text, int style, const std::string& title) = 0;
  virtual void beep() = 0;
  virtual TimeOfDay time_of_day() = 0;
};

// The services in use (the real ones unless a test installed others).
Services& services();
// Installs `s` (not owned); nullptr goes back to the real services.
void set_services(Services* s);

// Shorthands.
inline int64_t now_ms() { return services().now_ms(); }
void yield();
void wait_until(int64_t deadline_ms);
// Blocks until the next event has been handled (or the program is ending).
inline void wait_event() { wait_until(Services::kForever); }
int message_box(const std::string& text, int style = vbOKOnly, const std::string& title = {});
void beep();

// Ending the program: every wait and yield returns at once from then on, and
// the program exits when the last running handler has returned.
void end_program(int code = 0);
bool ending();
// The code end_program was given.
int exit_code();

// The platform's report of an error that program code left unhandled: a
// critical message box with the error's number and text, then the end of
// the program (exit code 1). Once the program is ending, a further error is
// written to stderr only.
void report_unhandled_error(int number, const std::string& description);

// Handler bookkeeping: every call from the platform into program code runs
// inside a HandlerScope, so that nothing is destroyed under a running handler.
class HandlerScope {
 public:
  HandlerScope();
  ~HandlerScope();
  HandlerScope(const HandlerScope&) = delete;
  HandlerScope& operator=(const HandlerScope&) = delete;
  static int depth();
};
// Runs `fn` once no handler is running any more (queued to the event loop).
void when_idle(std::function<void()> fn);

}  // namespace plat
