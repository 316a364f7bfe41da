#include "simulator/machine/listings.h"

#include <cstdio>

#include "platform/com/variant.h"
#include "simulator/dialogs/abiarazi.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/tables.h"

namespace brendalo {

namespace {

std::string blanks(int n) { return std::string(size_t(n), ' '); }

// ------------------------------------------------------------------ start-up progress

// The splash window while its start-up loading runs, else nullptr. A closed
// splash window is not brought back just to read its flag.
Abiarazi* starting_up() {
  auto* a = dynamic_cast<Abiarazi*>(plat::loaded_form(Abiarazi::kName));
  return a && a->abiarazten ? a : nullptr;
}

// Bar := Balioa + k, then Balioa := the bar's value read back (the bar shows
// at most its maximum).
void progress_step(Abiarazi& a, int k) {
  plat::Control& bar = a.ctl("ProgressBar1");
  bar.set("Value", double(float(a.Balioa + k)));
  a.Balioa = int16_t(plat::com::round_half_even(bar.get("Value").to_double()));
}

// Sets a grid up for a listing: rows, columns, header and format; no column
// takes an in-place edit, so a key on a cell only raises BeforeEdit for the
// grid's guard.
void lay_out(Grid& g, int16_t rows, int16_t cols, const std::string& format) {
  g.AutoSetup(rows, cols, false, true, format);
  for (int32_t c = 0, n = g.Cols(); c <= n; ++c) g.ColAllowEdit(c, false);
}

// ------------------------------------------------------------------ microprogram

struct MicroprogramVariant {
  std::string header;
  int width1, width2;
};

const MicroprogramVariant kMicroprogramMain{
    blanks(17) + "Mikroaginduak" + blanks(2) + "|" + blanks(20) + "Azalpena" + blanks(25), 190, 300};
const MicroprogramVariant kMicroprogramWindow{
    blanks(16) + "Mikroaginduak" + blanks(2) + "|" + blanks(22) + "Azalpena" + blanks(25), 200, 200};

// The background of columns 1-2 of a window listing's row: the main-window
// grid's, or silver for a row the main grid does not have yet (listed before
// it), rather than failing half-way through the colours.
class BackgroundSource {
 public:
  explicit BackgroundSource(const Grid* main) : main_(main), rows_(main ? main->Rows() : 0) {}
  int32_t at(int col, int row) const { return main_ && row <= rows_ ? main_->CellBackColor(col, row) : kListingSilver; }

