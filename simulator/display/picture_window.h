#pragma once
// What the picture windows ASM, PU and Aginduenformatua share around their
// drawing: a grey client area of 15240 x 11040 twips, the status bar of the
// seven status windows and the "+" and "-" clk1-period buttons.
#include <vector>

#include "platform/forms/control.h"

namespace brendalo {

// The window's own row, on grey: the drawing's rows follow it.
std::vector<plat::ControlDef> Picture_window_rows(const char* name, const char* caption);
// The status bar and the period buttons after the drawing.
std::vector<plat::ControlDef> Finish_picture_window(std::vector<plat::ControlDef> rows);

inline constexpr int kPictureWidth = 15240, kPictureHeight = 11040;

}  // namespace brendalo
