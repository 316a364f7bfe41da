#include "simulator/dialogs/galdera.h"

#include <string>

#include "simulator/dialogs/birprogramatumikroagindua.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  const plat::Prop button{"Style", 1}, silver{"BackColor", 0xC0C0C0};
  return {
      {Galdera::kName, -1, Kind::Form, "", -1, {0, 0, 4680, 1800}, "Mikroprograma birprogramatzen",
       {{"BackColor", 0xE0E0E0}}},
      {"Label1", -1, Kind::Label, "", -1, {240, 360, 4200, 255}, Galdera::kQuestion,
       {{"FontBold", true}, {"Alignment", 2}, {"BackStyle", 0}}},
      {"Command1", 0, Kind::CommandButton, "", -1, {840, 1080, 1215, 375}, "&Bai", {button, silver}},
      {"Command1", 1, Kind::CommandButton, "", -1, {2640, 1080, 1215, 375}, "&Ez", {button, silver}},
  };
}
}  // namespace

Galdera::Galdera() : Form(kName, layout()) {
  on("Command1", plat::Event::Click, [this](plat::EventArgs& a) { Command1_Click(a.index); });
}

void Galdera::Command1_Click(int Index) {
  const int row = Selected_microinstruction_row;
  if (Index == 0 && row >= 1 && row <= kMicroinstructions + 1) {
    Birprogramatumikroagindua& editor = plat::form<Birprogramatumikroagindua>();
    editor.Load_microinstruction(row);
    plat::unload_form(kName);
    editor.Show();
    editor.set_window_state(2);
    return;
  }
  plat::unload_form(kName);
}

void Galdera::Form_Unload(int16_t&) {
  const char* back = Came_from_control_memory ? Kontrolmemoria::kName
                     : Came_from_microprogram ? Mikroprograma::kName
                                              : Nagusia::kName;
  Came_from_control_memory = Came_from_microprogram = kFlagFalse;
  openers.return_to(back);
}

void Ask_reprogramming(plat::Form* opener, int row) {
  Galdera& g = plat::form<Galdera>();
  if (opener) g.openers.disable(*opener);
  Selected_microinstruction_row = int16_t(row);
  // Labelled afresh from the question: a second opening never stacks two numbers.
  g.ctl("Label1").set_caption(std::to_string(row - 1) + " " + Galdera::kQuestion);
  g.Show();
}

}  // namespace brendalo
