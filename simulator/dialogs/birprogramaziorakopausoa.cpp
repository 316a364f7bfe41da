#include "simulator/dialogs/birprogramaziorakopausoa.h"

#include <string>

#include "platform/forms/services.h"
#include "simulator/dialogs/choices.h"
#include "simulator/dialogs/galdera.h"
#include "simulator/machine/tables.h"

namespace brendalo {

namespace {
constexpr int kFirstChangeable = 3;

std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  const plat::Prop button{"Style", 1}, silver{"BackColor", 0xC0C0C0}, bold{"FontBold", true};
  return {
      {Birprogramaziorakopausoa::kName, -1, Kind::Form, "", -1, {0, 0, 4080, 2160}, "Birprogamaziorako pausoa",
       {{"BackColor", 0xE0E0E0}}},
      {"Label1", -1, Kind::Label, "", -1, {360, 480, 2055, 255}, "Aukeratu mikroagindua:", {bold, {"BackStyle", 0}}},
      {"Combo1", -1, Kind::ComboBox, "", -1, {2520, 420, 855, 315}, "", {bold, {"BackColor", 0xFFFFFF}}},
      {"Command3", 0, Kind::CommandButton, "", -1, {480, 1320, 1335, 375}, "&Onartu", {button, silver}},
      {"Command3", 1, Kind::CommandButton, "", -1, {2160, 1320, 1335, 375}, "&Deuseztatu", {button, silver}},
  };
}
}  // namespace

Birprogramaziorakopausoa::Birprogramaziorakopausoa() : Form(kName, layout()) {
  on("Command3", plat::Event::Click, [this](plat::EventArgs& a) { Command3_Click(a.index); });
}

void Birprogramaziorakopausoa::Form_Load() {
  plat::Control& list = ctl("Combo1");
  for (int n = kFirstChangeable; n < kMicroinstructions; ++n) list.add_item(std::to_string(n));
}

void Birprogramaziorakopausoa::Command3_Click(int Index) {
  if (Index == 1) {
    plat::unload_form(kName);
    return;
  }
  // Only a listed micro-address is taken: a typed text could otherwise reach
  // the fetch and decode microinstructions or a row the control memory lacks.
  const std::string text = Listed_choice(ctl("Combo1"));
  if (text.empty()) {
    plat::message_box("Mikroagindua aukeratu behar duzu", plat::vbExclamation, "Birprogramazioa");
    return;
  }
  set_enabled(false);
  Ask_reprogramming(nullptr, std::stoi(text) + 1);
  plat::unload_form(kName);
}

}  // namespace brendalo
