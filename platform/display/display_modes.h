#pragma once
// Display modes. The default backend never reconfigures the user's monitor:
// it lists the real screen's mode as Qt reports it and, on a screen of at
// least 1024 x 768, a 1024 x 768 mode at 16 and 32 bits per pixel; setting a
// mode only changes the mode it reports as current, and setting the real
// screen's mode again reports that one. Windows keep the real screen: a
// maximised window is maximised by the window manager, title bar included,
// with its design at the top left.
// A scripted backend serves the tests; BRENDALO_DISPLAY_MODES selects a
// scripted list by hand, e.g. "1280x1024x32*,1024x768x16" (* = current).
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace plat {

struct DisplayMode {
  int width = 0, height = 0, bits_per_pixel = 0;
  bool operator==(const DisplayMode&) const = default;
};

class DisplayBackend {
 public:
  virtual ~DisplayBackend() = default;
  virtual std::vector<DisplayMode> modes() = 0;
  virtual DisplayMode current() = 0;
  virtual void set_mode(const DisplayMode& m) = 0;
};

class ScriptedDisplay final : public DisplayBackend {
 public:
  ScriptedDisplay(std::vector<DisplayMode> modes, DisplayMode current)
      : modes_(std::move(modes)), current_(current) {}
  std::vector<DisplayMode> modes() override { return modes_; }
  DisplayMode current() override { return current_; }
  void set_mode(const DisplayMode& m) override {
    set_calls.push_back(m);
    current_ = m;
  }
  std::vector<DisplayMode> set_calls;

 private:
  std::vector<DisplayMode> modes_;
  DisplayMode current_;
};

// Parses "WxHxB[*],..." (the current mode marked, else the first); nullopt when malformed.
std::optional<ScriptedDisplay> parse_display_modes(const std::string& list);

// The backend in use: the one a test installed, else the environment's
// scripted list, else the real screen.
DisplayBackend& display();
// Installs `b` (not owned); nullptr goes back to the default.
void set_display(DisplayBackend* b);

// The record of one mode, as the mode enumeration fills it.
struct DisplayModeRecord {
  uint32_t bits_per_pixel = 0;
  uint32_t width = 0;
  uint32_t height = 0;
};
// Fills `rec` with mode `index` of the current display (the device name is
// ignored: there is one display); false when there is no mode of that index.
bool EnumDisplaySettingsA(const char* device, uint32_t index, DisplayModeRecord* rec);

}  // namespace plat
