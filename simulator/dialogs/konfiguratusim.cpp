#include "simulator/dialogs/konfiguratusim.h"

#include <string>

#include "simulator/engine/variables.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  const plat::Prop bold{"FontBold", true};
  return {
      {"KonfiguratuSIM", -1, Kind::Form, "", -1, {0, 0, 5160, 4200}, "Simulaziorako aukerak", {}},
      {"Frame1", 0, Kind::Frame, "", -1, {240, 120, 4680, 855}, "Simulazioaren abiadura", {bold}},
      {"Label1", 0, Kind::Label, "Frame1", 0, {240, 360, 1215, 255}, "Erloju zikloa:", {}},
      {"Combo1", 0, Kind::ComboBox, "Frame1", 0, {1560, 315, 855, 315}, "", {}},
      {"Label1", 1, Kind::Label, "Frame1", 0, {2520, 360, 735, 255}, "segundo", {}},
      {"Frame1", 1, Kind::Frame, "", -1, {240, 1080, 4680, 1335}, "Simulazio mota", {bold}},
      {"Option1", 8, Kind::OptionButton, "Frame1", 1, {240, 300, 2175, 255}, "Jarraia", {}},
      {"Option1", 7, Kind::OptionButton, "Frame1", 1, {240, 600, 2175, 255}, "Zikloz ziklo", {}},
      {"Option1", 6, Kind::OptionButton, "Frame1", 1, {240, 900, 2175, 255}, "Pausoz pauso", {}},
      {"Frame1", 2, Kind::Frame, "", -1, {240, 2520, 4680, 735}, "Simulazio aurreratua", {bold}},
      {"Check2", -1, Kind::CheckBox, "Frame1", 2, {240, 300, 2775, 255}, "Zren balioa jakinarazi", {}},
      {"Command1", -1, Kind::CommandButton, "", -1, {1920, 3480, 1215, 375}, "&Onartu", {}},
  };
}
}  // namespace

KonfiguratuSIM::KonfiguratuSIM() : Form(kName, layout()) {}

void KonfiguratuSIM::Form_Load() {
  plat::Control& periods = ctl("Combo1", 0);
  periods.clear_items();
  for (int p = kMinClk1Period; p <= kMaxClk1Period; ++p) periods.add_item(std::to_string(p));
  periods.set_text(engine().Clk1_period_text);
}

}  // namespace brendalo
