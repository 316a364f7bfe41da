// Rendering and scrolling, checked on the recorded drawing calls and on the
// pixels of the cell surface.
#include <QDir>
#include <QTest>
#include <functional>
#include <memory>

#include "recordset_fixture.h"
#include "render_fixture.h"

using namespace gridtest;

namespace {

// The control-memory header of the simulator and its column widths.
const char* kControlMemoryHeader =
    "  egoera  |    @    | BK1BK0| JT|J4J3J2J1J0|MCS|MOE|MWR|hMH| LD_IR1| LD_IR2| LD_EM|hMD|hH|  LD_e1|  LD_e2|hB|"
    "  LD_ual|  LD_PC| LD_PCi|hD";
const int kControlMemoryWidths[21] = {50, 40, 50, 20, 60, 30, 30, 40, 30, 50, 50, 50, 30, 20, 50, 50, 20, 50, 50, 50, 20};

std::string bits(int v, int n) {
  std::string s;
  for (int i = n - 1; i >= 0; --i) s += (v >> i) & 1 ? '1' : '0';
  return s;
}

// The control-memory listing as the simulator makes it: set-up, widths,
// emptying, a row per micro-address, then the colours; `after_each` runs
// after every call.
void list_control_memory(Grid& g, const std::function<void()>& after_each = [] {}) {
  auto call = [&](DispId id, std::vector<Variant> args) {
    g.call(id, std::move(args));
    after_each();
  };
  auto let = [&](DispId id, std::vector<Variant> args) {
    g.let(id, std::move(args));
    after_each();
  };
  call(d::AutoSetup, {Variant::i2(22), Variant::i2(21), Variant(false), Variant(true), Variant(kControlMemoryHeader)});
  for (int c = 1; c <= 21; ++c) let(d::ColWidth, {Variant(c), Variant(kControlMemoryWidths[c - 1])});
  call(d::Clear, {});
  const char* labels[22] = {"bil1", "bil2", "desk", "op/mov", "", "", "opi/movi", "", "", "ld", "st",
                            "", "ldx", "", "", "stx", "", "", "beq", "", "", ""};
  for (int m = 0; m < 22; ++m) {
    std::string row = "  " + std::string(labels[m]);
    row.resize(13, ' ');
    row += "\t " + bits(m, 5);
    for (int c = 3; c <= 21; ++c) row += "\t" + std::string(c == 5 ? 3 : 2, ' ') + (m % 3 == 0 ? "1" : "0");
    call(d::AddItem, {Variant(row)});
  }
  for (int r = 1; r <= 22; ++r)
    for (int c = 1; c <= 2; ++c) let(d::CellBackColor, {Variant(c), Variant(r), Variant(0xC0C0C0)});
  for (int r = 1; r <= 22; ++r)
    for (int c = 1; c <= 21; ++c) let(d::CellForeColor, {Variant(c), Variant(r), Variant(0)});
  // The current micro-address marked as the display does.
  for (int c = 1; c <= 2; ++c) let(d::CellBackColor, {Variant(c), Variant(4), Variant(0x0000FF)});
}

}  // namespace

TEST(GridPicture, ControlMemoryListingAsPng) {
  DrawnGrid g(862, 400);
  list_control_memory(g);
  const QImage shot = g.obj->widget()->grab().toImage();
  EXPECT_TRUE(shot.save(QDir::current().filePath("grid_control_memory.png")));
  // Header row grey, marked cells red, grid lines between the cells.
  EXPECT_EQ(g.pixel(47, 4), 0xC0C0C0u);
  EXPECT_EQ(g.pixel(60, 4 * 16 + 8), 0x0000FFu);
  EXPECT_EQ(g.pixel(51, 40), 0xC0C0C0u);
}

