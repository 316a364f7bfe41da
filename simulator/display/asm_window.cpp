#include "simulator/display/asm_window.h"

#include "simulator/engine/status_texts.h"
#include "simulator/mainwindow/run_commands.h"

namespace brendalo {

ASM::ASM() : Form(kName, With_period_buttons(status_window_layout(kName, "ASM Kontrol-algoritmoa"))) { Bind_period_buttons(*this); }

}  // namespace brendalo
