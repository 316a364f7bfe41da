#include "simulator/display/asm_window.h"

#include <string>

#include "simulator/dialogs/listing_windows.h"
#include "simulator/engine/status_texts.h"
#include "simulator/display/picture_window.h"
#include "simulator/mainwindow/period_buttons.h"

namespace brendalo {

namespace {

using plat::ControlDef;
using plat::Kind;
using Sig = AsmState::Signal;

// Element names follow the window's design, not the micro-address.
const std::array<AsmState, 22> kStates = {{
    {0, "BIL1", {{{"Line51", 0}, {"Line55", 0}, {"Line54", 0}, {"Line53", 0}}}, {"Label4", 0},
     {Sig{{"Label1", 0}, "MEM -> MCS,MOE"}, Sig{{"Label1", 1}, "IR1 -> LD_IR1"}, Sig{{"Label1", 2}, "PC -> LD_PC"},
      Sig{{"Label1", 3}, "PCi -> LD_PCi"}}},
    {7, "BIL2", {{{"Line56"}, {"Line62"}, {"Line61"}, {"Line60"}}}, {"Label5"},
     {Sig{{"Label1", 23}, "MEM -> MCS,MOE"}, Sig{{"Label1", 22}, "IR2 -> LD_IR2"}, Sig{{"Label1", 21}, "PC -> LD_PC"}}},
    {6, "DESK", {{{"Line5"}, {"Line8"}, {"Line7"}, {"Line6"}}}, {"Label7"}, {}},
    {1, "Ir_OP", {{{"Line9", 0}, {"Line10", 0}, {"Line11", 0}, {"Line12", 0}}}, {"Label11", 6},
     {Sig{{"Label2", 0}, "R_e1 -> LD_e1"}, Sig{{"Label8", 0}, "R_e2 -> LD_e2"}}},
    {2, "A_OP", {{{"Line44", 0}, {"Line48", 0}, {"Line47", 0}, {"Line46", 0}}}, {"Label19", 0},
     {Sig{{"Label20", 0}, "R_ual -> LD_ual"}}},
    {3, "Id_OP", {{{"Line44", 1}, {"Line48", 1}, {"Line47", 1}, {"Line46", 1}}}, {"Label19", 1},
     {Sig{{"Label20", 1}, "EM -> LD_EM"}}},
    {8, "Ir_OPI", {{{"Line13", 0}, {"Line16", 0}, {"Line43"}, {"Line14", 0}}}, {"Label11", 1},
     {Sig{{"Label2", 1}, "R_e1 -> LD_e1"}}},
    {5, "A_OPI", {{{"Line58"}, {"Line69"}, {"Line68"}, {"Line67"}}}, {"Label11", 7},
     {Sig{{"Label2", 2}, "MuxUAL -> hB"}, Sig{{"Label8", 1}, "R_ual -> LD_ual"}}},
    {4, "Id_OPI", {{{"Line84"}, {"Line90"}, {"Line89"}, {"Line88"}}}, {"Label11", 8},
     {Sig{{"Label20", 2}, "EM -> LD_EM"}}},
    {9, "H/Id_LD", {{{"Line92"}, {"Line93"}, {"Line95"}, {"Line94"}}}, {"Label11", 0},
     {Sig{{"Label2", 3}, "MuxM -> hMH='2'"}, Sig{{"Label8", 2}, "MEM -> MCS,MOE"}, Sig{{"Label2", 4}, "MuxEM -> hMD"},
      Sig{{"Label8", 3}, "EM -> LD_EM"}}},
    {10, "Ir_ST", {{{"Line30"}, {"Line32", 0}, {"Line57"}, {"Line29", 0}}}, {"Label11", 5},
     {Sig{{"Label2", 5}, "Muxl2 -> hH"}, Sig{{"Label8", 4}, "R_e2 -> LD_e2"}}},
    {11, "H_ST", {{{"Line99"}, {"Line102"}, {"Line101"}, {"Line100"}}}, {"Label11", 10},
     {Sig{{"Label2", 6}, "MuxM -> hMH='2'"}, Sig{{"Label8", 5}, "MEM -> MCS,MWR"}}},
    {13, "Ir_LDX", {{{"Line33"}, {"Line36"}, {"Line103"}, {"Line34"}}}, {"Label11", 4},
     {Sig{{"Label2", 7}, "R_e1 -> LD_e1"}}},
    {12, "A_LDX", {{{"Line104"}, {"Line105"}, {"Line107"}, {"Line106"}}}, {"Label11", 11},
     {Sig{{"Label2", 8}, "MuxUAL -> hB"}, Sig{{"Label8", 6}, "R_ual -> LD_ual"}}},
    {14, "H/Id_LDX", {{{"Line108"}, {"Line109"}, {"Line110"}, {"Line111"}}}, {"Label11", 12},
     {Sig{{"Label2", 9}, "MuxM -> hMH='1'"}, Sig{{"Label8", 7}, "MEM -> MCS,MOE"}, Sig{{"Label2", 10}, "MuxEM -> hMD"},
      Sig{{"Label8", 8}, "EM -> LD_EM"}}},
    {15, "Ir_STX", {{{"Line37"}, {"Line50"}, {"Line112"}, {"Line45"}}}, {"Label11", 3},
     {Sig{{"Label2", 11}, "R_e1 -> LD_e1"}, Sig{{"Label8", 9}, "R_e2 -> LD_e2"}, Sig{{"Label2", 12}, "Muxl2 -> hH"}}},
    {16, "A_STX", {{{"Line113"}, {"Line114"}, {"Line116"}, {"Line115"}}}, {"Label11", 13},
     {Sig{{"Label2", 13}, "MuxUAL -> hB"}, Sig{{"Label8", 10}, "R_ual -> LD_ual"}}},
    {17, "H/STX", {{{"Line117"}, {"Line120"}, {"Line119"}, {"Line118"}}}, {"Label11", 14},
     {Sig{{"Label2", 14}, "MuxM -> hMH='2'"}, Sig{{"Label8", 11}, "MEM -> MCS,MWR"}}},
    {18, "Ir_BEQ", {{{"Line64"}, {"Line65"}, {"Line66"}, {"Line63"}}}, {"Label11", 2},
     {Sig{{"Label2", 15}, "R_e1 -> LD_e1"}}},
    {19, "A_BEQ", {{{"Line3", 0}, {"Line87", 0}, {"Line86"}, {"Line85", 0}}}, {"Label15", 0}, {}},
    {-1, nullptr, {{{"Line124"}, {"Line126"}, {"Line127"}, {"Line125"}}}, {"Label15", 1}, {}},
    {20, "Id_PC", {{{"Line1"}, {"Line21"}, {"Line4"}, {"Line2"}}}, {"Label11", 15},
     {Sig{{"Label2", 17}, "MuxPC/MuxBat->hD"}, Sig{{"Label8", 13}, "PC -> LD_PC"}}},
}};

// ------------------------------------------------------------------ geometry (twips)

constexpr int kBoxWidth = 1740, kLabelRow = 210;
constexpr int kPitch = 2100;
constexpr int left_of(int column) { return 240 + column * kPitch; }
// The wires of a column run down its left part, clear of the comments.
constexpr int wire_x(int column) { return left_of(column) + 240; }
constexpr int kTop = 4680, kMid = 5940, kBottom = 7320;  // the three rows under the decoder
constexpr int kBus = 4080;                               // the decoder's exits
constexpr int kReturn = 9240;                            // back to BIL1
constexpr int kStack = 3;                                // BIL1, BIL2 and DESK stand over column 3

int box_height(int actions) { return actions <= 1 ? 360 : 150 + kLabelRow * actions; }

struct Place {
  int x, y, w, h;
};

Place place_of(int state) {
  struct P {
    int column, y;
  };
  static const P at[22] = {
      {kStack, 360}, {kStack, 1710}, {kStack, 2850}, {0, kTop}, {0, kMid}, {0, kBottom}, {1, kTop},
      {1, kMid},     {1, kBottom},   {2, kBottom},   {3, kTop}, {3, kBottom}, {4, kTop},  {4, kMid},
      {4, kBottom},  {5, kTop},      {5, kMid},      {5, kBottom}, {6, kTop}, {6, kMid},  {-1, 0},
      {6, 8100},
  };
  // Right of Id_PC, so that its way back passes clear of Id_PC's box.
  if (state == 20) return {left_of(6) + kBoxWidth + 120, kBottom, 360, 300};
  const P& p = at[state];
  return {left_of(p.column), p.y, kBoxWidth, box_height(int(kStates[size_t(state)].actions.size()))};
}

struct Builder {
  std::vector<ControlDef> rows;
  int fixed_lines = 0, fixed_texts = 0;

