#include "simulator/dialogs/konfiguratusim.h"

#include <string>

#include "platform/forms/services.h"
#include "simulator/dialogs/choices.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/mainwindow/nagusia.h"

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

// The mode items of the main window and the option buttons that mirror them.
struct ModeItem {
  const char* item;
  int option;
};
constexpr ModeItem kModes[3] = {{"Simulazioa5_1", 8}, {"Simulazioa5_2", 7}, {"Simulazioa5_3", 6}};

plat::Control& main_item(const char* name) {
  Nagusia& m = plat::form<Nagusia>();
  return m.ctl(name, m.indices(name).empty() ? -1 : m.indices(name).front());
}

// The order in which the options write the period into the seven status bars.
constexpr std::array<StatusWindow, 7> kPeriodOrder = {
    StatusWindow::Nagusia,          StatusWindow::PU,
    StatusWindow::ASM,              StatusWindow::MNetaEM,
    StatusWindow::Aginduenformatua, StatusWindow::Birprogramatumikroagindua,
    StatusWindow::Laguntza_edukia};
}  // namespace

KonfiguratuSIM::KonfiguratuSIM() : Form(kName, layout()) {
  on("Command1", plat::Event::Click, [this](plat::EventArgs&) { Command1_Click(); });
}

void KonfiguratuSIM::Form_Load() {
  plat::Control& periods = ctl("Combo1", 0);
  periods.clear_items();
  for (int p = kMinClk1Period; p <= kMaxClk1Period; ++p) periods.add_item(std::to_string(p));
  show_settings();
}

// The controls from the settings in use: period, the mode the main window's
// mode menu has checked, and the Z option.
void KonfiguratuSIM::show_settings() {
  ctl("Combo1", 0).set_text(engine().Clk1_period_text);
  // While the main window is loading it has no mode checked yet; the options load with it.
  if (plat::Form* m = plat::loaded_form(Nagusia::kName); m && m->loaded()) {
    for (const ModeItem& mode : kModes)
      if (main_item(mode.item).get("Checked").to_bool())
        for (const ModeItem& o : kModes) ctl("Option1", o.option).set_value(o.option == mode.option);
  }
  ctl("Check2").set_value(engine().Report_z_value ? 1 : 0);
}

void KonfiguratuSIM::Command1_Click() {
  // Only a listed period is taken: a typed text that is not one is refused.
  const std::string period = Listed_choice(ctl("Combo1", 0));
  if (period.empty()) {
    plat::message_box("Erloju zikloak 3 eta 59 segundo bitartekoa izan behar du.", plat::vbExclamation,
                      "Simulaziorako aukerak");
    return;
  }
  EngineState& e = engine();
  e.Clk1_period_text = period;
  Set_status_panel(5, period + "''", kPeriodOrder);
  Update_phase_delay();
  main_item("Simulazioa6").set("Checked", period == "3");
  main_item("Simulazioa7").set("Checked", period == "20");
  const int64_t z = ctl("Check2").value();
  if (z == 0 || z == 1) e.Report_z_value = to_flag(z == 1);  // a greyed box keeps the setting
  e.Mode_continuous = e.Mode_cycle_by_cycle = false;
  e.Mode_step_by_step = kFlagFalse;
  for (const ModeItem& mode : kModes) main_item(mode.item).set("Checked", false);
  Nagusia& m = plat::form<Nagusia>();
  plat::Control& clk1 = m.ctl("Command3", 0);
  plat::Control& clk2 = m.ctl("Command3", 1);
  clk1.set_visible(false);
  clk2.set_visible(false);
  if (ctl("Option1", 8).value()) {
    e.Mode_continuous = true;
    main_item("Simulazioa5_1").set("Checked", true);
  } else if (ctl("Option1", 7).value()) {
    e.Mode_cycle_by_cycle = true;
    main_item("Simulazioa5_2").set("Checked", true);
    clk1.set_visible(true);
  } else if (ctl("Option1", 6).value()) {
    e.Mode_step_by_step = kFlagTrue;
    main_item("Simulazioa5_3").set("Checked", true);
    clk1.set_visible(true);
    clk2.set_visible(true);
  }
  plat::unload_form(kName);
}

}  // namespace brendalo
