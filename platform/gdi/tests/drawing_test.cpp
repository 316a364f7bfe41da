// Pixels drawn by the image backend.
#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <chrono>
#include <string>
#include <vector>

#include "platform/gdi/image_dc.h"

namespace plat::gdi {
namespace {

constexpr COLORREF kWhite = 0xFFFFFF, kBlack = 0x000000, kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;
constexpr COLORREF kFace = 0xC0C0C0, kShadow = 0x808080, kDark = 0x404040, kLight = 0xDFDFDF;

QFont TestFont() {
  QFont f("Liberation Sans");
  f.setPixelSize(12);
  f.setStyleStrategy(QFont::NoAntialias);  // exact text colours
  return f;
}

class Drawing : public ::testing::Test {
 protected:
  void Fill(const Rect& r, COLORREF c) {
    const HBRUSH b = CreateSolidBrush(c);
    FillRect(&dc, &r, b);
    DeleteObject(b);
  }
  COLORREF At(int x, int y) const { return PixelAt(image, x, y); }
  // Pixels that are not `bg`, as a bounding rectangle (empty if none).
  Rect Ink(COLORREF bg = kWhite) const {
    Rect r{image.width(), image.height(), 0, 0};
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (At(x, y) != bg) r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
    return r.empty() ? Rect{} : r;
  }

