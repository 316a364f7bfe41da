// Saving the properties into a bag and reading them into a fresh grid.
#include "grid_fixture.h"

using namespace gridtest;

namespace {

// Every saved property, read back through the interface.
const DispId kSaved[] = {d::Rows, d::Cols, d::Row, d::Col, d::Redraw, d::ShowGrid, d::GridSolid,
                         d::GridLineColor, d::BorderStyle, d::MousePointer, d::AllowSelection, d::BackColor,
                         d::BackColorFixed, d::ForeColor, d::ForeColorFixed, d::FixedStyle, d::ColHeader,
                         d::RowHeader, d::SelectionMode, d::Enabled, d::BackColorBkg, d::AllowUserResizing,
                         d::FormatString, d::AutoNewRow, d::ListBoxRows, d::UseItemData};

PropertyBag save(Grid& g) {
  PropertyBag bag;
  g.obj->write_properties(bag);
  // Through the text form, as a window definition holds it.
  return PropertyBag::from_text(bag.to_text());
}

FontProps font_of(Grid& g, DispId id) {
  return std::dynamic_pointer_cast<Font>(g.get(id).to_object())->props();
}

}  // namespace

TEST(GridPersistence, RoundTripGivesTheSameValues) {
  struct Case {
    const char* what;
    std::vector<std::pair<DispId, Variant>> lets;
  };
  const Case cases[] = {
      {"first-time defaults", {}},
      {"sizes and position", {{d::Cols, Variant(3)}, {d::Rows, Variant(23)}, {d::Row, Variant(4)}, {d::Col, Variant(2)}}},
      {"ten by ten", {{d::Rows, Variant(10)}, {d::Cols, Variant(10)}}},
      {"flags off",
       {{d::ShowGrid, Variant(false)}, {d::GridSolid, Variant(false)}, {d::AllowSelection, Variant(false)},
        {d::ColHeader, Variant(false)}, {d::RowHeader, Variant(false)}, {d::Enabled, Variant(false)},
        {d::AllowUserResizing, Variant(false)}, {d::AutoNewRow, Variant(true)}, {d::UseItemData, Variant(true)}}},
      {"colours",
       {{d::GridLineColor, Variant::color(0x8000000F)}, {d::BackColor, Variant::color(0xC0FFFF)},
        {d::BackColorFixed, Variant::color(0x8000000F)}, {d::ForeColor, Variant::color(0x800080)},
        {d::ForeColorFixed, Variant::color(0xFF)}, {d::BackColorBkg, Variant::color(0)}}},
      {"styles",
       {{d::BorderStyle, Variant(5)}, {d::FixedStyle, Variant(0)}, {d::SelectionMode, Variant(2)},
        {d::MousePointer, Variant(11)}, {d::ListBoxRows, Variant::i2(9)}}},
      {"format", {{d::FormatString, Variant("^Helbidea  |>Edukia;0;1")}}},
      {"no redraw", {{d::Redraw, Variant(false)}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Grid g(true);
    for (const auto& [id, v] : c.lets) g.let(id, {v});
    auto header = std::dynamic_pointer_cast<Font>(g.get(d::FontFixed).to_object());
    header->Size(11);
    PropertyBag bag = save(g);
    Grid fresh(false, false);
    fresh.obj->read_properties(bag);
    for (DispId id : kSaved) {
      Variant want = g.get(id), got = fresh.get(id);
      EXPECT_TRUE(got.same_value(want)) << std::hex << id << ": " << got.to_string() << " != " << want.to_string();
    }
    EXPECT_EQ(font_of(fresh, d::Font), font_of(g, d::Font));
    EXPECT_EQ(font_of(fresh, d::FontFixed), font_of(g, d::FontFixed));
    EXPECT_EQ(fresh.text(0, 1), g.text(0, 1));
    EXPECT_EQ(fresh.get(d::ColWidth, {Variant(1)}).to_i4(), g.get(d::ColWidth, {Variant(1)}).to_i4());
  }
}

TEST(GridPersistence, OnlyValuesThatDifferFromTheirDefaultsAreWritten) {
  Grid g;
  g.let(d::Rows, {Variant(10)});
  g.let(d::Cols, {Variant(10)});
  PropertyBag bag;
  g.obj->write_properties(bag);
  EXPECT_FALSE(bag.contains("Rows"));
  EXPECT_FALSE(bag.contains("Cols"));
  for (const char* always : {"Redraw", "ShowGrid", "GridSolid", "GridLineColor"}) EXPECT_TRUE(bag.contains(always));
  EXPECT_TRUE(bag.contains("BackColorFixed"));  // &HC0C0C0 differs from the button face
  EXPECT_TRUE(bag.contains("FontFixed"));       // bold, unlike the ambient font
  EXPECT_FALSE(bag.contains("Font"));
  EXPECT_FALSE(bag.contains("BackColor"));
  Grid fresh(false, false);
  fresh.obj->read_properties(bag);
  EXPECT_EQ(fresh.get(d::Rows).to_i4(), 10);
  EXPECT_EQ(fresh.get(d::Cols).to_i4(), 10);
}

TEST(GridPersistence, LookupItemsKeepTheirItemDataInDesignMode) {
  Grid g(true);
  g.call(d::AddLookup, {Variant(2), Variant("Bat"), Variant(1)});
  g.call(d::AddLookup, {Variant(2), Variant("Bi"), Variant(0)});
  g.call(d::AddLookup, {Variant(3), Variant("Hiru"), Variant(-7)});
  PropertyBag bag = save(g);
  EXPECT_EQ(bag.read("Count").to_i2(), 3);
  for (const char* key : {"Column1", "Value1", "Column2", "Value2", "Column3", "Value3", "ItemData1", "ItemData3"})
    EXPECT_TRUE(bag.contains(key)) << key;
  EXPECT_FALSE(bag.contains("ItemData2"));  // 0 is the default
  EXPECT_EQ(bag.read("value3").to_string(), "Hiru");

  Grid fresh(false, false);
  fresh.obj->read_properties(bag);
  EXPECT_TRUE(fresh.call(d::ColHasLookup, {Variant(2)}).to_bool());
  EXPECT_TRUE(fresh.call(d::ColHasLookup, {Variant(3)}).to_bool());
  // Saved again, the items come out as they went in.
  fresh.site.set_user_mode(false);
  PropertyBag again;
  fresh.obj->write_properties(again);
  EXPECT_EQ(again.to_text(), bag.to_text());
}

TEST(GridPersistence, AtRunTimeNoLookupKeyIsWritten) {
  Grid g(false);
  g.call(d::AddLookup, {Variant(2), Variant("Bat")});
  PropertyBag bag;
  g.obj->write_properties(bag);
  EXPECT_FALSE(bag.contains("Count"));
  EXPECT_FALSE(bag.contains("Column1"));
  EXPECT_LE(bag.size(), 30u);
}

TEST(GridPersistence, MissingKeysTakeTheReadDefaults) {
  Grid g(false, false);
  g.obj->read_properties(PropertyBag::from_text("rows = 3\ncols = 2\n"));
  EXPECT_EQ(g.get(d::Rows).to_i4(), 3);
  EXPECT_EQ(g.get(d::Cols).to_i4(), 2);
  EXPECT_EQ(g.get(d::GridLineColor).to_color(), 0x8000000Fu);
  EXPECT_EQ(g.get(d::BackColorFixed).to_color(), 0x8000000Fu);
  EXPECT_TRUE(g.get(d::Redraw).to_bool());
  EXPECT_EQ(font_of(g, d::Font), g.site.ambient_font()->props());
  EXPECT_EQ(font_of(g, d::FontFixed), g.site.ambient_font()->props());
  // A saved recordset is a value only.
  EXPECT_EQ(g.get(d::Recordset).value_type(), VarType::Int16);
}

TEST(GridPersistence, AValueThatCannotBeReadFailsTheWholeRead) {
  const std::pair<const char*, int> cases[] = {
      {"Rows = 3\nCols = \"many\"\n", kErrTypeMismatch},
      {"Rows = 40000&\n", kErrOverflow},
      {"Rows = 4\nFormatString = \"a\"\nBackColor = \"white\"\n", kErrTypeMismatch},
      {"Count = 1\nColumn1 = \"x\"\nValue1 = \"v\"\n", kErrTypeMismatch},
  };
  for (auto [text, error] : cases) {
    SCOPED_TRACE(text);
    Grid g(false, false);
    const std::string before = g.snapshot();
    try {
      g.obj->read_properties(PropertyBag::from_text(text));
      ADD_FAILURE();
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number, error);
    }
    EXPECT_EQ(g.snapshot(), before);
  }
}
