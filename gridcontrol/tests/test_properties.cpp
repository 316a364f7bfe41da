// Defaults, addressing, property semantics and failing members.
#include <QTest>
#include <functional>

#include "grid_fixture.h"

using namespace gridtest;

TEST(GridDefaults, FreshGridTakesItsFirstTimeDefaults) {
  Grid g;
  const std::pair<DispId, Variant> cases[] = {
      {d::Rows, Variant(1)},
      {d::Cols, Variant(5)},
      {d::Row, Variant(1)},
      {d::Col, Variant(1)},
      {d::TopRow, Variant(1)},
      {d::LeftCol, Variant(1)},
      {d::ColHeader, Variant(true)},
      {d::RowHeader, Variant(true)},
      {d::ShowGrid, Variant(true)},
      {d::GridSolid, Variant(true)},
      {d::GridLineColor, Variant::color(0xC0C0C0)},
      {d::Redraw, Variant(true)},
      {d::BorderStyle, Variant(1)},
      {d::FixedStyle, Variant(1)},
      {d::SelectionMode, Variant(0)},
      {d::AllowSelection, Variant(true)},
      {d::AllowUserResizing, Variant(true)},
      {d::AutoNewRow, Variant(false)},
      {d::UseItemData, Variant(false)},
      {d::ListBoxRows, Variant::i2(6)},
      {d::BackColor, Variant::color(0xFFFFFF)},
      {d::BackColorFixed, Variant::color(0xC0C0C0)},
      {d::BackColorBkg, Variant::color(0x808080)},
      {d::ForeColor, Variant::color(0x80000012)},
      {d::ForeColorFixed, Variant::color(0x80000012)},
      {d::FormatString, Variant("")},
      {d::Enabled, Variant(true)},
      {d::MousePointer, Variant(0)},
      {d::Recordset, Variant::i2(0)},
  };
  for (const auto& [id, want] : cases) {
    Variant got = g.get(id);
    EXPECT_TRUE(got.same_value(want) && got.value_type() == want.value_type())
        << std::hex << id << " got " << got.to_string();
  }
  // Column and row arrays of a new grid.
  EXPECT_EQ(g.get(d::ColWidth, {Variant(0)}).to_i4(), 32);
  for (int c = 1; c <= 5; ++c) {
    EXPECT_EQ(g.get(d::ColWidth, {Variant(c)}).to_i4(), 64);
    EXPECT_EQ(g.get(d::ColAlign, {Variant(c)}).to_i4(), 0);
    EXPECT_TRUE(g.get(d::ColAllowEdit, {Variant(c)}).to_bool());
    EXPECT_EQ(g.get(d::ColMask, {Variant(c)}).to_i2(), 0);
  }
  EXPECT_EQ(g.get(d::RowHeight, {Variant(0)}).to_i4(), 15);
  EXPECT_EQ(g.get(d::RowHeight, {Variant(1)}).to_i4(), 15);
  // Header cells bold, data cells not; every cell size 9 with the grid's colours.
  for (int r = 0; r <= 1; ++r)
    for (int c = 0; c <= 5; ++c) {
      EXPECT_EQ(g.get(d::CellFontBold, {Variant(c), Variant(r)}).to_bool(), r == 0 || c == 0) << r << "," << c;
      EXPECT_EQ(g.get(d::CellFontSize, {Variant(c), Variant(r)}).to_i2(), 9);
      EXPECT_EQ(g.get(d::CellBackColor, {Variant(c), Variant(r)}).to_i4(), -1);
      EXPECT_EQ(g.get(d::CellForeColor, {Variant(c), Variant(r)}).to_i4(), -1);
    }
}

