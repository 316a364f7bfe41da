#include "simulator/machine/tables.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>

namespace brendalo {
namespace {

// The shapes include one spare row or column each.
static_assert(std::tuple_size_v<decltype(MachineTables::Microprogram_text)> == 23);
static_assert(std::tuple_size_v<decltype(MachineTables::Microprogram_text)::value_type> == 3);
static_assert(std::tuple_size_v<decltype(MachineTables::Control_memory)> == 23);
static_assert(std::tuple_size_v<decltype(MachineTables::Control_memory)::value_type> == 27);
static_assert(std::tuple_size_v<decltype(MachineTables::Register_file_text)> == 33);
static_assert(std::tuple_size_v<decltype(MachineTables::Register_file_text)::value_type> == 4);
static_assert(std::tuple_size_v<decltype(MachineTables::Main_memory_text)> == 49);
static_assert(std::tuple_size_v<decltype(MachineTables::Main_memory_bits)> == 49);
static_assert(std::tuple_size_v<decltype(MachineTables::Main_memory_bits)::value_type> == 17);
static_assert(std::is_same_v<decltype(MachineTables::Main_memory_bits)::value_type::value_type, int16_t>);

class MachineTablesTest : public ::testing::Test {
 protected:
  void SetUp() override { machine() = MachineTables{}; }
  void TearDown() override { machine() = MachineTables{}; }
  static void load_all() {
    Load_microprogram_text();
    Load_control_memory();
    Reset_register_file_text();
    Load_main_memory_data();
  }
};

TEST_F(MachineTablesTest, MicroprogramRowsHoldTheirTexts) {
  struct Case { int row; const char* transfers; const char* comment; };
  const Case cases[] = {
      {0, " 0:  ir1:=mem(pc); pc:=pc+1; pci:=pc;", " /* bil1 */"},
      {2, " 2:  goto Eragiketa_kodea;", " /* desk */"},
      {5, " 5:  EM(Rh):=R_ual; goto 0;", " "},
      {7, " 7:  R_ual:=ual_kod(R_e1,ir2);", " /* ir2-n #B berehalakoa dago */"},
      {10, " 10:  R_e2:=EM(Rhi2);", " /* st,000011 */"},
      {13, " 13:  R_ual:=R_e1+ir2;", " /* ir2-n ALD aldagaiaren @ dago */"},
      {15, " 15:  R_e1:=EM(Ri1); R_e2:=EM(Rhi2);", " /* stx,000101 */"},
      {19, " 19:  Z:=(R_e1=0); if Z goto 21;", " "},
      {21, " 21:  pc:=pci+ir2; goto 0;", " /* ir2-n desplazamendua dago */"},
  };
  Load_microprogram_text();
  const auto& text = machine().Microprogram_text;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    EXPECT_EQ(text[c.row][0], c.transfers);
    EXPECT_EQ(text[c.row][1], c.comment);
  }
  // Every line opens with its own micro-address; a comment is a blank or /* ... */.
  for (int r = 0; r < kMicroinstructions; ++r) {
    SCOPED_TRACE(r);
    const std::string prefix = " " + std::to_string(r) + ":  ";
    EXPECT_EQ(text[r][0].substr(0, prefix.size()), prefix);
    EXPECT_EQ(text[r][0].back(), ';');
    const std::string& comment = text[r][1];
    EXPECT_TRUE(comment == " " || (comment.starts_with(" /* ") && comment.ends_with(" */"))) << comment;
  }
}

TEST_F(MachineTablesTest, ControlMemoryHoldsEveryControlWordAndLabel) {
  struct Row { const char* word; const char* label; };
  const Row rows[kMicroinstructions] = {
      {"000XXXXX11000100XX00XX110", "bil1"},
      {"000XXXXX11000010XX00XX100", "bil2"},
      {"111XXXXX0XXXX000XX00XX00X", "desk"},
      {"000XXXXX0XXXX000X011XX00X", "op/mov"},
      {"000XXXXX0XXXX000XX000100X", ""},
      {"110000000XXXX0010X00XX00X", ""},
      {"000XXXXX0XXXX000XX10XX00X", "opi/movi"},
      {"000XXXXX0XXXX000XX001100X", ""},
      {"110000000XXXX0010X00XX00X", ""},
      {"11000000110100011X00XX00X", "ld"},
      {"000XXXXX0XXXX000X101XX00X", "st"},
      {"1100000010110000XX00XX00X", ""},
      {"000XXXXX0XXXX000XX10XX00X", "ldx"},
      {"000XXXXX0XXXX000XX001100X", ""},
      {"11000000110010011X00XX00X", ""},
      {"000XXXXX0XXXX000X111XX00X", "stx"},
      {"000XXXXX0XXXX000XX001100X", ""},
      {"1100000010101000XX00XX00X", ""},
      {"000XXXXX0XXXX000XX10XX00X", "beq"},
      {"100101010XXXX000XX00XX00X", ""},
      {"110000000XXXX000XX00XX00X", ""},
      {"110000000XXXX000XX00XX101", ""},
  };
  Load_control_memory();
  const auto& memory = machine().Control_memory;
  int unlabelled = 0;
  for (int r = 0; r < kMicroinstructions; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(Control_word(r), rows[r].word);
    for (int c = 0; c < kControlWordLength; ++c) {
      const std::string& cell = memory[r][c];
      EXPECT_TRUE(cell == "0" || cell == "1" || cell == "X") << "column " << c << ": '" << cell << "'";
    }
    EXPECT_EQ(memory[r][kEntryLabelColumn], rows[r].label);
    if (memory[r][kEntryLabelColumn].empty()) ++unlabelled;
  }
  EXPECT_EQ(unlabelled, 12);
}

// The control words must do what the listing says: every "goto 0" jumps
// always to 00000 through the jump field, and the branch of 19 goes to 21.
TEST_F(MachineTablesTest, ControlWordsAgreeWithTheListing) {
  Load_microprogram_text();
  Load_control_memory();
  for (int r = 0; r < kMicroinstructions; ++r) {
    SCOPED_TRACE(r);
    const std::string word = Control_word(r);
    const std::string sequencing = word.substr(0, 8);  // BK1 BK0 JT J4..J0
    if (machine().Microprogram_text[r][0].ends_with("goto 0;"))
      EXPECT_EQ(sequencing, "11000000");
    else if (r == 2)
      EXPECT_EQ(sequencing, "111XXXXX");
    else if (r == 19)
      EXPECT_EQ(sequencing, "10010101");
    else
      EXPECT_EQ(sequencing, "000XXXXX");
  }
}

TEST_F(MachineTablesTest, RegisterFileResetsToZero) {
  struct Case { int row; const char* number; };
  const Case cases[] = {{0, "    0"}, {1, "    1"}, {9, "    9"}, {10, "    10"}, {31, "    31"}};
  machine().Register_file_text[3][1] = "        42";
  Reset_register_file_text();
  const auto& registers = machine().Register_file_text;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    EXPECT_EQ(registers[c.row][0], c.number);
  }
  for (int i = 0; i < kRegisters; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(registers[i][1], "         0");
    EXPECT_EQ(registers[i][2], "  0000000000000000");
    EXPECT_EQ(registers[i][3], "");
  }
  EXPECT_EQ(registers[kRegisters], (std::array<std::string, 4>{}));
}

