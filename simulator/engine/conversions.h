#pragma once
// Small conversions shared by the engine and the windows: micro-address
// texts, the clk1 period steppers and the binary text of a register value.
// None keeps state of its own except Word_bits, which the conversion to
// binary leaves behind for the simulation display.
#include <array>
#include <cstdint>
#include <string>

namespace brendalo {

// Bits of the last 16-bit value converted: element 15 - k holds bit k.
// Integer_to_binary_word writes elements 1..15; the simulation display shares
// the array and fills elements 0..15 with the same layout (0 is the sign).
// Element 16 is unused.
extern std::array<int16_t, 17> Word_bits;

// The value 0..21 of a five-digit micro-address "00000".."10101"; any other
// text gives 0.
int16_t Microaddress_to_integer(const std::string& bits);

// The five-digit successor of a micro-address "00000".."10101" ("10101"
// gives "10110"); any other text gives the empty text.
std::string Next_microaddress(const std::string& bits);

// The clk1 period text one second longer; the empty text at the limit "59".
std::string Next_decimal_step(const std::string& period);

// The clk1 period text one second shorter; the empty text at the limit "3".
std::string Previous_decimal_step(const std::string& period);

// The 16-digit two's-complement text of n, sign first. n is taken modulo
// 2^16, so a sum outside -32768..32767 shows its 16-bit result.
std::string Integer_to_binary_word(int32_t n);

}  // namespace brendalo
