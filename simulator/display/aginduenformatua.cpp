#include "simulator/display/aginduenformatua.h"

#include "simulator/engine/status_texts.h"

namespace brendalo {

Aginduenformatua::Aginduenformatua() : Form(kName, status_window_layout(kName, "Aginduen formatua")) {}

}  // namespace brendalo
