#pragma once
// Drawing helpers for the grid tests: the cell surface of a grid, its scroll
// bars, a recorder in front of its image, and image comparisons.
#include <QScrollBar>
#include <QWidget>
#include <string>

#include "grid_fixture.h"
#include "platform/gdi/recording_dc.h"
#include "platform/gdi/surface.h"

namespace gridtest {

namespace gdi = plat::gdi;

inline gdi::Surface& cells_of(Grid& g) {
  auto* s = dynamic_cast<gdi::Surface*>(g.obj->widget()->findChild<QWidget*>("picGrid"));
  EXPECT_NE(s, nullptr);
  return *s;
}

inline QScrollBar& bar_of(Grid& g, bool vertical) {
  auto* b = g.obj->widget()->findChild<QScrollBar*>(vertical ? "scrVertical" : "scrHorizontal");
  EXPECT_NE(b, nullptr);
  return *b;
}

// A grid of a given size on the screen, first-time defaults.
struct DrawnGrid : Grid {
  explicit DrawnGrid(int w = 400, int h = 300) {
    obj->widget()->resize(w, h);
    obj->widget()->show();
    call(d::Refresh);
  }
  gdi::Surface& cells() { return cells_of(*this); }
  // What the screen shows next: pending cells are painted first.
  QImage image() {
    cells().grab();
    return cells().image().copy();
  }
  gdi::COLORREF pixel(int x, int y) { return gdi::PixelAt(cells().image(), x, y); }
};

// Records every call on the cell surface while it lives.
struct Recorder {
  explicit Recorder(gdi::Surface& s) : surface(s), rec(&s.imageDC()) { s.setRecorder(&rec); }
  ~Recorder() { surface.setRecorder(nullptr); }
  std::vector<gdi::Call> calls(std::string_view name) const { return rec.calls(name); }
  bool has(const std::string& str) const {
    for (const gdi::Call& c : rec.calls())
      if (c.str == str) return true;
    return false;
  }
  gdi::Surface& surface;
  gdi::RecordingDC rec;
};

// Number of pixels that differ between two images of one size.
inline int differing_pixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return -1;
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) ++n;
  return n;
}

}  // namespace gridtest