TEST(GridDefaults, HeaderFontIsBoldCopyAndTheAmbientFontIsUntouched) {
  Grid g;
  auto cell = std::dynamic_pointer_cast<Font>(g.get(d::Font).to_object());
  auto fixed = std::dynamic_pointer_cast<Font>(g.get(d::FontFixed).to_object());
  ASSERT_TRUE(cell && fixed);
  EXPECT_NE(cell, fixed);
  EXPECT_FALSE(cell->Bold());
  EXPECT_TRUE(fixed->Bold());
  EXPECT_FALSE(g.site.ambient_font()->Bold());
  EXPECT_EQ(cell->Name(), g.site.ambient_font()->Name());
  // A font set is held by reference: the client's later changes reach the grid.
  auto mine = Font::create();
  g.set(d::Font, {Variant(mine)});
  mine->Italic(true);
  EXPECT_TRUE(std::dynamic_pointer_cast<Font>(g.get(d::Font).to_object())->Italic());
  EXPECT_EQ(g.invoke(d::Font, CallKind::Set, {Variant::nothing()}).error, kErrNoObject);
  EXPECT_EQ(g.invoke(d::Font, CallKind::Set, {Variant(7)}).error, kErrTypeMismatch);
}

TEST(GridAddressing, TextMatrixIsRowFirstAndCellColoursColumnFirst) {
  Grid g;
  g.let(d::Rows, {Variant(4)});
  g.let(d::Cols, {Variant(3)});
  g.let(d::TextMatrix, {Variant(2), Variant(3), Variant("r2c3")});
  g.let(d::CellBackColor, {Variant(3), Variant(2), Variant(0xFF8080)});
  g.let(d::CellForeColor, {Variant(3), Variant(2), Variant::color(0x800080)});
  g.let(d::CellFontName, {Variant(3), Variant(2), Variant("DejaVu Sans")});
  EXPECT_EQ(g.text(2, 3), "r2c3");
  EXPECT_EQ(g.text(3, 2), "");
  EXPECT_EQ(g.get(d::CellBackColor, {Variant(3), Variant(2)}).to_i4(), 0xFF8080);
  EXPECT_EQ(g.get(d::CellBackColor, {Variant(2), Variant(3)}).to_i4(), -1);
  EXPECT_EQ(g.get(d::CellForeColor, {Variant(3), Variant(2)}).to_i4(), 0x800080);
  EXPECT_EQ(g.get(d::CellFontName, {Variant(3), Variant(2)}).to_string(), "DejaVu Sans");
  // Text works on the current cell, row first through Row and Col.
  g.let(d::Row, {Variant(2)});
  g.let(d::Col, {Variant(3)});
  EXPECT_EQ(g.get(d::Text).to_string(), "r2c3");
  g.let(d::Text, {Variant("new")});
  EXPECT_EQ(g.text(2, 3), "new");
  // Row 0 and column 0 are the headers, addressed like any cell.
  g.let(d::TextMatrix, {Variant(0), Variant(1), Variant("title")});
  g.let(d::TextMatrix, {Variant(4), Variant(0), Variant("4")});
  EXPECT_EQ(g.text(0, 1), "title");
  EXPECT_EQ(g.text(4, 0), "4");
  EXPECT_EQ(g.invoke(d::TextMatrix, CallKind::Get, {Variant(5), Variant(0)}).error, kErrSubscript);
  EXPECT_EQ(g.invoke(d::TextMatrix, CallKind::Get, {Variant(0), Variant(4)}).error, kErrSubscript);
}

