#include "simulator/mainwindow/period_buttons.h"

#include "simulator/mainwindow/run_commands.h"

namespace brendalo {

plat::ControlDef Period_button(int index, int left, int top, const char* tooltip) {
  return {"Command2", index, plat::Kind::CommandButton, "", -1, {left, top, 255, 270}, index == 0 ? "+" : "-",
          {{"FontSize", 9.75}, {"ToolTipText", tooltip}}};
}

void Bind_period_buttons(plat::Form& f) {
  f.on("Command2", plat::Event::Click, [](plat::EventArgs& a) { Command2_Click(a.index); });
}

}  // namespace brendalo
