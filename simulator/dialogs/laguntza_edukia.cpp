#include "simulator/dialogs/laguntza_edukia.h"

#include "simulator/engine/status_texts.h"

namespace brendalo {

Laguntza_edukia::Laguntza_edukia() : Form(kName, status_window_layout(kName, "Laguntza")) {}

}  // namespace brendalo