// A member that fails returns its error number and leaves the grid as it was.
TEST(GridErrors, FailingMembersChangeNothing) {
  struct Case {
    const char* what;
    DispId id;
    CallKind kind;
    std::vector<Variant> args;
    int error;
  };
  const Case cases[] = {
      {"Rows 40000", d::Rows, CallKind::Let, {Variant(40000)}, kErrOverflow},
      {"Cols -40000", d::Cols, CallKind::Let, {Variant(-40000)}, kErrOverflow},
      {"Rows -1", d::Rows, CallKind::Let, {Variant(-1)}, kErrSubscript},
      {"Cols -1", d::Cols, CallKind::Let, {Variant(-1)}, kErrSubscript},
      {"Rows text", d::Rows, CallKind::Let, {Variant("many")}, kErrTypeMismatch},
      {"CellForeColor(0, 5)", d::CellForeColor, CallKind::Let, {Variant(0), Variant(5), Variant(1)}, kErrSubscript},
      {"CellBackColor(-1, 1)", d::CellBackColor, CallKind::Get, {Variant(-1), Variant(1)}, kErrSubscript},
      {"CellBackColor text", d::CellBackColor, CallKind::Let, {Variant(1), Variant(1), Variant("red")}, kErrTypeMismatch},
      {"CellFontSize 40000", d::CellFontSize, CallKind::Let, {Variant(1), Variant(1), Variant(40000)}, kErrOverflow},
      {"TextMatrix(4, 1)", d::TextMatrix, CallKind::Let, {Variant(4), Variant(1), Variant("x")}, kErrSubscript},
      {"ColWidth(1) 40000", d::ColWidth, CallKind::Let, {Variant(1), Variant(40000)}, kErrOverflow},
      {"ColWidth(9)", d::ColWidth, CallKind::Let, {Variant(9), Variant(10)}, kErrSubscript},
      {"RowHeight(1) -40000", d::RowHeight, CallKind::Let, {Variant(1), Variant(-40000)}, kErrOverflow},
      {"SetColWidth 70000", d::SetColWidth, CallKind::Method, {Variant(1), Variant(70000)}, kErrOverflow},
      {"GetColWidth(-1)", d::GetColWidth, CallKind::Method, {Variant(-1)}, kErrSubscript},
      {"ColAlign(7)", d::ColAlign, CallKind::Let, {Variant(7), Variant(1)}, kErrSubscript},
      {"ColMask(3) 40000", d::ColMask, CallKind::Let, {Variant(3), Variant(40000)}, kErrOverflow},
      {"ColAllowEdit(6)", d::ColAllowEdit, CallKind::Let, {Variant(6), Variant(false)}, kErrSubscript},
      {"RowBookmark(4)", d::RowBookmark, CallKind::Let, {Variant(4), Variant(1)}, kErrSubscript},
      {"BorderStyle 70000", d::BorderStyle, CallKind::Let, {Variant(70000)}, kErrOverflow},
      {"FixedStyle -70000", d::FixedStyle, CallKind::Let, {Variant(-70000)}, kErrOverflow},
      {"SelectionMode 40000", d::SelectionMode, CallKind::Let, {Variant(40000)}, kErrOverflow},
      {"BackColor text", d::BackColor, CallKind::Let, {Variant("white")}, kErrTypeMismatch},
      {"ShowGrid text", d::ShowGrid, CallKind::Let, {Variant("maybe")}, kErrTypeMismatch},
      {"RowEmpty(9)", d::RowEmpty, CallKind::Method, {Variant(9)}, kErrSubscript},
      {"AddItem too many pieces", d::AddItem, CallKind::Method, {Variant("a\tb\tc\td\te\tf")}, kErrSubscript},
      {"AddItem too long", d::AddItem, CallKind::Method, {Variant(std::string(40000, 'x'))}, kErrOverflow},
      {"AddLookup item data", d::AddLookup, CallKind::Method, {Variant(1), Variant("v"), Variant("x")}, kErrTypeMismatch},
      {"AutoSetup rows", d::AutoSetup, CallKind::Method,
       {Variant("x"), Variant(2), Variant(true), Variant(true), Variant("a")}, kErrTypeMismatch},
      {"AutoSetup cols", d::AutoSetup, CallKind::Method,
       {Variant(2), Variant(40000), Variant(true), Variant(true), Variant("a")}, kErrOverflow},
      {"FormatString too wide", d::FormatString, CallKind::Let, {Variant(std::string(20000, 'W'))}, kErrOverflow},
      {"Recordset not an object", d::Recordset, CallKind::Set, {Variant(3)}, kErrTypeMismatch},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Grid g;
    g.let(d::Rows, {Variant(3)});
    g.let(d::FormatString, {Variant("^A|B|C|D|E")});
    g.call(d::AddLookup, {Variant(2), Variant("one"), Variant(1)});
    g.let(d::TextMatrix, {Variant(2), Variant(2), Variant("keep")});
    g.let(d::Redraw, {Variant(true)});
    g.site.clear_changed();
    EventLog events(*g.obj);
    const std::string before = g.snapshot();
    CallResult r = g.invoke(c.id, c.kind, c.args);
    EXPECT_EQ(r.error, c.error) << r.description;
    EXPECT_EQ(g.snapshot(), before);
    EXPECT_TRUE(events.events.empty());
    EXPECT_TRUE(g.site.changed().empty());
  }
}

