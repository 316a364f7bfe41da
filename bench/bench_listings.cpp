// Each listing of the machine tables through the grid's dispatch interface,
// with the grid's repaints (the windows are shown and their paint events
// handled after each listing). Targets: the 72-row main-memory listing under
// 100 ms; the whole start-up listing work (the eight steps' loaders and
// listings, without their timer ticks) under 300 ms. Prints the medians.
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
  struct Case {
    const char* name;
    void (*fn)();
  } cases[] = {
      {"Show_microprogram_main", Show_microprogram_main},
      {"Show_microprogram_window", Show_microprogram_window},
      {"Show_control_memory_main", Show_control_memory_main},
      {"Show_control_memory_window", Show_control_memory_window},
      {"Show_registers_main", Show_registers_main},
      {"Show_registers_window", Show_registers_window},
      {"Refresh_registers_main", Refresh_registers_main},
      {"Refresh_registers_window", Refresh_registers_window},
      {"Show_main_memory_main", Show_main_memory_main},
      {"Show_main_memory_window", Show_main_memory_window},
      {"Fill_example_program_grid", Fill_example_program_grid},
      {"Clear_main_memory_grid", Clear_main_memory_grid},
  };
  for (const Case& c : cases) {
    const double ms = median_ms(runs, none, c.fn);
    const bool memory = std::string_view(c.name).starts_with("Show_main_memory");
    std::printf("%-28s median %8.3f ms%s\n", c.name, ms, memory ? (ms < 100 ? "  (target < 100 ms) ok" : "  SLOW") : "");
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
  std::printf("start-up listing work        median %8.3f ms  (target < 300 ms) %s\n", startup,
              startup < 300 ? "ok" : "SLOW");
  // The same from nothing: the four windows are created and loaded on the way.
  const double cold = median_ms(
      bench::iterations(11),
      [] {
        plat::unload_all_forms();
        QApplication::processEvents();
        plat::form<Abiarazi>().abiarazten = -1;
      },
      bench::start_up_listings);
  std::printf("start-up with window loading median %8.3f ms\n", cold);
  plat::unload_all_forms();
  return 0;
}
