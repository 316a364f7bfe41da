#include "simulator/dialogs/bereizmena.h"

#include "platform/forms/hosted.h"
#include "platform/forms/services.h"
#include "simulator/dialogs/abiarazi.h"
#include "simulator/dialogs/bereizmen_zerrenda.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

namespace {

using plat::Kind;
constexpr plat::com::DispId kDepth = 0x68030000, kHeight = 0x68030001, kWidth = 0x68030002, kSetMode = 0x6003000B;
constexpr const char* kTitle = "Arazoa bereizmenarekin";

std::vector<plat::ControlDef> layout() {
  return {
      {"Bereizmena", -1, Kind::Form, "", -1, {0, 0, 5400, 1200}, "Bereizmena", {{"BackColor", 0xE0E0E0}}},
      {"Label1", -1, Kind::Label, "", -1, {240, 360, 4920, 495}, "Pantailaren bereizmena aldatzen ...",
       {{"BackColor", 0xE0E0E0}, {"FontBold", true}}},
      {"Timer1", -1, Kind::Timer, "", -1, {}, "", {{"Interval", 55}, {"Enabled", false}}},
      {"Timer2", -1, Kind::Timer, "", -1, {}, "", {{"Interval", 2250}, {"Enabled", false}}},
      {"Bereizmena1", -1, Kind::Hosted, "", -1, {0, 0, 480, 480}, "Pantalla.Resolucion", {{"Visible", false}}},
  };
}

}  // namespace

Bereizmena::Bereizmena() : Form(kName, layout()) {
  on("Timer1", plat::Event::Timer, [this](plat::EventArgs&) { Timer1_Timer(); });
  on("Timer2", plat::Event::Timer, [this](plat::EventArgs&) { Timer2_Timer(); });
}

void Bereizmena::Form_Load() {
  // The main window is loaded only by the second loading step.
  Nagusia::Bereizmena_aldatua = 0;
  if (!Find_display_mode(1024, 768, 16)) {
    plat::message_box("Zure ordenagailuak ez du 1024x768x16 bereizmena simuladorearen funtzionamendua egokia izan dadin",
                      plat::vbExclamation, kTitle);
    plat::message_box("1024x768x16 bereizmena duen ordenagailu batean saiatu instalatzen aplikazioa",
                      plat::vbExclamation, kTitle);
    plat::end_program();
    return;
  }
  plat::com::Dispatch& screen = plat::object(ctl("Bereizmena1"));
  const int32_t width = screen.get(kWidth).to_i4();
  const int32_t height = screen.get(kHeight).to_i4();
  if (width == 1024 && height == 768) {
    Hide();
    plat::form<Abiarazi>().Show();
    return;
  }
  h = plat::com::Variant(width);
  b = plat::com::Variant(height);
  bk = plat::com::Variant(screen.get(kDepth).to_i4());
  ctl("Timer1").set_enabled(true);
  ctl("Timer2").set_enabled(true);
  Show();
}

// It shows only while Timer2 waits to switch the mode: closed then, nothing
// else would ever show.
void Bereizmena::Form_Unload(int16_t&) {
  if (!plat::ending() && ctl("Timer2").enabled()) Exit_program();
}

void Bereizmena::Timer1_Timer() {
  plat::Control& l = ctl("Label1");
  l.set_caption(l.caption() + ".");
}

void Bereizmena::Timer2_Timer() {
  ctl("Timer1").set_enabled(false);
  ctl("Timer2").set_enabled(false);
  plat::object(ctl("Bereizmena1")).call(kSetMode, {plat::com::Variant::i2(1024), plat::com::Variant::i2(768),
                                                   plat::com::Variant::i2(16)});
  Nagusia::Bereizmena_aldatua = -1;
  Hide();
  plat::form<Abiarazi>().Show();
}

void Restore_display_mode() {
  auto* f = static_cast<Bereizmena*>(plat::loaded_form(Bereizmena::kName));
  if (!f || f->h.is_empty()) return;
  plat::com::Dispatch* screen = plat::component(f->ctl("Bereizmena1"));
  if (!screen) return;
  screen->call(kSetMode, {plat::com::Variant::i2(int16_t(f->h.to_i4())), plat::com::Variant::i2(int16_t(f->b.to_i4())),
                          plat::com::Variant::i2(int16_t(f->bk.to_i4()))});
}

}  // namespace brendalo
