#include "simulator/dialogs/zaukeratu.h"

#include "platform/forms/services.h"
#include "simulator/dialogs/choices.h"
#include "simulator/engine/variables.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  const plat::Prop panel{"BackColor", 0xFFC0C0};
  return {
      {Zaukeratu::kName, -1, Kind::Form, "", -1, {0, 0, 3960, 2280}, "Z balioaren aukeraketa", {{"BorderStyle", 0}}},
      {"Frame1", -1, Kind::Frame, "", -1, {120, 60, 3720, 2100}, "", {}},
      {"Label1", 0, Kind::Label, "Frame1", -1, {120, 240, 3480, 495}, "", {panel}},
      {"Label1", 1, Kind::Label, "Frame1", -1, {240, 360, 3255, 255}, "Z-ren balioa aukeratu:",
       {panel, {"FontBold", true}}},
      {"Line1", -1, Kind::Line, "Frame1", -1, {120, 840, 3600, 840}, "", {}},
      {"Line2", -1, Kind::Line, "Frame1", -1, {120, 1620, 3600, 1620}, "", {}},
      {"Line3", -1, Kind::Line, "Frame1", -1, {120, 840, 120, 1620}, "", {}},
      {"Line4", -1, Kind::Line, "Frame1", -1, {3600, 840, 3600, 1620}, "", {}},
      {"Combo1", -1, Kind::ComboBox, "Frame1", -1, {1440, 1020, 855, 315}, "", {}},
      {"Command1", -1, Kind::CommandButton, "Frame1", -1, {1200, 1680, 1215, 375}, "&Onartu", {}},
  };
}
}  // namespace

Zaukeratu::Zaukeratu() : Form(kName, layout()) {
  on("Command1", plat::Event::Click, [this](plat::EventArgs&) { Command1_Click(); });
}

void Zaukeratu::Form_Load() {
  ctl("Combo1").add_item("0");
  ctl("Combo1").add_item("1");
}

void Zaukeratu::Command1_Click() {
  const std::string z = Listed_choice(ctl("Combo1"));
  if (z.empty()) {
    // Z is a bit: anything but "0" and "1" is refused and the question stays.
    plat::message_box("Z-rentzako balio bat aukeratu behar duzu.", plat::vbInformation, "Arazoak agindua simulatzean");
    return;
  }
  engine().Z_value = z;
  engine().Dialog_answered = kFlagTrue;
  may_close_ = true;
  plat::unload_form(kName);
}

void Zaukeratu::Form_Unload(int16_t& Cancel) {
  if (!may_close_ && !plat::ending()) Cancel = 1;
}

void Show_z_dialog() { plat::form<Zaukeratu>().Show(); }

}  // namespace brendalo
