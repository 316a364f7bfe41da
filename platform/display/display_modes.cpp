#include "platform/display/display_modes.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace plat {

namespace {

class ScreenDisplay final : public DisplayBackend {
 public:
  std::vector<DisplayMode> modes() override {
    const DisplayMode real = real_mode();
    std::vector<DisplayMode> m = {real};
    if (real.width >= 1024 && real.height >= 768)
      for (int bits : {16, 32})
        if (!(real == DisplayMode{1024, 768, bits})) m.push_back({1024, 768, bits});
    return m;
  }
  DisplayMode current() override { return chosen_ ? *chosen_ : real_mode(); }
  void set_mode(const DisplayMode& m) override {
    if (m.width == real_mode().width && m.height == real_mode().height)
      chosen_.reset();
    else
      chosen_ = m;
  }

 private:
  static DisplayMode real_mode() {
    QScreen* s = QGuiApplication::primaryScreen();
    if (!s) return {1024, 768, 32};
    return {s->size().width(), s->size().height(), s->depth()};
  }
  std::optional<DisplayMode> chosen_;
};

DisplayBackend* g_installed = nullptr;

ScreenDisplay& screen_display() {
  static ScreenDisplay s;
  return s;
}

DisplayBackend* env_display() {
  static std::optional<ScriptedDisplay> d = [] () -> std::optional<ScriptedDisplay> {
    const char* list = std::getenv("BRENDALO_DISPLAY_MODES");
    if (!list || !*list) return std::nullopt;
    auto parsed = parse_display_modes(list);
    if (!parsed) std::fprintf(stderr, "BRENDALO_DISPLAY_MODES: cannot read \"%s\"; using the screen\n", list);
    return parsed;
  }();
  return d ? &*d : nullptr;
}

}  // namespace

std::optional<ScriptedDisplay> parse_display_modes(const std::string& list) {
  std::vector<DisplayMode> modes;
  std::optional<DisplayMode> current;
  std::stringstream ss(list);
  std::string item;
  while (std::getline(ss, item, ',')) {
    bool mark = !item.empty() && item.back() == '*';
    if (mark) item.pop_back();
    DisplayMode m;
    char x1 = 0, x2 = 0;
    std::stringstream is(item);
    if (!(is >> m.width >> x1 >> m.height >> x2 >> m.bits_per_pixel) || x1 != 'x' || x2 != 'x' || m.width <= 0 ||
        m.height <= 0 || m.bits_per_pixel <= 0)
      return std::nullopt;
    std::string rest;
    if (is >> rest) return std::nullopt;
    modes.push_back(m);
    if (mark) current = m;
  }
  if (modes.empty()) return std::nullopt;
  return ScriptedDisplay(modes, current.value_or(modes.front()));
}

DisplayBackend& display() {
  if (g_installed) return *g_installed;
  if (DisplayBackend* e = env_display()) return *e;
  return screen_display();
}

void set_display(DisplayBackend* b) { g_installed = b; }

bool EnumDisplaySettingsA(const char*, uint32_t index, DisplayModeRecord* rec) {
  const auto modes = display().modes();
  if (!rec || index >= modes.size()) return false;
  rec->bits_per_pixel = uint32_t(modes[index].bits_per_pixel);
  rec->width = uint32_t(modes[index].width);
  rec->height = uint32_t(modes[index].height);
  return true;
}

}  // namespace plat