TEST_F(MachineTablesTest, MainMemoryHoldsVectorsAAndB) {
  struct Case { int word; int value; const char* text; };
  const Case cases[] = {
      {0, 2, "     0000   0000   0000   0010"},
      {5, 10, "     0000   0000   0000   1010"},
      {9, 14, "     0000   0000   0000   1110"},
      {15, 3, "     0000   0000   0000   0011"},
      {16, 0, "     0000   0000   0000   0000"},
      {17, 6, "     0000   0000   0000   0110"},
      {23, 7, "     0000   0000   0000   0111"},
      {31, 8, "     0000   0000   0000   1000"},
  };
  Load_main_memory_data();
  const MachineTables& m = machine();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(m.Main_memory_text[c.word], c.text);
    int value = 0;
    for (int b = 0; b < kWordBits; ++b) value = value * 2 + m.Main_memory_bits[c.word][b];
    EXPECT_EQ(value, c.value);
  }
  // Text and bits carry the same digits in the same order.
  for (int w = 0; w < 2 * kVectorLength; ++w) {
    SCOPED_TRACE(w);
    std::string digits;
    for (char ch : m.Main_memory_text[w])
      if (ch != ' ') digits += ch;
    ASSERT_EQ(digits.size(), 16u);
    for (int b = 0; b < kWordBits; ++b) EXPECT_EQ(digits[b] - '0', m.Main_memory_bits[w][b]) << "bit " << b;
  }
}

