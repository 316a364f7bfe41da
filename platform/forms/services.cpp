#include "platform/forms/services.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTime>
#include <QTimer>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "platform/forms/widgets.h"

namespace plat {

namespace {

class RealServices final : public Services {
 public:
  RealServices() { clock_.start(); }

  int64_t now_ms() override { return clock_.elapsed(); }

  void yield() override { QCoreApplication::processEvents(QEventLoop::AllEvents); }

  void wait_until(int64_t deadline_ms) override {
    const int64_t now = now_ms();
    if (deadline_ms <= now) return;
    // A timer armed for the deadline is the event that ends the wait when
    // nothing else comes first; the thread sleeps in the dispatcher meanwhile.
    if (!waker_) {
      waker_ = std::make_unique<QTimer>();
      waker_->setSingleShot(true);
      waker_->setTimerType(Qt::PreciseTimer);
    }
    if (deadline_ms != kForever) {
      const int64_t left = deadline_ms - now;
      waker_->start(int(std::min<int64_t>(left, 24LL * 3600 * 1000)));
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    waker_->stop();
  }

  int start_timer(int interval_ms, std::function<void()> tick) override {
    auto t = std::make_unique<QTimer>();
    t->setInterval(std::max(1, interval_ms));
    QObject::connect(t.get(), &QTimer::timeout, [tick = std::move(tick)] { tick(); });
    t->start();
    const int id = ++last_id_;
    timers_[id] = std::move(t);
    return id;
  }

  void stop_timer(int id) override {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    it->second->stop();
    // The timer may be the one whose tick is running now: free it later.
    it->second.release()->deleteLater();
    timers_.erase(it);
  }

  int message_box(const std::string& text, int style, const std::string& title) override {
    QMessageBox box;
    switch (style & 0x70) {
      case vbCritical: box.setIcon(QMessageBox::Critical); break;
      case vbQuestion: box.setIcon(QMessageBox::Question); break;
      case vbExclamation: box.setIcon(QMessageBox::Warning); break;
      case vbInformation: box.setIcon(QMessageBox::Information); break;
      default: box.setIcon(QMessageBox::NoIcon); break;
    }
    box.setWindowTitle(title.empty() ? QCoreApplication::applicationName() : QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    box.setStandardButtons(QMessageBox::Ok);
    // It waits for an answer before anything else: in front of every window
    // of the program, the dialogs that stay above the others included, while
    // the program is in use.
    stay_above_while_in_use(&box, true);
    box.exec();
    return vbOK;
  }

  void beep() override { QApplication::beep(); }

  TimeOfDay time_of_day() override {
    const QTime t = QTime::currentTime();
    return {t.hour(), t.minute(), t.second()};
  }

 private:
  QElapsedTimer clock_;
  std::unique_ptr<QTimer> waker_;
  std::map<int, std::unique_ptr<QTimer>> timers_;
  int last_id_ = 0;
};

Services* g_installed = nullptr;
bool g_ending = false;
int g_exit_code = 0;
int g_depth = 0;
std::vector<std::function<void()>> g_idle;
bool g_idle_queued = false;

RealServices& real() {
  static RealServices* r = new RealServices();  // lives until exit, like the event loop
  return *r;
}

void run_idle();

void queue_idle() {
  if (g_idle_queued || !QCoreApplication::instance()) return;
  g_idle_queued = true;
  QTimer::singleShot(0, [] {
    g_idle_queued = false;
    run_idle();
  });
}

void run_idle() {
  if (g_depth > 0) return;  // the scope's end queues us again
  auto work = std::move(g_idle);
  g_idle.clear();
  for (auto& fn : work) fn();
  if (g_ending && g_depth == 0 && QCoreApplication::instance()) QCoreApplication::exit(g_exit_code);
}

}  // namespace

Services& services() { return g_installed ? *g_installed : real(); }
void set_services(Services* s) { g_installed = s; }

void yield() {
  if (g_ending) return;
  services().yield();
}

void wait_until(int64_t deadline_ms) {
  if (g_ending) return;
  services().wait_until(deadline_ms);
}

int message_box(const std::string& text, int style, const std::string& title) {
  if (g_ending) return vbOK;
  return services().message_box(text, style, title);
}

void beep() { services().beep(); }

void end_program(int code) {
  g_ending = true;
  g_exit_code = code;
  queue_idle();
}

bool ending() { return g_ending; }

int exit_code() { return g_exit_code; }

void report_unhandled_error(int number, const std::string& description) {
  const std::string text = "Run-time error '" + std::to_string(number) + "':\n\n" + description;
  std::fprintf(stderr, "%s\n", text.c_str());
  if (g_ending) return;
  message_box(text, vbCritical);
  end_program(1);
}

void reset_program_end() {
  g_ending = false;
  g_exit_code = 0;
}

HandlerScope::HandlerScope() { ++g_depth; }
HandlerScope::~HandlerScope() {
  if (--g_depth == 0 && (!g_idle.empty() || g_ending)) queue_idle();
}
int HandlerScope::depth() { return g_depth; }

void when_idle(std::function<void()> fn) {
  g_idle.push_back(std::move(fn));
  if (g_depth == 0) queue_idle();
}

}  // namespace plat
