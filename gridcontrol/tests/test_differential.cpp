// What a host sees and reads never depends on when the window system painted:
// the same sequence of host calls on two shown grids, one painted after every
// call and one only now and then, must leave the same pictures, the same
// layout reads and the same events at every point both were painted.
#include <QTest>
#include <random>
#include <sstream>

#include "render_fixture.h"

using namespace gridtest;

namespace {

// One host call (or a change behind the grid, or user input) with its
// numbers.
enum class K {
  ShowGrid, GridSolid, TopRow, LeftCol, ForeColor, BackColor, Rows, Cols, ColWidth, RowHeight, ColMask, ColAlign,
  Redraw, FixedStyle, RowHeader, ColHeader, GridLineColor, BackColorBkg, Row, Col, Corners, Enabled,
  Refresh, SetColWidth, AddItem, RemoveItem, Clear, Hilight, DrawRow, DrawCol,
  Text, CellBack, CellFore, CellBold, CellFontName,
  FontBold, FontSize, Click, BarValue, BarStep, Key, Resize,
  Count
};

const char* const kNames[] = {
    "ShowGrid", "GridSolid", "TopRow", "LeftCol", "ForeColor", "BackColor", "Rows", "Cols", "ColWidth", "RowHeight",
    "ColMask", "ColAlign", "Redraw", "FixedStyle", "RowHeader", "ColHeader", "GridLineColor", "BackColorBkg", "Row",
    "Col", "Corners", "Enabled", "Refresh", "SetColWidth", "AddItem", "RemoveItem", "Clear", "HilightSelection",
    "DrawRow", "DrawCol", "TextMatrix", "CellBackColor", "CellForeColor", "CellFontBold", "CellFontName",
    "Font.Bold", "FontFixed.Size", "click", "bar value", "bar step", "key", "resize"};
static_assert(std::size(kNames) == size_t(K::Count));

struct Op {
  K k;
  int a = 0, b = 0, c = 0, e = 0;
  std::string str() const {
    std::ostringstream s;
    s << kNames[int(k)] << "(" << a << "," << b << "," << c << "," << e << ")";
    return s.str();
  }
};

const int kColours[] = {0x00FF00, 0x0000FF, 0xC0C0C0, 0xFFFFFF, 0, 0x80FF80};
const char* const kTexts[] = {"1", "0", "r", "WWWWWWWWWWWW", "", "ab"};

// The starting grid of a run: lines, a narrow check-box column, texts.
struct Start {
  bool lines = true, checks = false, redraws = false;
  int rows = 30;  // 8 leave the page to be measured later
};

struct Side : DrawnGrid {
  explicit Side(const Start& s) : DrawnGrid(300, 220), log(*obj) {
    let(d::Rows, {Variant(s.rows)});
    let(d::Cols, {Variant(5)});
    let(d::RowHeader, {Variant(true)});
    let(d::ColHeader, {Variant(true)});
    for (int r = 0; r <= s.rows; ++r)
      for (int c = 0; c <= 5; ++c)
        let(d::TextMatrix, {Variant(r), Variant(c), Variant(r % 3 == 0 && c == 2 ? "1" : "t" + std::to_string(r + c))});
    let(d::ShowGrid, {Variant(s.lines)});
    if (s.checks) {
      let(d::ColMask, {Variant(2), Variant::i2(4)});
      call(d::SetColWidth, {Variant(2), Variant(10)});
    }
    call(d::Refresh);
    image();
    log.events.clear();
  }

  std::shared_ptr<Font> font(DispId id) { return std::dynamic_pointer_cast<Font>(get(id).to_object()); }

