// The picture windows' layouts, measured in twips: every caption fits its
// label, nothing that a run lights is covered by another control, and no
// wire runs through a state box.
#include <QFontMetricsF>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/forms/fonts.h"
#include "platform/forms/form.h"
#include "simulator/display/asm_window.h"
#include "simulator/display/pu_window.h"
#include "testing/caption_runs.h"
#include "testing/simulator_test.h"

namespace brendalo::testing {
namespace {

struct Rect {
  double l, t, r, b;
};

bool windowless(const plat::Control& c) {
  const plat::Kind k = c.kind();
  return k == plat::Kind::Label || k == plat::Kind::Line || k == plat::Kind::Shape || k == plat::Kind::Image;
}

bool drawn(const plat::Control& c) {
  const plat::Kind k = c.kind();
  return c.visible() && k != plat::Kind::Form && k != plat::Kind::Menu && k != plat::Kind::Timer &&
         k != plat::Kind::ImageList;
}

Rect rect_of(const plat::Control& c) {
  const double l = c.get("Left").to_double(), t = c.get("Top").to_double();
  return {l, t, l + c.get("Width").to_double(), t + c.get("Height").to_double()};
}

// Whether the segment (x1, y1)-(x2, y2) has a stretch strictly inside r.
bool segment_enters(double x1, double y1, double x2, double y2, Rect r) {
  double t0 = 0, t1 = 1;
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy}, q[4] = {x1 - r.l, r.r - x1, y1 - r.t, r.b - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] <= 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
  }
  return t1 - t0 > 1e-9;
}

// Whether a line, `width` pixels wide, passes through r.
bool line_crosses(const plat::Control& line, int width, Rect r) {
  const double half = width * 15 / 2.0;
  return segment_enters(line.get("X1").to_double(), line.get("Y1").to_double(), line.get("X2").to_double(),
                        line.get("Y2").to_double(), {r.l - half, r.t - half, r.r + half, r.b + half});
}

bool overlap(Rect a, Rect b) { return std::min(a.r, b.r) > std::max(a.l, b.l) && std::min(a.b, b.b) > std::max(a.t, b.t); }

// Windowed controls stand over the windowless ones; within each kind, later
// rows stand over earlier ones.
bool in_front(const plat::Form& f, const plat::Control& a, const plat::Control& b) {
  if (windowless(a) != windowless(b)) return !windowless(a);
  for (const auto& c : f.controls()) {
    if (c.get() == &a) return false;
    if (c.get() == &b) return true;
  }
  return false;
}

std::string id(const plat::Control& c) {
  return c.name() + (c.index() >= 0 ? "(" + std::to_string(c.index()) + ")" : "");
}

// Every control in front of `lit` that covers part of it (of `area` when
// given), but those in `allowed`; the lines in `widened` as wide as a lit
// state box's outline.
std::vector<std::string> covering(const plat::Form& f, const plat::Control& lit,
                                  const std::set<const plat::Control*>& allowed = {},
                                  const std::set<const plat::Control*>& widened = {},
                                  std::optional<Rect> area = std::nullopt) {
  std::vector<std::string> out;
  const Rect r = area.value_or(rect_of(lit));
  for (const auto& c : f.controls()) {
    if (c.get() == &lit || !drawn(*c) || allowed.count(c.get()) || !in_front(f, *c, lit)) continue;
    const int width = widened.count(c.get()) ? kAsmLitWidth : c->border_width();
    const bool covers = c->kind() == plat::Kind::Line ? line_crosses(*c, width, r) : overlap(rect_of(*c), r);
    if (covers) out.push_back(id(*c));
  }
  return out;
}

class PictureLayout : public SimulatorTest {};

// Every label of the two drawings holds its text on one line, in the font
// it is drawn in.
TEST_F(PictureLayout, EveryCaptionFitsItsLabel) {
  for (plat::Form* f : {static_cast<plat::Form*>(&plat::form<PU>()), static_cast<plat::Form*>(&plat::form<ASM>())})
    for (const auto& c : f->controls()) {
      if (c->kind() != plat::Kind::Label || c->caption().empty()) continue;
      const QFontMetricsF fm(plat::make_font(c->get("FontName").to_string(), c->get("FontSize").to_double(),
                                             c->get("FontBold").to_bool()));
      EXPECT_LE(fm.horizontalAdvance(QString::fromStdString(c->caption()).trimmed()), c->get("Width").to_double() / 15)
          << f->name() << " " << id(*c) << " \"" << c->caption() << "\"";
    }
}

