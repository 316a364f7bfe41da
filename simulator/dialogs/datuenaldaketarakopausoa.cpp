#include "simulator/dialogs/datuenaldaketarakopausoa.h"

#include <string>

#include "platform/forms/services.h"
#include "simulator/dialogs/choices.h"
#include "simulator/dialogs/datuenaldaketa.h"
#include "simulator/machine/tables.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  const plat::Prop bold{"FontBold", true}, button{"Style", 1}, silver{"BackColor", 0xC0C0C0};
  const plat::Prop white{"BackColor", 0xFFFFFF}, clear{"BackStyle", 0};
  return {
      {Datuenaldaketarakopausoa::kName, -1, Kind::Form, "", -1, {0, 0, 3480, 3480}, "Datuen aldaketarako pausoa",
       {{"BackColor", 0xE0E0E0}}},
      {"Label1", 0, Kind::Label, "", -1, {533, 360, 1695, 255}, "Aukeratu bektorea:", {bold, clear}},
      {"Combo1", -1, Kind::ComboBox, "", -1, {2333, 240, 615, 315}, "", {white, bold}},
      {"Label1", 1, Kind::Label, "", -1, {540, 960, 1695, 255}, "Aukeratu osagaia:", {bold, clear}},
      {"Combo2", -1, Kind::ComboBox, "", -1, {2333, 960, 615, 315}, "", {white, bold}},
      {"Command3", 0, Kind::CommandButton, "", -1, {533, 2880, 1095, 375}, "&Onartu", {button, silver}},
      {"Command3", 1, Kind::CommandButton, "", -1, {1853, 2880, 1095, 375}, "&Deuseztatu", {button, silver}},
  };
}
}  // namespace

Datuenaldaketarakopausoa::Datuenaldaketarakopausoa() : Form(kName, layout()) {
  on("Command3", plat::Event::Click, [this](plat::EventArgs& a) { Command3_Click(a.index); });
}

void Datuenaldaketarakopausoa::Form_Load() {
  ctl("Combo1").add_item("A");
  ctl("Combo1").add_item("B");
  for (int k = 0; k < kVectorLength; ++k) ctl("Combo2").add_item(std::to_string(k));
}

void Datuenaldaketarakopausoa::Command3_Click(int Index) {
  if (Index == 1) {
    plat::unload_form(kName);
    return;
  }
  // Only the listed words of A and B reach the editor: a typed text that is
  // not a list item is refused as an empty one.
  const std::string vector = Listed_choice(ctl("Combo1"));
  const std::string component = Listed_choice(ctl("Combo2"));
  if (vector.empty() || component.empty()) {
    plat::message_box("Bektore bat eta osagai bat aukeratu behar dituzu", plat::vbExclamation,
                      "Datuak aldatzen memoria nagusitik");
    return;
  }
  const int k = std::stoi(component);
  // Labelled by the component number, 0..15 in either vector.
  const int row = vector == "A" ? k + 1 : k + kVectorLength + 1;
  Open_data_change(nullptr, row, vector + "(" + component + ")");
  plat::unload_form(kName);
}

}  // namespace brendalo
