#include "simulator/display/aginduenformatua.h"

#include "simulator/engine/status_texts.h"
#include "simulator/mainwindow/run_commands.h"

namespace brendalo {

Aginduenformatua::Aginduenformatua() : Form(kName, With_period_buttons(status_window_layout(kName, "Aginduen formatua"))) { Bind_period_buttons(*this); }

}  // namespace brendalo
