// The process-unit drawing of PU: every animated element back to its idle
// colour, and the paths the control signals of the current row open.
#include "simulator/display/display_calls.h"
#include "simulator/display/pu_window.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/tables.h"

namespace brendalo {

namespace {

void paint(const PuRow& row, bool lit) {
  PU& pu = plat::form<PU>();
  for (const PuRef& r : row.names) pu.ctl(r.name, r.index).set_back_color(lit ? kPuNameLit : kPuNameIdle);
  for (const PuRef& r : row.inputs) pu.ctl(r.name, r.index).set_back_color(lit ? kPuPortLit : kPuInputIdle);
  for (const PuRef& r : row.ports) pu.ctl(r.name, r.index).set_back_color(lit ? kPuPortLit : kPuPortIdle);
  for (const PuRef& r : row.wires) pu.ctl(r.name, r.index).set_border_color(lit ? kPuWireLit : kPuWireIdle);
}
void light(PuPath p) { paint(Pu_path(p), true); }

}  // namespace

void Reset_process_unit_diagram() {
  for (int p = 0; p < kPuPaths; ++p) paint(Pu_path(PuPath(p)), false);
}

void Highlight_process_unit_diagram() {
  const int address = engine().Micro_address;
  const auto& row = machine().Control_memory.at(size_t(address));
  // Fields 8..24 of the control word, by signal name.
  auto is = [&row](int field, const char* v) { return row[size_t(field)] == v; };
  enum { MCS = 8, MOE, MWR, hMH1, hMH0, LD_IR1, LD_IR2, LD_EM, hMD, hH, LD_e1, LD_e2, hB, LD_ual, LD_PC, LD_PCi, hD };
  using P = PuPath;

  if (is(MCS, "1")) {
    light(P::A);
    if (is(hMH1, "0") && is(hMH0, "0"))
      light(P::B1);
    else if (is(hMH1, "0") && is(hMH0, "1"))
      light(P::B2);
    else if (is(hMH1, "1") && is(hMH0, "0"))
      light(P::B3);
    if (is(MOE, "1"))
      light(P::C1);
    else if (is(MWR, "1"))
      light(P::C2);
  }
  if (is(LD_IR1, "1"))
    light(P::D1);
  else if (is(LD_IR2, "1"))
    light(P::D2);
  if (is(LD_EM, "1")) {
    light(P::E);
    if (is(hMD, "0"))
      light(P::E0);
    else if (is(hMD, "1"))
      light(P::E1);
  } else if (is(LD_EM, "0")) {
    // The read ports count only while nothing is written.
    if (is(LD_e1, "1")) light(P::F);
    if (is(LD_e2, "1")) {
      light(P::G);
      if (is(hH, "0"))
        light(P::G0);
      else if (is(hH, "1"))
        light(P::G1);
    }
  }
  if (is(LD_ual, "1")) {
    light(P::H);
    if (is(hB, "0"))
      light(P::H0);
    else if (is(hB, "1"))
      light(P::H1);
  }
  if (is(LD_PC, "1")) light(P::J);
  if (is(LD_PCi, "1")) light(P::K);
  if (is(hD, "0") || is(hD, "1")) {
    light(P::L);
    light(is(hD, "0") ? P::L0 : P::L1);
  }
  if (address == 2) light(P::M);
}

}  // namespace brendalo