TEST(GridRender, AListingDrawsItsGridOnceWhenTheScreenIsNextPainted) {
  DrawnGrid g(862, 400);
  Recorder rec(g.cells());
  list_control_memory(g);
  // Rows added, widths set, cells written: nothing drawn yet but the marks.
  EXPECT_EQ(rec.rec.count("Clear"), 0);
  EXPECT_EQ(rec.rec.count("DrawTextA"), 0);
  const QImage shown = g.image();
  EXPECT_EQ(rec.rec.count("Clear"), 1);
  int titles = 0, labels = 0;
  for (const auto& c : rec.calls("DrawTextA")) titles += c.text == "  egoera", labels += c.text.starts_with("  bil1 ");
  EXPECT_EQ(titles, 1);
  EXPECT_EQ(labels, 1);
  // The picture is the one the listing left when every call was painted as
  // it was made, and the one a whole repaint draws.
  DrawnGrid painted(862, 400);
  list_control_memory(painted, [&] { painted.image(); });
  EXPECT_EQ(differing_pixels(shown, painted.image()), 0);
  g.call(d::Refresh);
  EXPECT_EQ(differing_pixels(shown, g.image()), 0);
}

TEST(GridRender, DefaultLayoutOfCellsAndHeaders) {
  DrawnGrid g;
  // The cell surface fills the control inside its border, less 5 pixels.
  EXPECT_EQ(g.cells().geometry(), QRect(2, 2, 395, 295));
  Recorder rec(g.cells());
  g.call(d::Refresh);
  // Header cells: grey 3-D faces one pixel larger than the cell; data cells
  // start after the 32-pixel header column and the 15-pixel header row.
  for (const char* call : {"FillRect(1,1,34,17,0xC0C0C0)", "DrawEdge(1,1,34,17,4,3)", "DrawEdge(1,1,34,17,1,12)",
                           "FillRect(34,1,99,17,0xC0C0C0)", "FillRect(34,17,98,32,0xFFFFFF)",
                           "FillRect(99,17,163,32,0xFFFFFF)", "FillRect(1,17,34,33,0xC0C0C0)"})
    EXPECT_TRUE(rec.has(call)) << call;
  // Grid lines right of and below the cell, in the grid-line colour.
  EXPECT_EQ(g.pixel(98, 20), 0xC0C0C0u);
  EXPECT_EQ(g.pixel(60, 25), 0xFFFFFFu);
  // The black outline ends the one data row; below it the background.
  EXPECT_EQ(g.pixel(60, 32), 0u);
  EXPECT_EQ(g.pixel(60, 33), 0x808080u);
  // The focus rectangle sits on the current cell (1, 1).
  ASSERT_FALSE(rec.calls("DrawFocusRect").empty());
  EXPECT_EQ(rec.calls("DrawFocusRect").back().str, "DrawFocusRect(34,17,98,32)");
  g.let(d::Rows, {Variant(3)});
  EXPECT_EQ(g.pixel(60, 32), 0xC0C0C0u);  // now a grid line between rows
}

