#pragma once
// The listings of the machine tables in the grids of the main window and of
// the windows Mikroprograma, Kontrolmemoria and MNetaEM. Each show operation
// rebuilds its grid whole from the tables of tables.h (set-up, widths, empty,
// every row, every colour); a window that is not loaded is loaded hidden.
// Of each pair, the main-window grid is listed first: the window listings of
// the microprogram and the control memory copy the background of columns 1
// and 2 from it, so the current micro-address mark shows in both.
//
// While the splash window's start-up loading runs, each control-memory
// listing advances its progress bar by 27 (4 + 21 steps of 1 and one of 2,
// each written from Balioa and read back into it).
#include <array>
#include <cstdint>
#include <string>

namespace brendalo {

class Grid;

void Show_microprogram_main();      // NadrelMikro of Nagusia
void Show_microprogram_window();    // NadrelMikro of Mikroprograma
void Show_control_memory_main();    // Nadrel1 of Nagusia
void Show_control_memory_window();  // Nadrel2 of Kontrolmemoria
void Show_registers_main();         // Nadrel4(1) of Nagusia: number column only
void Show_registers_window();       // Nadrel1 of MNetaEM
void Refresh_registers_main();      // all 32 rows from Register_file_text (laid out first if short)
void Refresh_registers_window();
void Show_main_memory_main();    // Nadrel3 of Nagusia: the 72-row skeleton
void Show_main_memory_window();  // Nadrel3(0) of MNetaEM

// Colours of the listings (packed blue-green-red).
inline constexpr int32_t kListingSilver = 0xC0C0C0;
inline constexpr int32_t kListingLightGrey = 0xE0E0E0;
inline constexpr int32_t kDataWordColor = 0xC0FFFF;        // light yellow: vectors A, B, C
inline constexpr int32_t kSecondWordColor = 0xFFC0FF;      // light pink: program words
inline constexpr int32_t kFirstWordColor = 0xFFFFC0;       // light cyan: first word of an instruction

// Layout of the memory grids.
inline constexpr int kMemoryGridRows = 72;
inline constexpr int kFirstProgramRow = 51;  // 4000H
inline constexpr int kLastProgramRow = 71;   // 4014H, the word after the program

// Colours of a memory grid: columns 2 of the data rows and of the program
// rows in the listing colours; with `whole`, every cell light grey first.
void Color_memory_grid(Grid& g, bool whole);

// The memory grids for the routines that write into their layout (the
// example listing, the run's marks): a grid with fewer rows than its 72 is
// laid out first, so those writes never fall outside it.
Grid Laid_out_main_memory_main();    // Nadrel3 of Nagusia
Grid Laid_out_main_memory_window();  // Nadrel3(0) of MNetaEM

// True while the splash window's start-up loading runs. Reading it does not
// load the splash window.
bool Start_up_loading_runs();

// The 21 cell texts of the control-memory row of one micro-address, column 1 first.
std::array<std::string, 21> Control_memory_row_texts(int micro_address);

// The address label of a memory-grid row: "   0000H:" .. "   002FH:", "   4000H:" .. "   4014H:".
std::string Memory_address_label(int address);

}  // namespace brendalo
