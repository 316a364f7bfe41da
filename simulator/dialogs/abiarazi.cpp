#include "simulator/dialogs/abiarazi.h"

#include <cmath>

#include "platform/forms/services.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

namespace {

using plat::Kind;
constexpr int kBack = 0xE0E0E0, kBlue = 0xFF0000;
constexpr int64_t kButtonText = 0x80000012;

std::vector<plat::ControlDef> layout() {
  auto text = [](const char* name, int index, plat::Box box, const char* caption, std::vector<plat::Prop> extra = {}) {
    std::vector<plat::Prop> p = {{"BackColor", kBack}, {"Alignment", 2}};
    for (auto& e : extra) p.push_back(e);
    return plat::ControlDef{name, index, Kind::Label, "", -1, box, caption, p};
  };
  return {
      {"Abiarazi", -1, Kind::Form, "", -1, {0, 0, 7200, 5280}, "Berria", {{"BackColor", kBack}}},
      {"Shape1", -1, Kind::Shape, "", -1, {120, 120, 6960, 5040}, "", {{"BorderWidth", 2}}},
      {"Line1", -1, Kind::Line, "", -1, {360, 1080, 6840, 1080}, "", {}},
      {"Line2", -1, Kind::Line, "", -1, {360, 1140, 6840, 1140}, "", {}},
      {"Line3", -1, Kind::Line, "", -1, {360, 4140, 6840, 4140}, "", {}},
      {"Line4", -1, Kind::Line, "", -1, {360, 4200, 6840, 4200}, "", {}},
      text("Label3", 0, {360, 360, 6480, 615}, "ZELT MAKINAKO KU MIKROPROGRAMATUAREN SIMULADOREA",
           {{"FontBold", true}, {"FontSize", 12.0}}),
      {"Image1", -1, Kind::Image, "", -1, {2880, 1320, 1440, 1200}, ":/brendalo/pu.png", {{"Stretch", true}}},
      text("Label1", -1, {360, 2640, 6480, 285}, "KARRERA BUKAERAKO PROIEKTUA", {{"FontBold", true}}),
      text("Label2", 0, {360, 3000, 6480, 255}, "Zuzendaria: informatika fakultateko irakaslea"),
      text("Label2", 2, {360, 3300, 6480, 255}, "Egilea: karrera bukaerako proiektuaren ikaslea"),
      text("Label5", 1, {1200, 3660, 2400, 285}, "* Euskerazko bertsioa", {{"ForeColor", kButtonText}, {"Alignment", 0}}),
      text("Label6", 2, {3960, 3660, 2400, 285}, "* Gaztelerazko bertsioa",
           {{"ForeColor", kButtonText}, {"Alignment", 0}}),
      text("Label4", -1, {360, 3660, 6480, 285}, "--------------APLIKAZIOA  ABIARAZTEN------------",
           {{"Visible", false}, {"FontBold", true}}),
      {"ProgressBar1", -1, Kind::ProgressBar, "", -1, {600, 4440, 6000, 255}, "", {{"Visible", false}}},
      {"Timer3", -1, Kind::Timer, "", -1, {}, "", {{"Interval", 1000}, {"Enabled", false}}},
  };
}

}  // namespace

Abiarazi::Abiarazi() : Form(kName, layout()) {
  on("Label5", plat::Event::MouseMove, [this](plat::EventArgs&) { Language_label_MouseMove(true); });
  on("Label6", plat::Event::MouseMove, [this](plat::EventArgs&) { Language_label_MouseMove(false); });
  on("Form", plat::Event::MouseMove, [this](plat::EventArgs&) {
    ctl("Label5", 1).set_fore_color(uint32_t(kButtonText));
    ctl("Label6", 2).set_fore_color(uint32_t(kButtonText));
  });
  auto click = [this](plat::EventArgs&) {
    if (!abiarazten) Aplikazioa_abiarazi();
  };
  on("Label5", plat::Event::Click, click);
  on("Label6", plat::Event::Click, click);
  on("Timer3", plat::Event::Timer, [this](plat::EventArgs&) { Timer3_Timer(); });
}

void Abiarazi::Form_Load() {
  abiarazten = 0;
  abiarazin = -1;
}

// Only the close box unloads the window before its loading has ended (the
// last step clears both flags first). Without the splash nothing would show
// again and the program would go on with no window.
void Abiarazi::Form_Unload(int16_t& Cancel) {
  if (plat::ending()) return;
  if (abiarazten) {
    Cancel = 1;
  } else if (abiarazin) {
    Exit_program();
  }
}

void Abiarazi::Language_label_MouseMove(bool basque) {
  if (abiarazten) return;
  ctl("Label5", 1).set_fore_color(basque ? uint32_t(kBlue) : uint32_t(kButtonText));
  ctl("Label6", 2).set_fore_color(basque ? uint32_t(kButtonText) : uint32_t(kBlue));
}

void Abiarazi::Aplikazioa_abiarazi() {
  set_mouse_pointer(11);
  abiarazten = -1;
  ctl("Label3", 0).set_fore_color(kBlue);
  ctl("Label5", 1).set_visible(false);
  ctl("Label6", 2).set_visible(false);
  ctl("Label4").set_visible(true);
  ctl("ProgressBar1").set_visible(true);
  set_value(2);
  step_ = 0;
  ctl("Timer3").set_enabled(true);
}

void Abiarazi::Timer3_Timer() {
  ctl("Timer3").set_enabled(false);
  Balioa = int16_t(std::nearbyint(value()));
  switch (step_) {
    case 0:
      set_value(Balioa + 2);
      Load_microprogram_text();
      break;
    case 1:
      set_value(Balioa + 2);
      Show_microprogram_main();
      set_value(Balioa + 2);
      Show_microprogram_window();
      break;
    case 2:
      set_value(Balioa + 2);
      Load_control_memory();
      break;
    case 3:
      set_value(Balioa + 2);
      Show_control_memory_main();
      Balioa = int16_t(std::nearbyint(value()));
      set_value(Balioa + 6);
      Balioa = int16_t(std::nearbyint(value()));
      Show_control_memory_window();
      set_value(Balioa + 6);
      break;
    case 4:
      set_value(Balioa + 6);
      Reset_register_file_text();
      break;
    case 5:
      set_value(Balioa + 6);
      Load_main_memory_data();
      break;
    case 6:
      set_value(Balioa + 4);
      Show_registers_main();
      set_value(Balioa + 4);
      Show_registers_window();
      break;
    case 7:
      set_value(Balioa + 6);
      Show_main_memory_main();
      Show_main_memory_window();
      set_value(Balioa + 8);
      break;
    default:
      abiarazten = 0;
      abiarazin = 0;
      plat::unload_form(kName);
      plat::form<Nagusia>().Show();
      return;
  }
  ++step_;
  ctl("Timer3").set_enabled(true);
}

}  // namespace brendalo
