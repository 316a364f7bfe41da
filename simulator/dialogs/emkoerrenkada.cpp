#include "simulator/dialogs/emkoerrenkada.h"

#include "simulator/dialogs/datuenaldaketa.h"
#include "simulator/machine/tables.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  const plat::Prop bold{"FontBold", true}, clear{"BackStyle", 0};
  return {
      {EMkoerrenkada::kName, -1, Kind::Form, "", -1, {0, 0, 3960, 1920}, "EMko datuak", {{"BackColor", 0xE0E0E0}}},
      {"Label1", 0, Kind::Label, "", -1, {360, 240, 1095, 255}, "Erregistroa:", {bold, clear}},
      {"Label2", 0, Kind::Label, "", -1, {1320, 240, 735, 255}, "", {clear}},
      {"Label1", 1, Kind::Label, "", -1, {360, 600, 1215, 255}, "Edukia osoz:", {bold, clear}},
      // As wide as the binary label under it: nine blanks and up to six
      // characters ("-32768") show whole.
      {"Label2", 1, Kind::Label, "", -1, {1800, 600, 1815, 255}, "", {clear}},
      {"Label1", 2, Kind::Label, "", -1, {360, 960, 1455, 255}, "Edukia bitarrez:", {bold, clear}},
      {"Label2", 2, Kind::Label, "", -1, {1800, 960, 1815, 255}, "", {clear}},
      {"Onartu", -1, Kind::CommandButton, "", -1, {1080, 1320, 1335, 375}, "&Onartu",
       {{"Style", 1}, {"BackColor", 0xC0C0C0}}},
  };
}
}  // namespace

EMkoerrenkada::EMkoerrenkada() : Form(kName, layout()) {
  on("Onartu", plat::Event::Click, [this](plat::EventArgs&) { Onartu_Click(); });
}

void EMkoerrenkada::Onartu_Click() { plat::unload_form(kName); }

void EMkoerrenkada::Form_Unload(int16_t&) { Return_from_memory_dialog(openers); }

void Show_register_row(plat::Form& opener, int row) {
  EMkoerrenkada& v = plat::form<EMkoerrenkada>();
  v.openers.disable(opener);
  v.Show();
  if (row < 1 || row > kRegisters) return;
  const auto& r = machine().Register_file_text[size_t(row - 1)];
  for (int i = 0; i < 3; ++i) v.ctl("Label2", i).set_caption(r[size_t(i)]);
}

}  // namespace brendalo
