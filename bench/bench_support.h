#pragma once
// What the benchmarks share: an offscreen application with a registry of
// its own holding the control libraries built beside them, the median of a
// sample and the process's CPU time.
#include <QApplication>
#include <QTemporaryDir>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/com/registry.h"

namespace bench {

class App {
 public:
  App(int& argc, char** argv) : app_((prepare(), argc), argv) {
    plat::com::register_libraries_in(BRENDALO_BIN_DIR, false);
  }

 private:
  void prepare() {
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

}  // namespace bench