TEST(GridRender, TextAlignmentFontsColoursAndClipping) {
  DrawnGrid g;
  g.let(d::Rows, {Variant(3)});
  for (int c = 1; c <= 3; ++c) {
    g.let(d::ColAlign, {Variant(c), Variant(c - 1)});
    g.let(d::TextMatrix, {Variant(1), Variant(c), Variant("Ab")});
  }
  g.let(d::TextMatrix, {Variant(0), Variant(1), Variant("Head")});
  g.let(d::CellForeColor, {Variant(2), Variant(1), Variant(0x0000FF)});
  g.let(d::CellFontName, {Variant(3), Variant(1), Variant("Liberation Serif")});
  Recorder rec(g.cells());
  g.call(d::Refresh);
  const auto texts = rec.calls("DrawTextA");
  auto find = [&](const std::string& s) {
    for (const auto& c : texts)
      if (c.str == s) return true;
    return false;
  };
  // Single line; left, centred, right; 2 pixels of inset; header rows centred vertically.
  EXPECT_TRUE(find("DrawTextA(36,17,96,32,32,\"Ab\")"));
  EXPECT_TRUE(find("DrawTextA(101,17,161,32,33,\"Ab\")"));
  EXPECT_TRUE(find("DrawTextA(166,17,226,32,34,\"Ab\")"));
  EXPECT_TRUE(find("DrawTextA(36,1,96,16,36,\"Head\")"));
  // Empty data cells draw no text; empty header cells still do.
  EXPECT_FALSE(find("DrawTextA(36,33,96,48,32,\"\")"));
  EXPECT_TRUE(find("DrawTextA(101,1,161,16,37,\"\")"));
  EXPECT_TRUE(rec.has("SetTextColor(0xFF)") || rec.has("SetTextColor(0x0000FF)"));
  bool serif = false;
  for (const auto& c : rec.calls("SetFont")) serif |= c.text == "Liberation Serif";
  EXPECT_TRUE(serif);

  // A text too long for its cell is clipped at the cell's inset.
  g.let(d::TextMatrix, {Variant(2), Variant(1), Variant(std::string(40, 'W'))});
  g.call(d::Refresh);
  int inside = 0, beyond = 0;
  for (int y = 34; y < 48; ++y) {
    for (int x = 36; x < 96; ++x) inside += g.pixel(x, y) != 0xFFFFFFu;
    for (int x = 96; x < 98; ++x) beyond += g.pixel(x, y) != 0xFFFFFFu;
    for (int x = 99; x < 163; ++x) beyond += g.pixel(x, y) != 0xFFFFFFu;
  }
  EXPECT_GT(inside, 50);
  EXPECT_EQ(beyond, 0);
}

TEST(GridRender, CheckBoxesFlatHeadersAndStyledCells) {
  DrawnGrid g;
  g.let(d::Rows, {Variant(5)});
  g.let(d::ColMask, {Variant(2), Variant::i2(4)});
  const char* texts[] = {"1", "0", "", "True", "-1"};
  for (int r = 1; r <= 5; ++r) g.let(d::TextMatrix, {Variant(r), Variant(2), Variant(texts[r - 1])});
  g.let(d::TextMatrix, {Variant(0), Variant(2), Variant("Box")});
  g.let(d::FixedStyle, {Variant(0)});
  Recorder rec(g.cells());
  g.call(d::Refresh);
  // Column 2 starts at x 99, width 64: box left 99 + 32 - 7 = 124.
  const auto boxes = rec.calls("DrawFrameControl");
  ASSERT_EQ(boxes.size(), 5u);
  EXPECT_EQ(boxes[0].str, "DrawFrameControl(124,18,139,33,4,1024)");
  for (int i = 1; i < 5; ++i) EXPECT_EQ(boxes[size_t(i)].args.back(), 0) << texts[i];
  for (const auto& t : rec.calls("DrawTextA")) EXPECT_NE(t.text, "1");
  EXPECT_TRUE(rec.has("DrawTextA(101,1,161,16,36,\"Box\")"));
  // Flat headers are plain rectangles of the header colour, the range gets
  // a black top edge.
  EXPECT_TRUE(rec.has("FillRect(99,1,163,16,0xC0C0C0)"));
  EXPECT_EQ(rec.rec.count("DrawEdge"), 0);
  EXPECT_EQ(g.pixel(60, 17), 0u);
}

TEST(GridRender, BorderStylesDrawTheirEdges) {
  const std::pair<int, std::vector<std::string>> cases[] = {
      {0, {}},
      {1, {"DrawEdge(0,0,400,300,1,32783)"}},
      {2, {"DrawEdge(0,0,400,300,4,3)", "DrawEdge(0,0,400,300,1,12)"}},
      {5, {"DrawEdge(0,0,400,300,10,3)", "DrawEdge(0,0,400,300,10,12)"}},
      {7, {"DrawEdge(0,0,400,300,9,3)", "DrawEdge(0,0,400,300,9,12)"}},
      {9, {}},
  };
  for (const auto& [style, want] : cases) {
    DrawnGrid g;
    auto* uc = dynamic_cast<gdi::Surface*>(g.obj->widget());
    ASSERT_NE(uc, nullptr);
    g.let(d::BorderStyle, {Variant(style == 0 ? 3 : 0)});
    gdi::RecordingDC rec(&uc->imageDC());
    uc->setRecorder(&rec);
    g.let(d::BorderStyle, {Variant(style)});
    uc->setRecorder(nullptr);
    std::vector<std::string> got;
    for (const auto& c : rec.calls("DrawEdge")) got.push_back(c.str);
    EXPECT_EQ(got, want) << style;
  }
}

