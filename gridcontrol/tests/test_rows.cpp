// Rows, columns, the format string and the recordset binding, with what
// they leave on the screen.
#include <map>

#include "recordset_fixture.h"
#include "render_fixture.h"

using namespace gridtest;

TEST(GridRows, RemovingAMissingRowIsRefusedBeforeAnyEventAndAnEmptyGridIgnoresIt) {
  Grid g;
  g.let(d::Rows, {Variant(4)});
  for (int r = 1; r <= 4; ++r) g.let(d::TextMatrix, {Variant(r), Variant(1), Variant("r" + std::to_string(r))});
  g.let(d::RowHeight, {Variant(2), Variant(30)});
  g.let(d::RowHeight, {Variant(3), Variant(40)});
  EventLog events(*g.obj);
  const std::string before = g.snapshot();
  for (int row : {0, -1, 5, 9}) {
    EXPECT_EQ(g.invoke(d::RemoveItem, CallKind::Method, {Variant::i2(int16_t(row))}).error, kErrSubscript) << row;
    EXPECT_EQ(g.snapshot(), before);
  }
  EXPECT_TRUE(events.events.empty());
  // Removing row 2 takes its height with it: row 3's height moves up.
  g.call(d::RemoveItem, {Variant::i2(2)});
  EXPECT_EQ(g.text(2, 1), "r3");
  EXPECT_EQ(g.get(d::RowHeight, {Variant(2)}).to_i4(), 40);
  EXPECT_EQ(g.get(d::RowHeight, {Variant(3)}).to_i4(), 15);
  // With no rows left nothing happens, whatever the row, and no event is raised.
  g.call(d::Clear);
  events.events.clear();
  for (int row : {1, 0, 9}) EXPECT_EQ(g.invoke(d::RemoveItem, CallKind::Method, {Variant::i2(int16_t(row))}).error, 0);
  EXPECT_EQ(g.get(d::Rows).to_i4(), 0);
  EXPECT_TRUE(events.events.empty());
}

TEST(GridRows, ShrinkingBelowTheCurrentCellAndSelectionStillPaints) {
  DrawnGrid g;
  g.let(d::Rows, {Variant(30)});
  g.let(d::Cols, {Variant(8)});
  for (auto [id, v] : {std::pair{d::Row, 25}, {d::Col, 7}, {d::Row1, 20}, {d::Col1, 6}, {d::Row2, 28}, {d::Col2, 8},
                       {d::TopRow, 15}})
    g.let(id, {Variant(v)});
  g.call(d::Refresh);
  g.let(d::Rows, {Variant(3)});
  g.let(d::Cols, {Variant(2)});
  EXPECT_EQ(g.invoke(d::Refresh, CallKind::Method).error, 0);
  for (auto [id, v] : {std::pair{d::Row, 3}, {d::Col, 2}, {d::Row1, 3}, {d::Col1, 2}, {d::Row2, 3}, {d::Col2, 2},
                       {d::TopRow, 3}})
    EXPECT_EQ(g.get(id).to_i4(), v) << std::hex << id;
  // Corners set past the end by hand are drawn at the last row and column.
  g.let(d::Row2, {Variant(99)});
  g.let(d::Col2, {Variant(99)});
  EXPECT_EQ(g.invoke(d::Refresh, CallKind::Method).error, 0);
  EXPECT_EQ(g.invoke(d::HilightSelection, CallKind::Method).error, 0);
}

TEST(GridFormat, AutoSetupWidthsRowHeadersAndAddItemRepaints) {
  DrawnGrid g;
  g.call(d::AutoSetup, {Variant(3), Variant(2), Variant(true), Variant(true), Variant("  Word  |B")});
  EXPECT_EQ(g.get(d::Rows).to_i4(), 3);
  EXPECT_EQ(g.get(d::Cols).to_i4(), 2);
  EXPECT_EQ(g.text(0, 1), "  Word");
  EXPECT_EQ(g.get(d::ColAlign, {Variant(1)}).to_i4(), 0);
  const int padded = g.get(d::ColWidth, {Variant(1)}).to_i4();
  g.let(d::FormatString, {Variant("Word|B")});
  EXPECT_GT(padded, g.get(d::ColWidth, {Variant(1)}).to_i4());  // blanks count for the width
  // One row token more than the rows: a row is added and column 0 widened.
  g.call(d::AutoSetup, {Variant(1), Variant(2), Variant(true), Variant(true),
                        Variant("A;first;a much longer row title")});
  EXPECT_EQ(g.get(d::Rows).to_i4(), 2);
  EXPECT_EQ(g.text(2, 0), "a much longer row title");
  EXPECT_GT(g.get(d::ColWidth, {Variant(0)}).to_i4(), 32);
  // A row added shows at the next paint.
  Recorder rec(g.cells());
  g.call(d::AddItem, {Variant("x\ty")});
  g.image();
  bool drawn = false;
  for (const auto& c : rec.calls("DrawTextA")) drawn |= c.text == "y";
  EXPECT_TRUE(drawn);
}

