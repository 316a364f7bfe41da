#include "simulator/mainwindow/period_buttons.h"

#include "simulator/mainwindow/run_commands.h"

namespace brendalo {

std::vector<plat::ControlDef> With_period_buttons(std::vector<plat::ControlDef> layout) {
  const plat::Box& client = layout.front().box;
  const int top = client.height - 300, right = client.width;
  auto button = [top](int index, int left, const char* caption, const char* tip) {
    return plat::ControlDef{"Command2", index, plat::Kind::CommandButton, "", -1, {left, top, 255, 270}, caption,
                            {{"FontSize", 9.75}, {"ToolTipText", tip}}};
  };
  layout.push_back(button(1, right - 2640, "-", "clk1 denbora segundu batean txikiagotu"));
  layout.push_back(button(0, right - 1920, "+", "clk1 denbora segundu batean handigotu"));
  return layout;
}

void Bind_period_buttons(plat::Form& f) {
  f.on("Command2", plat::Event::Click, [](plat::EventArgs& a) { Command2_Click(a.index); });
}

}  // namespace brendalo