TEST(GridRender, SelectionAndFocusComeAndGoWithoutStrayPixels) {
  DrawnGrid g;
  g.let(d::Rows, {Variant(8)});
  for (int r = 1; r <= 8; ++r)
    for (int c = 1; c <= 5; ++c) g.let(d::TextMatrix, {Variant(r), Variant(c), Variant(std::to_string(r * c))});
  g.call(d::Refresh);
  const QImage plain = g.image();

  // A block: inverted with its anchor cell in normal colours.
  for (auto [id, v] : {std::pair{d::Row1, 2}, {d::Col1, 2}, {d::Row2, 4}, {d::Col2, 3}}) g.let(id, {Variant(v)});
  g.call(d::Refresh);
  EXPECT_EQ(g.pixel(99 + 30, 33 + 7), 0xFFFFFFu);  // anchor (2, 2)
  EXPECT_EQ(g.pixel(164 + 30, 33 + 7), 0x000000u);   // (2, 3) inverted from white
  EXPECT_EQ(g.pixel(99 + 30, 65 + 7), 0x000000u);    // (4, 2)
  const QImage block = g.image();

  // Moving the current cell, hiding and showing the highlight by hand,
  // writing texts inside the block and repainting rows change nothing else.
  g.let(d::Row, {Variant(3)});
  g.let(d::Col, {Variant(4)});
  g.call(d::HilightSelection, {Variant(5), Variant(1), Variant(6), Variant(2)});
  g.call(d::HilightSelection, {Variant(5), Variant(1), Variant(6), Variant(2)});
  g.let(d::TextMatrix, {Variant(3), Variant(3), Variant("x")});
  g.image();
  g.let(d::TextMatrix, {Variant(3), Variant(3), Variant("9")});
  g.call(d::DrawRow, {Variant(3), Variant(49), Variant(true)});
  g.let(d::Row, {Variant(1)});
  g.let(d::Col, {Variant(1)});
  EXPECT_EQ(differing_pixels(g.image(), block), 0);

  // Back to one cell: no trace of the block.
  for (auto [id, v] : {std::pair{d::Row1, 1}, {d::Col1, 1}, {d::Row2, 1}, {d::Col2, 1}}) g.let(id, {Variant(v)});
  g.let(d::Row, {Variant(1)});
  EXPECT_EQ(differing_pixels(g.image(), plain), 0);
}

TEST(GridRender, TextMatrixShowsBeforeTheNextScreenUpdateOnlyForItsCell) {
  DrawnGrid g;
  g.let(d::Rows, {Variant(40)});
  Recorder rec(g.cells());
  g.let(d::TextMatrix, {Variant(2), Variant(3), Variant("new")});
  g.let(d::TextMatrix, {Variant(39), Variant(3), Variant("off")});  // below the surface
  EXPECT_EQ(rec.rec.count("DrawTextA"), 0);  // nothing drawn by the write itself
  g.image();
  const auto texts = rec.calls("DrawTextA");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "new");
  EXPECT_EQ(rec.rec.count("FillRect"), 1);
  // The result is what a full repaint draws.
  const QImage one = g.image();
  g.call(d::Refresh);
  EXPECT_EQ(differing_pixels(one, g.image()), 0);
  // Redraw off: writes wait for Redraw on, which repaints everything.
  g.let(d::Redraw, {Variant(false)});
  rec.rec.clearLog();
  g.let(d::TextMatrix, {Variant(3), Variant(3), Variant("later")});
  g.let(d::CellBackColor, {Variant(1), Variant(1), Variant(0xFF)});
  g.image();
  EXPECT_TRUE(rec.rec.calls().empty());
  g.let(d::Redraw, {Variant(true)});
  EXPECT_GT(rec.rec.count("DrawTextA"), 10);
  EXPECT_EQ(g.pixel(40, 20), 0x0000FFu);
}