 private:
  const Grid* main_;
  int32_t rows_;
};

// `source` is the main-window grid whose background the window listing copies.
void list_microprogram(Grid g, const MicroprogramVariant& v, const Grid* source) {
  lay_out(g, 21, 2, v.header);
  g.ColWidth(1, v.width1);
  g.ColWidth(2, v.width2);
  g.Clear();
  const auto& text = machine().Microprogram_text;
  for (int m = 0; m < kMicroinstructions; ++m) g.AddItem(text[m][0] + "\t" + text[m][1]);
  const BackgroundSource back(source);
  for (int row = 1; row <= kMicroinstructions; ++row)
    for (int col = 1; col <= 2; ++col) {
      g.CellBackColor(col, row, back.at(col, row));
      g.CellForeColor(col, row, 0);
    }
}

// ------------------------------------------------------------------ control memory

// Columns 3..21: a run of blanks, then `count` control-word columns from `first`.
struct FieldColumn {
  const char* header;
  int width;
  int blanks, first, count;
};

constexpr FieldColumn kFieldColumns[] = {
    {" BK1BK0", 50, 5, 0, 2},  {" JT", 20, 1, 2, 1},      {"J4J3J2J1J0", 60, 3, 3, 5}, {"MCS", 30, 3, 8, 1},
    {"MOE", 30, 4, 9, 1},      {"MWR", 40, 4, 10, 1},     {"hMH", 30, 2, 11, 2},       {" LD_IR1", 50, 6, 13, 1},
    {" LD_IR2", 50, 6, 14, 1}, {" LD_EM", 50, 6, 15, 1},  {"hMD", 30, 3, 16, 1},       {"hH", 20, 1, 17, 1},
    {"  LD_e1", 50, 6, 18, 1}, {"  LD_e2", 50, 6, 19, 1}, {"hB", 20, 1, 20, 1},        {"  LD_ual", 50, 6, 21, 1},
    {"  LD_PC", 50, 6, 22, 1}, {" LD_PCi", 50, 6, 23, 1}, {"hD", 20, 1, 24, 1},
};
constexpr int kControlMemoryCols = 21;
constexpr const char* kEntryHeader = "  egoera  ";
constexpr const char* kAddressHeader = "    @    ";
constexpr int kEntryWidth = 50, kAddressWidth = 40;

// The entry label of a microroutine stands between fixed runs of blanks, 13
// characters in all for the labels as loaded; other rows show 13 blanks.
struct EntryPadding {
  int micro_address, before, after;
};
constexpr EntryPadding kEntryPaddings[] = {{0, 5, 4},  {1, 5, 4},  {2, 4, 5},  {3, 2, 5},  {6, 1, 4},
                                           {9, 6, 5},  {10, 6, 5}, {12, 5, 5}, {15, 5, 5}, {18, 5, 5}};

const std::string& control_memory_header() {
  static const std::string header = [] {
    std::string h = std::string(kEntryHeader) + "|" + kAddressHeader;
    for (const FieldColumn& f : kFieldColumns) h += std::string("|") + f.header;
    return h;
  }();
  return header;
}

void list_control_memory(Grid g, const Grid* source) {
  lay_out(g, kMicroinstructions, kControlMemoryCols, control_memory_header());
  g.ColWidth(1, kEntryWidth);
  g.ColWidth(2, kAddressWidth);
  for (int c = 0; c < kControlMemoryCols - 2; ++c) g.ColWidth(c + 3, kFieldColumns[c].width);
  g.Clear();
  for (int m = 0; m < kMicroinstructions; ++m) {
    std::string row;
    for (const std::string& cell : Control_memory_row_texts(m)) row += (row.empty() ? "" : "\t") + cell;
    g.AddItem(row);
  }
  const BackgroundSource back(source);
  for (int row = 1; row <= kMicroinstructions; ++row)
    for (int col = 1; col <= 2; ++col) {
      if (row == 10 || row == 20)
        if (Abiarazi* a = starting_up()) progress_step(*a, 1);
      g.CellBackColor(col, row, back.at(col, row));
    }
  for (int row = 1; row <= kMicroinstructions; ++row)
    for (int col = 1; col <= kControlMemoryCols; ++col) {
      if (row == 10)
        if (Abiarazi* a = starting_up()) progress_step(*a, 1);
      g.CellForeColor(col, row, 0);
    }
  if (Abiarazi* a = starting_up()) progress_step(*a, 2);
}

// ------------------------------------------------------------------ register file

struct RegisterVariant {
  const char* format;
  int widths[3];
  const char* decimal_prefix;  // before the decimal value: as built and after a refresh
  const char* binary_prefix;   // before the binary value after a refresh
};

constexpr RegisterVariant kRegistersMain{"Erreg|Edukia (osoz)|      Edukia (bitarrez)         ", {35, 70, 250}, "", ""};
constexpr RegisterVariant kRegistersWindow{"Erreg|   Edukia (osoz)|         Edukia (bitarrez)     ", {35, 90, 150}, "   ",
                                           "    "};

void list_registers(Grid g, const RegisterVariant& v) {
  lay_out(g, kRegisters, 2, v.format);
  for (int c = 1; c <= 3; ++c) g.ColWidth(c, v.widths[c - 1]);
  g.Clear();
  const auto& regs = machine().Register_file_text;
  for (int i = 0; i < kRegisters; ++i) g.AddItem(regs[i][0] + "\t" + v.decimal_prefix + "\t");
  for (int r = 1; r <= kRegisters; ++r) g.CellBackColor(1, r, kListingSilver);
}

// `g` as it is, or laid out by `show` first when it has fewer rows than its layout.
Grid laid_out(Grid g, int rows, void (*show)()) {
  if (g.Rows() < rows) show();
  return g;
}

void refresh_registers(Grid g, const RegisterVariant& v) {
  const auto& regs = machine().Register_file_text;
  for (int r = 1; r <= kRegisters; ++r) {
    g.TextMatrix(r, 1, regs[r - 1][0]);
    g.TextMatrix(r, 2, v.decimal_prefix + regs[r - 1][1]);
    g.TextMatrix(r, 3, v.binary_prefix + regs[r - 1][2]);
  }
  for (int r = 1; r <= kRegisters; ++r) g.CellBackColor(1, r, kListingSilver);
}

// ------------------------------------------------------------------ main memory

struct MemoryVariant {
  const char* format;
  int widths[3];
};

constexpr MemoryVariant kMemoryMain{"      @      |                  Edukia       |     Kodea ", {60, 160, 120}};
constexpr MemoryVariant kMemoryWindow{"      @      |                          Edukia       |     Kodea ", {60, 200, 120}};

constexpr const char* kBlankCell = " ";
constexpr const char* kSeparatorAddress = "  -----------";
constexpr const char* kClosingAddress = "   -----------";
constexpr const char* kSeparatorContents = "        ----------------------------------";
constexpr const char* kSeparatorCode = " -----------------------------------";
constexpr int kProgramStart = 0x4000;

// The three cell texts of memory-grid row r, joined by Tabs.
std::string memory_row(int r) {
  auto join = [](const std::string& a, const std::string& b, const std::string& c) { return a + "\t" + b + "\t" + c; };
  if (r <= kDataWords) return join(Memory_address_label(r - 1), kBlankCell, kBlankCell);
  if (r == kFirstProgramRow - 2 || r == kFirstProgramRow - 1) return join(kSeparatorAddress, kSeparatorContents, kSeparatorCode);
  if (r < kLastProgramRow) return join(Memory_address_label(kProgramStart + r - kFirstProgramRow), kBlankCell, kBlankCell);
  if (r == kLastProgramRow)
    return join(Memory_address_label(kProgramStart + r - kFirstProgramRow), kSeparatorContents, kBlankCell);
  return join(kClosingAddress, kSeparatorContents, kSeparatorCode);
}

void list_main_memory(Grid g, const MemoryVariant& v) {
  lay_out(g, kMemoryGridRows, 3, v.format);
  for (int c = 1; c <= 3; ++c) g.ColWidth(c, v.widths[c - 1]);
  g.Clear();
  for (int r = 1; r <= kMemoryGridRows; ++r) g.AddItem(memory_row(r));
  Color_memory_grid(g, true);
}

}  // namespace

void Color_memory_grid(Grid& g, bool whole) {
  if (whole)
    for (int c = 1; c <= 3; ++c)
      for (int r = 1; r <= kMemoryGridRows; ++r) g.CellBackColor(c, r, kListingLightGrey);
  for (int r = 1; r <= kDataWords; ++r) g.CellBackColor(2, r, kDataWordColor);
  for (int r = kFirstProgramRow; r <= kLastProgramRow; ++r) g.CellBackColor(2, r, kSecondWordColor);
  for (int r = kFirstProgramRow; r <= kLastProgramRow; r += 2) g.CellBackColor(2, r, kFirstWordColor);
}

bool Start_up_loading_runs() { return starting_up() != nullptr; }

std::array<std::string, 21> Control_memory_row_texts(int m) {
  const auto& word = machine().Control_memory[size_t(m)];
  std::array<std::string, 21> cells;
  cells[0] = blanks(13);
  for (const EntryPadding& p : kEntryPaddings)
    if (p.micro_address == m) cells[0] = blanks(p.before) + word[kEntryLabelColumn] + blanks(p.after);
  cells[1] = " ";
  for (int bit = 4; bit >= 0; --bit) cells[1] += (m >> bit) & 1 ? '1' : '0';
  for (int c = 0; c < kControlMemoryCols - 2; ++c) {
    const FieldColumn& f = kFieldColumns[c];
    std::string& cell = cells[size_t(c) + 2] = blanks(f.blanks);
    for (int k = 0; k < f.count; ++k) cell += word[size_t(f.first + k)];
  }
  return cells;
}

std::string Memory_address_label(int address) {
  char label[16];
  std::snprintf(label, sizeof label, "   %04XH:", unsigned(address) & 0xFFFFu);
  return label;
}

// Each window listing reaches its own grid first (loading the window, whose
// load may list the grid itself), then the main-window grid it copies from.
void Show_microprogram_main() { list_microprogram(Nagusia_NadrelMikro(), kMicroprogramMain, nullptr); }

void Show_microprogram_window() {
  Grid g = Mikroprograma_NadrelMikro();
  const Grid source = Nagusia_NadrelMikro();
  list_microprogram(g, kMicroprogramWindow, &source);
}

void Show_control_memory_main() { list_control_memory(Nagusia_Nadrel1(), nullptr); }

void Show_control_memory_window() {
  Grid g = Kontrolmemoria_Nadrel2();
  const Grid source = Nagusia_Nadrel1();
  list_control_memory(g, &source);
}

void Show_registers_main() { list_registers(Nagusia_Nadrel4(), kRegistersMain); }
void Show_registers_window() { list_registers(MNetaEM_Nadrel1(), kRegistersWindow); }
void Refresh_registers_main() {
  refresh_registers(laid_out(Nagusia_Nadrel4(), kRegisters, Show_registers_main), kRegistersMain);
}
void Refresh_registers_window() {
  refresh_registers(laid_out(MNetaEM_Nadrel1(), kRegisters, Show_registers_window), kRegistersWindow);
}
void Show_main_memory_main() { list_main_memory(Nagusia_Nadrel3(), kMemoryMain); }
void Show_main_memory_window() { list_main_memory(MNetaEM_Nadrel3(), kMemoryWindow); }
Grid Laid_out_main_memory_main() { return laid_out(Nagusia_Nadrel3(), kMemoryGridRows, Show_main_memory_main); }
Grid Laid_out_main_memory_window() { return laid_out(MNetaEM_Nadrel3(), kMemoryGridRows, Show_main_memory_window); }

}  // namespace brendalo
