// Drawing cost of the grid. Prints the medians.
//  - A full repaint of a 400 x 300 pixel grid with 72 rows and with 30,000
//    rows: the cost follows the cells shown, not the cells held (target:
//    ratio under 1.5).
//  - The simulator's heaviest listing, the 72-row memory grid: set-up, 72
//    rows added and a colour set per cell, then the screen painted, which
//    draws what the calls asked for (target: under 100 ms).
#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "gridcontrol/nadrel_ids.h"
#include "platform/com/registry.h"

using namespace plat::com;
using Clock = std::chrono::steady_clock;
namespace d = nadrel::dispid;

namespace {

double ms_since(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

void check(const CallResult& r, const char* what) {
  if (!r.ok()) {
    std::fprintf(stderr, "%s failed: %s\n", what, r.description.c_str());
    std::exit(1);
  }
}

void call(Control& g, DispId id, CallKind kind, std::vector<Variant> args, const char* what) {
  check(g.invoke(id, kind, args), what);
}

std::shared_ptr<Control> make_grid(int w, int h) {
  std::shared_ptr<Control> g = create_object(nadrel::kClassName);
  g->init_properties();
  g->widget()->resize(w, h);
  g->widget()->show();
  return g;
}

double repaint_ms(int rows) {
  std::shared_ptr<Control> g = make_grid(400, 300);
  call(*g, d::AutoSetup, CallKind::Method,
       {Variant(rows), Variant(5), Variant(true), Variant(true), Variant("A|B|C|D|E")}, "AutoSetup");
  for (int r = 1; r <= std::min(rows, 100); ++r)
    for (int c = 1; c <= 5; ++c)
      call(*g, d::TextMatrix, CallKind::Let, {Variant(r), Variant(c), Variant("0000 0000 " + std::to_string(r))},
           "TextMatrix");
  call(*g, d::Row2, CallKind::Let, {Variant(4)}, "Row2");
  call(*g, d::Col2, CallKind::Let, {Variant(3)}, "Col2");
  std::vector<double> t;
  for (int i = 0, n = bench::iterations(300); i < n; ++i) {
    auto t0 = Clock::now();
    call(*g, d::Refresh, CallKind::Method, {}, "Refresh");
    t.push_back(ms_since(t0));
  }
  return bench::median(t);
}

// The memory listing: set-up, widths, emptying, 72 rows, then the colours
// column by column, as the simulator builds it.
double memory_listing_ms() {
  std::shared_ptr<Control> g = make_grid(400, 300);
  std::vector<double> t;
  for (int i = 0, n = bench::iterations(15); i < n; ++i) {
    auto t0 = Clock::now();
    call(*g, d::AutoSetup, CallKind::Method,
         {Variant::i2(72), Variant::i2(3), Variant(false), Variant(true),
          Variant("      @      |                  Edukia       |     Kodea ")},
         "AutoSetup");
    const int widths[3] = {60, 160, 120};
    for (int c = 1; c <= 3; ++c) call(*g, d::ColWidth, CallKind::Let, {Variant(c), Variant(widths[c - 1])}, "ColWidth");
    call(*g, d::Clear, CallKind::Method, {}, "Clear");
    for (int r = 1; r <= 72; ++r) {
      char label[32];
      std::snprintf(label, sizeof label, "   %04XH:", r - 1);
      call(*g, d::AddItem, CallKind::Method, {Variant(std::string(label) + "\t        \t ")}, "AddItem");
    }
    auto colour = [&](int c, int r, int32_t v) {
      call(*g, d::CellBackColor, CallKind::Let, {Variant(c), Variant(r), Variant(v)}, "CellBackColor");
    };
    for (int c = 1; c <= 3; ++c)
      for (int r = 1; r <= 72; ++r) colour(c, r, 0xE0E0E0);
    for (int r = 1; r <= 48; ++r) colour(2, r, 0xC0FFFF);
    for (int r = 51; r <= 71; ++r) colour(2, r, 0xFFC0FF);
    for (int r = 51; r <= 71; r += 2) colour(2, r, 0xFFFFC0);
    QApplication::processEvents();  // the paint
    t.push_back(ms_since(t0));
  }
  return bench::median(t);
}

}  // namespace

int main(int argc, char** argv) {
  bench::App app(argc, argv);

  const double small = repaint_ms(72), large = repaint_ms(30000);
  const double ratio = large / small;
  std::printf("full repaint 400x300, 72 rows:     median %8.3f ms\n", small);
  std::printf("full repaint 400x300, 30000 rows:  median %8.3f ms\n", large);
  std::printf("ratio 30000 / 72 rows:             %8.2f  (target < 1.5) %s\n", ratio, ratio < 1.5 ? "ok" : "SLOW");
  const double listing = memory_listing_ms();
  std::printf("memory listing 72 x 3 with colours: median %7.1f ms  (target < 100 ms) %s\n", listing,
              listing < 100 ? "ok" : "SLOW");
  return 0;
}
