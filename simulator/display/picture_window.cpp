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
  rows = With_period_buttons(std::move(rows));
  for (plat::ControlDef& d : rows) {
    if (d.name != "Command2") continue;
    // Each tip says what its button does: 0 lengthens the period, 1 shortens it.
    for (plat::Prop& p : d.props)
      if (p.name == "ToolTipText")
        p.value = d.index == 0 ? "clk1 denbora segundu batean handiagotu" : "clk1 denbora segundu batean txikiagotu";
  }
  return rows;
}

}  // namespace brendalo
