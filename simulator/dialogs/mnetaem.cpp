#include "simulator/dialogs/mnetaem.h"

#include "simulator/engine/status_texts.h"

namespace brendalo {

MNetaEM::MNetaEM() : Form(kName, status_window_layout(kName, "Memoria Nagusia eta Erregistro Multzoa")) {}

}  // namespace brendalo
