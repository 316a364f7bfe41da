#include <gtest/gtest.h>

#include <functional>

#include "platform/com/errors.h"
#include "platform/com/variant.h"

using namespace plat::com;

namespace {

// The error number a conversion raises, or 0.
int error_of(const std::function<void()>& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.number;
  }
  return 0;
}

}  // namespace

TEST(Variant, IntegerConversionsRoundHalfToEvenAndCheckRange) {
  struct Case {
    Variant in;
    int64_t i2;  // expected to_i2, or the error when err2 is set
    int err2;
    int64_t i4;
    int err4;
  };
  const Case cases[] = {
      {Variant(2.5), 2, 0, 2, 0},
      {Variant(3.5), 4, 0, 4, 0},
      {Variant(-2.5), -2, 0, -2, 0},
      {Variant(2.4999), 2, 0, 2, 0},
      {Variant::r4(0.5f), 0, 0, 0, 0},
      {Variant("1.5"), 2, 0, 2, 0},
      {Variant(" 12 "), 12, 0, 12, 0},
      {Variant("&HFFFF"), -1, 0, -1, 0},
      {Variant("&H8000000F"), 0, kErrOverflow, int32_t(0x8000000F), 0},
      {Variant(32767), 32767, 0, 32767, 0},
      {Variant(32768), 0, kErrOverflow, 32768, 0},
      {Variant(-32768.4), -32768, 0, -32768, 0},
      {Variant(-32768.6), 0, kErrOverflow, -32769, 0},
      {Variant(3e9), 0, kErrOverflow, 0, kErrOverflow},
      {Variant(true), -1, 0, -1, 0},
      {Variant(), 0, 0, 0, 0},
      {Variant("abc"), 0, kErrTypeMismatch, 0, kErrTypeMismatch},
      {Variant(""), 0, kErrTypeMismatch, 0, kErrTypeMismatch},
      {Variant("True"), 0, kErrTypeMismatch, 0, kErrTypeMismatch},
      {Variant::null(), 0, kErrInvalidNull, 0, kErrInvalidNull},
      {Variant::missing(), 0, kErrNotOptional, 0, kErrNotOptional},
      {Variant::nothing(), 0, kErrTypeMismatch, 0, kErrTypeMismatch},
      {Variant::color(0x80000012), 0, kErrOverflow, int32_t(0x80000012), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(error_of([&] { (void)c.in.to_string(); }) ? std::string("(no text)") : c.in.to_string());
    int16_t a = 0;
    EXPECT_EQ(error_of([&] { a = c.in.to_i2(); }), c.err2);
    if (!c.err2) {
      EXPECT_EQ(a, c.i2);
    }
    int32_t b = 0;
    EXPECT_EQ(error_of([&] { b = c.in.to_i4(); }), c.err4);
    if (!c.err4) {
      EXPECT_EQ(b, c.i4);
    }
  }
}

TEST(Variant, TextBooleanAndColourConversions) {
  EXPECT_EQ(Variant(true).to_string(), "True");
  EXPECT_EQ(Variant(int32_t(-7)).to_string(), "-7");
  EXPECT_EQ(Variant(0.1).to_string(), "0.1");
  EXPECT_EQ(Variant(1e20).to_string(), "1E+20");
  EXPECT_EQ(Variant::r4(1.1f).to_string(), "1.1");
  EXPECT_EQ(Variant::color(0x8000000F).to_string(), "-2147483633");
  EXPECT_TRUE(Variant(" true ").to_bool());
  EXPECT_FALSE(Variant("FALSE").to_bool());
  EXPECT_TRUE(Variant("5").to_bool());
  EXPECT_EQ(error_of([] { (void)Variant("yes").to_bool(); }), kErrTypeMismatch);
  EXPECT_EQ(Variant(int32_t(-1)).to_color(), 0xFFFFFFFFu);
  EXPECT_EQ(Variant::i2(-1).to_color(), 0xFFFFFFFFu);
  EXPECT_EQ(Variant("&H00FF00").to_color(), 0x00FF00u);
  EXPECT_EQ(Variant(4294967295.0).to_color(), 0xFFFFFFFFu);
  EXPECT_EQ(error_of([] { (void)Variant(4294967296.0).to_color(); }), kErrOverflow);
  EXPECT_EQ(error_of([] { (void)Variant(1e39).to_r4(); }), kErrOverflow);
  EXPECT_DOUBLE_EQ(Variant("1e3").to_r8(), 1000.0);
}

TEST(Variant, ByReferenceReadsAndWritesThrough) {
  Variant target = Variant::i2(13);
  Variant ref = Variant::by_ref(&target);
  EXPECT_EQ(ref.type(), VarType::ByRef);
  EXPECT_EQ(ref.value_type(), VarType::Int16);
  EXPECT_EQ(ref.to_i4(), 13);
  ref.assign(Variant::i2(0));
  EXPECT_EQ(target.to_i2(), 0);
  EXPECT_EQ(ref.type(), VarType::ByRef);
  Variant plain = Variant(5);
  plain.assign("x");
  EXPECT_EQ(plain.to_string(), "x");
}

TEST(Variant, SameValueComparesNumbersAcrossKinds) {
  EXPECT_TRUE(Variant(10).same_value(Variant::i2(10)));
  EXPECT_TRUE(Variant(true).same_value(Variant::i2(-1)));
  EXPECT_TRUE(Variant::color(0x8000000F).same_value(Variant(int32_t(0x8000000F))));
  EXPECT_FALSE(Variant("10").same_value(Variant(10)));
  EXPECT_FALSE(Variant().same_value(Variant(0)));
  EXPECT_TRUE(Variant().same_value(Variant()));
  EXPECT_FALSE(Variant("a").same_value(Variant("A")));
}

TEST(Variant, RoundHalfEven) {
  const std::pair<double, double> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {7.2, 7}, {-7.7, -8}};
  for (auto [in, out] : cases) EXPECT_EQ(round_half_even(in), out) << in;
}
