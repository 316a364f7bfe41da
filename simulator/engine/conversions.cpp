#include "simulator/engine/conversions.h"

#include "simulator/machine/tables.h"

namespace brendalo {

std::array<int16_t, 17> Word_bits{};

namespace {

constexpr size_t kMicroaddressDigits = 5;

// The micro-address named by a five-digit text, or -1 when it names none.
int parse_microaddress(const std::string& bits) {
  if (bits.size() != kMicroaddressDigits) return -1;
  int value = 0;
  for (char c : bits) {
    if (c != '0' && c != '1') return -1;
    value = value * 2 + (c - '0');
  }
  return value < kMicroinstructions ? value : -1;
}

std::string microaddress_text(int value) {
  std::string text(kMicroaddressDigits, '0');
  for (size_t i = 0; i < kMicroaddressDigits; ++i) text[kMicroaddressDigits - 1 - i] = char('0' + ((value >> i) & 1));
  return text;
}

// The value of a decimal text: leading blanks, an optional sign and the
// digits that follow; a text without a number counts 0.
long decimal_value(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return 0;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 100000; ++i) value = value * 10 + (text[i] - '0');
  return negative ? -value : value;
}

std::string last_characters(const std::string& text, size_t count) {
  return text.size() <= count ? text : text.substr(text.size() - count);
}

}  // namespace

int16_t Microaddress_to_integer(const std::string& bits) {
  const int value = parse_microaddress(bits);
  return static_cast<int16_t>(value < 0 ? 0 : value);
}

std::string Next_microaddress(const std::string& bits) {
  const int value = parse_microaddress(bits);
  return value < 0 ? std::string() : microaddress_text(value + 1);
}

std::string Next_decimal_step(const std::string& period) {
  if (period == "59") return {};
  if (period == "9") return "10";
  const std::string next = std::to_string(decimal_value(period) + 1);
  return last_characters(next, period.size() == 2 ? 2 : 1);
}

std::string Previous_decimal_step(const std::string& period) {
  if (period == "3") return {};
  if (period == "10") return "9";
  const std::string previous = std::to_string(decimal_value(period) - 1);
  return last_characters(previous, period.size() == 1 ? 1 : 2);
}

std::string Integer_to_binary_word(int32_t n) {
  // Reduce to 16 bits first: the low 16 bits are the two's-complement form.
  const auto bits = static_cast<uint16_t>(static_cast<uint32_t>(n));
  std::string text(16, '0');
  for (int k = 0; k < 16; ++k) {
    const int bit = (bits >> k) & 1;
    text[15 - k] = char('0' + bit);
    if (k < 15) Word_bits[15 - k] = static_cast<int16_t>(bit);
  }
  return text;
}

}  // namespace brendalo
