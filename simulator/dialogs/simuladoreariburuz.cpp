#include "simulator/dialogs/simuladoreariburuz.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  const plat::Prop clear{"BackStyle", 0};
  return {
      {Simuladoreariburuz::kName, -1, Kind::Form, "", -1, {0, 0, 6960, 3960}, "Simuladoreari buruz",
       {{"BackColor", 0xE0E0E0}}},
      {"Label1", -1, Kind::Label, "", -1, {240, 240, 6480, 495},
       "     ZELT MAKINAKO KONTROL UNITATE MIKROPROGRAMATUAREN SIMULADOREA", {{"FontBold", true}, clear}},
      {"Image1", -1, Kind::Image, "", -1, {360, 960, 1800, 1500}, ":/brendalo/pu.png", {{"Stretch", true}}},
      {"Label3", 0, Kind::Label, "", -1, {2640, 1080, 3015, 255}, "2.0 Bertsioa", {{"FontBold", true}, clear}},
      {"Label3", 1, Kind::Label, "", -1, {2640, 1440, 3015, 255}, "2005/2006", {clear}},
      {"Label2", -1, Kind::Label, "", -1, {2640, 1800, 4080, 735},
       "Kontrol unitate mikroprogramatu baten funtzionamendua urratsez urrats ikasteko simuladorea.", {clear}},
      {"Command1", -1, Kind::CommandButton, "", -1, {2880, 3120, 1215, 375}, "&Onartu", {}},
  };
}
}  // namespace

Simuladoreariburuz::Simuladoreariburuz() : Form(kName, layout()) {
  on("Command1", plat::Event::Click, [this](plat::EventArgs&) { Command1_Click(); });
}

void Simuladoreariburuz::Command1_Click() { plat::unload_form(kName); }

}  // namespace brendalo