TEST(GridRecordset, BindingShowsTheRecordsAndCanBeUndone) {
  DrawnGrid g;
  g.let(d::TextMatrix, {Variant(1), Variant(1), Variant("own")});
  auto rs = std::make_shared<FakeRecordset>(
      std::vector<std::string>{"Izena", "Balioa"},
      std::vector<std::vector<Variant>>{{Variant("bat"), Variant("bi"), Variant("hiru")},
                                        {Variant(1), Variant::null(), Variant(3)}});
  // The host offers only the members the binding lists: the values come
  // through the recordset's default member.
  Recorder rec(g.cells());
  g.set(d::Recordset, {Variant(std::shared_ptr<Dispatch>(rs))});
  EXPECT_EQ(rs->log.front(), "MoveLast");
  EXPECT_EQ(g.get(d::Rows).to_i4(), 3);
  EXPECT_EQ(g.get(d::Cols).to_i4(), 2);
  EXPECT_EQ(g.text(0, 1), "Izena");
  EXPECT_EQ(g.text(0, 2), "Balioa");
  std::map<std::string, int> shown;
  for (const auto& c : rec.calls("DrawTextA")) ++shown[c.text];
  for (const char* t : {"bat", "bi", "hiru", "1", "3"}) EXPECT_GT(shown[t], 0) << t;
  EXPECT_EQ(shown["own"], 0);  // the store's texts are not shown while bound
  EXPECT_GT(g.get(d::ColWidth, {Variant(1)}).to_i4(), 30);  // ten letters N
  EXPECT_TRUE(g.get(d::Recordset).is_object());

  // Records that cannot be read show empty cells instead of failing a paint.
  rs->columns[0].pop_back();
  EXPECT_EQ(g.invoke(d::Refresh, CallKind::Method).error, 0);

  // Nothing undoes the binding.
  g.set(d::Recordset, {Variant::nothing()});
  rec.rec.clearLog();
  g.call(d::Refresh);
  shown.clear();
  for (const auto& c : rec.calls("DrawTextA")) ++shown[c.text];
  EXPECT_GT(shown["own"], 0);
  EXPECT_EQ(shown["bat"], 0);
}

TEST(GridRecordset, AFailedOrEmptyBindingLeavesTheGridDrawable) {
  DrawnGrid g;
  const std::string before = g.snapshot();
  auto bad = std::make_shared<FakeRecordset>(std::vector<std::string>{"A"}, std::vector<std::vector<Variant>>{{Variant("x")}});
  bad->fail_move_last = true;
  EXPECT_EQ(g.invoke(d::Recordset, CallKind::Set, {Variant(std::shared_ptr<Dispatch>(bad))}).error, 3021);
  EXPECT_EQ(g.snapshot(), before);
  EXPECT_EQ(g.invoke(d::Refresh, CallKind::Method).error, 0);
  EXPECT_TRUE(g.get(d::Redraw).to_bool());
  auto empty = std::make_shared<FakeRecordset>(std::vector<std::string>{"A", "B"}, std::vector<std::vector<Variant>>{{}, {}});
  g.set(d::Recordset, {Variant(std::shared_ptr<Dispatch>(empty))});
  EXPECT_EQ(g.get(d::Rows).to_i4(), 0);
  EXPECT_EQ(g.get(d::Cols).to_i4(), 2);
  EXPECT_EQ(g.invoke(d::Refresh, CallKind::Method).error, 0);
  g.set(d::Recordset, {Variant::nothing()});
  EXPECT_EQ(g.invoke(d::Refresh, CallKind::Method).error, 0);
}