TEST(GridErrors, AGridTooBigForMemoryIsRefused) {
  Grid g;
  g.let(d::Cols, {Variant(200)});
  EXPECT_EQ(g.invoke(d::Rows, CallKind::Let, {Variant(32767)}).error, kErrOutOfMemory);
  EXPECT_EQ(g.get(d::Rows).to_i4(), 1);
  g.let(d::Rows, {Variant(10000)});
  EXPECT_EQ(g.get(d::Rows).to_i4(), 10000);
}

TEST(GridProperties, OutOfRangeAlignAndMaskAreIgnoredSilently) {
  Grid g;
  g.let(d::ColAlign, {Variant(1), Variant(2)});
  g.let(d::ColMask, {Variant(1), Variant::i2(4)});
  g.let(d::ColAlign, {Variant(1), Variant(3)});
  g.let(d::ColMask, {Variant(1), Variant::i2(5)});
  EXPECT_EQ(g.get(d::ColAlign, {Variant(1)}).to_i4(), 2);
  EXPECT_EQ(g.get(d::ColMask, {Variant(1)}).to_i2(), 4);
}

TEST(GridProperties, ContainerHearsChangesByNameButNotForUnchangedStyles) {
  Grid g;
  g.site.clear_changed();
  g.let(d::BorderStyle, {Variant(1)});  // its current value
  g.let(d::FixedStyle, {Variant(1)});
  EXPECT_TRUE(g.site.changed().empty());
  g.let(d::BorderStyle, {Variant(9)});  // stored, draws no border
  g.let(d::BackColor, {Variant::color(0xC0FFFF)});
  g.let(d::Enabled, {Variant(false)});
  g.let(d::ColAllowEdit, {Variant(2), Variant(false)});
  g.let(d::TextMatrix, {Variant(1), Variant(1), Variant("x")});
  g.let(d::CellBackColor, {Variant(1), Variant(1), Variant(5)});
  EXPECT_EQ(g.site.changed(), (std::vector<std::string>{"BorderStyle", "BackColor", "Enabled", "ColAllowEdit"}));
  EXPECT_EQ(g.get(d::BorderStyle).to_i4(), 9);
  EXPECT_FALSE(g.obj->widget()->isEnabled());
}

TEST(GridProperties, TwoGridsKeepTheirOwnState) {
  Grid a, b;
  a.let(d::BackColor, {Variant::color(0xFF)});
  a.let(d::ForeColor, {Variant::color(0xFF00)});
  EXPECT_EQ(b.get(d::BackColor).to_color(), 0xFFFFFFu);
  EXPECT_EQ(b.get(d::ForeColor).to_color(), 0x80000012u);
}

