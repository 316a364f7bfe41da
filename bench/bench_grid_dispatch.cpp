// Late-bound cost of the grid: TextMatrix let and get through the dispatch
// interface (target: under 1 us each), and creating a grid by class name
// through the registry (target: under 20 ms). Prints the medians.
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/bench_support.h"
#include "gridcontrol/nadrel_ids.h"
#include "platform/com/registry.h"

using namespace plat::com;
using Clock = std::chrono::steady_clock;

namespace {

double since_ns(Clock::time_point t0) { return std::chrono::duration<double, std::nano>(Clock::now() - t0).count(); }

}  // namespace

int main(int argc, char** argv) {
  bench::App app(argc, argv);

  // Creation by class name: registry lookup, library (already loaded after
  // the first), object and its widget, first-time defaults.
  std::vector<double> create_ms;
  double first_ms = 0;
  for (int i = 0, n = bench::iterations(40); i < n; ++i) {
    auto t0 = Clock::now();
    std::shared_ptr<Control> g = create_object(nadrel::kClassName);
    g->init_properties();
    double ms = since_ns(t0) / 1e6;
    if (i == 0) first_ms = ms;
    create_ms.push_back(ms);
  }

  std::shared_ptr<Control> grid = create_object(nadrel::kClassName);
  grid->init_properties();
  std::vector<Variant> setup = {Variant(72), Variant(3), Variant(true), Variant(true), Variant("Helbidea|Edukia|x")};
  if (!grid->invoke(nadrel::dispid::AutoSetup, CallKind::Method, setup).ok()) {
    std::fprintf(stderr, "AutoSetup failed\n");
    return 1;
  }

  constexpr int kBatch = 10000;
  const int kBatches = bench::iterations(60);
  std::vector<double> let_ns, get_ns;
  std::vector<Variant> args(3);
  for (int b = 0; b < kBatches; ++b) {
    auto t0 = Clock::now();
    for (int i = 0; i < kBatch; ++i) {
      args[0] = Variant(1 + i % 72);
      args[1] = Variant(1 + i % 3);
      args[2] = Variant("0000 0000 0000 0001");
      grid->invoke(nadrel::dispid::TextMatrix, CallKind::Let, args);
    }
    let_ns.push_back(since_ns(t0) / kBatch);
    std::span<Variant> two(args.data(), 2);
    t0 = Clock::now();
    size_t total = 0;
    for (int i = 0; i < kBatch; ++i) {
      args[0] = Variant(1 + i % 72);
      args[1] = Variant(1 + i % 3);
      total += grid->invoke(nadrel::dispid::TextMatrix, CallKind::Get, two).value.to_string().size();
    }
    get_ns.push_back(since_ns(t0) / kBatch);
    if (total == 0) {
      std::fprintf(stderr, "TextMatrix read back nothing\n");
      return 1;
    }
  }

  const double let = bench::median(let_ns), get = bench::median(get_ns), create = bench::median(create_ms);
  std::printf("TextMatrix let (late-bound):  median %8.1f ns per call  (target < 1000 ns) %s\n", let,
              let < 1000 ? "ok" : "SLOW");
  std::printf("TextMatrix get (late-bound):  median %8.1f ns per call  (target < 1000 ns) %s\n", get,
              get < 1000 ? "ok" : "SLOW");
  std::printf("create by class name:         median %8.3f ms, first %.3f ms  (target < 20 ms) %s\n", create, first_ms,
              std::max(create, first_ms) < 20 ? "ok" : "SLOW");
  return 0;
}