  void line(const char* name, int index, int x1, int y1, int x2, int y2) {
    rows.push_back({name, index, Kind::Line, "", -1, {x1, y1, x2, y2}, "",
                    {{"BorderColor", 0x000000}, {"BorderWidth", kAsmIdleWidth}}});
  }
  void label(AsmRef r, plat::Box b, const char* caption, uint32_t back) {
    rows.push_back({r.name, r.index, Kind::Label, "", -1, b, caption, {{"BackColor", int64_t(back)}}});
  }
  // The fixed drawing: width-2 lines and texts on the window's grey.
  void wire(int x1, int y1, int x2, int y2) { line("Line200", fixed_lines++, x1, y1, x2, y2); }
  void arrow_down(int x, int y1, int y2) {
    wire(x, y1, x, y2);
    wire(x - 75, y2 - 120, x, y2);
    wire(x + 75, y2 - 120, x, y2);
  }
  void arrow_right(int x1, int x2, int y) {
    wire(x1, y, x2, y);
    wire(x2 - 120, y - 75, x2, y);
    wire(x2 - 120, y + 75, x2, y);
  }
  void text(int x, int y, int w, const char* caption) {
    rows.push_back({"Label30", fixed_texts++, Kind::Label, "", -1, {x, y, w, kLabelRow}, caption,
                    {{"BackStyle", 0}}});
  }

