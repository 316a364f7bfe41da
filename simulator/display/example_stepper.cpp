// The visible effects of the built-in example program (C := A + B over 16
// elements), microinstruction by microinstruction: the program counter in
// the status bars, the program's words and the vector elements marked in
// the memory grids, the registers r1..r5 written and marked.
#include <cstdio>
#include <string>

#include "simulator/display/display_calls.h"
#include "simulator/display/grid_marks.h"
#include "simulator/engine/conversions.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"

namespace brendalo {

namespace {

// The example's registers, kept for the whole run.
int32_t Example_r1 = 0, Example_r2 = 0, Example_r3 = 0, Example_r4 = 0;
int32_t Example_r5 = 0;

constexpr int kProgramStart = 0x4000;
constexpr int kFirstProgramRow = 51;  // row of word 4000H in the memory grids

void show_pc(int pc) {
  char text[32];
  std::snprintf(text, sizeof text, "PC:%d (%04XH)", pc, unsigned(pc));
  Set_example_status_text(text);
}

void refresh_registers() {
  Refresh_registers_main();
  Refresh_registers_window();
}

// Register r (1..5) of the register file: its decimal and binary texts.
void write_register(int r, const std::string& decimal, int32_t value) {
  auto& row = machine().Register_file_text[size_t(r)];
  row[1] = decimal;
  row[2] = "  " + Integer_to_binary_word(value);
}
void write_register(int r, int32_t value) { write_register(r, std::string(9, ' ') + std::to_string(value), value); }

// An element of A or B into register r (3 or 4); the register before it loses its mark.
void load_operand(const char* before, int r, int32_t& reg, int32_t (*read)()) {
  Unmark_register(before);
  reg = read();
  // The binary text comes from a second read of the element.
  write_register(r, std::string(9, ' ') + std::to_string(reg), read());
  refresh_registers();
  Mark_register("r" + std::to_string(r));
}

void fetch_first_word(int n) {
  show_pc(kProgramStart + 2 * n - 1);
  Mark_memory_row(int16_t(kFirstProgramRow + 2 * (n - 1)));
  if (n >= 2) Unmark_instruction_rows(int16_t(kFirstProgramRow + 2 * (n - 2)));
  switch (n) {
    case 3: Unmark_instruction_rows(69); break;  // back from the loop's jump
    case 4: Unmark_example_a_element(); break;
    case 5: Unmark_example_b_element(); break;
    case 7: Unmark_example_c_element(); break;
    default: break;
  }
}

void fetch_second_word(int n) {
  show_pc(kProgramStart + 2 * n);
  Mark_memory_row(int16_t(kFirstProgramRow + 2 * (n - 1) + 1));
}

void taken_branch(int n) {
  if (n == 9 && engine().Example_iteration == 16) show_pc(kProgramStart + 0x14);  // buka
  if (n == 10) show_pc(kProgramStart + 4);                                         // segi
}

void data_effect(int n, int m) {
  switch (n * 100 + m) {
    case 108:  // movi r1, #0
      refresh_registers();
      Mark_register("r1");
      Example_r1 = 0;
      break;
    case 208:  // movi r2, #16
      Unmark_register("r1");
      Example_r2 = 16;
      write_register(2, "        16", 16);
      refresh_registers();
      Mark_register("r2");
      break;
    case 312: Mark_example_a_element(); break;
    case 314: load_operand("r2", 3, Example_r3, Read_example_a_element); break;  // ldx r3, A[r1]
    case 412: Mark_example_b_element(); break;
    case 414: load_operand("r3", 4, Example_r4, Read_example_b_element); break;  // ldx r4, B[r1]
    case 505:  // add r5, r4, r3
      Unmark_register("r4");
      // r5 is a 16-bit register: a sum outside 16 bits shows as C keeps it.
      Example_r5 = int16_t(Example_r3 + Example_r4);
      write_register(5, Example_r5);
      refresh_registers();
      Mark_register("r5");
      break;
    case 617:  // stx r5, C[r1]
      Unmark_register("r5");
      Write_example_c_element(Example_r5);
      Mark_example_c_element();
      break;
    case 708:  // addi r1, r1, #1
      write_register(1, Example_r1 + 1);
      Example_r1 += 1;
      refresh_registers();
      Mark_register("r1");
      break;
    case 808:  // subi r2, r2, #1
      Unmark_register("r1");
      write_register(2, Example_r2 - 1);
      Example_r2 -= 1;
      refresh_registers();
      Mark_register("r2");
      break;
    default: break;
  }
}

}  // namespace

void Step_example_display() {
  const int n = engine().Example_instruction;
  const int m = engine().Micro_address;
  if (n < 1 || n > 10) return;
  if (m == 0)
    fetch_first_word(n);
  else if (m == 1)
    fetch_second_word(n);
  else if (m == 21)
    taken_branch(n);
  else
    data_effect(n, m);
}

}  // namespace brendalo
