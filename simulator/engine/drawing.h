#pragma once
// What the engine's phases share: the controls of the main window's drawing
// by name, the colours of the drawing, grid cells reached late-bound, and the
// guard that every guarded step of a phase passes.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/forms/form.h"

namespace brendalo {

class Nagusia;

namespace drawing {

inline constexpr uint32_t kRed = 0x0000FF, kBlue = 0xFF0000, kSilver = 0xC0C0C0, kLightGrey = 0xE0E0E0,
                          kBlack = 0x000000, kWhite = 0xFFFFFF;

// A control of the main window: name and control-array index (-1 for none).
struct Ref {
  const char* name;
  int index = -1;
};
using Refs = std::initializer_list<Ref>;

Nagusia& main_window();
plat::Control& at(Ref r);

void border_color(Refs refs, uint32_t color);
void back_color(Refs refs, uint32_t color);
void visible(Refs refs, bool on);
// For each line: BorderWidth, then BorderColor.
void width_and_color(Refs lines, int width, uint32_t color);

// A control of another window when its layout has it; writes to a missing
// one are dropped (the window is loaded hidden when it is not loaded).
plat::Control* find_in(const char* form, const char* name, int index = -1);

// CellBackColor of a grid (column first, then row), late-bound, by the rule
// of the display's cell writes (grid_paint.h): a row the grid does not have
// yet is left alone, any other failure ends with the grid's error.
void cell_back_color(plat::Control& grid, int col, int row, uint32_t color);
void cell_text(plat::Control& grid, int row, int col, const std::string& text);

// Buses and paths more than one phase lights or rests.
inline constexpr Refs kWordBus = {{"Line1", 0}, {"Line1", 4}, {"Line57", 2}, {"Line58", 2}};
inline constexpr Refs kFieldOutputs = {{"Line1", 5},   {"Line1", 16},  {"Line1", 24},  {"Line57", 6}, {"Line57", 11},
                                       {"Line57", 16}, {"Line58", 6},  {"Line58", 11}, {"Line58", 16}};
inline constexpr Refs kSequencer = {{"Line1", 7}, {"Line58", 4}, {"Line57", 4},  {"Line1", 8},
                                    {"Line1", 9}, {"Line1", 10}, {"Line58", 5},  {"Line57", 5},
                                    {"Line1", 6}, {"Line58", 10}, {"Line57", 10}};
inline constexpr Refs kCounterInputs = {{"kont", 2}, {"kont", 3}, {"kont", 4}};
// Everything the back half of a cycle lit for the fields BK and JT back to
// rest: the sequencer, the counter's inputs, the multiplexer inputs BK and JT
// selected, the register's outputs, the decoder's line and "PUra".
void back_half_to_rest(const std::string& bk, const std::string& jt);

// The restart request of the main window, read afresh.
bool reset_requested();
// A restart, the end of the simulation or the end of the program.
bool aborted();
// The pause wait of a guarded step: sleeps in the event loop while the run is
// paused and neither a restart nor an end is requested.
void pause_wait();
// Pause wait, then the abort test: true when the step may run.
bool guard();
// One paced wait of the current phase delay.
void phase_wait();

}  // namespace drawing
}  // namespace brendalo
