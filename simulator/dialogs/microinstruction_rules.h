#pragma once
// The consistency rules of a reprogrammed control word, checked in order.
// A broken rule puts the fields it names back to their stored values before
// the next rule is checked, so a later rule sees the restored fields.
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "simulator/machine/tables.h"

namespace brendalo {

// Fields in control-memory column order: BK1 BK0 JT J4..J0, then the 17 signals.
using Control_word_fields = std::array<std::string, kControlWordLength>;

namespace field {
enum : int {
  BK1, BK0, JT, J4, J3, J2, J1, J0,
  MCS, MOE, MWR, hMH1, hMH0, LD_IR1, LD_IR2, LD_EM, hMD, hH, LD_e1, LD_e2, hB, LD_ual, LD_PC, LD_PCi, hD,
};
}  // namespace field

// Field names, index by field.
extern const std::array<const char*, kControlWordLength> kFieldNames;

// Checks the 15 rules on `word`. For each broken rule (1..15) the fields it
// names are restored from `stored`, then `broken` is called with the rule and
// its message. Returns 0 when every rule holds, -1 when one was broken.
int16_t Check_microinstruction_rules(Control_word_fields& word, const Control_word_fields& stored,
                                     const std::function<void(int rule, const std::string& message)>& broken);

}  // namespace brendalo