  void state_box(int s) {
    const AsmState& st = kStates[size_t(s)];
    const Place p = place_of(s);
    // Backdrop first, inside the outline; the signal labels over it.
    label(st.backdrop, {p.x + 30, p.y + 30, p.w - 60, p.h - 60}, "", kAsmIdleBack);
    for (size_t i = 0; i < st.actions.size(); ++i)
      label(st.actions[i].label, {p.x + 90, p.y + 75 + kLabelRow * int(i), p.w - 180, kLabelRow},
            st.actions[i].caption, kAsmIdleBack);
    const AsmRef* l = st.lines.data();
    line(l[0].name, l[0].index, p.x, p.y, p.x + p.w, p.y);              // top
    line(l[1].name, l[1].index, p.x + p.w, p.y, p.x + p.w, p.y + p.h);  // right
    line(l[2].name, l[2].index, p.x, p.y + p.h, p.x + p.w, p.y + p.h);  // bottom
    line(l[3].name, l[3].index, p.x, p.y, p.x, p.y + p.h);              // left
  }
  void name_box(int s) {
    const AsmState& st = kStates[size_t(s)];
    if (st.name_box < 0) return;
    const Place p = place_of(s);
    rows.push_back({"Text1", st.name_box, Kind::TextBox, "", -1, {p.x + 360, p.y - 270, 900, 270}, st.name,
                    {{"BackColor", int64_t(kAsmIdleName)}, {"Locked", true}, {"TabStop", false}}});
  }
};

int bottom_of(int s) {
  const Place p = place_of(s);
  return p.y + p.h;
}

std::vector<ControlDef> layout() {
  Builder b;
  b.rows = Picture_window_rows(ASM::kName, "ASM Kontrol-algoritmoa");

  // Fetch and decode, one under the other.
  const int sx = wire_x(kStack);
  b.arrow_down(sx, bottom_of(0), place_of(1).y);
  b.arrow_down(sx, bottom_of(1), place_of(2).y);
  const int hex_top = 3420, hex_bottom = 3840, hex_mid = (hex_top + hex_bottom) / 2;
  b.arrow_down(sx, bottom_of(2), hex_top);
  // The decoder decision: a hexagon.
  b.wire(sx - 750, hex_top, sx + 750, hex_top);
  b.wire(sx + 750, hex_top, sx + 900, hex_mid);
  b.wire(sx + 900, hex_mid, sx + 750, hex_bottom);
  b.wire(sx + 750, hex_bottom, sx - 750, hex_bottom);
  b.wire(sx - 750, hex_bottom, sx - 900, hex_mid);
  b.wire(sx - 900, hex_mid, sx - 750, hex_top);
  b.text(sx - 750, hex_mid - 105, 1500, "        EK");
  b.wire(sx, hex_bottom, sx, kBus);
  b.wire(wire_x(0), kBus, wire_x(6), kBus);

  // The seven exits and the columns under them.
  static const char* const exits[7] = {"op/mov", "opi/movi", "ld", "st", "ldx", "stx", "beq"};
  static const std::vector<int> columns[7] = {{3, 4, 5}, {6, 7, 8}, {9}, {10, 11}, {12, 13, 14}, {15, 16, 17}, {18, 19}};
  for (int c = 0; c < 7; ++c) {
    const int x = wire_x(c);
    b.text(x + 60, kBus + 30, 1020, exits[c]);
    int from = kBus;
    for (int s : columns[c]) {
      b.arrow_down(x, from, place_of(s).y);
      from = bottom_of(s);
    }
    if (c < 6) b.wire(x, from, x, kReturn);
  }
  // The condition decision under A_BEQ: 1 to Id_PC, 0 to the small box of state 20.
  const int zx = wire_x(6), z_top = 7200, z_bottom = 7740, z_mid = (z_top + z_bottom) / 2;
  b.arrow_down(zx, bottom_of(19), z_top);
  b.wire(zx, z_top, zx + 360, z_mid);
  b.wire(zx + 360, z_mid, zx, z_bottom);
  b.wire(zx, z_bottom, zx - 360, z_mid);
  b.wire(zx - 360, z_mid, zx, z_top);
  b.text(zx - 150, z_mid - 105, 300, " Z");
  b.arrow_down(zx, z_bottom, place_of(21).y);
  // Left of its wire: Id_PC's name box stands right of it.
  b.text(zx - 180, z_bottom + 30, 120, "1");
  const Place p20 = place_of(20);
  b.arrow_right(zx + 360, p20.x, z_mid);
  b.text(zx + 420, z_mid - 240, 200, "0");
  b.wire(zx, bottom_of(21), zx, kReturn);
  b.wire(p20.x + p20.w / 2, bottom_of(20), p20.x + p20.w / 2, kReturn);
  // Every routine ends with "goto 0": back round the left edge into BIL1.
  b.wire(120, kReturn, p20.x + p20.w / 2, kReturn);
  b.wire(120, kReturn, 120, 150);
  b.wire(120, 150, sx, 150);
  b.arrow_down(sx, 150, place_of(0).y);

  // Comments on the window's grey.
  const int bx = left_of(kStack) + kBoxWidth + 240;
  for (int s : {0, 1}) {
    b.text(bx, place_of(s).y + 150, 2400, "/* hMH=0 -> mem[PC] */");
    b.text(bx, place_of(s).y + 150 + kLabelRow, 2400, "/* hD=0 -> PC+1 */");
  }
  auto under = [&b](int s, int column, std::initializer_list<const char*> lines) {
    int y = bottom_of(s) + 30;
    for (const char* t : lines) {
      b.text(wire_x(column) + 45, y, kPitch - 90, t);  // as wide as the gap between two columns' wires
      y += kLabelRow;
    }
  };
  under(4, 0, {"/* UAL_kod=ROM */", "/* hB=0 -> R_e2 */"});
  under(7, 1, {"/* UAL_kod=ROM */"});
  under(5, 0, {"/* hMD=0 -> R_ual */"});
  under(8, 1, {"/* hMD=0 -> R_ual */"});
  under(13, 4, {"/* UAL_kod=+(ROM-etik) */"});
  under(16, 5, {"/* UAL_kod=+(ROM-etik) */"});
  under(19, 6, {"/* UAL_kod=A(ROM-etik) */"});

  for (int s = 0; s < 22; ++s) b.state_box(s);
  // The name boxes are windows: over the drawing whatever their place in the table.
  for (int s = 0; s < 22; ++s) b.name_box(s);
  return Finish_picture_window(std::move(b.rows));
}

}  // namespace

const AsmState& Asm_state(int state) { return kStates.at(size_t(state)); }

ASM::ASM() : Form(kName, layout()) { Bind_period_buttons(*this); }

// No control has the first focus: Return or Space would press a period button.
void ASM::Form_Load() { focus_itself(); }

void ASM::Form_Unload(int16_t&) { Focus_main_window(); }

}  // namespace brendalo
