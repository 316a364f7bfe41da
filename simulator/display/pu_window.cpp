#include "simulator/display/pu_window.h"

#include "simulator/engine/status_texts.h"
#include "simulator/mainwindow/run_commands.h"

namespace brendalo {

PU::PU() : Form(kName, With_period_buttons(status_window_layout(kName, "Prozesu-Unitatea"))) { Bind_period_buttons(*this); }

}  // namespace brendalo
