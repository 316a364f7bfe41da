#include "simulator/machine/tables.h"

#include <stdexcept>

namespace brendalo {

namespace {

struct MicroprogramLine {
  const char* transfers;
  const char* comment;
};

// Row r is micro-address r. A comment of one blank means none.
constexpr std::array<MicroprogramLine, kMicroinstructions> kMicroprogram{{
    {" 0:  ir1:=mem(pc); pc:=pc+1; pci:=pc;", " /* bil1 */"},
    {" 1:  ir2:=mem(pc); pc:=pc+1;", " /* bil2 */"},
    {" 2:  goto Eragiketa_kodea;", " /* desk */"},
    {" 3:  R_e1:=EM(Ri1); R_e2:=EM(Ri2);", " /* op,mov */"},
    {" 4:  R_ual:=ual_kod(R_e1,R_e2);", " /* ual-kod:ROM_UAL */"},
    {" 5:  EM(Rh):=R_ual; goto 0;", " "},
    {" 6:  R_e1:=EM(Ri1);", " /* opi,movi */"},
    {" 7:  R_ual:=ual_kod(R_e1,ir2);", " /* ir2-n #B berehalakoa dago */"},
    {" 8:  EM(Rh):=R_ual; goto 0;", " "},
    {" 9:  EM(Rh):=mem(ir2); goto 0;", " /* ld,000000 */"},
    {" 10:  R_e2:=EM(Rhi2);", " /* st,000011 */"},
    {" 11:  mem(ir2):=R_e2; goto 0;", " "},
    {" 12:  R_e1:=EM(Ri1);", " /* ldx,000010 */"},
    {" 13:  R_ual:=R_e1+ir2;", " /* ir2-n ALD aldagaiaren @ dago */"},
    {" 14:  EM(Rh):=mem(R_ual); goto 0;", " "},
    {" 15:  R_e1:=EM(Ri1); R_e2:=EM(Rhi2);", " /* stx,000101 */"},
    {" 16:  R_ual:=R_e1+ir2;", " /* ir2-n ALD aldagaiaren @ dago */"},
    {" 17:  mem(R_ual):=R_e2; goto 0;", " "},
    {" 18:  R_e1:=EM(Ri1);", " /* beq,011010 */"},
    {" 19:  Z:=(R_e1=0); if Z goto 21;", " "},
    {" 20:  goto 0;", " "},
    {" 21:  pc:=pci+ir2; goto 0;", " /* ir2-n desplazamendua dago */"},
}};

// One control word by its fields: sequencing kind BK1 BK0, jump source JT,
// jump address J4..J0, then the 17 signals MCS MOE MWR hMH1 hMH0 LD_IR1
// LD_IR2 LD_EM hMD hH LD_e1 LD_e2 hB LD_ual LD_PC LD_PCi hD.
struct ControlWordFields {
  const char* bk;       // 2 characters
  const char* jt;       // 1
  const char* j;        // 5
  const char* signals;  // 17
  const char* label;
};

constexpr std::array<ControlWordFields, kMicroinstructions> kControlMemory{{
    {"00", "0", "XXXXX", "11000100XX00XX110", "bil1"},      // 0
    {"00", "0", "XXXXX", "11000010XX00XX100", "bil2"},      // 1
    {"11", "1", "XXXXX", "0XXXX000XX00XX00X", "desk"},      // 2
    {"00", "0", "XXXXX", "0XXXX000X011XX00X", "op/mov"},    // 3
    {"00", "0", "XXXXX", "0XXXX000XX000100X", ""},          // 4
    {"11", "0", "00000", "0XXXX0010X00XX00X", ""},          // 5
    {"00", "0", "XXXXX", "0XXXX000XX10XX00X", "opi/movi"},  // 6
    {"00", "0", "XXXXX", "0XXXX000XX001100X", ""},          // 7
    {"11", "0", "00000", "0XXXX0010X00XX00X", ""},          // 8
    {"11", "0", "00000", "110100011X00XX00X", "ld"},        // 9
    {"00", "0", "XXXXX", "0XXXX000X101XX00X", "st"},        // 10
    {"11", "0", "00000", "10110000XX00XX00X", ""},          // 11
    {"00", "0", "XXXXX", "0XXXX000XX10XX00X", "ldx"},       // 12
    {"00", "0", "XXXXX", "0XXXX000XX001100X", ""},          // 13
    {"11", "0", "00000", "110010011X00XX00X", ""},          // 14
    {"00", "0", "XXXXX", "0XXXX000X111XX00X", "stx"},       // 15
    {"00", "0", "XXXXX", "0XXXX000XX001100X", ""},          // 16
    {"11", "0", "00000", "10101000XX00XX00X", ""},          // 17
    {"00", "0", "XXXXX", "0XXXX000XX10XX00X", "beq"},       // 18
    {"10", "0", "10101", "0XXXX000XX00XX00X", ""},          // 19
    {"11", "0", "00000", "0XXXX000XX00XX00X", ""},          // 20
    {"11", "0", "00000", "0XXXX000XX00XX101", ""},          // 21
}};

// The operands of the example program: A = words 0..15, B = words 16..31.
constexpr std::array<int16_t, kVectorLength> kVectorA{2, 1, 4, 7, 8, 10, 5, 12, 13, 14, 11, 9, 6, 1, 5, 3};
constexpr std::array<int16_t, kVectorLength> kVectorB{0, 6, 1, 2, 1, 0, 4, 7, 0, 1, 2, 3, 2, 1, 1, 8};

}  // namespace

MachineTables& machine() {
  static MachineTables tables;
  return tables;
}

void Load_microprogram_text() {
  auto& text = machine().Microprogram_text;
  for (int r = 0; r < kMicroinstructions; ++r) {
    text[r][0] = kMicroprogram[r].transfers;
    text[r][1] = kMicroprogram[r].comment;
  }
}

void Load_control_memory() {
  auto& memory = machine().Control_memory;
  for (int r = 0; r < kMicroinstructions; ++r) {
    const ControlWordFields& f = kControlMemory[r];
    const std::string word = std::string(f.bk) + f.jt + f.j + f.signals;
    for (int c = 0; c < kControlWordLength; ++c) memory[r][c] = std::string(1, word[c]);
    memory[r][kEntryLabelColumn] = f.label;
  }
}

void Reset_register_file_text() {
  auto& registers = machine().Register_file_text;
  for (int i = 0; i < kRegisters; ++i) {
    registers[i][0] = "    " + std::to_string(i);
    registers[i][1] = "         0";
    registers[i][2] = "  0000000000000000";
  }
}

void Load_main_memory_data() {
  for (int i = 0; i < kVectorLength; ++i) {
    Write_main_memory_word(i, kVectorA[i]);
    Write_main_memory_word(kVectorLength + i, kVectorB[i]);
  }
  // Vector C gets its texts from the example run; its bits are never written.
  auto& text = machine().Main_memory_text;
  for (int w = 2 * kVectorLength; w < kDataWords; ++w) text[w].clear();
}

std::string Control_word(int micro_address) {
  const auto& row = machine().Control_memory.at(static_cast<size_t>(micro_address));
  std::string word;
  word.reserve(kControlWordLength);
  for (int c = 0; c < kControlWordLength; ++c) word += row[c];
  return word;
}

std::string Main_memory_word_text(int value) {
  const auto bits = static_cast<uint16_t>(value);
  std::string text = "     ";
  for (int b = 0; b < kWordBits; ++b) {
    if (b > 0 && b % 4 == 0) text += "   ";
    text += (bits >> (kWordBits - 1 - b)) & 1 ? '1' : '0';
  }
  return text;
}

void Write_main_memory_word(int word, int value) {
  if (word < 0 || word >= kDataWords) throw std::out_of_range("main memory word");
  MachineTables& m = machine();
  const auto bits = static_cast<uint16_t>(value);
  for (int b = 0; b < kWordBits; ++b) m.Main_memory_bits[word][b] = static_cast<int16_t>((bits >> (kWordBits - 1 - b)) & 1);
  m.Main_memory_text[word] = Main_memory_word_text(value);
}

}  // namespace brendalo
