#include "simulator/dialogs/birprogramatumikroagindua.h"

#include "simulator/engine/status_texts.h"

namespace brendalo {

Birprogramatumikroagindua::Birprogramatumikroagindua() : Form(kName, status_window_layout(kName, "Birprogramazioa")) {}

}  // namespace brendalo