  QImage image = MakeSurfaceImage(80, 50, kWhite);
  ImageDC dc{&image};
};

TEST_F(Drawing, FillRectCoversItsPixelsOnlyAndResolvesSystemColours) {
  Fill({2, 3, 6, 5}, kRed);
  EXPECT_EQ(Ink(), (Rect{2, 3, 6, 5}));  // right and bottom excluded
  EXPECT_EQ(At(2, 3), kRed);

  Fill({10, 10, 12, 12}, kSystemColorFlag | COLOR_BTNFACE);
  EXPECT_EQ(At(10, 10), kFace);

  // Past the surface: only the visible part; unnormalised: nothing.
  Fill({75, 45, 200, 300}, kBlue);
  EXPECT_EQ(At(79, 49), kBlue);
  Fill({30, 30, 20, 40}, kBlue);
  EXPECT_EQ(At(25, 35), kWhite);
}

TEST_F(Drawing, BrushLifetimesAreHarmless) {
  const int live = LiveObjectCount();
  const HBRUSH b = CreateSolidBrush(kRed);
  EXPECT_EQ(LiveObjectCount(), live + 1);
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_FALSE(DeleteObject(b));  // second delete: nothing happens
  EXPECT_EQ(LiveObjectCount(), live);
  const Rect r{0, 0, 5, 5};
  EXPECT_FALSE(FillRect(&dc, &r, b));  // stale handle draws nothing
  EXPECT_EQ(At(0, 0), kWhite);

  const HGDIOBJ stock = GetStockObject(BLACK_BRUSH);
  EXPECT_TRUE(DeleteObject(stock));
  EXPECT_TRUE(DeleteObject(stock));
  EXPECT_TRUE(FillRect(&dc, &r, stock));
  EXPECT_EQ(At(0, 0), kBlack);
  EXPECT_NE(CreateSolidBrush(kRed), b);  // handles are never reused
  EXPECT_FALSE(DeleteObject(HGDIOBJ::none));
  EXPECT_FALSE(FillRect(nullptr, &r, stock));
}

struct EdgeCase {
  const char* name;
  unsigned edge1, flags1, edge2, flags2;  // edge2 0: one call
  COLORREF outer_tl, outer_br, inner_tl, inner_br;  // inner_* kGreen: no inner ring
};

TEST_F(Drawing, EdgesColourTheirRings) {
  const EdgeCase cases[] = {
      {"raised face", BDR_RAISEDINNER, BF_TOPLEFT, BDR_RAISEDOUTER, BF_BOTTOMRIGHT, kWhite, kDark, kGreen, kGreen},
      {"sunken face", BDR_SUNKENINNER, BF_TOPLEFT, BDR_SUNKENOUTER, BF_BOTTOMRIGHT, kDark, kWhite, kGreen, kGreen},
      {"raised", EDGE_RAISED, BF_RECT, 0, 0, kLight, kDark, kWhite, kShadow},
      {"sunken", EDGE_SUNKEN, BF_RECT, 0, 0, kShadow, kWhite, kDark, kLight},
      {"etched", EDGE_ETCHED, BF_TOPLEFT, EDGE_ETCHED, BF_BOTTOMRIGHT, kShadow, kWhite, kWhite, kShadow},
      {"bump", EDGE_BUMP, BF_TOPLEFT, EDGE_BUMP, BF_BOTTOMRIGHT, kLight, kDark, kDark, kLight},
      {"single mono", BDR_RAISEDOUTER, BF_RECT | BF_MONO, 0, 0, kBlack, kBlack, kGreen, kGreen},
      {"flat", EDGE_SUNKEN, BF_RECT | BF_FLAT, 0, 0, kShadow, kShadow, kFace, kFace},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    image.fill(0xFF00FF00);
    Rect r{10, 10, 30, 25};
    DrawEdge(&dc, &r, c.edge1, c.flags1);
    if (c.edge2) DrawEdge(&dc, &r, c.edge2, c.flags2);
    EXPECT_EQ(r, (Rect{10, 10, 30, 25}));  // no BF_ADJUST: unchanged
    EXPECT_EQ(At(10, 10), c.outer_tl);
    EXPECT_EQ(At(20, 10), c.outer_tl);
    EXPECT_EQ(At(10, 20), c.outer_tl);
    EXPECT_EQ(At(29, 24), c.outer_br);
    EXPECT_EQ(At(29, 10), c.outer_br);  // the bottom-right lines own the corners
    EXPECT_EQ(At(10, 24), c.outer_br);
    EXPECT_EQ(At(20, 11), c.inner_tl);
    EXPECT_EQ(At(28, 20), c.inner_br);
    EXPECT_EQ(At(20, 17), kGreen);  // inside untouched
    EXPECT_EQ(Ink(kGreen), (Rect{10, 10, 30, 25}));
  }
}

TEST_F(Drawing, EdgeAdjustsAndFillsTheMiddle) {
  Rect r{0, 0, 20, 20};
  DrawEdge(&dc, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST | BF_MIDDLE);
  EXPECT_EQ(r, (Rect{2, 2, 18, 18}));
  EXPECT_EQ(At(10, 10), kFace);
  Rect left{40, 0, 50, 10};
  DrawEdge(&dc, &left, EDGE_RAISED, BF_LEFT | BF_ADJUST);
  EXPECT_EQ(left, (Rect{42, 0, 50, 10}));
  EXPECT_EQ(At(45, 0), kWhite);  // no top side
}

TEST_F(Drawing, TextIsClippedToItsRectangle) {
  dc.setFont(TestFont());
  SetTextColor(&dc, kBlack);
  Rect r{10, 10, 30, 26};
  DrawTextA(&dc, "Wide text that never fits", -1, &r, DT_SINGLELINE);
  const Rect ink = Ink();
  ASSERT_FALSE(ink.empty());
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 10);
  EXPECT_LE(ink.right, 30);
  EXPECT_LE(ink.bottom, 26);
  EXPECT_GE(ink.right, 28);  // it reaches the edge: cut, not shortened

  // Drawn over the background, which shows between the glyphs.
  image.fill(0xFFFF0000);  // red
  Rect cell{0, 0, 80, 20};
  DrawTextA(&dc, QString("I"), &cell, DT_SINGLELINE);
  EXPECT_EQ(At(79, 19), kRed);
  EXPECT_LT(Ink(kRed).width(), 6);  // only the glyph: no background box