TEST(GridProperties, ShrinkingRowsAndColsBringsTheCurrentCellIntoRange) {
  Grid g;
  g.let(d::Rows, {Variant(5)});
  g.let(d::Row, {Variant(5)});
  g.let(d::TextMatrix, {Variant(1), Variant(5), Variant("kept")});
  g.let(d::Cols, {Variant(2)});
  g.let(d::Cols, {Variant(4)});
  g.let(d::Row1, {Variant(4)});
  g.let(d::Rows, {Variant(3)});
  EXPECT_EQ(g.get(d::Row).to_i4(), 3);
  EXPECT_EQ(g.get(d::Row1).to_i4(), 3);
  g.let(d::Col, {Variant(4)});
  g.let(d::Cols, {Variant(1)});
  EXPECT_EQ(g.get(d::Col).to_i4(), 1);
  g.let(d::Cols, {Variant(4)});
  EXPECT_EQ(g.text(1, 4), "");  // column regrown with fresh cells
  EXPECT_EQ(g.get(d::ColWidth, {Variant(4)}).to_i4(), 64);
  EXPECT_FALSE(g.get(d::CellFontBold, {Variant(4), Variant(3)}).to_bool());
  EXPECT_TRUE(g.get(d::CellFontBold, {Variant(4), Variant(0)}).to_bool());
}

TEST(GridRows, AddItemFillsANewRowBetweenItsEvents) {
  Grid g;
  g.let(d::Cols, {Variant(2)});
  g.let(d::Rows, {Variant(3)});
  EventLog events(*g.obj);
  g.call(d::AddItem, {Variant("a\tb")});
  g.call(d::AddItem, {Variant("only\t")});
  EXPECT_EQ(g.get(d::Rows).to_i4(), 5);
  EXPECT_EQ(g.text(4, 1), "a");
  EXPECT_EQ(g.text(4, 2), "b");
  EXPECT_EQ(g.text(5, 1), "only");
  EXPECT_EQ(g.text(5, 2), "");
  using E = std::vector<DispId>;
  EXPECT_EQ(events.ids(), (E{nadrel::event::BeforeAddRow, nadrel::event::AfterAddRow, nadrel::event::BeforeAddRow,
                            nadrel::event::AfterAddRow}));
  EXPECT_EQ(events.events[1].second[0].to_i4(), 4);
  EXPECT_EQ(events.events[1].second[0].value_type(), VarType::Int16);
}

TEST(GridRows, RemoveItemAndClear) {
  Grid g;
  g.call(d::AutoSetup, {Variant(4), Variant(2), Variant(true), Variant(true), Variant("A|B")});
  for (int r = 1; r <= 4; ++r) {
    g.let(d::TextMatrix, {Variant(r), Variant(0), Variant(std::to_string(r))});
    g.let(d::TextMatrix, {Variant(r), Variant(1), Variant("r" + std::to_string(r))});
  }
  EventLog events(*g.obj);
  g.call(d::RemoveItem, {Variant::i2(2)});
  EXPECT_EQ(g.get(d::Rows).to_i4(), 3);
  EXPECT_EQ(g.text(2, 1), "r3");
  EXPECT_EQ(g.text(3, 1), "r4");
  EXPECT_EQ(g.text(2, 0), "2");  // the header column does not move
  ASSERT_EQ(events.ids(), (std::vector<DispId>{nadrel::event::BeforeDeleteRow, nadrel::event::AfterDeleteRow}));
  EXPECT_EQ(events.events[1].second[0].to_i4(), 2);
  g.let(d::Row, {Variant(3)});
  g.call(d::Clear);
  EXPECT_EQ(g.get(d::Rows).to_i4(), 0);
  EXPECT_EQ(g.get(d::Row).to_i4(), 0);
  EXPECT_EQ(g.text(0, 1), "A");
  EXPECT_EQ(events.events.size(), 2u);  // Clear raises nothing
}

TEST(GridRows, RowEmptyLooksAtDataCellsOnly) {
  Grid g;
  g.let(d::Rows, {Variant(2)});
  g.let(d::TextMatrix, {Variant(1), Variant(2), Variant("   ")});
  g.let(d::TextMatrix, {Variant(1), Variant(0), Variant("head")});
  g.let(d::TextMatrix, {Variant(2), Variant(5), Variant(" x ")});
  EXPECT_TRUE(g.call(d::RowEmpty, {Variant(1)}).to_bool());
  EXPECT_FALSE(g.call(d::RowEmpty, {Variant(2)}).to_bool());
  EXPECT_EQ(g.call(d::RowEmpty, {Variant(1)}).value_type(), VarType::Bool);
}

