#include "simulator/engine/status_texts.h"

#include "platform/comctl/comctl.h"
#include "simulator/dialogs/birprogramatumikroagindua.h"
#include "simulator/dialogs/laguntza_edukia.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/display/aginduenformatua.h"
#include "simulator/display/asm_window.h"
#include "simulator/display/pu_window.h"
#include "simulator/engine/variables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

plat::Form& Status_window(StatusWindow w) {
  switch (w) {
    case StatusWindow::Nagusia: return plat::form<Nagusia>();
    case StatusWindow::ASM: return plat::form<ASM>();
    case StatusWindow::PU: return plat::form<PU>();
    case StatusWindow::MNetaEM: return plat::form<MNetaEM>();
    case StatusWindow::Aginduenformatua: return plat::form<Aginduenformatua>();
    case StatusWindow::Birprogramatumikroagindua: return plat::form<Birprogramatumikroagindua>();
    case StatusWindow::Laguntza_edukia: return plat::form<Laguntza_edukia>();
  }
  return plat::form<Nagusia>();
}

void Set_status_panel_of(StatusWindow w, int panel, const std::string& text) {
  // Reached first: a window loaded here starts with the texts kept so far.
  plat::Control& bar = Status_window(w).ctl("StatusBar1");
  if (panel >= 1 && panel <= int(engine().Status_texts.size())) engine().Status_texts[size_t(panel - 1)] = text;
  plat::set_panel_text(bar, panel, text);
}

void Set_status_panel(int panel, const std::string& text, const std::array<StatusWindow, 7>& order) {
  for (StatusWindow w : order) Set_status_panel_of(w, panel, text);
}

void Set_status_texts(const std::string& code, const std::string& instruction) {
  Set_status_panel(2, code);
  Set_status_panel(3, instruction);
}

plat::ControlDef status_bar_def(int client_width, int client_height, int panels) {
  std::vector<plat::Prop> props = {{"Panels.Count", panels}};
  const int widths[] = {2400, 1200, 4200, 2400, 900, 1500};
  const auto& texts = engine().Status_texts;
  for (int i = 1; i <= panels; ++i) {
    const std::string panel = "Panels(" + std::to_string(i) + ").";
    props.push_back({panel + "Width", widths[(i - 1) % 6]});
    if (i <= int(texts.size())) props.push_back({panel + "Text", texts[size_t(i - 1)]});
  }
  return {"StatusBar1", -1, plat::Kind::StatusBar, "", -1, {0, client_height - 315, client_width, 315}, "", props};
}

std::vector<plat::ControlDef> status_window_layout(const char* name, const char* caption, int width, int height) {
  return {
      {name, -1, plat::Kind::Form, "", -1, {0, 0, width, height}, caption, {}},
      status_bar_def(width, height),
  };
}

}  // namespace brendalo
