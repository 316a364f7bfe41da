#include "simulator/engine/conversions.h"

#include <gtest/gtest.h>

namespace brendalo {
namespace {

TEST(MicroaddressToInteger, ReadsTheTwentyTwoCodesAndNothingElse) {
  const char* codes[] = {"00000", "00001", "00010", "00011", "00100", "00101", "00110", "00111",
                         "01000", "01001", "01010", "01011", "01100", "01101", "01110", "01111",
                         "10000", "10001", "10010", "10011", "10100", "10101"};
  for (int value = 0; value < 22; ++value) EXPECT_EQ(Microaddress_to_integer(codes[value]), value) << codes[value];
  for (const char* other : {"10110", "11111", "", "0000", "000001", "0000X", " 0001", "1010 "})
    EXPECT_EQ(Microaddress_to_integer(other), 0) << '"' << other << '"';
}

TEST(NextMicroaddress, StepsUpToTheEndCodeAndNoFurther) {
  struct Case { const char* bits; const char* next; };
  const Case cases[] = {
      {"00000", "00001"}, {"00111", "01000"}, {"01111", "10000"}, {"10100", "10101"},
      {"10101", "10110"},  // past the last micro-address: a code read as 0
      {"10110", ""},       {"11111", ""},      {"", ""},          {"0001", ""}, {"0001X", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Next_microaddress(c.bits), c.next) << '"' << c.bits << '"';
  EXPECT_EQ(Microaddress_to_integer(Next_microaddress("10101")), 0);
}

TEST(DecimalSteps, MoveOneSecondWithinThreeToFiftyNine) {
  struct Case { const char* period; const char* longer; const char* shorter; };
  const Case cases[] = {
      {"3", "4", ""}, {"4", "5", "3"},    {"9", "10", "8"},   {"10", "11", "9"},
      {"11", "12", "10"}, {"19", "20", "18"}, {"20", "21", "19"}, {"58", "59", "57"}, {"59", "", "58"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Next_decimal_step(c.period), c.longer) << c.period;
    EXPECT_EQ(Previous_decimal_step(c.period), c.shorter) << c.period;
  }
  // Walking the whole range in both directions visits every period once.
  std::string s = "3";
  for (int p = 4; p <= 59; ++p) ASSERT_EQ(s = Next_decimal_step(s), std::to_string(p));
  for (int p = 58; p >= 3; --p) ASSERT_EQ(s = Previous_decimal_step(s), std::to_string(p));
}

TEST(DecimalSteps, LeaveTheirArgumentUnchanged) {
  const std::string period = "11";
  EXPECT_EQ(Next_decimal_step(period), "12");
  EXPECT_EQ(Previous_decimal_step(period), "10");
  EXPECT_EQ(period, "11");
}

TEST(IntegerToBinaryWord, GivesTheSixteenBitTwosComplement) {
  struct Case { int32_t n; const char* text; };
  const Case cases[] = {
      {0, "0000000000000000"},
      {5, "0000000000000101"},
      {15, "0000000000001111"},
      {-1, "1111111111111111"},
      {-2, "1111111111111110"},
      {32767, "0111111111111111"},
      {-32768, "1000000000000000"},
      // Outside 16 bits the result wraps, as the machine's adder does.
      {32768, "1000000000000000"},
      {65535, "1111111111111111"},
      {65536, "0000000000000000"},
      {65541, "0000000000000101"},
      {-32769, "0111111111111111"},
      {-65536, "0000000000000000"},
      {INT32_MAX, "1111111111111111"},
      {INT32_MIN, "0000000000000000"},
  };
  for (const Case& c : cases) {
    const std::string text = Integer_to_binary_word(c.n);
    EXPECT_EQ(text, c.text) << c.n;
    // Word_bits 1..15 follow the text's digits; element 0 is not written here.
    for (int i = 1; i < 16; ++i) EXPECT_EQ(Word_bits[i], text[i] - '0') << c.n << " element " << i;
  }
}

TEST(IntegerToBinaryWord, LeavesWordBitsZeroAndSixteenAlone) {
  Word_bits.fill(0);
  Word_bits[0] = 7;
  Word_bits[16] = 9;
  Integer_to_binary_word(5);
  const std::array<int16_t, 17> expected{7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 9};
  EXPECT_EQ(Word_bits, expected);
  Integer_to_binary_word(-1);
  EXPECT_EQ(Word_bits[0], 7);
  EXPECT_EQ(Word_bits[16], 9);
  Word_bits.fill(0);
}

}  // namespace
}  // namespace brendalo
