#include "simulator/display/picture_window.h"

#include "simulator/engine/status_texts.h"
#include "simulator/mainwindow/period_buttons.h"

namespace brendalo {

std::vector<plat::ControlDef> Picture_window_rows(const char* name, const char* caption) {
  std::vector<plat::ControlDef> rows = {status_window_layout(name, caption, kPictureWidth, kPictureHeight).front()};
  rows.front().props.push_back({"BackColor", 0xE0E0E0});
  return rows;
}

std::vector<plat::ControlDef> Finish_picture_window(std::vector<plat::ControlDef> rows) {
  rows.push_back(status_bar_def(kPictureWidth, kPictureHeight));
  // Over the right part of the status bar, as on the main window; each tip
  // says what its button does.
  const int top = kPictureHeight - 300;
  rows.push_back(Period_button(1, kPictureWidth - 2640, top, "clk1 denbora segundu batean txikiagotu"));
  rows.push_back(Period_button(0, kPictureWidth - 1920, top, "clk1 denbora segundu batean handiagotu"));
  return rows;
}

}  // namespace brendalo