  // An empty rectangle shows nothing.
  image.fill(0xFFFFFFFF);
  Rect none{5, 5, 5, 30};
  DrawTextA(&dc, "X", -1, &none, DT_SINGLELINE);
  EXPECT_TRUE(Ink().empty());
}

TEST_F(Drawing, TextAlignsInItsRectangle) {
  dc.setFont(TestFont());
  SetTextColor(&dc, kSystemColorFlag | COLOR_HIGHLIGHT);  // navy
  const Rect cell{4, 4, 76, 46};
  const int text_h = TextHeight(TestFont());
  const int text_w = TextWidth(TestFont(), "MMM");
  struct Case {
    unsigned format;
    int left, top;  // expected position of the text box
  } cases[] = {
      {DT_SINGLELINE, 4, 4},
      {DT_SINGLELINE | DT_CENTER, 4 + (72 - text_w) / 2, 4},
      {DT_SINGLELINE | DT_RIGHT, 76 - text_w, 4},
      {DT_SINGLELINE | DT_VCENTER, 4, 4 + (42 - text_h) / 2},
      {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, 76 - text_w, 46 - text_h},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    image.fill(0xFFFFFFFF);
    Rect r = cell;
    DrawTextA(&dc, "MMM", -1, &r, c.format);
    const Rect ink = Ink();
    ASSERT_FALSE(ink.empty());
    // Ink lies inside the text box, and near its left and top.
    EXPECT_GE(ink.left, c.left);
    EXPECT_LE(ink.left, c.left + 2);
    EXPECT_GE(ink.top, c.top);
    EXPECT_LE(ink.bottom, c.top + text_h);
    EXPECT_LE(ink.right, c.left + text_w);
    for (int y = ink.top; y < ink.bottom; ++y)
      for (int x = ink.left; x < ink.right; ++x) {
        const COLORREF p = At(x, y);
        if (p != kWhite) {
          EXPECT_EQ(p, 0x800000u);
        }
      }
  }

  // The measured rectangle is the text's extent.
  Rect calc{3, 7, 3, 7};
  EXPECT_EQ(DrawTextA(&dc, "MMM", -1, &calc, DT_SINGLELINE | DT_CALCRECT), text_h);
  EXPECT_EQ(calc, (Rect{3, 7, 3 + text_w, 7 + text_h}));
}

TEST_F(Drawing, TextPrefixesAndCounts) {
  dc.setFont(TestFont());
  auto draw = [&](std::string_view s, unsigned extra, int count = -1) {
    image.fill(0xFFFFFFFF);
    Rect r{0, 0, 80, 20};
    DrawTextA(&dc, s, count, &r, DT_SINGLELINE | extra);
    return image.copy();
  };
  EXPECT_EQ(draw("A&&B", 0), draw("A&B", DT_NOPREFIX));
  EXPECT_NE(draw("A&B", 0), draw("AB", 0));  // the B is underlined
  EXPECT_EQ(draw("ABCD", 0, 2), draw("AB", 0));
  EXPECT_EQ(draw("\xC9", 0), draw(ToAnsi(QString::fromUtf8("\xC3\x89")), 0));  // É in Latin-1
  EXPECT_EQ(ToAnsi(QString::fromUtf8("a\xE2\x82\xAC")), "a?");
}

TEST_F(Drawing, TextDrawnAgainGivesThePixelsOfQtsOwnTextDrawing) {
  // The grid's fonts: fully hinted and antialiased, as the controls draw.
  auto font = [](const char* family, int px, bool bold, bool underline, bool strikeout) {
    QFont f(family);
    f.setPixelSize(px);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setBold(bold);
    f.setUnderline(underline);
    f.setStrikeOut(strikeout);
    return f;
  };
  const QFont fonts[] = {font("Liberation Sans", 11, false, false, false), font("Liberation Sans", 11, true, false, false),
                         font("Liberation Serif", 16, false, true, false), font("Liberation Mono", 11, false, false, true)};
  std::string latin1;
  for (int c = 0x20; c < 0x100; ++c) latin1 += char(c);
  const std::string texts[] = {"  egoera", "   4000H:", " 00101", "        ------", "   ", "a\tb", latin1};
  const unsigned formats[] = {DT_SINGLELINE, DT_SINGLELINE | DT_CENTER | DT_VCENTER, DT_SINGLELINE | DT_RIGHT};
  QImage wide = MakeSurfaceImage(400, 30, kFace);
  ImageDC wide_dc(&wide);
  for (const QFont& f : fonts)
    for (const std::string& t : texts)
      for (unsigned format : formats)
        for (const Rect& r : {Rect{4, 2, 396, 28}, Rect{30, 4, 70, 20}}) {
          // What painting the text with Qt gives at the place the call puts it.
          QImage expected = MakeSurfaceImage(400, 30, kFace);
          {
            const QFontMetrics fm(f, &expected);
            const QString s = QString::fromLatin1(t.data(), qsizetype(t.size()));
            const int w = fm.horizontalAdvance(s);
            const int x = (format & DT_CENTER) ? r.left + (r.width() - w) / 2 : (format & DT_RIGHT) ? r.right - w : r.left;
            const int y = (format & DT_VCENTER) ? r.top + (r.height() - fm.height()) / 2 : r.top;
            QPainter p(&expected);
            p.setClipRect(ToQRect(r));
            p.setFont(f);
            p.setPen(QColor(0x80, 0, 0));
            p.drawText(QPoint(x, y + fm.ascent()), s);
          }
          wide_dc.setFont(f);
          SetTextColor(&wide_dc, 0x000080);
          for (int time = 0; time < 2; ++time) {  // shaped, then as kept
            wide.fill(0xFFC0C0C0);
            Rect box = r;
            DrawTextA(&wide_dc, t, -1, &box, format | DT_NOPREFIX);
            EXPECT_EQ(wide, expected) << f.family().toStdString() << " \"" << t << "\" " << format << " " << time;
          }
        }
}

TEST_F(Drawing, CheckBoxShowsItsState) {
  auto draw = [&](unsigned state) {
    image.fill(0xFFFFFFFF);
    const Rect r{20, 10, 35, 25};
    EXPECT_TRUE(DrawFrameControl(&dc, &r, DFC_BUTTON, state));
    return image.copy();
  };
  const QImage unchecked = draw(DFCS_BUTTONCHECK);
  EXPECT_EQ(Ink(), (Rect{20, 10, 34, 24}));  // the outermost bottom-right ring is white
  EXPECT_EQ(At(20, 10), kShadow);  // sunken frame
  EXPECT_EQ(At(21, 11), kDark);
  EXPECT_EQ(At(34, 24), kWhite);
  for (int y = 12; y < 23; ++y)
    for (int x = 22; x < 33; ++x) EXPECT_EQ(At(x, y), kWhite);

  const QImage checked = draw(DFCS_BUTTONCHECK | DFCS_CHECKED);
  EXPECT_NE(checked, unchecked);
  EXPECT_EQ(Ink(), (Rect{20, 10, 34, 24}));
  int marked = 0;
  for (int y = 12; y < 23; ++y)
    for (int x = 22; x < 33; ++x) marked += At(x, y) == kBlack;
  EXPECT_EQ(marked, 21);  // the whole check mark, black
  EXPECT_EQ(At(27, 17), kBlack);

  const Rect r{0, 0, 15, 15};
  EXPECT_FALSE(DrawFrameControl(&dc, &r, 3, 0));  // other kinds are not drawn
}

TEST_F(Drawing, LinesExcludeTheirEndPoint) {
  dc.setPen({PS_SOLID, 1, kRed});
  MoveToEx(&dc, 2, 5, nullptr);
  LineTo(&dc, 10, 5);
  EXPECT_EQ(Ink(), (Rect{2, 5, 10, 6}));
  LineTo(&dc, 10, 9);  // continues from the end point, which it now draws
  EXPECT_EQ(Ink(), (Rect{2, 5, 11, 9}));
  EXPECT_EQ(At(10, 9), kWhite);

  image.fill(0xFFFFFFFF);
  MoveToEx(&dc, 30, 30, nullptr);
  LineTo(&dc, 20, 20);
  EXPECT_EQ(Ink(), (Rect{21, 21, 31, 31}));
  EXPECT_EQ(At(20, 20), kWhite);

  Point old;
  MoveToEx(&dc, 1, 2, &old);
  EXPECT_EQ(old, (Point{20, 20}));
}

TEST_F(Drawing, DottedPenRunsThreeOnThreeOff) {
  dc.setPen({PS_DOT, 1, kBlack});
  MoveToEx(&dc, 0, 0, nullptr);
  LineTo(&dc, 7, 0);
  LineTo(&dc, 20, 0);  // the pattern runs on across the joint
  std::string row;
  for (int x = 0; x < 21; ++x) row += At(x, 0) == kBlack ? '#' : '.';
  EXPECT_EQ(row, "###...###...###...##.");
  MoveToEx(&dc, 0, 2, nullptr);  // and starts afresh at a move
  LineTo(&dc, 0, 9);
  row.clear();
  for (int y = 2; y < 10; ++y) row += At(0, y) == kBlack ? '#' : '.';
  EXPECT_EQ(row, "###...#.");
}

TEST_F(Drawing, StraightLinesInEveryDirectionPenAndMix) {
  // Each line's pixels one by one: from its start up to, not including, its
  // end, the pattern running on from the previous line, kept to the image.
  struct Pattern {
    int style;
    std::vector<int> runs;
  };
  const Pattern pens[] = {{PS_SOLID, {}}, {PS_DOT, {3, 3}}, {PS_DASH, {18, 6}}, {PS_DASHDOT, {9, 6, 3, 6}}};
  const std::vector<Point> path = {{-7, 3}, {95, 3}, {95, 2}, {40, 2}, {40, 60}, {40, 45}, {2, 45}, {2, -9}};
  for (const Pattern& pen : pens)
    for (int rop : {R2_COPYPEN, R2_XORPEN, R2_NOT}) {
      SCOPED_TRACE(testing::Message() << pen.style << " " << rop);
      Fill({0, 0, 80, 50}, 0x336699);
      QImage expected = image.copy();
      long long k = 0;
      auto on = [&] {
        if (pen.runs.empty()) return true;
        long long total = 0, rest = k;
        for (int n : pen.runs) total += n;
        rest %= total;
        for (size_t i = 0; i < pen.runs.size(); rest -= pen.runs[i], ++i)
          if (rest < pen.runs[i]) return i % 2 == 0;
        return true;
      };
      for (size_t i = 1; i < path.size(); ++i) {
        const Point a = path[i - 1], b = path[i];
        const int sx = b.x > a.x ? 1 : b.x < a.x ? -1 : 0, sy = b.y > a.y ? 1 : b.y < a.y ? -1 : 0;
        for (Point q = a; q != b; q.x += sx, q.y += sy, ++k) {
          if (!on() || q.x < 0 || q.y < 0 || q.x >= 80 || q.y >= 50) continue;
          const QRgb was = expected.pixel(q.x, q.y);
          const QRgb pen_px = 0xFFFF0000;  // red, the pen's colour
          const QRgb mixed = rop == R2_COPYPEN ? pen_px : rop == R2_XORPEN ? (was ^ pen_px) | 0xFF000000 : was ^ 0x00FFFFFF;
          expected.setPixel(q.x, q.y, mixed);
        }
      }
      dc.setPen({pen.style, 1, kRed});
      SetROP2(&dc, rop);
      MoveToEx(&dc, path[0].x, path[0].y, nullptr);
      for (size_t i = 1; i < path.size(); ++i) LineTo(&dc, path[i].x, path[i].y);
      SetROP2(&dc, R2_COPYPEN);
      EXPECT_EQ(image, expected);
    }
}

TEST_F(Drawing, InvertingLinesTwiceRestoresAndFarLinesAreCheap) {
  Fill({0, 0, 40, 20}, 0x336699);
  const QImage before = image.copy();
  SetROP2(&dc, R2_NOT);
  for (int i = 0; i < 2; ++i) {
    MoveToEx(&dc, 0, 10, nullptr);
    LineTo(&dc, 60, 10);
  }
  EXPECT_EQ(image, before);
  SetROP2(&dc, R2_COPYPEN);

  const auto start = std::chrono::steady_clock::now();
  dc.setPen({PS_SOLID, 1, kRed});
  MoveToEx(&dc, -2000000000, 3, nullptr);
  LineTo(&dc, 2000000000, 3);
  MoveToEx(&dc, 5, -2000000000, nullptr);
  LineTo(&dc, 2000000000, 2000000000);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(At(0, 3), kRed);
  EXPECT_EQ(At(79, 3), kRed);
}

TEST_F(Drawing, FocusRectangleIsUndoneByDrawingItAgain) {
  Fill({0, 0, 80, 50}, 0x4080C0);
  Fill({12, 8, 30, 20}, kBlue);
  const QImage before = image.copy();
  const Rect r{10, 5, 41, 26};
  DrawFocusRect(&dc, &r);
  EXPECT_NE(image, before);
  // Every other pixel of the frame inverted; nothing inside or outside.
  EXPECT_EQ(At(10, 5), 0x4080C0u);  // (10 + 5) is odd
  EXPECT_EQ(At(11, 5), 0x4080C0u ^ 0xFFFFFFu);
  EXPECT_EQ(At(40, 25), 0x4080C0u);  // (40 + 25) is odd
  EXPECT_EQ(At(40, 24), 0x4080C0u ^ 0xFFFFFFu);
  EXPECT_EQ(At(20, 10), kBlue);
  EXPECT_EQ(At(9, 5), 0x4080C0u);
  DrawFocusRect(&dc, &r);
  EXPECT_EQ(image, before);

  const Rect thin{3, 3, 4, 9};  // one pixel wide: each pixel once
  DrawFocusRect(&dc, &thin);
  DrawFocusRect(&dc, &thin);
  EXPECT_EQ(image, before);
}

TEST_F(Drawing, InvertRectTwiceRestores) {
  Fill({0, 0, 40, 50}, 0x123456);
  const QImage before = image.copy();
  const Rect r{30, 10, 120, 20};
  InvertRect(&dc, &r);
  EXPECT_EQ(At(35, 15), 0x123456u ^ 0xFFFFFFu);
  EXPECT_EQ(At(50, 15), kBlack);
  EXPECT_EQ(At(29, 15), 0x123456u);
  EXPECT_EQ(At(35, 20), 0x123456u);
  InvertRect(&dc, &r);
  EXPECT_EQ(image, before);
}

TEST_F(Drawing, ScrollMovesPixelsInsideTheClip) {
  for (int y = 0; y < 50; ++y) Fill({0, y, 80, y + 1}, COLORREF(y));  // row y has colour y
  const Rect area{0, 10, 70, 50};
  Rect update;
  // Forward one 4-pixel row: the content moves up, the bottom band is uncovered.
  EXPECT_TRUE(ScrollDC(&dc, 0, -4, &area, &area, &update));
  EXPECT_EQ(At(5, 10), 14u);
  EXPECT_EQ(At(5, 45), 49u);
  EXPECT_EQ(At(5, 46), 46u);  // uncovered: kept
  EXPECT_EQ(At(75, 10), 10u);  // outside the area: untouched
  EXPECT_EQ(At(5, 9), 9u);
  EXPECT_EQ(update, (Rect{0, 46, 70, 50}));

  // Back again: moves down; the top band is uncovered.
  EXPECT_TRUE(ScrollDC(&dc, 0, 4, &area, &area, &update));
  EXPECT_EQ(At(5, 14), 14u);
  EXPECT_EQ(At(5, 9), 9u);
  EXPECT_EQ(update, (Rect{0, 10, 70, 14}));

  // Across.
  Fill({0, 0, 80, 50}, kWhite);
  Fill({20, 0, 21, 50}, kRed);
  const Rect cols{10, 0, 80, 50};
  ScrollDC(&dc, -6, 0, &cols, &cols, &update);
  EXPECT_EQ(At(14, 3), kRed);
  EXPECT_EQ(At(20, 3), kWhite);
  EXPECT_EQ(update, (Rect{74, 0, 80, 50}));
  EXPECT_TRUE(ScrollDC(&dc, 0, 2000000000, &cols, nullptr, &update));  // nothing left to move
  EXPECT_EQ(update, cols);
}

TEST_F(Drawing, ClientRectAndClear) {
  Rect r;
  ASSERT_TRUE(GetClientRect(&dc, &r));
  EXPECT_EQ(r, (Rect{0, 0, 80, 50}));
  MoveToEx(&dc, 9, 9, nullptr);
  dc.clear(kSystemColorFlag | COLOR_BTNFACE);
  EXPECT_EQ(Ink(kFace), Rect{});
  EXPECT_EQ(dc.currentPosition(), (Point{0, 0}));
}

TEST_F(Drawing, EveryCallChangesOnlyThePixelsInsideTheClip) {
  // Each call drawn on a clipped image gives, inside the clip, the pixels it
  // gives unclipped, and leaves every other pixel alone.
  const Rect clip{13, 7, 41, 33};
  struct Case {
    const char* what;
    void (*draw)(ImageDC&);
  };
  const Case cases[] = {
      {"FillRect", [](ImageDC& d) {
         const HBRUSH b = CreateSolidBrush(kRed);
         Rect r{5, 5, 30, 40};
         FillRect(&d, &r, b);
         DeleteObject(b);
       }},
      {"DrawEdge", [](ImageDC& d) {
         Rect r{10, 4, 44, 36};
         DrawEdge(&d, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
       }},
      {"DrawTextA", [](ImageDC& d) {
         d.setFont(TestFont());
         Rect r{0, 0, 80, 50};
         DrawTextA(&d, "WWWWWWWWWW", -1, &r, DT_SINGLELINE | DT_VCENTER);
       }},
      {"DrawTextA unclipped", [](ImageDC& d) {
         d.setFont(TestFont());
         Rect r{20, 10, 22, 12};
         DrawTextA(&d, "WWWWWWWWWW", -1, &r, DT_NOCLIP);
       }},
      {"DrawFrameControl", [](ImageDC& d) {
         const Rect r{6, 20, 21, 35};
         DrawFrameControl(&d, &r, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
       }},
      {"dotted lines", [](ImageDC& d) {
         d.setPen({PS_DOT, 1, kBlue});
         MoveToEx(&d, 0, 20, nullptr);
         LineTo(&d, 80, 20);
         MoveToEx(&d, 30, 50, nullptr);
         LineTo(&d, 30, -1);
       }},
      {"slanted and wide lines", [](ImageDC& d) {
         d.setPen({PS_SOLID, 1, kBlack});
         MoveToEx(&d, 0, 0, nullptr);
         LineTo(&d, 79, 49);
         d.setPen({PS_SOLID, 3, kGreen});
         MoveToEx(&d, 79, 0, nullptr);
         LineTo(&d, 0, 49);
       }},
      {"DrawFocusRect", [](ImageDC& d) {
         const Rect r{8, 9, 38, 40};
         DrawFocusRect(&d, &r);
       }},
      {"InvertRect", [](ImageDC& d) {
         const Rect r{0, 0, 20, 20};
         InvertRect(&d, &r);
       }},
      {"Clear", [](ImageDC& d) { d.clear(kGreen); }},
      {"ScrollDC", [](ImageDC& d) {
         const Rect r{0, 0, 80, 50};
         ScrollDC(&d, 5, 3, &r, nullptr, nullptr);
       }},
  };
  for (const Case& c : cases) {
    // A pattern underneath, so that moved and inverted pixels show.
    auto base = [] {
      QImage im = MakeSurfaceImage(80, 50, kWhite);
      for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 80; ++x)
          if ((x * 7 + y * 3) % 5 == 0) im.setPixel(x, y, 0xFF336699);
      return im;
    };
    QImage whole = base(), clipped = base();
    const QImage before = base();
    ImageDC whole_dc(&whole), clipped_dc(&clipped);
    c.draw(whole_dc);
    clipped_dc.setClip(&clip);
    c.draw(clipped_dc);
    int wrong = 0;
    for (int y = 0; y < 50; ++y)
      for (int x = 0; x < 80; ++x) {
        const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
        if (clipped.pixel(x, y) != (inside ? whole : before).pixel(x, y)) ++wrong;
      }
    EXPECT_EQ(wrong, 0) << c.what;
  }
  // Without a clip again, the whole surface.
  dc.setClip(&clip);
  dc.setClip(nullptr);
  dc.clear(kRed);
  EXPECT_EQ(Ink(kRed), Rect{});
}

}  // namespace
}  // namespace plat::gdi