TEST(GridScroll, OneStepMovesThePixelsAndPagesRepaint) {
  DrawnGrid g;
  g.let(d::Rows, {Variant(60)});
  g.let(d::Cols, {Variant(20)});
  for (int r = 1; r <= 60; ++r) g.let(d::TextMatrix, {Variant(r), Variant(1), Variant("r" + std::to_string(r))});
  for (auto [id, v] : {std::pair{d::Row1, 3}, {d::Col1, 1}, {d::Row2, 6}, {d::Col2, 2}}) g.let(id, {Variant(v)});
  g.call(d::Refresh);
  QScrollBar& v = bar_of(g, true);
  QScrollBar& h = bar_of(g, false);
  EXPECT_FALSE(v.isHidden());
  EXPECT_FALSE(h.isHidden());
  EXPECT_EQ(v.maximum(), 60);
  EXPECT_EQ(v.focusPolicy(), Qt::NoFocus);
  EXPECT_GT(v.pageStep(), 1);

  // Reference images of the grid at a given first row and column.
  auto expected = [](int top_row, int left_col) {
    DrawnGrid ref;
    ref.let(d::Rows, {Variant(60)});
    ref.let(d::Cols, {Variant(20)});
    for (int r = 1; r <= 60; ++r) ref.let(d::TextMatrix, {Variant(r), Variant(1), Variant("r" + std::to_string(r))});
    for (auto [id, val] : {std::pair{d::Row1, 3}, {d::Col1, 1}, {d::Row2, 6}, {d::Col2, 2}}) ref.let(id, {Variant(val)});
    ref.let(d::TopRow, {Variant(top_row)});
    ref.let(d::LeftCol, {Variant(left_col)});
    ref.call(d::Refresh);
    return ref.image();
  };

  struct Step {
    bool vertical;
    int value;
    bool one_step;
    int top_row, left_col;
  };
  const Step steps[] = {
      {true, 2, true, 2, 1}, {true, 3, true, 3, 1}, {true, 2, true, 2, 1}, {true, 12, false, 12, 1},
      {false, 2, true, 12, 2}, {false, 1, true, 12, 1}, {false, 6, false, 12, 6}, {true, 1, false, 1, 6},
  };
  for (const Step& s : steps) {
    Recorder rec(g.cells());
    (s.vertical ? v : h).setValue(s.value);
    EXPECT_EQ(g.get(d::TopRow).to_i4(), s.top_row);
    EXPECT_EQ(g.get(d::LeftCol).to_i4(), s.left_col);
    const auto scrolls = rec.calls("ScrollDC");
    ASSERT_EQ(scrolls.size(), s.one_step ? 1u : 0u) << s.value;
    if (s.one_step) {
      const long long dx = scrolls[0].args[0], dy = scrolls[0].args[1];
      EXPECT_EQ(std::abs(dx), s.vertical ? 0 : 65);
      EXPECT_EQ(std::abs(dy), s.vertical ? 16 : 0);
    }
    EXPECT_EQ(differing_pixels(g.image(), expected(s.top_row, s.left_col)), 0) << s.vertical << " " << s.value;
  }
}

// ------------------------------------------------- writes after store-only lets

namespace {

// A grid of 40 rows with texts in columns 1 and 2, drawn whole.
struct FilledGrid : DrawnGrid {
  FilledGrid() {
    let(d::Rows, {Variant(40)});
    for (int r = 1; r <= 40; ++r)
      for (int c = 1; c <= 2; ++c) let(d::TextMatrix, {Variant(r), Variant(c), Variant("r" + std::to_string(r))});
    call(d::Refresh);
    image();
  }
  std::shared_ptr<Font> font(DispId id) { return std::dynamic_pointer_cast<Font>(get(id).to_object()); }
  // The pixels of the image after a whole repaint of the grid as it stands.
  int differs_from_whole_repaint() {
    const QImage shown = image();
    call(d::Refresh);
    return differing_pixels(shown, image());
  }
};

}  // namespace

