#include "simulator/dialogs/microinstruction_rules.h"

#include <algorithm>
#include <initializer_list>

namespace brendalo {

const std::array<const char*, kControlWordLength> kFieldNames = {
    "BK1", "BK0", "JT",     "J4",     "J3",    "J2",  "J1",  "J0",    "MCS",    "MOE",   "MWR",    "hMH1", "hMH0",
    "LD_IR1", "LD_IR2", "LD_EM", "hMD", "hH", "LD_e1", "LD_e2", "hB", "LD_ual", "LD_PC", "LD_PCi", "hD"};

namespace {

using namespace field;
constexpr std::initializer_list<int> kJ = {J4, J3, J2, J1, J0};

struct Checker {
  Control_word_fields& w;
  const Control_word_fields& stored;
  const std::function<void(int, const std::string&)>& broken;
  int16_t result = 0;

  bool is(int f, const char* v) const { return w[size_t(f)] == v; }
  bool any_j_not(const char* v) const {
    return std::any_of(kJ.begin(), kJ.end(), [&](int f) { return !is(f, v); });
  }
  bool all_j(const char* v) const { return !any_j_not(v); }

  void breaks(int rule, std::initializer_list<int> fields, std::initializer_list<int> more, const char* message) {
    for (int f : fields) w[size_t(f)] = stored[size_t(f)];
    for (int f : more) w[size_t(f)] = stored[size_t(f)];
    result = -1;
    if (broken) broken(rule, message);
  }
  void breaks(int rule, std::initializer_list<int> fields, const char* message) { breaks(rule, fields, {}, message); }
};

}  // namespace

int16_t Check_microinstruction_rules(Control_word_fields& word, const Control_word_fields& stored,
                                     const std::function<void(int, const std::string&)>& broken) {
  Checker c{word, stored, broken};
  // Each rule's condition is read on the fields as the rules before it left
  // them: a rule about an active MCS is not reported once MCS was put back to 0.
  if (c.is(MCS, "1") && c.is(MOE, "X")) {
    c.breaks(1, {MCS, MOE}, "MCS aktibatuta izanez gero, MOEk 0 edo 1 izan behar du.");
  } else if (c.is(MCS, "1") && ((c.is(MOE, "1") && !c.is(MWR, "0")) || (c.is(MOE, "0") && !c.is(MWR, "1")))) {
    c.breaks(2, {MCS, MOE, MWR}, "MCS => (MOE=0 eta MWR=1) edo (MOE=1 eta MWR=0)");
  }
  if (c.is(MCS, "1") && (c.is(hMH1, "X") || c.is(hMH0, "X") || (c.is(hMH1, "1") && c.is(hMH0, "1"))))
    c.breaks(3, {MCS, hMH1, hMH0}, "MCS aktibatuta izanez gero hMH1hMH0ren balio posibleak: 00, 01, 10. ");
  if (c.is(MCS, "0") && (!c.is(MOE, "X") || !c.is(MWR, "X") || !c.is(hMH1, "X") || !c.is(hMH0, "X")))
    c.breaks(4, {MCS, MOE, MWR, hMH1, hMH0}, "MCS 0 izanda, MOE, MWR, hMH1 eta hMH0ren balioa: X. ");
  if (c.is(LD_EM, "1") && c.is(hMD, "X")) c.breaks(5, {LD_EM, hMD}, "LD_EM 1 bada, hMD-k ezin du X izan.");
  if (c.is(LD_EM, "1") && !c.is(hH, "X")) c.breaks(6, {LD_EM, hH}, "LD_EM 1 bada, hH-k X izan behar du.");
  if (c.is(LD_EM, "0") && !c.is(hMD, "X")) c.breaks(7, {LD_EM, hMD}, "LD_EM 0 bada, hMD-k X izan behar du.");
  if (c.is(LD_e2, "1") && c.is(hH, "X")) c.breaks(8, {LD_e2, hH}, "LD_e2 1 bada, hH-k Xren desberdina izan behar du.");
  if (c.is(LD_ual, "1") && c.is(hB, "X"))
    c.breaks(9, {LD_ual, hB}, "LD_ual 1 bada, hB-k Xren desberdina izan behar du.");
  // Sequencing.
  if (c.is(BK1, "0") && c.is(BK0, "1")) c.breaks(10, {BK1, BK0}, "BK1BK0ren balio posibleak: 00, 10 eta 11.");
  if (c.is(BK1, "0") && c.is(BK0, "0")) {
    if (c.any_j_not("X")) c.breaks(11, {BK1, BK0}, kJ, "BK1BK0=00 => J4J3J2J1J0=XXXXX");
  } else if (c.is(BK1, "1") && c.is(BK0, "0")) {
    if (c.all_j("X") || c.all_j("0"))
      c.breaks(12, {BK1, BK0}, kJ, "BK1BK0=10 => J4J3J2J1J0/=XXXXX eta J4J3J2J1J0/=00000.");
  } else if (c.is(BK1, "1") && c.is(BK0, "1")) {
    if (c.any_j_not("0")) c.breaks(13, {BK1, BK0}, kJ, "BK1BK0=11 => J4J3J2J1J0=00000.");
  }
  if ((c.is(hMH1, "1") && c.is(hMH0, "1")) || (c.is(hMH1, "X") != c.is(hMH0, "X")))
    c.breaks(14, {hMH1, hMH0}, "hMH1hMH0ren balio posibleak: XX, 00, 01, 10. ");
  if (!c.all_j("X") && std::any_of(kJ.begin(), kJ.end(), [&](int f) { return c.is(f, "X"); }))
    c.breaks(15, {}, kJ, "J4J3J2J1J0ren balioa desegokia da.");
  return c.result;
}

}  // namespace brendalo