  // Runs one call; its error, if any, is part of what both sides must share.
  void run(const Op& op) {
    auto v = [](int x) { return Variant(x); };
    auto inv = [&](DispId id, CallKind kind, std::vector<Variant> args) {
      const CallResult r = invoke(id, kind, std::move(args));
      if (!r.ok()) trace += op.str() + " #" + std::to_string(r.error) + "\n";
    };
    auto let1 = [&](DispId id, Variant x) { inv(id, CallKind::Let, {std::move(x)}); };
    const Variant colour(kColours[op.a % std::size(kColours)]);
    const Variant cell_colour(kColours[op.c % std::size(kColours)]);
    switch (op.k) {
      case K::ShowGrid: let1(d::ShowGrid, Variant(op.a % 2 == 1)); break;
      case K::GridSolid: let1(d::GridSolid, Variant(op.a % 2 == 1)); break;
      case K::TopRow: let1(d::TopRow, v(op.a)); break;
      case K::LeftCol: let1(d::LeftCol, v(op.a)); break;
      case K::ForeColor: let1(d::ForeColor, colour); break;
      case K::BackColor: let1(d::BackColor, colour); break;
      case K::Rows: let1(d::Rows, v(op.a)); break;
      case K::Cols: let1(d::Cols, v(op.a)); break;
      case K::ColWidth: inv(d::ColWidth, CallKind::Let, {v(op.a), v(op.b)}); break;
      case K::RowHeight: inv(d::RowHeight, CallKind::Let, {v(op.a), v(op.b)}); break;
      case K::ColMask: inv(d::ColMask, CallKind::Let, {v(op.a), Variant::i2(int16_t(op.b % 2 ? 4 : 0))}); break;
      case K::ColAlign: inv(d::ColAlign, CallKind::Let, {v(op.a), v(op.b % 3)}); break;
      case K::Redraw: let1(d::Redraw, Variant(op.a % 2 == 1)); break;
      case K::FixedStyle: let1(d::FixedStyle, v(op.a % 2)); break;
      case K::RowHeader: let1(d::RowHeader, Variant(op.a % 2 == 1)); break;
      case K::ColHeader: let1(d::ColHeader, Variant(op.a % 2 == 1)); break;
      case K::GridLineColor: let1(d::GridLineColor, colour); break;
      case K::BackColorBkg: let1(d::BackColorBkg, colour); break;
      case K::Row: let1(d::Row, v(op.a)); break;
      case K::Col: let1(d::Col, v(op.a)); break;
      case K::Corners:
        let1(d::Row1, v(op.a));
        let1(d::Col1, v(op.b));
        let1(d::Row2, v(op.c));
        let1(d::Col2, v(op.e));
        break;
      case K::Enabled: let1(d::Enabled, Variant(op.a % 2 == 1)); break;
      case K::Refresh: inv(d::Refresh, CallKind::Method, {}); break;
      case K::SetColWidth: inv(d::SetColWidth, CallKind::Method, {v(op.a), v(op.b)}); break;
      case K::AddItem: inv(d::AddItem, CallKind::Method, {Variant("n" + std::to_string(op.a) + "\t1\tx")}); break;
      case K::RemoveItem: inv(d::RemoveItem, CallKind::Method, {Variant::i2(int16_t(op.a))}); break;
      case K::Clear: inv(d::Clear, CallKind::Method, {}); break;
      case K::Hilight: inv(d::HilightSelection, CallKind::Method, {v(op.a), v(op.b), v(op.c), v(op.e)}); break;
      case K::DrawRow: inv(d::DrawRow, CallKind::Method, {v(op.a), v(op.b), Variant(true)}); break;
      case K::DrawCol: inv(d::DrawCol, CallKind::Method, {v(op.a), v(op.b), Variant(true)}); break;
      case K::Text: inv(d::TextMatrix, CallKind::Let, {v(op.a), v(op.b), Variant(kTexts[op.c % std::size(kTexts)])}); break;
      case K::CellBack: inv(d::CellBackColor, CallKind::Let, {v(op.b), v(op.a), cell_colour}); break;
      case K::CellFore: inv(d::CellForeColor, CallKind::Let, {v(op.b), v(op.a), cell_colour}); break;
      case K::CellBold: inv(d::CellFontBold, CallKind::Let, {v(op.b), v(op.a), Variant(op.c % 2 == 1)}); break;
      case K::CellFontName:
        inv(d::CellFontName, CallKind::Let, {v(op.b), v(op.a), Variant(op.c % 2 ? "Liberation Serif" : "")});
        break;
      case K::FontBold: font(d::Font)->Bold(op.a % 2 == 1); break;
      case K::FontSize: font(d::FontFixed)->Size(8 + op.a % 5); break;
      case K::Click: QTest::mouseClick(&cells(), Qt::LeftButton, {}, QPoint(op.a, op.b)); break;
      case K::BarValue: bar_of(*this, op.a % 2).setValue(op.b); break;
      case K::BarStep:
        bar_of(*this, op.a % 2).triggerAction(op.b % 2 ? QAbstractSlider::SliderSingleStepAdd
                                                         : QAbstractSlider::SliderSingleStepSub);
        break;
      case K::Key: {
        const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Tab};
        QTest::keyClick(&cells(), keys[op.a % std::size(keys)]);
        break;
      }
      case K::Resize: obj->widget()->resize(op.a, op.b); break;
      case K::Count: break;
    }
  }

  // Everything a host reads of the layout, through the interface and off
  // the constituents.
  std::string layout() {
    std::ostringstream s;
    for (bool vertical : {false, true}) {
      QScrollBar& b = bar_of(*this, vertical);
      s << (b.isHidden() ? "hidden " : "shown ") << b.x() << "," << b.y() << " " << b.width() << "x" << b.height()
        << " " << b.minimum() << ".." << b.maximum() << " @" << b.value() << " page " << b.pageStep() << "\n";
    }
    for (DispId id : {d::Rows, d::Cols, d::TopRow, d::LeftCol, d::Row, d::Col, d::Redraw, d::Enabled, d::BlockSelected,
                      d::MousePointer})
      s << peek(id) << ",";
    s << snapshot();
    return s.str();
  }

