// The surface window, the recording backend and the cursor stand-in.
#include <gtest/gtest.h>

#include "platform/gdi/cursor.h"
#include "platform/gdi/recording_dc.h"
#include "platform/gdi/surface.h"

namespace plat::gdi {
namespace {

constexpr COLORREF kRed = 0x0000FF, kFace = 0xC0C0C0;

void Fill(HDC dc, const Rect& r, COLORREF c) {
  const HBRUSH b = CreateSolidBrush(c);
  FillRect(dc, &r, b);
  DeleteObject(b);
}

TEST(Surface, DrawsOutsidePaintingAndKeepsItsImageOnResize) {
  Surface s;
  s.setBackColor(kFace);
  s.resize(40, 30);  // hidden: no resize event yet, the image follows anyway
  Fill(s.dc(), {0, 0, 10, 10}, kRed);
  EXPECT_EQ(s.image().size(), QSize(40, 30));
  EXPECT_EQ(s.image().devicePixelRatio(), 1.0);
  EXPECT_EQ(PixelAt(s, 5, 5), kRed);

  s.resize(60, 50);
  EXPECT_EQ(PixelAt(s, 5, 5), kRed);     // kept
  EXPECT_EQ(PixelAt(s, 55, 45), kFace);  // new area in the back colour
  Rect r;
  GetClientRect(s.dc(), &r);
  EXPECT_EQ(r, (Rect{0, 0, 60, 50}));

  s.resize(8, 8);
  EXPECT_EQ(PixelAt(s, 5, 5), kRed);
  s.clear();
  EXPECT_EQ(PixelAt(s, 5, 5), kFace);

  // The window shows the image.
  s.resize(20, 20);
  Fill(s.dc(), {0, 0, 20, 20}, kRed);
  s.show();
  const QImage shown = s.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(PixelAt(shown, 10, 10), kRed);
}

// One of each call, as a grid paints them.
void DrawSample(HDC dc) {
  const HBRUSH b = CreateSolidBrush(kSystemColorFlag | COLOR_BTNFACE);
  Rect cell{1, 1, 30, 17};
  FillRect(dc, &cell, b);
  DeleteObject(b);
  DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_TOPLEFT);
  SetTextColor(dc, 0x000080);
  dc->setFont(QFont("Liberation Sans", 8));
  Rect text{3, 1, 28, 17};
  DrawTextA(dc, "Ab", -1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  dc->setPen({PS_DOT, 1, 0x808080});
  MoveToEx(dc, 0, 18, nullptr);
  LineTo(dc, 50, 18);
  const Rect frame{1, 1, 30, 17};
  DrawFocusRect(dc, &frame);
  InvertRect(dc, &frame);
  const Rect area{0, 18, 50, 40};
  ScrollDC(dc, 0, -5, &area, &area, nullptr);
  const Rect box{5, 20, 20, 35};
  DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
  Rect client;
  GetClientRect(dc, &client);
}

TEST(Recording, LogsCallsInOrderAndForwardsThem) {
  Surface s;
  s.resize(50, 40);
  RecordingDC rec(&s.imageDC());
  s.setRecorder(&rec);
  ASSERT_EQ(s.dc(), &rec);
  DrawSample(s.dc());

  const std::vector<std::string> expected = {
      "FillRect(1,1,30,17,0x8000000F)",
      "DrawEdge(1,1,30,17,4,3)",
      "SetTextColor(0x000080)",
      "SetFont(800,0,0,0,0,\"Liberation Sans\")",
      "DrawTextA(3,1,28,17,37,\"Ab\")",
      "SetPen(2,1,0x808080)",
      "MoveToEx(0,18)",
      "LineTo(50,18)",
      "DrawFocusRect(1,1,30,17)",
      "InvertRect(1,1,30,17)",
      "ScrollDC(0,-5,1,0,18,50,40,1,0,18,50,40)",
      "DrawFrameControl(5,20,20,35,4,1024)",
      "GetClientRect(0,0,50,40)",
  };
  EXPECT_EQ(rec.log(), expected);
  EXPECT_EQ(rec.count("LineTo"), 1);
  ASSERT_EQ(rec.calls("DrawTextA").size(), 1u);
  EXPECT_EQ(rec.calls("DrawTextA")[0].text, "Ab");
  EXPECT_EQ(rec.calls("DrawTextA")[0].args, (std::vector<long long>{3, 1, 28, 17, 37}));

  // Forwarding changes nothing: the same calls straight on an image give
  // the same pixels.
  QImage direct = MakeSurfaceImage(50, 40, 0xFFFFFF);
  ImageDC plain(&direct);
  DrawSample(&plain);
  EXPECT_EQ(direct, s.image());

  s.setRecorder(nullptr);
  EXPECT_EQ(s.dc(), &s.imageDC());
}

// A surface that leaves a red square to draw until its image is needed.
class LateSurface : public Surface {
 public:
  bool waiting = true;
  int drawn = 0;

 protected:
  void drawPending() override {
    if (!waiting) return;
    waiting = false;
    ++drawn;
    Fill(dc(), {0, 0, 10, 10}, kRed);
  }
};

TEST(Surface, DrawingThatWaitsIsDoneBeforeTheImageIsReadShownOrRecorded) {
  for (int way = 0; way < 3; ++way) {
    LateSurface s;
    s.resize(20, 20);
    RecordingDC rec(&s.imageDC());
    switch (way) {
      case 0: EXPECT_EQ(PixelAt(s, 5, 5), kRed); break;
      case 1: {
        s.show();
        EXPECT_EQ(PixelAt(s.grab().toImage().convertToFormat(QImage::Format_RGB32), 5, 5), kRed);
        break;
      }
      case 2:
        s.setRecorder(&rec);
        EXPECT_TRUE(rec.calls().empty());  // drawn before the recorder came
        EXPECT_FALSE(s.waiting);
        s.setRecorder(nullptr);
        break;
    }
    EXPECT_EQ(s.drawn, 1) << way;
  }
}

TEST(Recording, StandsAloneWithoutATarget) {
  RecordingDC rec;
  rec.setClientRect({0, 0, 100, 60});
  Rect r;
  GetClientRect(&rec, &r);
  EXPECT_EQ(r, (Rect{0, 0, 100, 60}));
  Rect e{0, 0, 20, 20};
  DrawEdge(&rec, &e, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  EXPECT_EQ(e, (Rect{2, 2, 18, 18}));
  const Rect f{0, 0, 1, 1};
  EXPECT_FALSE(FillRect(&rec, &f, HBRUSH(0x7FFFFFFF)));
  EXPECT_EQ(rec.calls().back().str, "FillRect(0,0,1,1,-1)");
  MoveToEx(&rec, 3, 4, nullptr);
  LineTo(&rec, 7, 8);
  EXPECT_EQ(rec.currentPosition(), (Point{7, 8}));
}

TEST(Cursor, SetCursorPosReachesTheHandler) {
  const Point fixed{100, 200};
  OverrideCursorPos(&fixed);
  std::vector<Point> seen;
  const CursorPosHandler old = SetCursorPosHandler([&](Point p) { seen.push_back(p); });
  Point p;
  ASSERT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p, fixed);
  SetCursorPos(p.x, p.y);
  SetCursorPos(5, 6);
  GetCursorPos(&p);
  EXPECT_EQ(p, (Point{5, 6}));
  EXPECT_EQ(seen, (std::vector<Point>{{100, 200}, {5, 6}}));
  SetCursorPosHandler(old);
  OverrideCursorPos(nullptr);
}

}  // namespace
}  // namespace plat::gdi
