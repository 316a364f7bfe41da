#include "platform/gdi/colors.h"

#include <array>

namespace plat {

namespace {
// The classic grey desktop scheme: the windows were designed against it.
constexpr std::array<uint32_t, 25> kSysColors = {
    rgb(0xC0, 0xC0, 0xC0),  // scroll bar
    rgb(0x00, 0x80, 0x80),  // desktop
    rgb(0x00, 0x00, 0x80),  // active caption
    rgb(0x80, 0x80, 0x80),  // inactive caption
    rgb(0xC0, 0xC0, 0xC0),  // menu
    rgb(0xFF, 0xFF, 0xFF),  // window
    rgb(0x00, 0x00, 0x00),  // window frame
    rgb(0x00, 0x00, 0x00),  // menu text
    rgb(0x00, 0x00, 0x00),  // window text
    rgb(0xFF, 0xFF, 0xFF),  // caption text
    rgb(0xC0, 0xC0, 0xC0),  // active border
    rgb(0xC0, 0xC0, 0xC0),  // inactive border
    rgb(0x80, 0x80, 0x80),  // application workspace
    rgb(0x00, 0x00, 0x80),  // highlight
    rgb(0xFF, 0xFF, 0xFF),  // highlight text
    rgb(0xC0, 0xC0, 0xC0),  // button face
    rgb(0x80, 0x80, 0x80),  // button shadow
    rgb(0x80, 0x80, 0x80),  // grey text
    rgb(0x00, 0x00, 0x00),  // button text
    rgb(0xC0, 0xC0, 0xC0),  // inactive caption text
    rgb(0xFF, 0xFF, 0xFF),  // button highlight
    rgb(0x40, 0x40, 0x40),  // 3-D dark shadow
    rgb(0xDF, 0xDF, 0xDF),  // 3-D light
    rgb(0x00, 0x00, 0x00),  // tooltip text
    rgb(0xFF, 0xFF, 0xE1),  // tooltip background
};
}  // namespace

uint32_t sys_color(int index) {
  if (index < 0 || index >= int(kSysColors.size())) return 0;
  return kSysColors[size_t(index)];
}

uint32_t resolve_color(uint32_t packed) {
  if (packed & kSystemColorFlag) return sys_color(int(packed & 0xFF));
  return packed & 0xFFFFFFu;
}

QColor to_qcolor(uint32_t packed) {
  const uint32_t v = resolve_color(packed);
  return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

uint32_t from_qcolor(const QColor& c) { return rgb(c.red(), c.green(), c.blue()); }

}  // namespace plat
