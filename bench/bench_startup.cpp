// Start-up work: from the click on a language label to the main window
// shown, the time beyond the nine one-second ticks (goal: under 50 ms;
// printed against it, MISSED when off it, deciding nothing).
// The ticks pass on the virtual clock, so what is measured is the work of
// the eight loading steps (tables, listings, window loads).
#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_support.h"
#include "platform/display/display_modes.h"
#include "platform/forms/form.h"
#include "platform/forms/virtual_services.h"
#include "simulator/dialogs/abiarazi.h"
#include "simulator/dialogs/bereizmena.h"
#include "simulator/mainwindow/nagusia.h"

int main(int argc, char** argv) {
  bench::App app(argc, argv);
  plat::ScriptedDisplay screen({{1024, 768, 16}}, {1024, 768, 16});
  plat::set_display(&screen);

  std::vector<double> ms;
  for (int run = 0, n = bench::iterations(7); run < n; ++run) {
    plat::VirtualServices clock;
    plat::form<brendalo::Bereizmena>();
    auto& splash = plat::form<brendalo::Abiarazi>();
    const auto t0 = std::chrono::steady_clock::now();
    splash.fire(splash.ctl("Label5", 1), plat::Event::Click);
    clock.advance(9000);
    const double t = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    if (!plat::form<brendalo::Nagusia>().visible()) {
      std::fprintf(stderr, "the main window was not shown\n");
      return 1;
    }
    ms.push_back(t);
    plat::unload_all_forms();
    QApplication::processEvents();
    plat::reset_program_end();
  }
  std::sort(ms.begin(), ms.end());
  const double median = ms[ms.size() / 2];
  std::printf("start-up work beyond the nine ticks: median %.1f ms (min %.1f, max %.1f) over %zu runs  (goal < 50 ms) %s\n",
              median, ms.front(), ms.back(), ms.size(), median < 50 ? "ok" : "MISSED");
  plat::set_display(nullptr);
  return 0;
}
