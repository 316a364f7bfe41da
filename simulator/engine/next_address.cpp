// Phase 8 of a cycle: the counter's load and count inputs from BK and Z, its
// data input from the J field or the decoder, and the next micro-address,
// read back from the drawing.
#include "simulator/engine/cycle_phases.h"
#include "simulator/engine/drawing.h"
#include "simulator/engine/variables.h"

namespace brendalo {

using namespace drawing;

namespace {

constexpr Refs kSequencer = {{"Line1", 7},  {"Line58", 4}, {"Line57", 4},  {"Line1", 8},
                             {"Line1", 9},  {"Line1", 10}, {"Line58", 5},  {"Line57", 5},
                             {"Line1", 6},  {"Line58", 10}, {"Line57", 10}};
constexpr Refs kCounterInputs = {{"kont", 2}, {"kont", 3}, {"kont", 4}};
constexpr Refs kFieldOutputs = {{"Line1", 5},   {"Line1", 16},  {"Line1", 24},  {"Line57", 6}, {"Line57", 11},
                                {"Line57", 16}, {"Line58", 6},  {"Line58", 11}, {"Line58", 16}};

// Input `label` of a multiplexer and the lines into it back to rest.
void input_to_rest(Ref label, Refs lines) {
  at(label).set_back_color(kLightGrey);
  border_color(lines, kSilver);
}

}  // namespace

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
  border_color(kSequencer, kSilver);
  visible(kCounterInputs, false);
  if (e.Field_bk == "00")
    input_to_rest({"Label2", 1}, {{"Line1", 14}, {"Line58", 8}, {"Line57", 8}});
  else if (e.Field_bk == "10")
    input_to_rest({"Label2", 2}, {{"Line1", 13}, {"Line58", 7}, {"Line57", 7}});
  else
    input_to_rest({"Label2", 12}, {{"Line1", 12}, {"Line58", 9}, {"Line57", 9}});
  if (e.Field_jt == "0")
    input_to_rest({"Label2", 8}, {{"Line1", 19}, {"Line1", 18}, {"Line58", 13}, {"Line57", 13}});
  else
    input_to_rest({"Label2", 7}, {{"Line1", 11}, {"Line58", 12}, {"Line57", 12}});
  border_color(kFieldOutputs, kSilver);
  if (e.Field_jt == "1") {
    border_color({{"Line1", 15}, {"Line58", 0}, {"Line57", 0}}, kSilver);
    at({"Label2", 11}).set_back_color(kLightGrey);
  }
  at({"Label2", 13}).set_back_color(kLightGrey);
}

}  // namespace brendalo
