#pragma once
// A run of the simulator on the virtual clock with a scripted user: the
// answers to the instruction and Z dialogs, the clock pulses, and timed
// commands. Every paced wait is recorded (its length in milliseconds), so a
// test can check how many waits a run makes and how long each lasts.
#include <QApplication>
#include <gtest/gtest.h>

#include "testing/simulator_test.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/form.h"
#include "platform/forms/proplog.h"
#include "platform/forms/virtual_services.h"
#include "simulator/dialogs/agindua.h"
#include "simulator/dialogs/zaukeratu.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo::testing {

// Forwards to a virtual clock and notes each paced wait once (a wait woken
// early by an event goes on with the same deadline).
class RecordingServices final : public plat::Services {
 public:
  explicit RecordingServices(plat::VirtualServices& inner) : inner_(inner) { plat::set_services(this); }
  ~RecordingServices() override { plat::set_services(&inner_); }

  int64_t now_ms() override { return inner_.now_ms(); }
  void yield() override { inner_.yield(); }
  void wait_until(int64_t deadline) override {
    if (deadline != kForever && deadline != last_deadline_) {
      waits.push_back(deadline - inner_.now_ms());
      last_deadline_ = deadline;
    }
    if (deadline == kForever) ++event_waits;
    inner_.wait_until(deadline);
  }
  int start_timer(int ms, std::function<void()> tick) override { return inner_.start_timer(ms, std::move(tick)); }
  void stop_timer(int id) override { inner_.stop_timer(id); }
  int message_box(const std::string& t, int s, const std::string& title) override {
    return inner_.message_box(t, s, title);
  }
  void beep() override { inner_.beep(); }
  plat::TimeOfDay time_of_day() override { return inner_.time_of_day(); }

  std::vector<int64_t> waits;  // lengths of the paced waits, in order
  int event_waits = 0;         // waits for the next event (dialogs, pulses, pause)

 private:
  plat::VirtualServices& inner_;
  int64_t last_deadline_ = -1;
};

class RunTest : public SimulatorTest {
 protected:
  void SetUp() override {
    SimulatorTest::SetUp();
    load_tables();
    // The grids laid out and filled, as start-up leaves them for a run.
    Show_microprogram_main();
    Show_microprogram_window();
    Show_control_memory_main();
    Show_control_memory_window();
    Show_registers_main();
    Show_registers_window();
    Show_main_memory_main();
    Show_main_memory_window();
    // The caption clock would wake every wait: a test's waits see only its own script.
    plat::form<Nagusia>().ctl("Timer1").set_enabled(false);
  }

  Nagusia& main_window() { return plat::form<Nagusia>(); }
  plat::Control& nw(const char* name, int index = -1) { return main_window().ctl(name, index); }

  // The scripted user looks every 50 ms of virtual time (for at most
  // `limit_ms`, so that a run that hangs fails instead of spinning).
  void start_user(int64_t limit_ms = 40'000'000) {
    user_until_ = clock.now_ms() + limit_ms;
    clock.after(50, [this] { user_turn(); });
  }
  void user_turn() {
    if (plat::Form* f = plat::loaded_form(Agindua::kName); f && f->visible() && !instructions.empty()) {
      f->ctl("Combo1").set_text(instructions.front());
      instructions.pop_front();
      ++answers;
      f->click("Command1");
    } else if (plat::Form* z = plat::loaded_form(Zaukeratu::kName); z && z->visible() && !z_answers.empty()) {
      z->ctl("Combo1").set_text(z_answers.front());
      z_answers.pop_front();
      ++answers;
      z->click("Command1");
    }
    for (int i : {0, 1}) {
      plat::Control& b = nw("Command3", i);
      if ((i == 0 ? press_clk1 : press_clk2) && b.visible() && b.enabled()) {
        ++pulses[i];
        main_window().click("Command3", i);
      }
    }
    if (clock.now_ms() < user_until_) clock.after(50, [this] { user_turn(); });
  }

  // Runs `then` once `ready` holds, looking every quarter second.
  void when(std::function<bool()> ready, std::function<void()> then) {
    clock.after(250, [this, ready, then] {
      if (ready())
        then();
      else
        when(ready, then);
    });
  }

  // The Label10(1) captions of the counter phase: one per pass, then the
  // closing replay's "00000".
  static std::vector<std::string> counter_captions() {
    std::vector<std::string> r;
    for (const plat::PropWrite& w : plat::PropertyLog::writes())
      if (w.form == "Nagusia" && w.control == "Label10" && w.index == 1 && w.property == "Caption" &&
          w.value.to_string() != "11111")
        r.push_back(w.value.to_string());
    return r;
  }
  // Texts written into panel `panel` of the main window's status bar, in order.
  static std::vector<std::string> panel_writes(int panel) {
    std::vector<std::string> r;
    const std::string key = "Panels(" + std::to_string(panel) + ").Text";
    for (const plat::PropWrite& w : plat::PropertyLog::writes())
      if (w.form == "Nagusia" && w.control == "StatusBar1" && w.property == key) r.push_back(w.value.to_string());
    return r;
  }

  plat::VirtualServices clock;
  RecordingServices rec{clock};
  std::deque<std::string> instructions;  // entries chosen in Agindua, in order
  std::deque<std::string> z_answers;     // texts typed into Zaukeratu
  bool press_clk1 = false, press_clk2 = false;
  int pulses[2] = {0, 0};
  int answers = 0;
  int64_t user_until_ = 0;
};

}  // namespace brendalo::testing
