#include "simulator/display/asm_window.h"

#include "simulator/engine/status_texts.h"

namespace brendalo {

ASM::ASM() : Form(kName, status_window_layout(kName, "ASM Kontrol-algoritmoa")) {}

}  // namespace brendalo