TEST(GridFormat, FormatStringSetsHeadersAlignmentsAndWidths) {
  Grid g;
  g.let(d::FormatString, {Variant("<Left|^Mid|>Right  ;r1;row two")});
  EXPECT_EQ(g.get(d::Cols).to_i4(), 5);
  EXPECT_EQ(g.get(d::Rows).to_i4(), 2);
  const std::tuple<int, const char*, int> cols[] = {{1, "Left", 0}, {2, "Mid", 1}, {3, "Right", 2}};
  for (auto [c, text, align] : cols) {
    EXPECT_EQ(g.text(0, c), text);
    EXPECT_EQ(g.get(d::ColAlign, {Variant(c)}).to_i4(), align);
    EXPECT_GT(g.get(d::ColWidth, {Variant(c)}).to_i4(), 5);
  }
  EXPECT_GT(g.get(d::ColWidth, {Variant(3)}).to_i4(), g.get(d::ColWidth, {Variant(2)}).to_i4());
  EXPECT_EQ(g.text(1, 0), "r1");
  EXPECT_EQ(g.text(2, 0), "row two");
  // Two tokens on five columns clear the headers of the others; a final "|" does not.
  g.let(d::FormatString, {Variant("a|b|c|d|e")});
  g.let(d::ColWidth, {Variant(4), Variant(10)});
  g.let(d::FormatString, {Variant("x|y|")});
  EXPECT_EQ(g.text(0, 4), "d");
  g.let(d::FormatString, {Variant("x|y")});
  EXPECT_EQ(g.text(0, 4), "");
  EXPECT_EQ(g.get(d::ColWidth, {Variant(4)}).to_i4(), 64);
  // A leading "|" leaves column 1 empty; empty tokens past the last column add columns.
  g.let(d::FormatString, {Variant("|first")});
  EXPECT_EQ(g.text(0, 1), "");
  EXPECT_EQ(g.text(0, 2), "first");
  g.let(d::FormatString, {Variant("a||||||||")});
  EXPECT_EQ(g.get(d::Cols).to_i4(), 8);
}

TEST(GridFormat, FormatStringDropsTheLookupItems) {
  Grid g;
  g.call(d::AddLookup, {Variant(1), Variant("one")});
  EXPECT_TRUE(g.call(d::ColHasLookup, {Variant(1)}).to_bool());
  g.let(d::FormatString, {Variant("A")});
  EXPECT_FALSE(g.call(d::ColHasLookup, {Variant(1)}).to_bool());
}

TEST(GridItems, LookupsAndButtons) {
  Grid g;
  g.call(d::AddLookup, {Variant(2), Variant("Bat"), Variant(1)});
  g.call(d::AddLookup, {Variant(2), Variant("Bi")});
  g.call(d::AddLookup, {Variant(3), Variant("Hiru")});
  g.call(d::RemoveLookupValue, {Variant(3), Variant("hiru")});  // case matters
  EXPECT_TRUE(g.call(d::ColHasLookup, {Variant(3)}).to_bool());
  g.call(d::RemoveLookup, {Variant(2)});
  EXPECT_FALSE(g.call(d::ColHasLookup, {Variant(2)}).to_bool());
  g.call(d::AddButton, {Variant(4)});
  g.call(d::AddButton, {Variant(4)});
  EXPECT_TRUE(g.call(d::ColHasButton, {Variant(4)}).to_bool());
  g.call(d::RemoveButton, {Variant(4)});
  EXPECT_FALSE(g.call(d::ColHasButton, {Variant(4)}).to_bool());
}