TEST_F(PictureLayout, NoLitLabelOfTheProcessUnitIsCovered) {
  PU& pu = plat::form<PU>();
  std::set<const plat::Control*> lit;
  for (int p = 0; p < kPuPaths; ++p) {
    const PuRow& row = Pu_path(PuPath(p));
    for (const auto* refs : {&row.names, &row.inputs, &row.ports})
      for (const PuRef& r : *refs) lit.insert(&pu.ctl(r.name, r.index));
  }
  EXPECT_EQ(lit.size(), 41u);  // 17 names, 14 inputs and the operand, 9 ports
  for (const plat::Control* c : lit) EXPECT_EQ(covering(pu, *c), std::vector<std::string>{}) << id(*c);
}

TEST_F(PictureLayout, NoLitPartOfAStateIsCoveredAndNoWireRunsThroughAStateBox) {
  ASM& chart = plat::form<ASM>();
  std::set<const plat::Control*> borders;
  for (int s = 0; s < 22; ++s)
    for (const AsmRef& l : Asm_state(s).lines) borders.insert(&chart.ctl(l.name, l.index));
  for (int s = 0; s < 22; ++s) {
    SCOPED_TRACE("state " + std::to_string(s));
    const AsmState& st = Asm_state(s);
    plat::Control& back = chart.ctl(st.backdrop.name, st.backdrop.index);
    std::set<const plat::Control*> own;  // the state's signal labels stand on its backdrop
    for (const auto& a : st.actions) own.insert(&chart.ctl(a.label.name, a.label.index));
    EXPECT_EQ(covering(chart, back, own, borders), std::vector<std::string>{});
    for (const plat::Control* c : own)
      EXPECT_EQ(covering(chart, *c, {}, borders), std::vector<std::string>{}) << id(*c);
    if (st.name_box >= 0) {
      plat::Control& name = chart.ctl("Text1", st.name_box);
      EXPECT_EQ(covering(chart, name, {}, borders), std::vector<std::string>{});
    }
    // The box is the outline round the backdrop; wires may end on it, not cross it.
    const Rect in = rect_of(back);
    for (const auto& c : chart.controls()) {
      if (c->kind() != plat::Kind::Line || borders.count(c.get())) continue;
      EXPECT_FALSE(segment_enters(c->get("X1").to_double(), c->get("Y1").to_double(), c->get("X2").to_double(),
                                    c->get("Y2").to_double(), in))
          << id(*c);
    }
  }
}

// The fixed texts of the chart (exit labels, decisions, comments) read
// whole: no wire crosses one and no control stands over one.
TEST_F(PictureLayout, NoTextOfTheChartIsCovered) {
  ASM& chart = plat::form<ASM>();
  std::set<const plat::Control*> borders;
  for (int s = 0; s < 22; ++s)
    for (const AsmRef& l : Asm_state(s).lines) borders.insert(&chart.ctl(l.name, l.index));
  int texts = 0;
  for (int k : chart.indices("Label30")) {
    const plat::Control& t = chart.ctl("Label30", k);
    // The label's text as drawn in its font: a label without a back colour
    // may reach under a neighbour where it draws nothing.
    const std::vector<CaptionRun> runs = caption_runs(t);
    ASSERT_FALSE(runs.empty());
    const Rect ink = {runs.front().left * 15, rect_of(t).t, runs.back().right * 15, rect_of(t).b};
    EXPECT_EQ(covering(chart, t, {}, borders, ink), std::vector<std::string>{}) << "\"" << t.caption() << "\"";
    ++texts;
  }
  EXPECT_EQ(texts, 23);  // "EK", seven exits, " Z", "1", "0", twelve comments
}

}  // namespace
}  // namespace brendalo::testing
