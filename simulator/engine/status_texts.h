#pragma once
// The five-panel status bar that seven windows carry, always written to all
// of them together: panel 1 the run state, 2 the operation code, 3 the
// instruction, 4 the example's program counter, 5 the clk1 period.
#include <array>
#include <string>
#include <vector>

#include "platform/forms/form.h"

namespace brendalo {

enum class StatusWindow { Nagusia, ASM, PU, MNetaEM, Aginduenformatua, Birprogramatumikroagindua, Laguntza_edukia };

// The order in which most routines update the windows.
inline constexpr std::array<StatusWindow, 7> kStatusOrder = {
    StatusWindow::Nagusia,          StatusWindow::ASM,
    StatusWindow::PU,               StatusWindow::MNetaEM,
    StatusWindow::Aginduenformatua, StatusWindow::Birprogramatumikroagindua,
    StatusWindow::Laguntza_edukia};

// The window (loaded hidden when it is not loaded yet).
plat::Form& Status_window(StatusWindow w);

// Writes `text` into panel `panel` (1..5) of window `w`'s bar and keeps it as
// the panel's current text (engine().Status_texts), which every status bar
// created later starts with.
void Set_status_panel_of(StatusWindow w, int panel, const std::string& text);

// Writes `text` into panel `panel` of the seven windows, in `order`.
void Set_status_panel(int panel, const std::string& text,
                      const std::array<StatusWindow, 7>& order = kStatusOrder);

// Panel 2 := code and then panel 3 := instruction, on the seven windows.
void Set_status_texts(const std::string& code, const std::string& instruction);

// Layout rows shared by the status windows. The bar starts with the current
// texts of panels 1..5, so that it agrees with the others from its first
// showing.
plat::ControlDef status_bar_def(int client_width, int client_height, int panels = 5);
std::vector<plat::ControlDef> status_window_layout(const char* name, const char* caption, int width = 11880,
                                                   int height = 8400);

}  // namespace brendalo