TEST(GridRender, ACellWriteAfterALetThatOnlyStoresShowsWhatAWholeRepaintShows) {
  struct Case {
    const char* what;
    void (*let)(FilledGrid&);
  };
  const Case lets[] = {
      {"TopRow", [](FilledGrid& g) { g.let(d::TopRow, {Variant(5)}); }},
      {"ForeColor", [](FilledGrid& g) { g.let(d::ForeColor, {Variant(0x0000FF)}); }},
      {"the font object", [](FilledGrid& g) { g.font(d::Font)->Bold(true); }},
      {"the header font object", [](FilledGrid& g) {
         g.let(d::TextMatrix, {Variant(0), Variant(1), Variant("Izena")});
         g.let(d::CellFontName, {Variant(1), Variant(0), Variant("")});  // drawn in the header font
         g.image();
         g.font(d::FontFixed)->Size(12);
       }},
      {"a row drawn by the client", [](FilledGrid& g) { g.call(d::DrawRow, {Variant(9), Variant(40), Variant(true)}); }},
      {"a column drawn by the client", [](FilledGrid& g) { g.call(d::DrawCol, {Variant(2), Variant(200), Variant(true)}); }},
      {"a repaint skipped while Redraw was off", [](FilledGrid& g) {
         // A press on a cell turns painting on without a repaint.
         g.let(d::Redraw, {Variant(false)});
         g.let(d::ShowGrid, {Variant(false)});
         QTest::mouseClick(&g.cells(), Qt::LeftButton, {}, QPoint(60, 60));
         ASSERT_TRUE(g.get(d::Redraw).to_bool());
       }},
  };
  struct Write {
    const char* what;
    void (*write)(FilledGrid&);
  };
  const Write writes[] = {
      {"CellBackColor", [](FilledGrid& g) { g.let(d::CellBackColor, {Variant(1), Variant(6), Variant(0x00FF00)}); }},
      {"CellFontBold", [](FilledGrid& g) { g.let(d::CellFontBold, {Variant(2), Variant(7), Variant(true)}); }},
      {"TextMatrix", [](FilledGrid& g) { g.let(d::TextMatrix, {Variant(6), Variant(1), Variant("new")}); }},
  };
  for (const Case& c : lets)
    for (const Write& w : writes) {
      FilledGrid g;
      c.let(g);
      w.write(g);
      EXPECT_EQ(g.differs_from_whole_repaint(), 0) << c.what << ", then " << w.what;
    }

  // A write before such a let shows as the grid stood when it was made.
  FilledGrid g;
  g.let(d::CellBackColor, {Variant(1), Variant(2), Variant(0x00FF00)});
  g.let(d::TopRow, {Variant(5)});
  g.let(d::ForeColor, {Variant(0x0000FF)});
  const QImage shown = g.image();
  g.let(d::TopRow, {Variant(1)});
  g.let(d::ForeColor, {Variant(0)});
  g.call(d::Refresh);
  EXPECT_EQ(differing_pixels(shown, g.image()), 0);
}

TEST(GridRender, ACellWriteRepaintsThatCellAloneWhileTheImageIsCurrent) {
  FilledGrid g;
  auto cells_painted = [&](auto write) {
    Recorder rec(g.cells());
    write();
    g.image();
    return rec.rec.count("FillRect");
  };
  auto colour = [&] { g.let(d::CellBackColor, {Variant(1), Variant(6), Variant(0x00FF00)}); };
  EXPECT_EQ(cells_painted(colour), 1);
  // After a let that only stores, one whole repaint, then one cell again.
  g.let(d::TopRow, {Variant(3)});
  EXPECT_GT(cells_painted(colour), 20);
  EXPECT_EQ(cells_painted(colour), 1);
  EXPECT_EQ(g.differs_from_whole_repaint(), 0);
}