  std::string events() {
    std::ostringstream s;
    for (const auto& [id, args] : log.events) {
      s << id << "(";
      for (const Variant& a : args) s << a.to_string() << ",";
      s << ") ";
    }
    return s.str() + "\n" + trace;
  }

  EventLog log;
  std::string trace;  // the calls that failed, with their errors
};

// The first line where two texts differ, from each.
std::string first_line_apart(const std::string& a, const std::string& b) {
  std::istringstream x(a), y(b);
  std::string p, q;
  while (true) {
    const bool more_x = bool(std::getline(x, p)), more_y = bool(std::getline(y, q));
    if (!more_x && !more_y) return "";
    if (p != q || more_x != more_y) return "\n  painted: " + p + "\n  waited:  " + q;
  }
}

// The first point where the two sides differ, or "" when they never do.
// `painted` paints one side after every call; the other is painted only
// where `common` says, and at the end.
std::string first_difference(const Start& setup, const std::vector<Op>& ops, const std::vector<bool>& common) {
  Side painted(setup), waited(setup);
  for (size_t i = 0; i < ops.size(); ++i) {
    painted.run(ops[i]);
    waited.run(ops[i]);
    painted.cells().grab();
    if (!common[i] && i + 1 < ops.size()) continue;
    const std::string where = "after " + ops[i].str() + " (call " + std::to_string(i + 1) + "): ";
    // Read before the waiting side is painted: no read may wait for a paint.
    if (auto d = first_line_apart(painted.layout(), waited.layout()); !d.empty()) return where + "layout" + d;
    if (auto d = first_line_apart(painted.events(), waited.events()); !d.empty()) return where + "events" + d;
    const QImage pa = painted.image(), wa = waited.image();
    const int n = differing_pixels(pa, wa);
    if (n != 0) {
      int l = pa.width(), t = pa.height(), r = -1, b = -1;
      for (int y = 0; y < pa.height(); ++y)
        for (int x = 0; x < pa.width(); ++x)
          if (pa.pixel(x, y) != wa.pixel(x, y)) l = std::min(l, x), t = std::min(t, y), r = std::max(r, x), b = std::max(b, y);
      return where + std::to_string(n) + " pixels in " + std::to_string(l) + "," + std::to_string(t) + ".." +
             std::to_string(r) + "," + std::to_string(b);
    }
  }
  return "";
}

Op random_op(std::mt19937& rng, const Start& setup) {
  auto in = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (;;) {
    const K k = K(in(0, int(K::Count) - 1));
    if (k == K::Redraw && !setup.redraws) continue;
    if (k == K::ColMask && !setup.checks) continue;
    Op op{k};
    switch (k) {
      case K::TopRow: case K::Row: op.a = in(0, 34); break;
      case K::LeftCol: case K::Col: op.a = in(0, 6); break;
      case K::Rows: op.a = in(0, 40); break;
      case K::Cols: op.a = in(1, 7); break;
      case K::ColWidth: case K::SetColWidth: op.a = in(0, 6), op.b = in(0, 3) == 0 ? in(0, 12) : in(20, 90); break;
      case K::RowHeight: op.a = in(0, 32), op.b = in(8, 30); break;
      case K::Corners: case K::Hilight: op.a = in(0, 12), op.b = in(0, 5), op.c = in(0, 12), op.e = in(0, 5); break;
      case K::RemoveItem: op.a = in(0, 32); break;
      case K::DrawRow: op.a = in(0, 30), op.b = in(1, 200); break;
      case K::DrawCol: op.a = in(0, 5), op.b = in(1, 250); break;
      case K::Text: case K::CellBack: case K::CellFore: case K::CellBold: case K::CellFontName:
        op.a = in(0, 14), op.b = in(0, 5), op.c = in(0, 5);
        break;
      case K::Click: op.a = in(0, 294), op.b = in(0, 214); break;
      case K::BarValue: op.a = in(0, 1), op.b = in(1, 30); break;
      case K::BarStep: op.a = in(0, 1), op.b = in(0, 1); break;
      case K::Resize: op.a = in(120, 420), op.b = in(80, 320); break;
      default: op.a = in(0, 5); break;
    }
    return op;
  }
}

// A failing sequence cut down: ended at the call where it fails, then calls
// and common points dropped one at a time while it still fails.
struct Run {
  std::vector<Op> ops;
  std::vector<bool> common;
};

