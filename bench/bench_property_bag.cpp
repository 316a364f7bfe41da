// Reading a window definition with many lookup items: the bag's text form
// read and handed to a grid, for 0, 500 and 4000 items. Beyond the cost of
// a definition without items, linear time makes 4000 items take about 8
// times as long as 500; a scan per key would make it about 64 times. Prints
// the medians and that ratio.
#include <QApplication>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "gridcontrol/nadrel_ids.h"
#include "platform/com/control.h"
#include "platform/com/property_bag.h"
#include "platform/com/registry.h"

using namespace plat::com;
using Clock = std::chrono::steady_clock;

namespace {

std::string definition(int items) {
  std::string text = "Rows = 5\nCols = 3\nFormatString = \"Helbidea|Edukia|Oharra\"\nCount = " +
                     std::to_string(items) + "\n";
  for (int i = 1; i <= items; ++i) {
    const std::string n = std::to_string(i);
    text += "Column" + n + " = " + std::to_string(1 + i % 3) + "\n";
    text += "Value" + n + " = \"balioa " + n + "\"\n";
  }
  return text;
}

// Median milliseconds of reading `items` lookup items into a fresh grid.
double read_ms(int items) {
  const std::string text = definition(items);
  SimpleSite site;
  site.set_user_mode(false);  // items are read in any mode; kept as a designer keeps them
  std::vector<double> ms;
  for (int run = 0, n = bench::iterations(15); run < n; ++run) {
    std::shared_ptr<Control> grid = create_object(nadrel::kClassName);
    grid->set_site(&site);
    const auto t0 = Clock::now();
    grid->read_properties(PropertyBag::from_text(text));
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    PropertyBag saved;
    grid->write_properties(saved);
    if (saved.read("Count").to_i4() != items) {
      std::fprintf(stderr, "the grid read %d items, not %d\n", saved.read("Count").to_i4(), items);
      std::exit(1);
    }
    grid->set_site(nullptr);
  }
  return bench::median(ms);
}

}  // namespace

int main(int argc, char** argv) {
  bench::App app(argc, argv);
  read_ms(100);  // warm-up: library loaded, fonts cached
  const double none = read_ms(0), small = read_ms(500), large = read_ms(4000);
  std::printf("a window definition read into a grid: no lookup items in %.2f ms, 500 in %.2f ms, 4000 in %.2f ms\n",
              none, small, large);
  std::printf("ratio of the items' time, 4000 / 500: %.1f (linear: 8; a scan per key: 64)\n",
              (large - none) / (small - none));
  return 0;
}