TEST(GridRender, ACellWriteOnABoundGridShowsTheRecordsetAsItStands) {
  DrawnGrid g;
  auto rs = std::make_shared<FakeRecordset>(std::vector<std::string>{"Izena"},
                                            std::vector<std::vector<Variant>>{{Variant("bat"), Variant("bi")}});
  g.set(d::Recordset, {Variant(std::shared_ptr<Dispatch>(rs))});
  g.image();
  rs->columns[0][0] = Variant("WWWWWW");  // changed by the host, unseen by the grid
  g.let(d::CellBackColor, {Variant(1), Variant(2), Variant(0x00FF00)});
  const QImage shown = g.image();
  g.call(d::Refresh);
  EXPECT_EQ(differing_pixels(shown, g.image()), 0);
}

TEST(GridRender, TheClientsHighlightStaysUntilTheClientOrARepaintTakesItAway) {
  auto make = [] {
    auto g = std::make_unique<FilledGrid>();
    for (auto [id, v] : {std::pair{d::Row1, 2}, {d::Col1, 1}, {d::Row2, 3}, {d::Col2, 2}}) g->let(id, {Variant(v)});
    g->call(d::Refresh);
    return g;
  };
  // The same grid with the current cell already moved: its image is what
  // the Row and Col lets should leave.
  auto expected = make();
  expected->let(d::Row, {Variant(5)});
  expected->let(d::Col, {Variant(2)});
  const QImage plain = expected->image();
  expected->call(d::HilightSelection, {Variant(6), Variant(1), Variant(9), Variant(2)});
  const QImage highlighted = expected->image();
  ASSERT_GT(differing_pixels(plain, highlighted), 1000);

  auto g = make();
  g->call(d::HilightSelection, {Variant(6), Variant(1), Variant(9), Variant(2)});
  g->let(d::Row, {Variant(5)});
  g->let(d::Col, {Variant(2)});
  EXPECT_EQ(differing_pixels(g->image(), highlighted), 0);
  // A text written inside it shows under it.
  g->let(d::TextMatrix, {Variant(7), Variant(1), Variant("r7")});
  EXPECT_EQ(differing_pixels(g->image(), highlighted), 0);
  // The client takes it away; or a repaint does, a cell let's among them.
  g->call(d::HilightSelection, {Variant(6), Variant(1), Variant(9), Variant(2)});
  EXPECT_EQ(differing_pixels(g->image(), plain), 0);
  g->call(d::HilightSelection, {Variant(6), Variant(1), Variant(9), Variant(2)});
  g->let(d::CellBackColor, {Variant(2), Variant(1), Variant(-1)});
  EXPECT_EQ(differing_pixels(g->image(), plain), 0);
  g->call(d::HilightSelection, {Variant(6), Variant(1), Variant(9), Variant(2)});
  g->call(d::Refresh);
  EXPECT_EQ(differing_pixels(g->image(), plain), 0);
}

// ------------------------------------------------- repaints that wait for the screen