Run shrink(const Start& setup, Run run) {
  auto fails = [&](const Run& r) { return !first_difference(setup, r.ops, r.common).empty(); };
  while (run.ops.size() > 1) {
    Run shorter = run;
    shorter.ops.pop_back();
    shorter.common.pop_back();
    if (!fails(shorter)) break;
    run = std::move(shorter);
  }
  for (size_t i = run.ops.size(); i-- > 0;) {
    Run fewer = run;
    fewer.ops.erase(fewer.ops.begin() + long(i));
    fewer.common.erase(fewer.common.begin() + long(i));
    if (fails(fewer)) {
      run = std::move(fewer);
      continue;
    }
    if (!run.common[i]) continue;
    fewer = run;
    fewer.common[i] = false;
    if (fails(fewer)) run = std::move(fewer);
  }
  return run;
}

// Seeds [first, first + count), the set-up of each taken from its number.
void run_seeds(int first, int count) {
  for (int seed = first; seed < first + count; ++seed) {
    const Start setup{seed % 2 == 0, seed % 3 == 0, seed % 4 < 2, (seed / 4) % 2 ? 30 : 8};
    std::mt19937 rng{uint32_t(seed)};
    std::vector<Op> ops;
    std::vector<bool> common;
    for (int i = 0; i < 40; ++i) {
      ops.push_back(random_op(rng, setup));
      common.push_back(std::uniform_int_distribution<int>(0, 3)(rng) == 0);
    }
    const std::string diff = first_difference(setup, ops, common);
    if (diff.empty()) continue;
    std::string cut;
    const Run shortest = shrink(setup, {ops, common});
    for (size_t i = 0; i < shortest.ops.size(); ++i)
      cut += shortest.ops[i].str() + (shortest.common[i] ? " | " : "; ");
    ADD_FAILURE() << "seed " << seed << " (lines " << setup.lines << ", checks " << setup.checks << ", redraws "
                  << setup.redraws << "): " << diff << "\nshortest: " << cut;
    return;
  }
}

}  // namespace

class GridDifferential : public ::testing::TestWithParam<int> {};

TEST_P(GridDifferential, PaintsBetweenCallsChangeNothingAHostSeesOrReads) {
  constexpr int kPerBlock = 25;
  run_seeds(GetParam() * kPerBlock, kPerBlock);
}

INSTANTIATE_TEST_SUITE_P(Seeds, GridDifferential, ::testing::Range(0, 12));

// Sequences the random runs once found, each painted after every call on one
// side and only at the end on the other.
TEST(GridDifferentialCases, SequencesThatOnceDependedOnPaints) {
  struct Case {
    const char* what;
    Start setup;
    std::vector<Op> ops;
  };
  const Case cases[] = {
      {"a row-header cell coloured after grid lines went off", {true, false, false},
       {{K::ShowGrid, 0}, {K::CellBack, 3, 0, 0}}},
      {"a column-header cell coloured after grid lines went off", {true, false, false},
       {{K::ShowGrid, 0}, {K::CellBack, 0, 3, 0}}},
      {"a row-header text written after grid lines went off", {true, false, false},
       {{K::ShowGrid, 0}, {K::Text, 4, 0, 2}}},
      {"a column-header text written after grid lines went off", {true, false, false},
       {{K::ShowGrid, 0}, {K::Text, 0, 3, 2}}},
      {"a box ticked in a narrow check-box column", {false, true, false}, {{K::ShowGrid, 0}, {K::Text, 2, 2, 0}}},
      {"a box cleared, its neighbour written", {true, true, false},
       {{K::Refresh}, {K::Text, 3, 2, 1}, {K::CellBack, 3, 1, 1}, {K::CellBack, 3, 3, 1}}},
      {"the bars after a first row stored and a cell written", {true, false, false, 8},
       {{K::Rows, 15}, {K::TopRow, 26}, {K::CellBack, 14, 2, 4}, {K::SetColWidth, 5, 20}}},
      {"the page after painting came back on with a press", {true, false, true, 8},
       {{K::Redraw, 0}, {K::ShowGrid, 0}, {K::Rows, 35}, {K::Click, 100, 60}, {K::Text, 3, 4, 2}, {K::ShowGrid, 1}}},
      {"a header text above no data row", {false, true, true, 8},
       {{K::TopRow, 15}, {K::LeftCol, 0}, {K::BackColor, 1}, {K::Text, 0, 4, 0}}},
      {"a header text over no rows", {true, false, false}, {{K::ShowGrid, 0}, {K::Clear}, {K::Cols, 5}, {K::Text, 0, 5, 1}}},
      {"the font object changed behind a written cell", {true, false, false},
       {{K::CellBack, 1, 5, 2}, {K::FontBold, 1}}},
  };
  for (const Case& c : cases) {
    std::vector<bool> common(c.ops.size(), false);
    EXPECT_EQ(first_difference(c.setup, c.ops, common), "") << c.what;
  }
}
