#include "simulator/display/grid_marks.h"

#include "simulator/display/display_calls.h"
#include "simulator/display/grid_paint.h"
#include "simulator/engine/conversions.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/tables.h"

namespace brendalo {

namespace {

constexpr uint32_t kRead = 0xC000C0, kWritten = 0x8080FF;
constexpr uint32_t kLightGrey = 0xE0E0E0, kSilver = 0xC0C0C0;
constexpr uint32_t kFirstWord = 0xFFFFC0, kSecondWord = 0xFFC0FF, kDataWord = 0xC0FFFF, kStoredC = 0xC0E0FF;

struct RowColours {
  int16_t row;
  uint32_t c1, c2, c3;
};

void paint_rows(Grid (*main_grid)(), Grid (*window_grid)(), std::initializer_list<RowColours> rows) {
  for (Grid (*accessor)() : {main_grid, window_grid}) {
    Grid g = accessor();
    for (const RowColours& r : rows) {
      Paint_cell(g, 1, r.row, r.c1);
      Paint_cell(g, 2, r.row, r.c2);
      Paint_cell(g, 3, r.row, r.c3);
    }
  }
}
void paint_memory(std::initializer_list<RowColours> rows) { paint_rows(Nagusia_Nadrel3, MNetaEM_Nadrel3, rows); }
void paint_register(RowColours row) { paint_rows(Nagusia_Nadrel4, MNetaEM_Nadrel1, {row}); }

int16_t iteration_row(int offset) { return int16_t(engine().Example_iteration + offset); }

// Grid row of "r1".."r5"; 0 for any other name.
int16_t register_row(const std::string& name) {
  static const char* const names[] = {"r1", "r2", "r3", "r4", "r5"};
  for (int i = 0; i < 5; ++i)
    if (name == names[i]) return int16_t(i + 2);
  return 0;
}

int32_t read_word(int word) {
  const auto& bits = machine().Main_memory_bits[size_t(word)];
  int32_t v = 0;
  for (int j = 1; j < kWordBits; ++j)
    if (bits[size_t(j)] == 1) v += 1 << (15 - j);
  if (bits[0] == 1) v -= 32768;
  return v;
}

}  // namespace

void Mark_memory_row(int16_t row) { paint_memory({{row, kRead, kRead, kRead}}); }

void Unmark_instruction_rows(int16_t first_row) {
  paint_memory({{first_row, kLightGrey, kFirstWord, kLightGrey},
                {int16_t(first_row + 1), kLightGrey, kSecondWord, kLightGrey}});
}

void Mark_example_a_element() { paint_memory({{iteration_row(0), kRead, kRead, kRead}}); }
void Unmark_example_a_element() { paint_memory({{iteration_row(0), kLightGrey, kDataWord, kLightGrey}}); }
void Mark_example_b_element() { paint_memory({{iteration_row(16), kRead, kRead, kRead}}); }
void Unmark_example_b_element() { paint_memory({{iteration_row(16), kLightGrey, kDataWord, kLightGrey}}); }
void Mark_example_c_element() { paint_memory({{iteration_row(32), kWritten, kWritten, kWritten}}); }
void Unmark_example_c_element() { paint_memory({{iteration_row(32), kLightGrey, kStoredC, kLightGrey}}); }
void Unmark_all_example_c_elements() {
  for (int16_t row = 2 * kVectorLength + 1; row <= 3 * kVectorLength; ++row)
    paint_memory({{row, kLightGrey, kDataWord, kLightGrey}});
}

void Mark_register_row(int16_t row) { paint_register({row, kWritten, kWritten, kWritten}); }
void Unmark_register_row(int16_t row) { paint_register({row, kSilver, kLightGrey, kLightGrey}); }

void Mark_register(const std::string& name) {
  if (const int16_t row = register_row(name)) Mark_register_row(row);
}
void Unmark_register(const std::string& name) {
  if (const int16_t row = register_row(name)) Unmark_register_row(row);
}

int32_t Read_example_a_element() { return read_word(engine().Example_iteration - 1); }
int32_t Read_example_b_element() { return read_word(engine().Example_iteration + 15); }

void Write_example_c_element(int32_t value) {
  // A sum of edited elements may leave 16 bits: memory keeps its low 16
  // bits, as the register shows it, so the text is always a 16-bit word.
  const uint16_t word = uint16_t(value);
  for (int i = 0; i < 16; ++i) Word_bits[size_t(15 - i)] = int16_t((word >> i) & 1);
  std::string text = "     ";
  for (int i = 0; i < 16; ++i) {
    if (i > 0 && i % 4 == 0) text += "   ";
    text += char('0' + Word_bits[size_t(i)]);
  }
  const int it = engine().Example_iteration;
  machine().Main_memory_text[size_t(it + 31)] = text;
  Grid main_grid = Nagusia_Nadrel3();
  Write_cell_text(main_grid, it + 32, 2, text);
  // That window's listing puts six blanks before every contents text.
  Grid window_grid = MNetaEM_Nadrel3();
  Write_cell_text(window_grid, it + 32, 2, "      " + text);
}

}  // namespace brendalo
