#pragma once
// The machine's five program-wide tables: the microprogram listing, the
// control memory, the register file and the data words of main memory.
// They exist once, start empty, and are filled from built-in constants by
// the four loaders below, which can run again at any time to restore the
// built-in contents. Every shape keeps one spare row or column that no code
// fills.
#include <array>
#include <cstdint>
#include <string>

namespace brendalo {

inline constexpr int kMicroinstructions = 22;  // micro-addresses 0..21
inline constexpr int kControlWordLength = 25;  // control-memory columns 0..24
inline constexpr int kEntryLabelColumn = 25;   // control-memory column of the entry label
inline constexpr int kRegisters = 32;          // r0..r31
inline constexpr int kDataWords = 48;          // words 0..47: vectors A, B and C
inline constexpr int kVectorLength = 16;       // A = words 0..15, B = 16..31, C = 32..47
inline constexpr int kWordBits = 16;           // bit 0 is the sign, bit 15 the least significant

struct MachineTables {
  // Row r = micro-address r; column 0 the register-transfer line, 1 its comment.
  std::array<std::array<std::string, 3>, kMicroinstructions + 1> Microprogram_text;
  // Row r = micro-address r; columns 0..24 "0", "1" or "X", column 25 the entry label.
  std::array<std::array<std::string, kControlWordLength + 2>, kMicroinstructions + 1> Control_memory;
  // Row i = register ri; column 0 its number, 1 the value in decimal, 2 in binary.
  std::array<std::array<std::string, 4>, kRegisters + 1> Register_file_text;
  // Word w as display text: five blanks, then four groups of four digits.
  std::array<std::string, kDataWords + 1> Main_memory_text;
  // Bit b of word w as 0 or 1, b = 0 the most significant.
  std::array<std::array<int16_t, kWordBits + 1>, kDataWords + 1> Main_memory_bits;

  bool operator==(const MachineTables&) const = default;
};

// The one instance of the tables. Assigning MachineTables{} empties them.
MachineTables& machine();

// Writes rows 0..21, columns 0 and 1 of Microprogram_text.
void Load_microprogram_text();
// Writes rows 0..21, columns 0..25 of Control_memory.
void Load_control_memory();
// Writes every register r0..r31 as zero.
void Reset_register_file_text();
// Writes the built-in vectors A and B (bits and text) and empties the text of C.
void Load_main_memory_data();

// The 25 field characters of one row of Control_memory, columns 0..24 joined.
std::string Control_word(int micro_address);

// The display text of a data word: the low 16 bits of value as
// "     dddd   dddd   dddd   dddd", most significant group first.
std::string Main_memory_word_text(int value);

// Stores value (its low 16 bits) as word w of main memory, bits and text together.
void Write_main_memory_word(int word, int value);

}  // namespace brendalo
