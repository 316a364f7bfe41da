// Phase 8 of a cycle: the counter's load and count inputs from BK and Z, its
// data input from the J field or the decoder, and the next micro-address,
// read back from the drawing.
#include "simulator/engine/cycle_phases.h"
#include "simulator/engine/drawing.h"
#include "simulator/engine/variables.h"

namespace brendalo {

using namespace drawing;

void Select_next_microaddress() {
  EngineState& e = engine();
  if (guard()) {
    border_color(kSequencer, kBlue);
    visible(kCounterInputs, true);
    const bool count = e.Field_bk == "00" || (e.Field_bk == "10" && e.Z_value == "0");
    at({"kont", 2}).set_caption(count ? "0" : "1");
    at({"kont", 3}).set_caption(count ? "1" : "0");
    at({"kont", 4}).set_caption(at({"Label10", e.Field_jt != "0" ? 5 : 3}).caption());
    if (at({"kont", 2}).caption() == "1") {
      at({"Label3", 13}).set_back_color(kRed);
      e.Micro_address_bits = at({"kont", 4}).caption();
    } else {
      at({"Label3", 14}).set_back_color(kRed);
    }
  }
  phase_wait();
  if (!guard()) return;
  back_half_to_rest(e.Field_bk, e.Field_jt);
}

}  // namespace brendalo
