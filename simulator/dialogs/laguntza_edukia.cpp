#include "simulator/dialogs/laguntza_edukia.h"

#include <algorithm>
#include <string>

#include "platform/browser/browser.h"
#include "platform/forms/services.h"
#include "simulator/engine/status_texts.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  auto rows = status_window_layout(Laguntza_edukia::kName, "Laguntza");
  const plat::Box client = rows.front().box;
  rows.insert(rows.begin() + 1, plat::ControlDef{"WebBrowser1", -1, plat::Kind::WebBrowser, "", -1,
                                                 {0, 0, client.width, client.height - 315}, "", {}});
  return rows;
}
}  // namespace

Laguntza_edukia::Laguntza_edukia() : Form(kName, layout()) {
  // The browser fills the window above its status bar.
  on("Form", plat::Event::Resize, [this](plat::EventArgs&) {
    plat::Control& b = ctl("WebBrowser1");
    b.set("Width", int(self().get("ScaleWidth").to_int()));
    b.set("Height", std::max(0, int(self().get("ScaleHeight").to_int()) - 315));
  });
}

void Laguntza_edukia::Form_Load() {
  set_mouse_pointer(11);
  set_window_state(2);
  guide_shown_ = show_guide();
  // The wait pointer lasts only while the guide loads.
  set_mouse_pointer(0);
}

bool Laguntza_edukia::show_guide() {
  return plat::navigate(ctl("WebBrowser1"), plat::program_folder() + "/" + kUserGuideFile);
}

void Open_help_window() {
  const bool was_loaded = plat::is_loaded<Laguntza_edukia>();
  Laguntza_edukia& w = plat::form<Laguntza_edukia>();
  if (was_loaded && !w.guide_shown_) {
    w.set_mouse_pointer(11);
    w.guide_shown_ = w.show_guide();
    w.set_mouse_pointer(0);
  }
  if (!w.guide_shown_) {
    plat::message_box("Ezin da laguntza bistaratu. Ziurtatu 'ErabiltzaileGida.htm' fitxategia eta bere karpeta guztiak " +
                      plat::program_folder() + "-en daudela.");
  }
  w.Show();
  w.set_window_state(2);
}

}  // namespace brendalo
