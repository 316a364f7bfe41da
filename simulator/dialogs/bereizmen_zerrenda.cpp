#include "simulator/dialogs/bereizmen_zerrenda.h"

namespace brendalo {

std::vector<plat::DisplayModeRecord> Display_modes;
int32_t Display_mode_count = 0;

bool Find_display_mode(const int16_t& Width, const int16_t& Height, const int16_t& Bits) {
  Display_modes.assign(9, {});
  for (Display_mode_count = 0;; ++Display_mode_count) {
    if (size_t(Display_mode_count) >= Display_modes.size()) Display_modes.resize(Display_modes.size() + 8);
    plat::DisplayModeRecord& r = Display_modes[size_t(Display_mode_count)];
    if (!plat::EnumDisplaySettingsA(nullptr, uint32_t(Display_mode_count), &r)) return false;
    if (r.width == uint32_t(Width) && r.height == uint32_t(Height) && int16_t(r.bits_per_pixel & 0xFFFF) == Bits)
      return true;
  }
}

}  // namespace brendalo
