// Rows, columns, the format string and the recordset binding, with what
// they leave on the screen.
#include <map>

#include "render_fixture.h"

using namespace gridtest;

TEST(GridRows, RemovingAMissingRowIsRefusedBeforeAnyEvent) {
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
  g.call(d::Clear);
  EXPECT_EQ(g.invoke(d::RemoveItem, CallKind::Method, {Variant::i2(1)}).error, kErrSubscript);
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
  // A row added shows at once.
  Recorder rec(g.cells());
  g.call(d::AddItem, {Variant("x\ty")});
  bool drawn = false;
  for (const auto& c : rec.calls("DrawTextA")) drawn |= c.text == "y";
  EXPECT_TRUE(drawn);
}

namespace {

// A small recordset for the binding: records of text fields, reached by
// name as a data-access object would be.
struct FakeField final : Dispatch {
  std::string name;
  int32_t type = 200, size = 10;
  std::vector<Variant>* column = nullptr;
  int32_t* position = nullptr;
  const TypeInfo& type_info() const override {
    static const TypeInfo t{"Field", {make_func("Name", 1, CallKind::Get, "String"), make_func("Type", 2, CallKind::Get, "Long"),
                                      make_func("Size", 3, CallKind::Get, "Long"), make_func("Value", 0, CallKind::Get, "Variant"),
                                      make_func("Value", 0, CallKind::Let, "Variant")}};
    return t;
  }
  Variant dispatch(DispId id, CallKind kind, std::span<Variant> args) override {
    switch (id) {
      case 1: return Variant(name);
      case 2: return Variant(type);
      case 3: return Variant(size);
      case 0:
        if (*position < 0 || size_t(*position) >= column->size()) throw RuntimeError(3021);
        if (kind == CallKind::Let) (*column)[size_t(*position)] = args.back().deref();
        return (*column)[size_t(*position)];
    }
    throw RuntimeError(kErrNoMember);
  }
};

struct FakeFields final : Dispatch {
  std::vector<std::shared_ptr<FakeField>> items;
  const TypeInfo& type_info() const override {
    static const TypeInfo t{"Fields", {make_func("Count", 1, CallKind::Get, "Long"),
                                       make_func("Item", 0, CallKind::Get, "Object", {{"Index", "Variant"}})}};
    return t;
  }
  Variant dispatch(DispId id, CallKind, std::span<Variant> args) override {
    if (id == 1) return Variant(int32_t(items.size()));
    const int32_t k = args[0].to_i4();
    if (k < 0 || size_t(k) >= items.size()) throw RuntimeError(kErrSubscript);
    return Variant(std::shared_ptr<Dispatch>(items[size_t(k)]));
  }
};

struct FakeRecordset final : Dispatch {
  std::shared_ptr<FakeFields> fields = std::make_shared<FakeFields>();
  std::vector<std::vector<Variant>> columns;
  int32_t position = -1;
  std::vector<std::string> log;
  bool fail_move_last = false;

  FakeRecordset(std::vector<std::string> names, std::vector<std::vector<Variant>> cols) : columns(std::move(cols)) {
    for (size_t k = 0; k < names.size(); ++k) {
      auto f = std::make_shared<FakeField>();
      f->name = names[k];
      f->column = &columns[k];
      f->position = &position;
      fields->items.push_back(f);
    }
  }
  const TypeInfo& type_info() const override {
    static const TypeInfo t{"Recordset", {make_func("Fields", 1, CallKind::Get, "Object"),
                                          make_func("MoveLast", 2, CallKind::Method, ""),
                                          make_func("AbsolutePosition", 3, CallKind::Get, "Long"),
                                          make_func("AbsolutePosition", 3, CallKind::Let, "Long"),
                                          make_func("Edit", 4, CallKind::Method, ""), make_func("Update", 5, CallKind::Method, "")}};
    return t;
  }
  Variant dispatch(DispId id, CallKind kind, std::span<Variant> args) override {
    const size_t count = columns.empty() ? 0 : columns[0].size();
    switch (id) {
      case 1: return Variant(std::shared_ptr<Dispatch>(fields));
      case 2:
        log.push_back("MoveLast");
        if (fail_move_last) throw RuntimeError(3021);
        position = count == 0 ? -1 : int32_t(count) - 1;
        return {};
      case 3:
        if (kind == CallKind::Get) return Variant(position);
        position = args.back().to_i4();
        return {};
      case 4: log.push_back("Edit"); return {};
      case 5: log.push_back("Update"); return {};
    }
    throw RuntimeError(kErrNoMember);
  }
};

}  // namespace

TEST(GridRecordset, BindingShowsTheRecordsAndCanBeUndone) {
  DrawnGrid g;
  g.let(d::TextMatrix, {Variant(1), Variant(1), Variant("own")});
  auto rs = std::make_shared<FakeRecordset>(
      std::vector<std::string>{"Izena", "Balioa"},
      std::vector<std::vector<Variant>>{{Variant("bat"), Variant("bi"), Variant("hiru")},
                                        {Variant(1), Variant::null(), Variant(3)}});
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
