#include "simulator/dialogs/ademaitza.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  const plat::Prop bold{"FontBold", true};
  std::vector<plat::ControlDef> rows = {
      {Ademaitza::kName, -1, Kind::Form, "", -1, {0, 0, 6000, 6720}, "Programa adibidearen simulazioaren emaitza", {}},
      {"Label1", 3, Kind::Label, "", -1, {360, 120, 1455, 255}, "A BEKTOREA", {bold}},
      {"Label1", 4, Kind::Label, "", -1, {2160, 120, 1455, 255}, "B BEKTOREA", {bold}},
      {"Label1", 5, Kind::Label, "", -1, {3960, 120, 1455, 255}, "C BEKTOREA", {bold}},
      {"Label2", 2, Kind::Label, "", -1, {1860, 2880, 255, 255}, "+", {bold}},
      {"Label2", 1, Kind::Label, "", -1, {3660, 2880, 255, 255}, "=", {bold}},
  };
  struct Column {
    const char* name;
    int left;
    int back;
  };
  for (const Column& c : {Column{"Text4", 360, 0xC0FFFF}, {"Text5", 2160, 0xC0FFFF}, {"Text6", 3960, 0xC0E0FF}})
    for (int i = 0; i < 16; ++i)
      rows.push_back({c.name, i, Kind::TextBox, "", -1, {c.left, 480 + 330 * i, 1455, 285}, "",
                      {{"BackColor", c.back}, {"Alignment", 1}}});
  rows.push_back({"Command1", -1, Kind::CommandButton, "", -1, {2280, 6000, 1215, 375}, "&Onartu", {}});
  return rows;
}
}  // namespace

Ademaitza::Ademaitza() : Form(kName, layout()) {
  on("Command1", plat::Event::Click, [this](plat::EventArgs&) { Command1_Click(); });
}

void Ademaitza::Command1_Click() { plat::unload_form(kName); }

}  // namespace brendalo
