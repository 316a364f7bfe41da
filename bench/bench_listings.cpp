// Each listing of the machine tables through the grid's dispatch interface,
// with the grid's repaints (the windows are shown and their paint events
// handled after each listing): a listing costs about one repaint of the
// grids it changes. Goals: the control-memory, main-memory and
// register-window listings under 5 ms each; the whole start-up listing work
// (the eight steps' loaders and listings, without their timer ticks) under
// 50 ms. The main window's memory grid and register grid are hidden at
// start-up (another view is shown), so their listings draw nothing until
// their view is shown; they are measured again with it shown. Prints the
// medians, each against its goal (MISSED when off it; no figure decides the
// exit status).
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench/bench_support.h"
#include "platform/com/registry.h"
#include "platform/forms/form.h"
#include "simulator/dialogs/abiarazi.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/example_listing.h"
#include "simulator/mainwindow/nagusia.h"

using namespace brendalo;
using Clock = std::chrono::steady_clock;

namespace {

double median_ms(int runs, const std::function<void()>& prepare, const std::function<void()>& work) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    prepare();
    auto t0 = Clock::now();
    work();
    QApplication::processEvents();  // the repaints the listing asked for
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

// A median, against its goal when it has one (goal_ms > 0).
void report(const char* name, double ms, double goal_ms) {
  if (goal_ms > 0) std::printf("%-40s median %8.3f ms  (goal < %.0f ms) %s\n", name, ms, goal_ms, ms < goal_ms ? "ok" : "MISSED");
  else std::printf("%-40s median %8.3f ms\n", name, ms);
}

void show_windows() {
  plat::form<Nagusia>().Show();
  plat::form<Mikroprograma>().Show();
  plat::form<Kontrolmemoria>().Show();
  plat::form<MNetaEM>().Show();
  QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  bench::App app(argc, argv);

  bench::start_up_listings();
  show_windows();
  const auto none = [] {};
  const int runs = bench::iterations(31);
  constexpr double kListingGoal = 5, kStartUpGoal = 50, kNone = 0;
  struct Case {
    const char* name;
    void (*fn)();
    double goal_ms;
  };
  const Case cases[] = {
      {"Show_microprogram_main", Show_microprogram_main, kNone},
      {"Show_microprogram_window", Show_microprogram_window, kNone},
      {"Show_control_memory_main", Show_control_memory_main, kListingGoal},
      {"Show_control_memory_window", Show_control_memory_window, kListingGoal},
      {"Show_registers_main", Show_registers_main, kNone},
      {"Show_registers_window", Show_registers_window, kListingGoal},
      {"Refresh_registers_main", Refresh_registers_main, kNone},
      {"Refresh_registers_window", Refresh_registers_window, kNone},
      {"Show_main_memory_main", Show_main_memory_main, kListingGoal},
      {"Show_main_memory_window", Show_main_memory_window, kListingGoal},
      {"Fill_example_program_grid", Fill_example_program_grid, kNone},
      {"Clear_main_memory_grid", Clear_main_memory_grid, kNone},
  };
  for (const Case& c : cases) report(c.name, median_ms(runs, none, c.fn), c.goal_ms);
  {
    // The hidden main-window grids with their view on the screen: the
    // listing then pays for its one repaint.
    Nagusia& n = plat::form<Nagusia>();
    n.ctl("Frame7").set_visible(true);
    n.ctl("Nadrel4", 1).set_visible(true);
    QApplication::processEvents();
    report("Show_main_memory_main, its view shown", median_ms(runs, none, Show_main_memory_main), kListingGoal);
    report("Show_registers_main, its grid shown", median_ms(runs, none, Show_registers_main), kNone);
    n.ctl("Frame7").set_visible(false);
    n.ctl("Nadrel4", 1).set_visible(false);
    QApplication::processEvents();
  }

  // The start-up work with the splash window's loading flag set, so the
  // control-memory listings advance the bar; windows already loaded.
  Abiarazi& a = plat::form<Abiarazi>();
  const double startup = median_ms(
      runs,
      [&] {
        a.abiarazten = -1;
        a.Balioa = 10;
      },
      bench::start_up_listings);
  a.abiarazten = 0;
  report("start-up listing work", startup, kStartUpGoal);
  // The same from nothing: the four windows are created and loaded on the way.
  const double cold = median_ms(
      bench::iterations(11),
      [] {
        plat::unload_all_forms();
        QApplication::processEvents();
        plat::form<Abiarazi>().abiarazten = -1;
      },
      bench::start_up_listings);
  report("start-up with window loading", cold, kNone);
  plat::unload_all_forms();
  return 0;
}