TEST(GridEvents, DoubleClickAnnouncesAnEditToTheContainer) {
  Grid g;
  g.let(d::Rows, {Variant(3)});
  g.let(d::Row, {Variant(2)});
  g.let(d::Col, {Variant(4)});
  EventLog events(*g.obj);
  g.call(d::DblClick);
  ASSERT_EQ(events.ids(), std::vector<DispId>{nadrel::event::BeforeEdit});
  const auto& args = events.events[0].second;
  EXPECT_EQ(args[0].to_i2(), 2);
  EXPECT_EQ(args[1].to_i2(), 4);
  EXPECT_FALSE(args[2].to_bool());
  // No editor opens on a check-box column.
  g.let(d::ColMask, {Variant(4), Variant::i2(4)});
  g.call(d::DblClick);
  EXPECT_EQ(events.events.size(), 1u);
  // EditKeyPress swallows Enter through its by-reference argument.
  Variant key = Variant::i2(13);
  g.call(d::EditKeyPress, {Variant::by_ref(&key)});
  EXPECT_EQ(key.to_i2(), 0);
}

TEST(GridHosting, ExtenderAndWidgetForTheContainer) {
  Grid g;
  QWidget window;
  QWidget* w = g.obj->widget();
  w->setParent(&window);
  g.site.set_extender(std::make_unique<WidgetExtender>(w, "Grid1", 0));
  ExtendedControl grid(g.obj, *g.site.extender());
  grid.let(kExtHeight, {Variant(150)});
  grid.let(kExtVisible, {Variant(false)});
  grid.let(d::Cols, {Variant(2)});
  EXPECT_EQ(w->height(), 150);
  EXPECT_TRUE(w->isHidden());
  EXPECT_EQ(g.get(d::Cols).to_i4(), 2);
  EXPECT_EQ(grid.get(kExtName).to_string(), "Grid1");
  w->setParent(nullptr);  // the grid deletes its widget when released
}

TEST(GridHosting, TheEnabledStateIsOneWithTheContainersAndDecidesInput) {
  Grid g;
  QWidget window;
  QWidget* w = g.obj->widget();
  w->setParent(&window);
  window.resize(400, 300);
  window.show();
  g.site.set_extender(std::make_unique<WidgetExtender>(w, "Grid1", 0));
  plat::com::Extender& container = *g.site.extender();
  auto* cells = w->findChild<QWidget*>("picGrid");
  ASSERT_NE(cells, nullptr);
  EventLog events(*g.obj);
  // Whether a press on a cell reaches the grid.
  auto takes_input = [&] {
    events.events.clear();
    QTest::mouseClick(cells, Qt::LeftButton, {}, QPoint(100, 40));
    return !events.events.empty();
  };
  ASSERT_TRUE(takes_input());
  struct Step {
    const char* what;
    std::function<void()> change;
    bool enabled;
    std::vector<std::string> changed;
  };
  const Step steps[] = {
      {"the container disables", [&] { container.Enabled(false); }, false, {"Enabled"}},
      {"a member that fails", [&] {
         const std::string format = "A|B|C|D|E|F|" + std::string(7000, 'W');
         EXPECT_FALSE(g.invoke(d::FormatString, CallKind::Let, {Variant(format)}).ok());
       }, false, {}},
      {"the container again", [&] { container.Enabled(false); }, false, {}},
      {"the member enables", [&] { g.let(d::Enabled, {Variant(true)}); }, true, {"Enabled"}},
      {"the member disables", [&] { g.let(d::Enabled, {Variant(false)}); }, false, {"Enabled"}},
      {"the container enables", [&] { container.Enabled(true); }, true, {"Enabled"}},
      // The window's own state is the window's: the grid's stays its own.
      {"the window disables", [&] { window.setEnabled(false); }, true, {}},
  };
  for (const Step& s : steps) {
    g.site.clear_changed();
    s.change();
    EXPECT_EQ(g.get(d::Enabled).to_bool(), s.enabled) << s.what;
    EXPECT_EQ(container.Enabled(), s.enabled) << s.what;
    EXPECT_EQ(g.site.changed(), s.changed) << s.what;
    if (window.isEnabled()) {
      EXPECT_EQ(takes_input(), s.enabled) << s.what;
    }
  }
  EXPECT_FALSE(takes_input());
  w->setParent(nullptr);
}
