#pragma once
// Module BereizmenZerrenda: looks for a display mode among those the system lists.
#include <cstdint>
#include <vector>

#include "platform/display/display_modes.h"

namespace brendalo {

extern std::vector<plat::DisplayModeRecord> Display_modes;
extern int32_t Display_mode_count;

// True when the system lists a mode of exactly that width, height and bits per pixel.
bool Find_display_mode(const int16_t& Width, const int16_t& Height, const int16_t& Bits);

}  // namespace brendalo