TEST(GridRender, ACallMeetingAWaitingRepaintShowsWhatItShowedOverADrawnOne) {
  // `ask` asks for a whole repaint, `then` meets it before the screen is
  // painted, or after.
  struct Case {
    const char* what;
    void (*ask)(FilledGrid&);
    void (*then)(FilledGrid&);
  };
  auto width = [](FilledGrid& g) { g.let(d::ColWidth, {Variant(1), Variant(90)}); };
  const Case cases[] = {
      {"the font object", width, [](FilledGrid& g) { g.font(d::Font)->Bold(true); }},
      {"the font object, then a cell", width, [](FilledGrid& g) {
         g.font(d::Font)->Bold(true);
         g.let(d::CellBackColor, {Variant(1), Variant(3), Variant(0x00FF00)});
       }},
      {"a cell, then the header font object", width, [](FilledGrid& g) {
         g.let(d::TextMatrix, {Variant(0), Variant(1), Variant("Izena")});
         g.font(d::FontFixed)->Size(12);
       }},
      {"cells and the current cell", width, [](FilledGrid& g) {
         g.let(d::TextMatrix, {Variant(2), Variant(1), Variant("new")});
         g.let(d::CellBackColor, {Variant(2), Variant(2), Variant(0x00FF00)});
         g.let(d::Row, {Variant(4)});
       }},
      {"the selection corners", width, [](FilledGrid& g) {
         for (auto [id, v] : {std::pair{d::Row1, 2}, {d::Col1, 1}, {d::Row2, 5}, {d::Col2, 2}}) g.let(id, {Variant(v)});
       }},
      {"TopRow", width, [](FilledGrid& g) {
         g.let(d::TopRow, {Variant(5)});
         g.let(d::TextMatrix, {Variant(1), Variant(2), Variant("x")});
       }},
      {"ForeColor", width, [](FilledGrid& g) { g.let(d::ForeColor, {Variant(0x0000FF)}); }},
      {"a row drawn by the client", width, [](FilledGrid& g) {
         g.call(d::DrawRow, {Variant(9), Variant(40), Variant(true)});
       }},
      {"the client's highlight", width, [](FilledGrid& g) {
         g.call(d::HilightSelection, {Variant(3), Variant(1), Variant(5), Variant(2)});
       }},
      {"Redraw off", width, [](FilledGrid& g) {
         g.let(d::Redraw, {Variant(false)});
         g.let(d::CellBackColor, {Variant(1), Variant(2), Variant(0x00FF00)});
       }},
      {"SetColWidth", width, [](FilledGrid& g) { g.call(d::SetColWidth, {Variant(2), Variant(30)}); }},
      {"LeftCol", width, [](FilledGrid& g) { g.let(d::LeftCol, {Variant(2)}); }},
      {"a press on a cell", width, [](FilledGrid& g) {
         QTest::mouseClick(&g.cells(), Qt::LeftButton, {}, QPoint(150, 60));
       }},
  };
  for (const Case& c : cases) {
    FilledGrid waited, drawn;
    for (FilledGrid* g : {&waited, &drawn}) c.ask(*g);
    drawn.image();
    for (FilledGrid* g : {&waited, &drawn}) c.then(*g);
    EXPECT_EQ(differing_pixels(waited.image(), drawn.image()), 0) << c.what;
  }
}

TEST(GridRender, AFailedFormatStringShowsTheRepaintItAskedForOnTheWay) {
  // The seventh column is made and painted before the text fails: the
  // picture keeps it, as it was drawn, while the grid keeps its five.
  FilledGrid g;
  Recorder rec(g.cells());
  const std::string format = "A|B|C|D|E|F|" + std::string(7000, 'W');
  EXPECT_EQ(g.invoke(d::FormatString, CallKind::Let, {Variant(format)}).error, plat::com::kErrOverflow);
  EXPECT_EQ(g.get(d::Cols).to_i4(), 5);
  g.image();
  EXPECT_TRUE(rec.has("DrawTextA(103,1,111,16,36,\"F\")"));
  EXPECT_TRUE(rec.has("DrawTextA(116,1,176,16,36,\"\")"));  // the seventh, in its first width
}

TEST(GridRender, AWaitingRepaintDrawsTheCornerSquareAsTheBarsStoodWhenItWasAskedFor) {
  FilledGrid g;
  g.let(d::Cols, {Variant(20)});
  g.image();
  g.let(d::Rows, {Variant(3)});  // both bars were up: the repaint draws the square
  EXPECT_TRUE(bar_of(g, true).isHidden());
  EXPECT_EQ(g.pixel(385, 280), 0xC0C0C0u);
  g.call(d::Refresh);  // now under the one bar left, it is background
  EXPECT_EQ(g.pixel(385, 280), 0x808080u);
}
