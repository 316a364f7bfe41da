#include "simulator/display/pu_window.h"

#include "simulator/engine/status_texts.h"

namespace brendalo {

PU::PU() : Form(kName, status_window_layout(kName, "Prozesu-Unitatea")) {}

}  // namespace brendalo
