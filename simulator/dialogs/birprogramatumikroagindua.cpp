#include "simulator/dialogs/birprogramatumikroagindua.h"

#include <string>

#include "platform/forms/services.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"
#include "simulator/mainwindow/table_guard.h"

namespace brendalo {

using namespace field;

const std::array<Birprogramatumikroagindua::FieldButtons, 22> Birprogramatumikroagindua::kButtons = {{
    {BK1, 0, 8, -1, -1, -1},      {BK0, 7, 13, -1, -1, -1},     {J4, 5, 9, 52, -1, -1},
    {J3, 4, 10, 53, -1, -1},      {J2, 3, 11, 54, -1, -1},      {J1, 2, 14, 55, -1, -1},
    {J0, 1, 15, 56, -1, -1},      {MCS, 16, 33, -1, 8, -1},     {MOE, 17, 34, 73, 13, -1},
    {MWR, 18, 35, 72, 7, -1},     {hMH1, 19, 36, 71, 9, -1},    {hMH0, 20, 37, 70, 9, -1},
    {LD_EM, 23, 40, -1, 3, -1},   {hMD, 24, 41, 66, 5, -1},     {hH, 25, 42, 65, 4, -1},
    {LD_e1, 26, 43, -1, 1, -1},   {LD_e2, 27, 44, -1, 16, -1},  {hB, 28, 45, 62, 15, -1},
    {LD_ual, -1, 46, 61, 14, -1}, {LD_PC, 30, 47, -1, 11, -1},  {LD_PCi, 31, 48, -1, 0, 12},
    {hD, 32, 49, 58, 10, -1},
}};

namespace {

constexpr int kMarks = 17;
constexpr int kImageLeft = 240, kImageTop = 3720;
constexpr const char* kTitle = "Mikroprograma birprogramatzen";

using plat::ControlDef;
using plat::Kind;

const Birprogramatumikroagindua::FieldButtons* buttons_of_field(int f) {
  for (const auto& b : Birprogramatumikroagindua::kButtons)
    if (b.field == f) return &b;
  return nullptr;
}

// Field box and buttons of one column; x and y within `frame`.
void add_column(std::vector<ControlDef>& rows, int f, const char* frame, int frame_index, int x, int y) {
  rows.push_back({Birprogramatumikroagindua::kField, f, Kind::TextBox, frame, frame_index, {x, y, 315, 285}, "",
                  {{"Enabled", false}, {"Locked", true}, {"Alignment", 2}, {"BackColor", 0xFFFFFF}}});
  const auto* b = buttons_of_field(f);
  if (!b) return;
  const int idx[3] = {b->zero, b->one, b->x};
  const char* cap[3] = {"0", "1", "X"};
  for (int k = 0; k < 3; ++k)
    if (idx[k] >= 0)
      rows.push_back({"Command2", idx[k], Kind::CommandButton, frame, frame_index, {x, y + 360 + 300 * k, 315, 255},
                      cap[k], {{"Style", 1}, {"BackColor", 0xC0C0C0}}});
}

// The marks over the process-unit picture, in its pixels (left, top, right,
// bottom; the 3-pixel border lies inside): each outlines what its signal
// drives, 3 pixels clear of it, and crosses no text of the picture: a signal
// name that stands against its unit is taken inside the mark (hB and hMD
// reach past the picture's right edge), the border under e2, which has "ir2"
// 2 pixels below it, lies on the register's lower edge (and so under e1), and
// the names at the memory are framed in the 3 rows between them.
constexpr int kMarkBoxes[kMarks][4] = {
    {29, 69, 60, 92},      // 0 PCi (LD_PCi)
    {197, 173, 228, 187},  // 1 e1
    {91, 109, 148, 132},   // 2 ir1 and the name LD_IR1
    {233, 133, 295, 173},  // 3 EM
    {197, 133, 228, 156},  // 4 the read-address multiplexer and its name hH
    {253, 117, 302, 140},  // 5 the write-data multiplexer and its name hMD
    {177, 109, 236, 132},  // 6 ir2 and the name LD_IR2
    {181, 95, 212, 106},   // 7 the name MWR at the memory
    {165, 61, 247, 110},   // 8 MEM (MCS)
    {109, 69, 140, 100},   // 9 the address multiplexer and its name hMH
    {0, 5, 76, 68},        // 10 the adder and its two multiplexers (hD)
    {29, 45, 60, 68},      // 11 PC
    {57, 73, 92, 88},      // 12 the name LD_PCi
    {181, 87, 212, 98},    // 13 the name MOE at the memory
    {197, 229, 228, 244},  // 14 ual
    {261, 197, 302, 212},  // 15 the ALU's operand multiplexer and its name hB
    {261, 173, 292, 187},  // 16 e2
};

std::vector<ControlDef> layout() {
  auto rows = status_window_layout(Birprogramatumikroagindua::kName, "Birprogramazioa");
  rows.front().props.push_back({"BackColor", 0xE0E0E0});
  std::vector<ControlDef> more;
  const plat::Prop bold{"FontBold", true}, grey{"BackColor", 0xE0E0E0};
  // Each column stands under its name in the frame's caption.
  more.push_back({"Frame1", -1, Kind::Frame, "", -1, {240, 120, 1080, 1680}, " BK1   BK0", {bold, grey}});
  more.push_back({"Frame2", -1, Kind::Frame, "", -1, {1440, 120, 600, 1680}, "Desk", {bold, grey}});
  more.push_back({"Frame3", -1, Kind::Frame, "", -1, {2160, 120, 2250, 1680}, "   J4    J3     J2     J1    J0",
                  {bold, grey}});
  add_column(more, BK1, "Frame1", -1, 165, 300);
  add_column(more, BK0, "Frame1", -1, 630, 300);
  add_column(more, JT, "Frame2", -1, 150, 300);
  for (int f = J4; f <= J0; ++f) add_column(more, f, "Frame3", -1, 180 + 390 * (f - J4), 300);
  for (int k = 0; k < 17; ++k) {
    const int x = 240 + 660 * k;
    more.push_back({"Label1", k, Kind::Label, "", -1, {x, 1980, 630, 255}, kFieldNames[size_t(MCS + k)],
                    {bold, {"Alignment", 2}, {"BackStyle", 0}}});
    add_column(more, MCS + k, "", -1, x + 157, 2280);
  }
  more.push_back({"Image1", -1, Kind::Image, "", -1, {kImageLeft, kImageTop, 4500, 3750}, ":/brendalo/pu.png", {}});
  for (int i = 0; i < kMarks; ++i) {
    const auto& m = kMarkBoxes[i];
    more.push_back({"Shape1", i, Kind::Shape, "", -1,
                    {kImageLeft + 15 * m[0], kImageTop + 15 * m[1], 15 * (m[2] - m[0]), 15 * (m[3] - m[1])}, "",
                    {{"BorderColor", 0x0000FF}, {"BorderWidth", 3}, {"Visible", false}}});
  }
  more.push_back({"CommandOnartu", -1, Kind::CommandButton, "", -1, {6240, 7080, 1335, 375}, "&Onartu",
                  {{"Style", 1}, {"BackColor", 0xC0C0C0}}});
  more.push_back({"CommandDeuseztu", -1, Kind::CommandButton, "", -1, {7920, 7080, 1335, 375}, "&Deuseztatu",
                  {{"Style", 1}, {"BackColor", 0xC0C0C0}}});
  rows.insert(rows.begin() + 1, more.begin(), more.end());
  return rows;
}

std::string micro_address_of(int row) { return std::to_string(row - 1); }

}  // namespace

Birprogramatumikroagindua::Birprogramatumikroagindua() : Form(kName, layout()) {
  using plat::EventArgs;
  on("Command2", plat::Event::Click, [this](EventArgs& a) { Command2_Click(a.index); });
  on("CommandOnartu", plat::Event::Click, [this](EventArgs&) { CommandOnartu_Click(); });
  on("CommandDeuseztu", plat::Event::Click, [this](EventArgs&) { CommandDeuseztu_Click(); });
  // Load and every resize keep the editor maximised.
  on("Form", plat::Event::Resize, [this](EventArgs&) {
    if (window_state() != 2) set_window_state(2);
  });
}

void Birprogramatumikroagindua::Form_Load() { set_window_state(2); }

void Birprogramatumikroagindua::Form_Unload(int16_t&) { Hide_signal_marks(); }

void Birprogramatumikroagindua::Hide_signal_marks() {
  for (int i = 0; i < kMarks; ++i) ctl("Shape1", i).set_visible(false);
}

Control_word_fields Birprogramatumikroagindua::fields() const {
  Control_word_fields w;
  auto& self = const_cast<Birprogramatumikroagindua&>(*this);
  for (int i = 0; i < kControlWordLength; ++i) w[size_t(i)] = self.ctl(kField, i).text();
  return w;
}

bool Birprogramatumikroagindua::seinaleak_aldatuta(int16_t& Row) const {
  if (Row < 1 || Row > kMicroinstructions + 1) return false;
  const auto& stored = machine().Control_memory[size_t(Row - 1)];
  const Control_word_fields w = fields();
  for (int i = 0; i < kControlWordLength; ++i)
    if (w[size_t(i)] != stored[size_t(i)]) return true;
  return false;
}

void Birprogramatumikroagindua::Command2_Click(int Index) {
  for (const FieldButtons& b : kButtons) {
    const int idx[3] = {b.zero, b.one, b.x};
    const char* cap[3] = {"0", "1", "X"};
    for (int k = 0; k < 3; ++k) {
      if (idx[k] != Index) continue;
      ctl(kField, b.field).set_text(cap[k]);
      if (b.mark < 0) return;  // the sequencing fields change no mark
      Hide_signal_marks();
      ctl("Shape1", b.mark).set_visible(true);
      if (b.second_mark >= 0) ctl("Shape1", b.second_mark).set_visible(true);
      return;
    }
  }
}

void Birprogramatumikroagindua::Load_microinstruction(int Row) {
  if (Row < 1 || Row > kMicroinstructions + 1) return;
  row_ = int16_t(Row);
  const auto& word = machine().Control_memory[size_t(Row - 1)];
  for (int i = 0; i < kControlWordLength; ++i) ctl(kField, i).set_text(word[size_t(i)]);
}

void Birprogramatumikroagindua::Validate_microinstruction(int16_t& result) {
  const int row = row_;
  Control_word_fields stored;
  for (int i = 0; i < kControlWordLength; ++i) stored[size_t(i)] = machine().Control_memory[size_t(row - 1)][size_t(i)];
  Control_word_fields w = fields();
  result = Check_microinstruction_rules(w, stored, [&](int, const std::string& message) {
    for (int i = 0; i < kControlWordLength; ++i) ctl(kField, i).set_text(w[size_t(i)]);
    plat::message_box(message, plat::vbCritical, "Arazoak mikroprograma aldatzen saiatzean");
  });
}

void Mark_reprogrammed_rows(Grid& grid, int last_column) {
  const auto& text = machine().Microprogram_text;
  const int rows = grid.Rows();
  for (int m = 0; m < kMicroinstructions && m + 1 <= rows; ++m)
    if (text[size_t(m)][0] == kReprogrammedText)
      for (int col = 1; col <= last_column; ++col) grid.CellForeColor(col, m + 1, kReprogrammedColor);
}

void Birprogramatumikroagindua::CommandOnartu_Click() {
  int16_t row = row_;
  set_mouse_pointer(11);
  Hide_signal_marks();
  int16_t result = 0;
  if (row < 1 || row > kMicroinstructions) {
    // No microinstruction is being edited (the editor was reached without a row).
    result = 0;
  } else if (!seinaleak_aldatuta(row)) {
    plat::message_box(micro_address_of(row) + " mikroagindua ez da aldatu.", plat::vbInformation, kTitle);
  } else {
    Validate_microinstruction(result);
    // The editor is modeless: a run may have started since it opened. A
    // change that passes the rules then stays in the editor, to be accepted
    // once the run is over; nothing else here touches a table.
    if (result == 0 && Table_change_refused(Table::Microprogram)) result = -1;
    if (result == 0) {
      auto& word = machine().Control_memory[size_t(row - 1)];
      for (int i = 0; i < kControlWordLength; ++i) word[size_t(i)] = ctl(kField, i).text();
      Show_control_memory_main();
      Grid main = Nagusia_Nadrel1();
      Grid window = Kontrolmemoria_Nadrel2();
      // The new listing keeps the marks of earlier changes: the window's grid
      // still carries them, and the microprogram text names every changed row
      // (also when the window was closed and listed afresh since).
      for (int r = 1; r <= kMicroinstructions; ++r)
        for (int col = 1; col <= 21; ++col) main.CellForeColor(col, r, window.CellForeColor(col, r));
      for (int col = 1; col <= 21; ++col) main.CellForeColor(col, row, kReprogrammedColor);
      for (int col = 1; col <= 21; ++col) {
        window.TextMatrix(row, col, main.TextMatrix(row, col));
        window.CellForeColor(col, row, main.CellForeColor(col, row));
      }
      auto& text = machine().Microprogram_text[size_t(row - 1)];
      text[0] = text[1] = kReprogrammedText;
      Mark_reprogrammed_rows(main, kControlMemoryColumns);
      Mark_reprogrammed_rows(window, kControlMemoryColumns);
      for (Grid g : {Nagusia_NadrelMikro(), Mikroprograma_NadrelMikro()}) {
        g.TextMatrix(row, 1, kReprogrammedText);
        g.TextMatrix(row, 2, kReprogrammedText);
        g.CellForeColor(1, row, kReprogrammedColor);
        g.CellForeColor(2, row, kReprogrammedColor);
      }
      plat::message_box("Kontrol memoriako " + micro_address_of(row) + " mikroagindua aldatu da.", plat::vbInformation,
                        kTitle);
      plat::form<Nagusia>().ctl("Artxibo11", 1).set_enabled(true);
      engine().Control_memory_modified = kFlagTrue;
    }
  }
  if (result == 0) {
    plat::unload_form(kName);
  } else {
    set_mouse_pointer(0);
  }
}

void Birprogramatumikroagindua::CommandDeuseztu_Click() {
  plat::message_box(micro_address_of(row_) + " mikroagindua ez da aldatu.", plat::vbInformation,
                    kTitle);
  plat::unload_form(kName);
}

}  // namespace brendalo
