#include "simulator/mainwindow/example_listing.h"

#include <string>

#include "simulator/machine/grids.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"

namespace brendalo {

namespace {

// Rows 51..71 of the memory grids: the example's words at 4000H..4014H (an
// instruction's first word, its second word) and, on each first word, the
// instruction.
struct ProgramRow {
  const char* word;
  const char* code;  // nullptr: column 3 is left as it is
};
constexpr ProgramRow kProgramRows[kLastProgramRow - kFirstProgramRow + 1] = {
    {"    001000      00001       ------", "   movi r1,#0"},
    {"     0000   0000   0000   0000", nullptr},
    {"    001000      00010       ------", "   movi r2,#16"},
    {"     0000   0000   0001   0000", nullptr},
    {"    000010      00011      00001", "   segi: ldx r3, A[r1]"},
    {"     0000   0000   0000   0000", nullptr},
    {"    000010      00100      00001", "   ldx r4, B[r1]"},
    {"     0000   0000   0001   0000", nullptr},
    {"    001001      00101      00100", "   add r5, r4, r3"},
    {"    ----------------------------      00011", nullptr},
    {"    000101      00101      00001", "   stx r5, C[r1]"},
    {"     0000   0000   0010   0000", nullptr},
    {"    001010      00001      00001", "   addi r1, r1, #1"},
    {"     0000   0000   0000   0001", nullptr},
    {"    001100      00010      00010", "   subi r2, r2, #1"},
    {"     0000   0000   0000   0001", nullptr},
    {"    011010      ------     00010", "   beq r2, buka"},
    {"     0000   0000   0000   0100", nullptr},
    {"    011010      ------     00000", "   beq r0, segi"},
    {"     1111   1111   1111   0010", nullptr},
    {"        ----------------------------------", "   :buka"},
};

// The memory window shows every contents text after six blanks.
constexpr const char* kWindowPrefix = "      ";

void fill(Grid g, const std::string& prefix) {
  const auto& words = machine().Main_memory_text;
  for (int r = 1; r <= kDataWords; ++r) g.TextMatrix(r, 2, prefix + words[size_t(r - 1)]);
  g.TextMatrix(1, 3, " :A");
  g.TextMatrix(kVectorLength + 1, 3, " :B");
  g.TextMatrix(2 * kVectorLength + 1, 3, " :C");
  for (int r = kFirstProgramRow; r <= kLastProgramRow; ++r) {
    const ProgramRow& p = kProgramRows[r - kFirstProgramRow];
    g.TextMatrix(r, 2, prefix + p.word);
    if (p.code) g.TextMatrix(r, 3, p.code);
  }
  Color_memory_grid(g, false);
}

void empty(Grid g) {
  for (int r = 1; r < kLastProgramRow; ++r) {
    g.TextMatrix(r, 2, "");
    g.TextMatrix(r, 3, "");
  }
  g.TextMatrix(kLastProgramRow, 3, "");
  Color_memory_grid(g, true);
}

}  // namespace

void Fill_example_program_grid() { fill(Laid_out_main_memory_main(), ""); }
void Fill_example_program_memory_window() { fill(Laid_out_main_memory_window(), kWindowPrefix); }
void Clear_main_memory_grid() { empty(Laid_out_main_memory_main()); }
void Clear_main_memory_window_grid() { empty(Laid_out_main_memory_window()); }

}  // namespace brendalo
