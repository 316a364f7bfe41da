#pragma once
// Colours cross every interface as packed 32-bit values, blue in the high
// byte and red in the low one (0x0000FF is red). A value with the high bit
// set (0x80000000 | n) names system colour n instead; it is resolved by one
// table, here.
#include <QColor>
#include <cstdint>

namespace plat {

constexpr uint32_t kSystemColorFlag = 0x80000000u;

// System colour indices used by the windows and the controls.
enum SysColor : int {
  COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
  COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
  COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
  COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16,
  COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
  COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
};

// The packed value of system colour `index` (0..24); black for an unknown index.
uint32_t sys_color(int index);

// Resolves a packed value or a system colour reference to a packed value.
uint32_t resolve_color(uint32_t packed);

// The Qt colour of a packed value or system colour reference.
QColor to_qcolor(uint32_t packed);

// The packed value of a Qt colour.
uint32_t from_qcolor(const QColor& c);

constexpr uint32_t rgb(int r, int g, int b) {
  return uint32_t(r & 0xFF) | (uint32_t(g & 0xFF) << 8) | (uint32_t(b & 0xFF) << 16);
}

}  // namespace plat
