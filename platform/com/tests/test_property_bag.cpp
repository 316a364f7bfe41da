#include <gtest/gtest.h>

#include "platform/com/errors.h"
#include "platform/com/property_bag.h"

using namespace plat::com;

TEST(PropertyBag, ValueEqualToItsDefaultIsNotWritten) {
  PropertyBag bag;
  bag.write("Rows", Variant(10), Variant(10));
  bag.write("Cols", Variant(3), Variant(10));
  bag.write("Redraw", Variant(true));
  EXPECT_EQ(bag.keys(), (std::vector<std::string>{"Cols", "Redraw"}));
  // A later write equal to the default takes the key out again.
  bag.write("Cols", Variant::i2(10), Variant(10));
  EXPECT_FALSE(bag.contains("Cols"));
}

TEST(PropertyBag, RemovingAKeyKeepsTheOthersFoundAndInOrder) {
  PropertyBag bag;
  for (const char* k : {"Count", "Column1", "Value1", "Column2", "Value2"}) bag.write(k, Variant(k));
  bag.remove("COLUMN1");
  EXPECT_EQ(bag.keys(), (std::vector<std::string>{"Count", "Value1", "Column2", "Value2"}));
  EXPECT_EQ(bag.read("value2").to_string(), "Value2");
  EXPECT_FALSE(bag.contains("Column1"));
  bag.write("Column1", Variant(1));
  bag.write("Value2", Variant(2));
  EXPECT_EQ(bag.keys(), (std::vector<std::string>{"Count", "Value1", "Column2", "Value2", "Column1"}));
  EXPECT_EQ(bag.read("Value2").to_i4(), 2);
  PropertyBag copy = bag;
  copy.remove("Count");
  EXPECT_EQ(copy.read("Column1").to_i4(), 1);
  EXPECT_TRUE(bag.contains("Count"));
}

TEST(PropertyBag, KeysMatchWithoutRegardToCase) {
  PropertyBag bag = PropertyBag::from_text("rows = 23\nbackcolor = &H00C0FFFF\n");
  EXPECT_EQ(bag.read("Rows", 10).to_i4(), 23);
  EXPECT_EQ(bag.read("BACKCOLOR").to_color(), 0xC0FFFFu);
  EXPECT_EQ(bag.read("Missing", Variant("dflt")).to_string(), "dflt");
  bag.write("ROWS", Variant(5));
  EXPECT_EQ(bag.size(), 2u);
  EXPECT_EQ(bag.read("rows").to_i4(), 5);
}

TEST(PropertyBag, TextFormKeepsKindsAndFonts) {
  PropertyBag bag;
  bag.write("I2", Variant::i2(-3));
  bag.write("I4", Variant(70000));
  bag.write("Small", Variant(7));  // an Int32 that would fit 16 bits stays Int32
  bag.write("R4", Variant::r4(1.25f));
  bag.write("R8", Variant(0.1));
  bag.write("B", Variant(false));
  bag.write("C", Variant::color(0x80000012));
  bag.write("S", Variant("a \"quoted\"\ttab\\"));
  bag.write("E", Variant());
  FontProps fp;
  fp.name = "DejaVu Serif";
  fp.size = 10.5;
  fp.bold = true;
  fp.strikethrough = true;
  bag.write_font("Font", Font(fp));

  PropertyBag back = PropertyBag::from_text(bag.to_text());
  EXPECT_EQ(back.to_text(), bag.to_text());
  EXPECT_EQ(back.keys(), bag.keys());
  const std::pair<const char*, VarType> kinds[] = {{"I2", VarType::Int16}, {"I4", VarType::Int32},
                                                   {"Small", VarType::Int32}, {"R4", VarType::Single},
                                                   {"R8", VarType::Double}, {"B", VarType::Bool},
                                                   {"C", VarType::Color}, {"S", VarType::String},
                                                   {"E", VarType::Empty}};
  for (auto [key, kind] : kinds) {
    EXPECT_EQ(back.read(key).value_type(), kind) << key;
    EXPECT_TRUE(back.read(key).same_value(bag.read(key))) << key;
  }
  auto font = back.read_font("font", nullptr);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->props(), fp);
}

TEST(PropertyBag, FontEqualToTheDefaultIsNotWrittenAndReadsAsACopy) {
  Font ambient;
  PropertyBag bag;
  bag.write_font("Font", ambient, &ambient);
  EXPECT_FALSE(bag.contains("Font"));
  auto a = bag.read_font("Font", &ambient);
  EXPECT_NE(a.get(), &ambient);
  EXPECT_TRUE(a->same_as(ambient));
  Font bold = ambient;
  bold.Bold(true);
  bag.write_font("FontFixed", bold, &ambient);
  EXPECT_TRUE(bag.is_font("fontfixed"));
  EXPECT_TRUE(bag.read_font("FontFixed", &ambient)->Bold());
}

TEST(PropertyBag, MalformedTextNamesTheLine) {
  const char* bad[] = {"Rows 3", "Rows = \"open", "Rows = 12x", "BeginFont F\nName = \"a\"", "EndFont",
                       "BeginFont F\nColour = 1\nEndFont", "Rows = 99999%"};
  for (const char* text : bad) {
    try {
      PropertyBag::from_text(text);
      ADD_FAILURE() << text;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number, kErrInvalidCall);
      EXPECT_NE(e.description.find("line"), std::string::npos) << e.description;
    }
  }
  EXPECT_EQ(PropertyBag::from_text("' comment\n\n# another\n").size(), 0u);
}
