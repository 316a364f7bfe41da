#pragma once
// What the benchmarks share: an offscreen application with a registry of
// its own holding the control libraries built beside them, the median of a
// sample, the process's CPU time, the machine tables listed as start-up
// lists them, and the `--once` mode.
//
// With `--once` every measurement runs once, with the fewest iterations:
// the test suite runs each benchmark so, so that none can break unseen; its
// figures then mean nothing. No figure decides a benchmark's exit status:
// it fails only when it cannot do its work.
#include <QApplication>
#include <QTemporaryDir>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/com/registry.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"

namespace bench {

inline bool& once() {
  static bool on = false;
  return on;
}

inline void read_options(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--once") == 0) once() = true;
}

// How many times to repeat a measurement: `n`, or 1 with `--once`.
inline int iterations(int n) { return once() ? 1 : n; }

class App {
 public:
  App(int& argc, char** argv) : app_((prepare(argc, argv), argc), argv) {
    plat::com::register_libraries_in(BRENDALO_BIN_DIR, false);
  }

 private:
  void prepare(int argc, char** argv) {
    read_options(argc, argv);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    setenv("BRENDALO_REGISTRY", registry_.filePath("registry.ini").toLocal8Bit().constData(), 1);
  }
  QTemporaryDir registry_;
  QApplication app_;
};

inline double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

inline double cpu_seconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(u.ru_utime) + seconds(u.ru_stime);
}

// The four loaders and the eight listings, as the start-up steps run them
// (without their timer ticks); the grid windows are loaded on the way.
inline void start_up_listings() {
  using namespace brendalo;
  Load_microprogram_text();
  Show_microprogram_main();
  Show_microprogram_window();
  Load_control_memory();
  Show_control_memory_main();
  Show_control_memory_window();
  Reset_register_file_text();
  Load_main_memory_data();
  Show_registers_main();
  Show_registers_window();
  Show_main_memory_main();
  Show_main_memory_window();
}

}  // namespace bench