TEST_F(MachineTablesTest, LoadingMemoryEmptiesVectorCTextAndLeavesItsBits) {
  MachineTables& m = machine();
  m.Main_memory_text[32] = "     0000   0000   0000   0010";
  m.Main_memory_text[47] = "x";
  m.Main_memory_bits[40][15] = 1;  // not a value the program writes; shows the loader leaves C's bits alone
  Load_main_memory_data();
  for (int w = 32; w < kDataWords; ++w) EXPECT_EQ(m.Main_memory_text[w], "") << w;
  EXPECT_EQ(m.Main_memory_bits[40][15], 1);
  EXPECT_EQ(m.Main_memory_bits[32], (std::array<int16_t, kWordBits + 1>{}));
}

TEST_F(MachineTablesTest, LoadersAreIdempotentAndTouchOnlyTheirTables) {
  Load_microprogram_text();
  MachineTables expected{};
  expected.Microprogram_text = machine().Microprogram_text;
  EXPECT_EQ(machine(), expected);  // the other tables are still empty
  Load_control_memory();
  expected.Control_memory = machine().Control_memory;
  EXPECT_EQ(machine(), expected);
  Reset_register_file_text();
  expected.Register_file_text = machine().Register_file_text;
  EXPECT_EQ(machine(), expected);
  Load_main_memory_data();
  expected.Main_memory_text = machine().Main_memory_text;
  expected.Main_memory_bits = machine().Main_memory_bits;
  EXPECT_EQ(machine(), expected);

  load_all();
  EXPECT_EQ(machine(), expected);
}

TEST_F(MachineTablesTest, LoadersRestoreEditedCells) {
  load_all();
  const MachineTables built_in = machine();
  MachineTables& m = machine();
  for (int c = 0; c < kControlWordLength; ++c) m.Control_memory[5][c] = "1";
  m.Microprogram_text[5][0] = m.Microprogram_text[5][1] = "-----ALDATUA-----";
  m.Microprogram_text[21][0] = m.Microprogram_text[21][1] = "-----ALDATUA-----";
  m.Register_file_text[4][1] = "        12";
  m.Register_file_text[4][2] = "  0000000000001100";
  Write_main_memory_word(3, -1);
  Write_main_memory_word(20, 15);
  m.Main_memory_text[35] = "     0000   0000   0000   1001";
  ASSERT_NE(m, built_in);
  EXPECT_EQ(Control_word(5), std::string(25, '1'));

  load_all();
  EXPECT_EQ(m, built_in);
  EXPECT_EQ(m.Microprogram_text[5][0], " 5:  EM(Rh):=R_ual; goto 0;");
}

TEST_F(MachineTablesTest, SpareRowsAndColumnsStayEmpty) {
  load_all();
  const MachineTables& m = machine();
  for (int r = 0; r <= kMicroinstructions; ++r) {
    EXPECT_EQ(m.Microprogram_text[r][2], "") << r;
    EXPECT_EQ(m.Control_memory[r][26], "") << r;
  }
  EXPECT_EQ(m.Microprogram_text[22], (std::array<std::string, 3>{}));
  EXPECT_EQ(m.Control_memory[22], (std::array<std::string, 27>{}));
  EXPECT_EQ(Control_word(22), "");
  EXPECT_EQ(m.Main_memory_text[48], "");
  EXPECT_EQ(m.Main_memory_bits[48], (std::array<int16_t, 17>{}));
  for (int w = 0; w <= kDataWords; ++w) EXPECT_EQ(m.Main_memory_bits[w][16], 0) << w;
}

TEST_F(MachineTablesTest, ControlWordRejectsRowsOutsideTheTable) {
  EXPECT_THROW(Control_word(-1), std::out_of_range);
  EXPECT_THROW(Control_word(23), std::out_of_range);
}

TEST(MainMemoryWordText, ShowsTheLow16BitsInFourGroups) {
  struct Case { int value; const char* text; };
  const Case cases[] = {
      {0, "     0000   0000   0000   0000"},
      {0x1234, "     0001   0010   0011   0100"},
      {-1, "     1111   1111   1111   1111"},
      {-32768, "     1000   0000   0000   0000"},
      {0x10005, "     0000   0000   0000   0101"},
  };
  for (const Case& c : cases) EXPECT_EQ(Main_memory_word_text(c.value), c.text) << c.value;
  EXPECT_THROW(Write_main_memory_word(48, 0), std::out_of_range);
}

}  // namespace
}  // namespace brendalo
