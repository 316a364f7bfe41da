#include "simulator/dialogs/datuenaldaketa.h"

#include <string>

#include "platform/forms/services.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/example_listing.h"
#include "simulator/mainwindow/grid_guards.h"
#include "simulator/mainwindow/nagusia.h"
#include "simulator/mainwindow/table_guard.h"

namespace brendalo {

namespace {
constexpr const char* kNotLoaded = "Programa adibidea MNan kargatuta ez dagoenez, MNko datuak ezin dira aldatu.";

std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  const plat::Prop button{"Style", 1}, silver{"BackColor", 0xC0C0C0};
  std::vector<plat::ControlDef> rows = {
      {Datuenaldaketa::kName, -1, Kind::Form, "", -1, {0, 0, 5880, 2880}, "Datuen aldaketa", {{"BackColor", 0xE0E0E0}}},
      {"Label2", -1, Kind::Label, "", -1, {480, 840, 735, 375}, "A(0)",
       {{"FontBold", true}, {"FontSize", 12.0}, {"BackStyle", 0}}},
  };
  for (int j = 0; j < kWordBits; ++j)
    rows.push_back({"Command1", j, Kind::CommandButton, "", -1, {1200 + 240 * j, 360, 255, 255}, "0", {button, silver}});
  for (int j = 0; j < kWordBits; ++j)
    rows.push_back({"Text1", j, Kind::TextBox, "", -1, {1200 + 240 * j, 840, 255, 285}, "",
                    {{"Enabled", false}, {"Locked", true}, {"Alignment", 2}, {"BackColor", 0xFFFFFF}}});
  rows.push_back({"Label1", 0, Kind::Label, "", -1, {1200, 1200, 4215, 255},
                  "15  14 13  12 11 10  9    8   7    6   5   4   3    2   1    0", {{"BackStyle", 0}}});
  for (int j = 0; j < kWordBits; ++j)
    rows.push_back({"Command2", j, Kind::CommandButton, "", -1, {1200 + 240 * j, 1560, 255, 255}, "1", {button, silver}});
  rows.push_back({"Command3", 0, Kind::CommandButton, "", -1, {1665, 2280, 1335, 375}, "&Onartu", {button, silver}});
  rows.push_back({"Command3", 1, Kind::CommandButton, "", -1, {3105, 2280, 1335, 375}, "&Deuseztatu", {button, silver}});
  return rows;
}
}  // namespace

Datuenaldaketa::Datuenaldaketa() : Form(kName, layout()) {
  using plat::EventArgs;
  on("Command1", plat::Event::Click, [this](EventArgs& a) { Command1_Click(a.index); });
  on("Command2", plat::Event::Click, [this](EventArgs& a) { Command2_Click(a.index); });
  on("Command3", plat::Event::Click, [this](EventArgs& a) { Command3_Click(a.index); });
}

void Datuenaldaketa::Command1_Click(int Index) { ctl("Text1", Index).set_text("0"); }
void Datuenaldaketa::Command2_Click(int Index) { ctl("Text1", Index).set_text("1"); }

void Datuenaldaketa::Command3_Click(int Index) {
  const int row = Selected_memory_row;
  // Only the words of vectors A and B are changed here.
  if (Index == 1 || row < 1 || row > 2 * kVectorLength) {
    plat::unload_form(kName);
    return;
  }
  // A run reads A and B as it goes: a word changes only between runs. The
  // editor stays open, so the change can be accepted once the run is over.
  if (Table_change_refused(Table::Main_memory)) return;
  // The data of A and B belong to the example in main memory: unloaded, it
  // has none to change, and its next loading sets them from the built-in words.
  if (!engine().Example_loaded) {
    plat::message_box(kNotLoaded, plat::vbCritical, kGuardRefusals[4].title);  // the memory refusals' title
    return;
  }
  set_mouse_pointer(11);
  auto& bits = machine().Main_memory_bits[size_t(row - 1)];
  std::string t(5, ' ');
  for (int j = 0; j < kWordBits; ++j) {
    const std::string box = ctl("Text1", j).text();
    bits[size_t(j)] = box == "0" ? 0 : 1;
    t += box;
    if (j == 3 || j == 7 || j == 11) t += "   ";
  }
  machine().Main_memory_text[size_t(row - 1)] = t;
  Fill_example_program_grid();
  Fill_example_program_memory_window();
  set_mouse_pointer(0);
  plat::unload_form(kName);
}

void Datuenaldaketa::Form_Unload(int16_t&) { Return_from_memory_dialog(openers); }

void Return_from_memory_dialog(Openers& openers) {
  const char* back = Came_from_memory_view ? MNetaEM::kName : Nagusia::kName;
  Came_from_memory_view = kFlagFalse;
  openers.return_to(back);
}

void Open_data_change(plat::Form* opener, int row, const std::string& name) {
  Selected_memory_row = int16_t(row);
  Datuenaldaketa& d = plat::form<Datuenaldaketa>();
  if (opener) d.openers.disable(*opener);
  d.ctl("Label2").set_caption(name);
  const auto& bits = machine().Main_memory_bits[size_t(row - 1)];
  for (int j = 0; j < kWordBits; ++j) d.ctl("Text1", j).set_text(bits[size_t(j)] != 0 ? "1" : "0");
  d.Show();
}

}  // namespace brendalo
