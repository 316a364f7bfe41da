#include "simulator/mainwindow/nagusia.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

#include "platform/comctl/comctl.h"
#include "platform/forms/services.h"
#include "simulator/dialogs/bereizmena.h"
#include "simulator/dialogs/birprogramaziorakopausoa.h"
#include "simulator/dialogs/datuenaldaketarakopausoa.h"
#include "simulator/dialogs/konfiguratusim.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/laguntza_edukia.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/dialogs/simuladoreariburuz.h"
#include "simulator/dialogs/ualeragiketak.h"
#include "simulator/display/aginduenformatua.h"
#include "simulator/display/asm_window.h"
#include "simulator/display/pu_window.h"
#include "simulator/engine/status_texts.h"
#include "simulator/machine/grids.h"
#include "simulator/mainwindow/grid_guards.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/listings.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/menu_states.h"
#include "simulator/mainwindow/end_command.h"
#include "simulator/mainwindow/run_commands.h"
#include "simulator/mainwindow/table_guard.h"
#include "simulator/mainwindow/views.h"

namespace brendalo {

int16_t Came_from_control_memory = 0;
int16_t Came_from_microprogram = 0;
int16_t Came_from_memory_view = 0;
int16_t Selected_microinstruction_row = 0;
int16_t Selected_memory_row = 0;

namespace {

using plat::ControlDef;
using plat::Kind;
using plat::Prop;

constexpr int kBlack = 0x000000, kSilver = 0xC0C0C0, kLight = 0xE0E0E0, kWhite = 0xFFFFFF, kBlue = 0xFF0000;
constexpr const char* kGridClass = "NadrelControl.Nadrel";
constexpr const char* kZoomPicture = ":/brendalo/handitu.png";

struct Layout {
  std::vector<ControlDef> rows;
  void add(ControlDef d) { rows.push_back(std::move(d)); }
};

// ------------------------------------------------------------------ drawing helpers

enum Font { Regular, Bold, Large };

void add_font(std::vector<Prop>& p, Font f) {
  if (f == Bold) p.push_back({"FontBold", true});
  if (f == Large) {
    p.push_back({"FontBold", true});
    p.push_back({"FontSize", 9.75});
  }
}

// An opaque label of the drawing.
ControlDef label(const char* name, int index, const char* frame, plat::Box box, const char* caption, int back,
                 Font font = Regular, int fore = kBlack, bool visible = true, int alignment = 0) {
  std::vector<Prop> p = {{"BackColor", back}, {"ForeColor", fore}};
  add_font(p, font);
  if (!visible) p.push_back({"Visible", false});
  if (alignment) p.push_back({"Alignment", alignment});
  return {name, index, Kind::Label, frame, -1, box, caption, std::move(p)};
}

// A box filled with `back` under a black border, or (back < 0) an unfilled outline.
ControlDef box(const char* name, int index, const char* frame, plat::Box b, int back, bool visible = true,
               int shape = 0) {
  std::vector<Prop> p = {{"BorderColor", kBlack}, {"BorderWidth", 1}, {"Shape", shape}};
  if (back >= 0) {
    p.push_back({"BackStyle", 1});
    p.push_back({"BackColor", back});
  }
  if (!visible) p.push_back({"Visible", false});
  return {name, index, Kind::Shape, frame, -1, b, "", std::move(p)};
}

ControlDef line(const char* name, int index, const char* frame, int x1, int y1, int x2, int y2, int color = kBlack,
                int width = 1, bool visible = true) {
  std::vector<Prop> p = {{"BorderColor", color}, {"BorderWidth", width}};
  if (!visible) p.push_back({"Visible", false});
  return {name, index, Kind::Line, frame, -1, {x1, y1, x2, y2}, "", std::move(p)};
}

struct Pt {
  int x, y;
};
struct Seg {
  Pt a, b;
};

// A wire of the control-unit drawing: segments Line1(indices[i]) and, at the
// end of the last segment, arrowhead k (Line57(k), Line58(k)): two strokes
// 120 twips back along the wire and 120 to either side, meeting at the tip.
void wire(Layout& l, std::initializer_list<int> indices, std::initializer_list<Seg> segs, int k,
          int color = kSilver, int width = 3) {
  auto idx = indices.begin();
  Seg last{};
  for (const Seg& s : segs) {
    l.add(line("Line1", *idx++, "FrameKU", s.a.x, s.a.y, s.b.x, s.b.y, color, width));
    last = s;
  }
  const int dx = (last.b.x > last.a.x) - (last.b.x < last.a.x);
  const int dy = (last.b.y > last.a.y) - (last.b.y < last.a.y);
  const Pt tip = last.b;
  const Pt back{tip.x - 120 * dx, tip.y - 120 * dy};
  const Pt side{120 * -dy, 120 * dx};
  l.add(line("Line57", k, "FrameKU", back.x + side.x, back.y + side.y, tip.x, tip.y, color, width));
  l.add(line("Line58", k, "FrameKU", back.x - side.x, back.y - side.y, tip.x, tip.y, color, width));
}

// The diagonal stroke across a bus at (x, y); its width in bits stands on a label beside it.
void bus_stroke(Layout& l, int line37, int x, int y) {
  l.add(line("Line37", line37, "FrameKU", x - 60, y + 60, x + 60, y - 60));
}

ControlDef button(const char* name, int index, const char* container, plat::Box b, const char* caption,
                  std::vector<Prop> p) {
  return {name, index, Kind::CommandButton, container, -1, b, caption, std::move(p)};
}

ControlDef zoom_button(const char* name, int index, const char* container, plat::Box b, const char* tip,
                       bool visible = true) {
  std::vector<Prop> p = {{"Style", 1}, {"Picture", kZoomPicture}, {"ToolTipText", tip}, {"MousePointer", 10}};
  if (!visible) p.push_back({"Visible", false});
  return button(name, index, container, b, "", std::move(p));
}

ControlDef grid(const char* name, int index, const char* frame, plat::Box b, bool visible = true,
                bool enabled = true) {
  std::vector<Prop> p;
  if (!visible) p.push_back({"Visible", false});
  if (!enabled) p.push_back({"Enabled", false});
  return {name, index, Kind::Hosted, frame, -1, b, kGridClass, std::move(p)};
}

ControlDef frame(const char* name, int index, plat::Box b, const char* caption, Font font, const char* container = "",
                 bool visible = true) {
  std::vector<Prop> p = {{"BackColor", kLight}};
  add_font(p, font);
  if (!visible) p.push_back({"Visible", false});
  return {name, index, Kind::Frame, container, -1, b, caption, std::move(p)};
}

// ------------------------------------------------------------------ the control unit

void control_unit(Layout& l) {
  l.add(frame("FrameKU", -1, {0, 480, 9855, 4935}, "KONTROL UNITATEA", Large));
  const char* F = "FrameKU";

  // The names above the counter and the register, behind the boxes they name.
  l.add(label("Label3", 12, F, {720, 2160, 495, 255}, "uPC", kLight, Bold));
  l.add(label("Label3", 2, F, {9000, 1440, 375, 255}, " uIR", kLight, Bold));
  // Boxes first: everything else stands on them.
  l.add(box("Shape1", 0, F, {1200, 360, 1575, 1695}, kSilver));  // control memory
  l.add(box("Shape4", -1, F, {720, 2400, 1575, 1695}, kSilver));  // counter
  l.add(box("Shape2", 0, F, {3960, 1680, 1455, 495}, kSilver));   // BK
  l.add(box("Shape2", 1, F, {5400, 1680, 735, 495}, kSilver));    // JT
  l.add(box("Shape2", 3, F, {6120, 1680, 975, 495}, kSilver));    // J
  l.add(box("Shape2", 2, F, {7080, 1680, 2535, 495}, kSilver));   // signals
  l.add(box("Shape1", 2, F, {7080, 3720, 1215, 735}, kSilver));   // translation table

  // Names and ports.
  l.add(label("Label9", 0, F, {360, 4200, 375, 255}, "clk1", kLight));
  l.add(label("Label9", 1, F, {3720, 2280, 375, 255}, "clk2", kLight));
  l.add(label("Label1", 4, F, {960, 2520, 1095, 375}, "Kontagailua", kSilver, Bold, kBlack, true, 2));
  l.add(label("Label3", 13, F, {1920, 2760, 255, 255}, " LD", kSilver));
  l.add(label("Label3", 14, F, {2040, 3240, 135, 255}, "E", kSilver));
  l.add(label("Label3", 15, F, {1800, 3720, 375, 255}, " DAT", kSilver));
  l.add(label("Label3", 16, F, {840, 3240, 255, 255}, "Q", kSilver));
  l.add(label("Label1", 0, F, {1560, 480, 975, 375}, "KONTROL MEMORIA", kSilver, Bold, kBlack, true, 2));
  l.add(label("Label1", 1, F, {1680, 1680, 495, 255}, " ROM", kSilver, Bold));
  l.add(label("Label3", 0, F, {1320, 1320, 255, 255}, "@", kSilver));
  l.add(label("Label3", 1, F, {2280, 1320, 375, 255}, "DAT", kSilver));
  l.add(label("Label3", 6, F, {4080, 1800, 1215, 255}, "baldintza kod", kSilver, Bold));
  l.add(label("Label3", 7, F, {5520, 1800, 495, 255}, "Desk", kSilver, Bold));
  l.add(label("Label3", 8, F, {6240, 1800, 735, 255}, "jauzi_eg", kSilver, Bold));
  l.add(label("Label3", 3, F, {7680, 1800, 1575, 255}, "Kontrol seinaleak", kSilver, Bold));
  l.add(label("Label1", 3, F, {7320, 3840, 735, 375}, "Itzulpen   taula", kSilver, Bold, kBlack, true, 2));
  // The two multiplexers: names, input numbers and the sources of the BK inputs.
  l.add(label("Label2", 6, F, {4440, 2760, 375, 255}, "mux", kSilver, Bold));
  l.add(label("Label2", 1, F, {4800, 2400, 135, 255}, "0", kLight));
  l.add(label("Label2", 0, F, {4800, 2640, 135, 255}, "1", kLight));
  l.add(label("Label2", 2, F, {4800, 2880, 135, 255}, "2", kLight));
  l.add(label("Label2", 12, F, {4800, 3120, 135, 255}, "3", kLight));
  l.add(label("Label2", 5, F, {5160, 2400, 135, 255}, "0", kLight));
  l.add(label("Label2", 4, F, {5160, 2880, 135, 255}, "Z", kLight));
  l.add(label("Label2", 3, F, {5160, 3120, 135, 255}, "1", kLight));
  l.add(label("Label2", 9, F, {5520, 3720, 375, 255}, "mux", kSilver, Bold));
  l.add(label("Label2", 8, F, {5880, 3600, 135, 255}, "0", kLight));
  l.add(label("Label2", 7, F, {5880, 3960, 135, 255}, "1", kLight));
  l.add(label("Label2", 11, F, {9120, 3960, 255, 255}, "EK", kLight, Bold));
  l.add(label("Label2", 13, F, {8280, 2880, 495, 255}, "PUra", kLight, Bold));
  // Bus widths, beside the strokes across their buses.
  l.add(label("Label2", 14, F, {360, 1800, 135, 255}, "5", kLight));
  l.add(label("Label2", 15, F, {3600, 1200, 255, 255}, "25", kLight));
  l.add(label("Label2", 16, F, {4320, 2280, 135, 255}, "2", kLight));
  l.add(label("Label2", 19, F, {6720, 2640, 135, 255}, "5", kLight));
  l.add(label("Label2", 18, F, {6360, 4080, 135, 255}, "5", kLight));
  l.add(label("Label2", 17, F, {4080, 3840, 135, 255}, "5", kLight));
  l.add(label("Label2", 21, F, {8760, 4080, 135, 255}, "5", kLight));
  l.add(label("Label2", 20, F, {8520, 2520, 255, 255}, "17", kLight));

  // Clock wires: black, width 1 when idle.
  wire(l, {25, 26}, {{{540, 4200}, {540, 3840}}, {{540, 3840}, {720, 3840}}}, 17, kBlack, 1);
  wire(l, {21, 22}, {{{3780, 2280}, {3780, 1920}}, {{3780, 1920}, {3960, 1920}}}, 14, kBlack, 1);
  // Reset line, from the top of "RESET" into the counter.
  wire(l, {23}, {{{1500, 4320}, {1500, 4095}}}, 15);
  // Micro-address bus: counter output Q, along the margin, into the memory's "@".
  wire(l, {1, 2, 3}, {{{720, 3360}, {240, 3360}}, {{240, 3360}, {240, 1440}}, {{240, 1440}, {1200, 1440}}}, 1);
  bus_stroke(l, 0, 240, 1920);
  // Control-word bus: the memory's "DAT" above the register, down into the J box.
  wire(l, {0, 4}, {{{2775, 1440}, {6600, 1440}}, {{6600, 1440}, {6600, 1680}}}, 2);
  bus_stroke(l, 9, 3840, 1440);

  // BK multiplexer: vertical side with the inputs on the right, output point on the left.
  l.add(line("Line3", 0, F, 4920, 2280, 4920, 3480));
  l.add(line("Line5", -1, F, 4920, 2280, 4320, 2880));
  l.add(line("Line6", -1, F, 4920, 3480, 4320, 2880));
  wire(l, {14}, {{{5160, 2520}, {4935, 2520}}}, 8);  // constant 0 on input 0
  wire(l, {13}, {{{5160, 3000}, {4935, 3000}}}, 7);  // Z on input 2
  wire(l, {12}, {{{5160, 3240}, {4935, 3240}}}, 9);  // constant 1 on input 3
  wire(l, {5}, {{{4560, 2175}, {4560, 2640}}}, 6);   // BK select lines
  bus_stroke(l, 3, 4560, 2400);
  // Load line, from the output into " LD", and the count-enable branch into "E".
  wire(l, {7}, {{{4200, 2880}, {2415, 2880}}}, 4);
  wire(l, {8, 9, 10}, {{{3600, 2880}, {3600, 3360}}, {{3600, 3360}, {3255, 3360}}, {{3120, 3360}, {2295, 3360}}}, 5);

  // JT multiplexer.
  l.add(line("Line3", 1, F, 6000, 3480, 6000, 4200));
  l.add(line("Line7", -1, F, 6000, 3480, 5280, 3840));
  l.add(line("Line8", -1, F, 6000, 4200, 5280, 3840));
  wire(l, {19, 18}, {{{6900, 2175}, {6900, 3720}}, {{6900, 3720}, {6015, 3720}}}, 13);  // J field on input 0
  bus_stroke(l, 6, 6900, 2880);
  wire(l, {11}, {{{7080, 4080}, {6015, 4080}}}, 12);  // translation table on input 1
  bus_stroke(l, 4, 6480, 4080);
  wire(l, {16}, {{{5880, 2175}, {5880, 3540}}}, 11);  // JT select line
  wire(l, {6}, {{{5280, 3840}, {2295, 3840}}}, 10);   // next micro-address into " DAT"
  bus_stroke(l, 1, 4200, 3840);

  // Translation table input and the signals to the process unit.
  wire(l, {15}, {{{9120, 4080}, {8295, 4080}}}, 0);
  bus_stroke(l, 5, 8640, 4080);
  wire(l, {24}, {{{8400, 2175}, {8400, 2880}}}, 16);
  bus_stroke(l, 7, 8400, 2640);

  // Small circles on the output, the load input and the count-enable line.
  l.add(box("Shape6", 0, F, {4200, 2760, 135, 255}, kLight, true, 3));
  l.add(box("Shape6", 1, F, {2280, 2760, 135, 255}, kLight, true, 3));
  l.add(box("Shape6", 4, F, {3120, 3240, 135, 255}, kLight, true, 3));
  l.add(line("Line4", 1, F, 3075, 3450, 3300, 3270));

  // Run-time values (hidden until a run shows them) over the wires and boxes.
  l.add(label("kont", 1, F, {0, 2520, 615, 255}, "XXXXX", kLight, Bold, kBlue, false));
  l.add(label("kont", 0, F, {3480, 1320, 3015, 255}, "XXXXXXXXXXXXXXXXXXXXXXXXX", kLight, Bold, kBlue, false));
  l.add(label("kont", 2, F, {2760, 2760, 135, 255}, "X", kLight, Bold, kBlue, false));
  l.add(label("kont", 3, F, {2760, 3240, 135, 255}, "X", kLight, Bold, kBlue, false));
  l.add(label("kont", 4, F, {2760, 3720, 615, 255}, "XXXXX", kLight, Bold, kBlue, false));
  l.add(label("Label10", 1, F, {1080, 2880, 615, 255}, "11111", kSilver, Large, kWhite, false));
  l.add(box("Shape7", 1, F, {960, 2880, 855, 255}, -1, false));
  // The values framed by an outline of their own box stand centred in it,
  // clear of the outline.
  l.add(label("Label12", -1, F, {240, 960, 3375, 255}, "XXXXXXXXXXXXXXXXXXXXXXXXX", kSilver, Large, kWhite, false,
              2));
  l.add(box("Shape9", -1, F, {240, 960, 3375, 255}, -1, false));
  l.add(label("Label10", 0, F, {4440, 2040, 255, 255}, "11", kSilver, Large, kWhite, false, 2));
  l.add(box("Shape8", -1, F, {4440, 2040, 255, 255}, -1, false));
  l.add(label("Label10", 2, F, {5640, 2040, 135, 255}, "0", kSilver, Large, kWhite, false, 2));
  l.add(box("Shape10", -1, F, {5640, 2040, 135, 255}, -1, false));
  l.add(label("Label10", 3, F, {6240, 2040, 735, 255}, "XXXXX", kSilver, Large, kWhite, false, 2));
  l.add(box("Shape11", 0, F, {6240, 2040, 735, 255}, -1, false));
  l.add(label("Label10", 4, F, {7200, 2040, 2295, 255}, "XXXXXXXXXXXXXXXXX", kSilver, Large, kWhite, false, 2));
  l.add(box("Shape12", -1, F, {7200, 2040, 2295, 255}, -1, false));
  l.add(label("Label10", 5, F, {7320, 4320, 735, 255}, "XXXXX", kSilver, Large, kWhite, false, 2));
  l.add(box("Shape11", 1, F, {7320, 4320, 735, 255}, -1, false));

  // Buttons: graphical style, so that their colour shows.
  l.add(button("Command3", 0, F, {240, 4200, 495, 255}, "clk1",
               {{"Style", 1}, {"BackColor", 0xFFC0FF}, {"ToolTipText", "Simulazioa jarraitu"}, {"MousePointer", 10},
                {"Visible", false}, {"Enabled", false}}));
  l.add(button("Command3", 1, F, {3600, 2280, 495, 255}, "clk2",
               {{"Style", 1}, {"BackColor", 0xC0FFFF}, {"ToolTipText", "Simulazioa jarraitu"}, {"MousePointer", 10},
                {"Visible", false}, {"Enabled", false}}));
  l.add(button("Command1", -1, F, {840, 4320, 1335, 255}, "RESET",
               {{"Style", 1}, {"BackColor", kSilver}, {"FontBold", true}, {"ToolTipText", "Simulazioa abiarazi"},
                {"MousePointer", 10}, {"Enabled", false}}));
}

// ------------------------------------------------------------------ state chart

void state_chart(Layout& l) {
  l.add(frame("FrameASM", 0, {9840, 480, 5415, 4935}, "ASM Algoritmoa", Bold));
  const char* F = "FrameASM";
  const int w = 495, h = 255;
  auto col = [](int c) { return 240 + c * 720; };
  const int top = 2280, mid = 2760, bottom = 3240;
  struct S {
    int state, x, y;
  };
  const S states[] = {
      {0, 2400, 480},          {1, 2400, 960},          {2, 2400, 1440},         {3, col(0), top},
      {4, col(0), mid},        {5, col(0), bottom},     {6, col(1), top},        {7, col(1), mid},
      {8, col(1), bottom},     {9, col(2), bottom},     {10, col(3), top},       {11, col(3), bottom},
      {12, col(4), top},       {13, col(4), mid},       {14, col(4), bottom},    {15, col(5), top},
      {16, col(5), mid},       {17, col(5), bottom},    {18, col(6), top},       {19, col(6), mid},
      {21, col(6), 3720},
  };
  // Connectors first, the state boxes over them.
  int k = 0;
  auto connect = [&](int x1, int y1, int x2, int y2) { l.add(line("LineASM", k++, F, x1, y1, x2, y2, kBlack, 1)); };
  const int cx = 2400 + w / 2;
  connect(cx, 480 + h, cx, 960);
  connect(cx, 960 + h, cx, 1440);
  connect(cx, 1440 + h, cx, 2040);
  connect(col(0) + w / 2, 2040, col(6) + w / 2, 2040);
  for (int c = 0; c < 7; ++c) {
    const int x = col(c) + w / 2;
    const int first = c == 2 ? bottom : top;  // "ld" has its one state in the bottom row
    const int last = c == 6 ? 3720 : bottom;   // "beq" goes on through Z to Id_PC
    connect(x, 2040, x, first);
    if (c != 2) connect(x, first + h, x, last);
  }
  connect(col(6) + w, 3360, 5220, 3360);  // Z = 0 to state 20
  for (const S& s : states) l.add(box("Shape3", s.state, F, {s.x, s.y, w, h}, kWhite));
  l.add(box("Shape3", 20, F, {5220, 3240, 135, 240}, kWhite, true, 1));
  l.add({"Text4", 0, Kind::TextBox, F, -1, {240, 4320, 4935, 285}, "", {{"BackColor", kLight}, {"Locked", true}}});
  l.add(zoom_button("CommandASM", 0, F, {4800, 0, 615, 255}, "ASM algoritmoaren handitutako ikuspegia bistaratu"));
}

// ------------------------------------------------------------------ grids and the signal list

void grids_and_signals(Layout& l) {
  l.add(frame("FrameMikroprograma", -1, {0, 5520, 3735, 4575}, "Mikroprograma", Bold));
  l.add(grid("NadrelMikro", -1, "FrameMikroprograma", {240, 360, 3135, 3975}));
  l.add(zoom_button("CommandMikro", 1, "FrameMikroprograma", {3120, 0, 615, 255},
                    "Mikroprogramaren handitutako ikuspegia bistaratu"));

  l.add(frame("FrameKM", 0, {3720, 5520, 3855, 4575}, "Kontrol Memoria", Bold));
  l.add(grid("Nadrel1", -1, "FrameKM", {345, 360, 3135, 3975}));
  l.add(zoom_button("CommandKM", 0, "FrameKM", {3240, 0, 615, 255},
                    "Kontrol Memoriaren handitutako ikuspegia bistaratu"));

  l.add(frame("Frame2", 0, {7560, 5520, 2295, 4575}, "Kontrol-seinaleak", Bold));
  // One row per signal in the order of the control word, MCS at the top:
  // name label, line and lamp elements.
  struct Row {
    int label;
    const char* name;
    int line, lamp;
  };
  static const Row rows[17] = {
      {0, "MCS", 0, 3},        {16, "MOE", 16, 19},     {15, "MWR", 15, 18},    {14, "hMH1", 14, 17},
      {1, "hMH0", 1, 2},       {13, "LD_IR1", 13, 16},  {11, "LD_IR2", 12, 15}, {12, "LD_EM", 11, 14},
      {10, "h_MD", 10, 13},    {9, "hH", 9, 12},        {8, "LD_e1", 8, 11},    {7, "LD_e2", 7, 10},
      {6, "hB", 6, 9},         {5, "LD_ual", 5, 8},     {4, "LD_PC", 4, 7},     {3, "LD_PCi", 3, 6},
      {2, "hD", 2, 5},
  };
  for (int r = 0; r < 17; ++r) {
    const int top = 360 + 240 * r;
    l.add({"Label5", rows[r].label, Kind::Label, "Frame2", 0, {360, top, 735, 255}, rows[r].name, {{"BackStyle", 0}}});
    l.add(line("Line153", rows[r].line, "Frame2", 1140, top + 120, 1800, top + 120));
    l.add(box("Shape6", rows[r].lamp, "Frame2", {1800, top + 15, 255, 210}, kLight, true, 3));
  }
  // The memory and register grids take input only while the example program
  // is loaded into main memory: its loading enables them, its unloading
  // disables them again.
  l.add(grid("Nadrel4", 1, "Frame2", {120, 360, 2055, 3975}, false, false));
}

// ------------------------------------------------------------------ diagram panel

void diagram_panel(Layout& l) {
  l.add(frame("Frame6", -1, {9840, 5520, 5415, 4575}, "Prozesu-Unitatea", Bold));
  const char* F = "Frame6";
  // Back to front.
  l.add({"Image1", 0, Kind::Image, F, -1, {480, 480, 4560, 3810}, ":/brendalo/pu.png",
         {{"ToolTipText", "Klikatuz gero PUaren handitutako ikuspegia erakusten du"}}});
  static const plat::Box lamps[17] = {
      {1200, 600, 375, 255},  {480, 1200, 375, 255},  {960, 1200, 375, 255},  {960, 1560, 375, 255},
      {2160, 1680, 375, 255}, {3240, 1680, 375, 135}, {3240, 1800, 375, 135}, {3240, 1920, 375, 135},
      {2280, 2160, 375, 255}, {3600, 2160, 375, 255}, {3480, 3120, 375, 135}, {4320, 2280, 375, 255},
      {3480, 2520, 375, 135}, {4320, 2520, 375, 255}, {4440, 3480, 375, 135}, {3480, 3960, 375, 135},
      {4440, 3120, 375, 135},
  };
  for (int i = 0; i < 17; ++i)
    l.add({"ksUP", i, Kind::Shape, F, -1, lamps[i], "",
           {{"BorderColor", 0x00FFFF}, {"BorderWidth", 2}, {"Visible", false}}});
  l.add({"Label6", 1, Kind::Label, F, -1, {360, 360, 2535, 4095}, "", {{"BackColor", kLight}, {"Visible", false}}});
  l.add({"Label6", 0, Kind::Label, F, -1, {2880, 360, 2895, 4095}, "", {{"BackColor", kLight}, {"Visible", false}}});

  // The example's memory diagram: vectors A, B and C before and after the run.
  auto text = [&](const char* name, int index, plat::Box b, const char* caption) {
    l.add({name, index, Kind::Label, F, -1, b, caption, {{"BackStyle", 0}, {"Visible", false}}});
  };
  text("Label7", 1, {240, 360, 855, 255}, "/* hasieran:");
  text("Label7", 5, {240, 960, 855, 255}, "bukaeran:");
  text("Label7", 6, {240, 1560, 2055, 255}, "Programa ZELTerako:  */");
  text("Label7", 12, {1800, 2160, 495, 255}, "segi:");
  text("Label7", 0, {1800, 4080, 495, 255}, "buka:");
  text("Label7", 2, {1200, 960, 255, 255}, "A");
  text("Label7", 4, {2640, 960, 255, 255}, "B");
  text("Label7", 3, {4080, 960, 255, 255}, "C");
  text("Label2", 10, {1560, 240, 255, 255}, "16");
  text("Label2", 22, {3000, 240, 255, 255}, "16");
  text("Label2", 23, {4440, 240, 255, 255}, "16");
  // The strips' texts stand a pixel left of the design's 360, so that in the
  // stand-in face, whose "Mem" is wider, every number falls in its cell.
  text("Label8", 1, {345, 600, 4935, 255},
       "Mem          2   1   ...   5   3   ...  0    6   ...  1     8   ...  X   X   ...  X   X    ");
  text("Label8", 0, {345, 1200, 4935, 255},
       "Mem           2  1   ...   5   3   ...  0    6   ...   1   8   ...  2    7   ...   6   11    ");
  int k = 0;
  auto stroke = [&](int x1, int y1, int x2, int y2) {
    l.add(line("LineMN", k++, F, x1, y1, x2, y2, kBlack, 1, false));
  };
  static const int cells[] = {240,  840,  1080, 1320, 1560, 1800, 2040, 2280, 2520, 2760,
                              3000, 3240, 3480, 3720, 3960, 4200, 4440, 4920, 5160};
  for (int y : {600, 1200}) {
    stroke(240, y, 5160, y);
    stroke(240, y + 240, 5160, y + 240);
    for (int x : cells) stroke(x, y, x, y + 240);
  }
  for (auto [x1, x2] : {std::pair{1080, 2280}, {2520, 3720}, {3960, 5160}}) {
    stroke(x1, 480, x2, 480);
    stroke(x1, 360, x1, 600);
    stroke(x2, 360, x2, 600);
  }
  for (int x : {1080, 2520, 3960}) {
    stroke(x, 1080, x, 840);
    stroke(x, 840, x - 120, 960);
    stroke(x, 840, x + 120, 960);
  }

  l.add(zoom_button("CommandPU", 0, F, {4800, 0, 615, 255}, "PUaren handitutako ikuspegia bistaratu"));
  l.add(button("CommandPU2", 0, F, {4800, 0, 615, 255}, "PU",
               {{"ToolTipText", "Prozesu Unitatea bistaratu"}, {"Visible", false}}));
  l.add(frame("Frame7", -1, {0, 0, 5415, 4575}, "Memoria Nagusia", Bold, F, false));
  l.add(button("CommandPU3", 0, "Frame7", {1680, 0, 2415, 255}, "PU eta Kontrol-seinaleak",
               {{"ToolTipText", "Prozesu Unitatea eta Kontrol-seinaleak bistaratu"}, {"Visible", false}}));
  l.add(zoom_button("CommandMN", 1, "Frame7", {4800, 0, 615, 255},
                    "Memoria Nagusiaren eta Erregistro Multzoaren handitutako ikuspegia bistaratu"));
  l.add(grid("Nadrel3", -1, "Frame7", {480, 360, 4575, 3975}, true, false));  // as Nadrel4(1)

  // The example program, one line per box, each with its comment as tooltip.
  struct Line {
    int box, top;
    const char* text;
    const char* tip;
  };
  static const Line listing[] = {
      {1, 1680, "  movi r1, #0;", "Hasieratu indize-erregistroa"},
      {10, 1920, "  movi r2, #16;", "16 osagai bektore bakoitzean"},
      {8, 2160, "  ldx r3, A[r1];", "Irakurri A bektorearen osagai bat"},
      {9, 2400, "  ldx r4, B[r1];", "Irakurri B bektorearen osagai bat"},
      {11, 2640, "  add r5, r4, r3;", "Batu bi osagaiak (emaitza r5ean)"},
      {7, 2880, "  stx r5, C[r1];", "Gorde emaitza C bektoreko osagaian"},
      {12, 3120, "  addi r1, r1, #1;", "Inkrementatu r1, bektoreen hurrengo osagaiaren indizea lortzeko"},
      {13, 3360, "  subi r2, r2, #1;", "Osagai bat gutxiago geratzen da"},
      {14, 3600, "  beq r2, buka;", "r2=0 bada, eragiketa bukatu da (jauzi buka-ra)"},
      {15, 3840, "  beq r0, segi;", "bestela, segi batuketa egiten (r0=0 -> jauzi segi-ra)"},
      {16, 4080, "  ...", ""},
  };
  for (const Line& s : listing)
    l.add({"Text1", s.box, Kind::TextBox, F, -1, {2400, s.top, 1695, 285}, s.text,
           {{"ToolTipText", s.tip}, {"Locked", true}, {"Visible", false}}});
  l.add(button("CommandAdib", 1, F, {4080, 0, 735, 255}, "Adib",
               {{"ToolTipText", "Prozesu Adibidea bistaratu"}, {"Visible", false}}));
  l.add(button("Commandmnetaem", 1, F, {2760, 0, 1335, 255}, "MN eta EM",
               {{"ToolTipText", "Memoria Nagusia eta Erregistro Multzoa bistaratu"}, {"Visible", false}}));
}

// ------------------------------------------------------------------ menus

struct MenuItem {
  const char* name;
  int index;  // -1: not a control array
  const char* parent;
  const char* caption;
  const char* shortcut;
  int enabled, checked, visible;  // -1: as the layer's default
};

// Every item but the separator Laguntza4 is a one-element control array whose
// index is its menu group.
const MenuItem kMenus[] = {
    {"Artxibo", 2, "", "&Artxibo", "", -1, -1, -1},
    {"Artxibo3", 1, "Artxibo", "Ireki programa adibidea", "Ctrl+F1", 1, -1, -1},
    {"Artxibo5", 1, "Artxibo", "-", "", -1, -1, -1},
    {"Artxibo6", 1, "Artxibo", "Kargatu programa MNan", "Ctrl+F2", 0, -1, -1},
    {"Artxibo7", 1, "Artxibo", "Deskargatu programa MNtik", "Ctrl+F3", 0, -1, -1},
    {"Artxibo8", 1, "Artxibo", "Datuak aldatu MNtik", "Ctrl+F4", 0, -1, -1},
    {"Artxibo9", 1, "Artxibo", "-", "", -1, -1, -1},
    {"Artxiboaldatu", 1, "Artxibo", "Aldatu mikroprograma eta KM", "Ctrl+F5", 1, -1, -1},
    {"Artxibo11", 1, "Artxibo", "Berrezarri mikroprograma eta KM", "Ctrl+F6", 0, -1, -1},
    {"Artxibo12", 1, "Artxibo", "-", "", -1, -1, -1},
    {"Artxibo13", 1, "Artxibo", "Txikiagotu simuladorea", "", 1, -1, -1},
    {"Artxibo14", 1, "Artxibo", "-", "", -1, -1, -1},
    {"Artxibo15", 1, "Artxibo", "Irten", "Del", 1, -1, -1},
    {"Ikusi", 4, "", "&Ikusi", "", -1, -1, -1},
    {"Ikusi1", 3, "Ikusi", "PU eta Kontrol-seinaleak", "Ctrl+F7", -1, 1, -1},
    {"Ikusi2", 3, "Ikusi", "Memoria Nagusia eta EM", "Ctrl+F8", -1, 0, -1},
    {"Ikusi3", 3, "Ikusi", "Programa adibidea eta kontrol-seinaleak", "Ctrl+F9", -1, 0, -1},
    {"Ikusi4", 3, "Ikusi", "-", "", -1, -1, -1},
    {"Ikusi5", 3, "Ikusi", "ASM algoritmoa", "F1", -1, -1, -1},
    {"Ikusi6", 3, "Ikusi", "Mikroprograma", "F2", -1, -1, -1},
    {"Ikusi7", 3, "Ikusi", "Kontrol Memoria", "F3", -1, -1, -1},
    {"Ikusi8", 3, "Ikusi", "Prozesu-Unitatea", "F4", -1, -1, -1},
    {"IKusi9", 3, "Ikusi", "Memoria Nagusia eta Erregistro Multzoa", "F5", -1, -1, -1},
    {"Ikusi10", 3, "Ikusi", "-", "", -1, -1, -1},
    {"Ikusi11", 3, "Ikusi", "UALaren eragiketak", "F6", -1, -1, -1},
    {"Ikusi12", 3, "Ikusi", "-", "", -1, -1, -1},
    {"Ikusi13", 3, "Ikusi", "Aginduen formatua", "F7", -1, -1, -1},
    {"Simulazioa", 6, "", "&Simulazioa", "", -1, -1, -1},
    {"Simulazioa1", 5, "Simulazioa", "Simulatu agindua (jarraian)", "Ctrl+A", 1, -1, -1},
    {"Simulazioa2", 5, "Simulazioa", "Simulatu agindua (zikloz ziklo)", "Ctrl+B", 1, -1, -1},
    {"Simulazioa3", 5, "Simulazioa", "Simulatu agindua  (pausoz pauso)", "Ctrl+C", 1, -1, -1},
    {"Simulazioa20", 5, "Simulazioa", "-", "", -1, -1, -1},
    {"Simulazioa4", 5, "Simulazioa", "Simulatu programa adibidea ", "Ctrl+D", 0, -1, -1},
    {"Simulazioa30", 5, "Simulazioa", "-", "", -1, -1, -1},
    {"Simulazioa5", 5, "Simulazioa", "Mota", "", -1, -1, -1},
    {"Simulazioa5_1", 4, "Simulazioa5", "jarraia", "Ctrl+E", -1, 1, -1},
    {"Simulazioa5_2", 4, "Simulazioa5", "zikloz ziklo", "Ctrl+F", -1, 0, -1},
    {"Simulazioa5_3", 4, "Simulazioa5", "pausoz pauso", "Ctrl+G", -1, 0, -1},
    {"Simulazioa6", 5, "Simulazioa", "Simulazio azkarra", "Ctrl+H", -1, 0, -1},
    {"Simulazioa7", 5, "Simulazioa", "Simulazio motela", "Ctrl+I", -1, 0, -1},
    {"Simulazioa8", 5, "Simulazioa", "CLK denbora", "", -1, -1, -1},
    {"Simulazioa8_1", 4, "Simulazioa8", "Handiagotu denbora (+1 seg)", "F8", -1, -1, -1},
    {"Simulazioa8_2", 4, "Simulazioa8", "Txikiagotu denbora  (-1 seg)", "F9", -1, -1, -1},
    {"Simulazioa40", 5, "Simulazioa", "-", "", -1, -1, -1},
    {"Simulazioa9", 5, "Simulazioa", "Gelditu simulazioa", "Ctrl+L", 0, -1, -1},
    {"Simulazioa10", 5, "Simulazioa", "Jarraitu simulazioa", "Ctrl+M", 0, -1, -1},
    {"Simulazioa50", 5, "Simulazioa", "-", "", -1, -1, -1},
    {"Simulazioa11", 5, "Simulazioa", "Amaitu simulazioa", "Ctrl+N", 0, -1, -1},
    {"Aukerak", 8, "", "&Aukerak", "", -1, -1, -1},
    {"Aukerak1", 7, "Aukerak", "Ikusi aukerak", "Ctrl+O", -1, -1, -1},
    {"Laguntza", 10, "", "&Laguntza", "", -1, -1, -1},
    {"Laguntza1", 9, "Laguntza", "Edukia", "", -1, -1, -1},
    {"Laguntza2", 9, "Laguntza", "Aurkibidea", "", -1, -1, 0},
    {"Laguntza3", 9, "Laguntza", "Bilaketa", "", -1, -1, 0},
    {"Laguntza4", -1, "Laguntza", "-", "", -1, -1, -1},
    {"Laguntza5", 9, "Laguntza", "Simuladorearen inguruan...", "Ctrl+P", -1, -1, -1},
};

void menus(Layout& l) {
  for (const MenuItem& m : kMenus) {
    std::vector<Prop> p;
    if (*m.shortcut) p.push_back({"Shortcut", m.shortcut});
    if (m.enabled >= 0) p.push_back({"Enabled", m.enabled == 1});
    if (m.checked >= 0) p.push_back({"Checked", m.checked == 1});
    if (m.visible >= 0) p.push_back({"Visible", m.visible == 1});
    l.add({m.name, m.index, Kind::Menu, m.parent, -1, {}, m.caption, std::move(p)});
  }
}

// ------------------------------------------------------------------ toolbar and status bar

struct ToolButton {
  const char* key;
  const char* tip;
  const char* picture;
  bool enabled;  // the idle look
};

const ToolButton kToolbar[8] = {
    {"Hasi", "Simulazioarekin jarraitu", "hasi", false},  // nothing to continue before a run
    {"Gelditu", "Simulazioa gelditu", "gelditu", false},
    {"Konfigurazioa", "Simulaziorako aukerak bistaratu", "konfigurazioa", true},
    {"Martxan", "KUaren simulazioa martxan", "martxan", false},
    {"Geldirik", "KUaren simulazioa geldirik", "geldirik", false},
    {"Zain", "KUa aginduaren zain", "zain", true},
    {"Soinua", "clk1 erloju seinalearen soinua", "soinua", true},
    {"Galdera", "Simuladorearen inguruko laguntza bistaratu", "galdera", true},
};

void bars(Layout& l) {
  std::vector<Prop> images, buttons = {{"ImageList", "ImageList1"}, {"Buttons.Count", 8}};
  for (int i = 1; i <= 8; ++i) {
    const ToolButton& b = kToolbar[i - 1];
    const std::string n = "(" + std::to_string(i) + ").";
    images.push_back({"ListImages" + n + "Picture", std::string(":/brendalo/toolbar/") + b.picture + ".png"});
    buttons.push_back({"Buttons" + n + "Key", b.key});
    buttons.push_back({"Buttons" + n + "ToolTipText", b.tip});
    buttons.push_back({"Buttons" + n + "Image", i});
    buttons.push_back({"Buttons" + n + "Enabled", b.enabled});
  }
  l.add({"ImageList1", -1, Kind::ImageList, "", -1, {}, "", std::move(images)});
  l.add({"Toolbar1", -1, Kind::Toolbar, "", -1, {0, 0, 15240, 420}, "", std::move(buttons)});
  // "Aginduaren zain" and "11''" at start-up, as every status bar.
  l.add(status_bar_def(15240, 10425, 6));
  // The clk1 period buttons stand over the right part of the status bar.
  l.add(button("Command2", 1, "", {12600, 10125, 255, 270}, "-",
               {{"FontSize", 9.75}, {"ToolTipText", "clk1 denbora segundu batean txikiagotu"}}));
  l.add(button("Command2", 0, "", {13320, 10125, 255, 270}, "+",
               {{"FontSize", 9.75}, {"ToolTipText", "clk1 denbora segundu batean handigotu"}}));
  l.add({"Timer1", -1, Kind::Timer, "", -1, {}, "", {{"Interval", 1000}, {"Enabled", false}}});
}

std::vector<ControlDef> layout() {
  Layout l;
  l.add({"Nagusia", -1, Kind::Form, "", -1, {0, 0, 15240, 10425}, kMainCaption, {}});
  control_unit(l);
  state_chart(l);
  grids_and_signals(l);
  diagram_panel(l);
  bars(l);
  menus(l);
  return std::move(l.rows);
}

// Shows a window opened from the menus or the picture buttons: modeless, in
// `state` (-1: as it is), with the wait pointer on the main window (and on
// `button`) while it is created when `wait` is set.
template <class T>
void open_window(Nagusia& m, int state, bool wait = false, plat::Control* button = nullptr) {
  if (wait) {
    m.set_mouse_pointer(11);
    if (button) button->set("MousePointer", 11);
  }
  T& w = plat::form<T>();
  w.Show();
  if (state >= 0) w.set_window_state(state);
  if (wait) {
    m.set_mouse_pointer(0);
    if (button) button->set("MousePointer", 10);
  }
}

}  // namespace

bool Nagusia::in_memory_diagram(const plat::Control& c) {
  if (c.container() == nullptr || c.container()->name() != "Frame6") return false;
  const std::string& n = c.name();
  if (n == "Label7" || n == "Label8" || n == "LineMN") return true;
  return n == "Label2" && (c.index() == 10 || c.index() == 22 || c.index() == 23);
}

Nagusia::Nagusia() : Form(kName, layout()) {
  plat::set_main_form(kName);  // the other windows open centred on it
  bind_handlers();
  Bind_grid_guards(*this);
}

void Nagusia::bind_handlers() {
  using plat::Event;
  using plat::EventArgs;
  on("Timer1", Event::Timer, [this](EventArgs&) { Timer1_Timer(); });
  on("Toolbar1", Event::ButtonClick, [this](EventArgs& a) { Toolbar1_ButtonClick(a.key); });
  on("Image1", Event::Click, [this](EventArgs&) { Image1_Click(); });
  on("CommandASM", Event::Click, [this](EventArgs&) { CommandASM_Click(); });
  on("CommandMikro", Event::Click, [this](EventArgs&) { CommandMikro_Click(); });
  on("CommandKM", Event::Click, [this](EventArgs&) { CommandKM_Click(); });
  on("CommandPU", Event::Click, [this](EventArgs&) { CommandPU_Click(); });
  on("CommandMN", Event::Click, [this](EventArgs&) { CommandMN_Click(); });
  auto indexed = [this](const char* control, void (Nagusia::*h)(int)) {
    on(control, Event::Click, [this, h](EventArgs& a) { (this->*h)(a.index); });
  };
  indexed("CommandPU2", &Nagusia::CommandPU2_Click);
  indexed("CommandPU3", &Nagusia::CommandPU3_Click);
  indexed("CommandAdib", &Nagusia::CommandAdib_Click);
  indexed("Commandmnetaem", &Nagusia::Commandmnetaem_Click);
  indexed("Artxibo3", &Nagusia::Artxibo3_Click);
  indexed("Artxibo6", &Nagusia::Artxibo6_Click);
  indexed("Artxibo7", &Nagusia::Artxibo7_Click);
  indexed("Artxibo8", &Nagusia::Artxibo8_Click);
  indexed("Artxiboaldatu", &Nagusia::Artxiboaldatu_Click);
  indexed("Artxibo11", &Nagusia::Artxibo11_Click);
  indexed("Artxibo13", &Nagusia::Artxibo13_Click);
  indexed("Artxibo15", &Nagusia::Artxibo15_Click);
  indexed("Ikusi1", &Nagusia::Ikusi1_Click);
  indexed("Ikusi2", &Nagusia::Ikusi2_Click);
  indexed("Ikusi3", &Nagusia::Ikusi3_Click);
  indexed("Ikusi5", &Nagusia::Ikusi5_Click);
  indexed("Ikusi6", &Nagusia::Ikusi6_Click);
  indexed("Ikusi7", &Nagusia::Ikusi7_Click);
  indexed("Ikusi8", &Nagusia::Ikusi8_Click);
  indexed("IKusi9", &Nagusia::IKusi9_Click);
  indexed("Ikusi11", &Nagusia::Ikusi11_Click);
  indexed("Ikusi13", &Nagusia::Ikusi13_Click);
  indexed("Aukerak1", &Nagusia::Aukerak1_Click);
  indexed("Laguntza1", &Nagusia::Laguntza1_Click);
  indexed("Laguntza5", &Nagusia::Laguntza5_Click);

  // The run commands (run_commands.h, end_command.h).
  for (const char* item : {"Simulazioa1", "Simulazioa2", "Simulazioa3"}) {
    const std::string name = item;
    on(item, Event::Click, [name](EventArgs&) { Run_single_instruction(name); });
  }
  auto command = [this](const char* control, void (*h)(int)) {
    on(control, Event::Click, [h](EventArgs& a) { h(a.index); });
  };
  command("Simulazioa4", &Simulazioa4_Click);
  command("Simulazioa5_1", &Simulazioa5_1_Click);
  command("Simulazioa5_2", &Simulazioa5_2_Click);
  command("Simulazioa5_3", &Simulazioa5_3_Click);
  command("Simulazioa6", &Simulazioa6_Click);
  command("Simulazioa7", &Simulazioa7_Click);
  command("Simulazioa8_1", &Simulazioa8_1_Click);
  command("Simulazioa8_2", &Simulazioa8_2_Click);
  command("Simulazioa9", &Simulazioa9_Click);
  command("Simulazioa10", &Simulazioa10_Click);
  command("Simulazioa11", &Simulazioa11_Click);
  command("Command2", &Command2_Click);
  command("Command3", &Command3_Click);
  on("Command1", Event::Click, [](EventArgs&) { Command1_Click(); });
}

void Nagusia::Form_Load() {
  set_mouse_pointer(11);
  ctl("Timer1").set_enabled(true);
  reset = kFlagTrue;
  soinua = kFlagTrue;
  Came_from_control_memory = Came_from_microprogram = Came_from_memory_view = kFlagFalse;
  engine().Example_loaded = engine().Example_opened = kFlagFalse;
  engine().Control_memory_modified = kFlagFalse;
  Set_engine_variables_at_load(engine().Report_z_value != 0);
  // Z is reported as the options window's check box says; a greyed box keeps the setting.
  const int64_t z = plat::form<KonfiguratuSIM>().ctl("Check2").value();
  if (z == 0 || z == 1) engine().Report_z_value = to_flag(z == 1);
  set_window_state(2);
  set_mouse_pointer(0);
}

void Nagusia::Timer1_Timer() {
  const plat::TimeOfDay t = plat::services().time_of_day();
  char clock[16];
  std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  set_caption(std::string(kMainCaption) + std::string(97, ' ') + clock);
}

void Nagusia::Toolbar1_ButtonClick(const std::string& key) {
  if (key == "Hasi" || key == "Gelditu") {
    // Pause and continue mean something only while a run is in progress.
    if (!Run_in_progress()) return;
    if (key == "Hasi")
      Simulazioa10_Click(5);
    else
      Simulazioa9_Click(5);
  } else if (key == "Konfigurazioa") {
    open_window<KonfiguratuSIM>(*this, -1);
  } else if (key == "Soinua") {
    plat::beep();
    soinua = to_flag(soinua == 0);
  } else if (key == "Galdera") {
    Open_help_window();
  }
  // "Martxan", "Geldirik" and "Zain" are lamps.
}

void Nagusia::Image1_Click() { open_window<PU>(*this, 2); }
void Nagusia::CommandPU_Click() { open_window<PU>(*this, 2); }
void Nagusia::CommandASM_Click() { open_window<ASM>(*this, 2); }
void Nagusia::CommandMikro_Click() { open_window<Mikroprograma>(*this, 0); }
void Nagusia::CommandKM_Click() { open_window<Kontrolmemoria>(*this, 0, true, &ctl("CommandKM", 0)); }
void Nagusia::CommandMN_Click() { open_window<MNetaEM>(*this, 2, true, &ctl("CommandMN", 1)); }

void Nagusia::CommandPU2_Click(int Index) {
  Check_view_menu_process_unit_by_button(Index);
  Show_process_unit_view();
}

void Nagusia::CommandPU3_Click(int Index) { CommandPU2_Click(Index); }

void Nagusia::CommandAdib_Click(int Index) {
  Check_view_menu_example_by_button(Index);
  Show_example_program_view();
}

void Nagusia::Commandmnetaem_Click(int Index) {
  plat::Control& b = ctl("Commandmnetaem", 1);
  set_mouse_pointer(11);
  b.set("MousePointer", 11);
  Check_view_menu_register_file_by_button(Index);
  Show_register_file_view();
  set_mouse_pointer(0);
  b.set("MousePointer", 10);
}

void Nagusia::Artxibo3_Click(int Index) {
  Set_menus_example_opened(Index);
  Show_example_program_view_opened();
  engine().Example_opened = kFlagTrue;
}

void Nagusia::Artxibo6_Click(int Index) { example_memory_step(Index, true); }
void Nagusia::Artxibo7_Click(int Index) { example_memory_step(Index, false); }

// Loading the example into main memory, or unloading it from there: both set
// the data and the registers a run reads.
void Nagusia::example_memory_step(int Index, bool load) {
  if (Table_change_refused(Table::Main_memory)) return;
  set_mouse_pointer(11);
  if (load) {
    Set_menus_example_loaded(Index);
    Show_register_file_view_example_loaded();
  } else {
    Set_menus_example_unloaded(Index);
    Show_register_file_view_example_unloaded();
  }
  engine().Example_loaded = to_flag(load);
  set_mouse_pointer(0);
}

void Nagusia::Artxibo8_Click(int) { open_window<Datuenaldaketarakopausoa>(*this, -1); }
void Nagusia::Artxiboaldatu_Click(int) { open_window<Birprogramaziorakopausoa>(*this, -1); }

void Nagusia::Artxibo11_Click(int Index) {
  if (Table_change_refused(Table::Microprogram)) return;
  set_mouse_pointer(11);
  Load_microprogram_text();
  Show_microprogram_main();
  Show_microprogram_window();
  Load_control_memory();
  Show_control_memory_main();
  Show_control_memory_window();
  ctl("Artxibo11", Index).set_enabled(false);
  set_mouse_pointer(0);
  engine().Control_memory_modified = kFlagFalse;
  plat::message_box("Mikroprograma era Kontrol Memoria berrezarri dira.", plat::vbInformation, "Birprogramazioa");
}

void Nagusia::Artxibo13_Click(int) { set_window_state(1); }

void Nagusia::Artxibo15_Click(int) { Exit_program(); }

void Nagusia::Ikusi1_Click(int Index) {
  Check_view_menu_process_unit(Index);
  Show_process_unit_view();
}

void Nagusia::Ikusi2_Click(int Index) {
  set_mouse_pointer(11);
  Check_view_menu_register_file(Index);
  Show_register_file_view();
  set_mouse_pointer(0);
}

void Nagusia::Ikusi3_Click(int Index) {
  Check_view_menu_example(Index);
  Show_example_program_view();
  for (int i = 0; i <= 16; ++i) ctl("ksUP", i).set_visible(false);
}

void Nagusia::Ikusi5_Click(int) { open_window<ASM>(*this, 2); }
void Nagusia::Ikusi6_Click(int) { open_window<Mikroprograma>(*this, 0); }
void Nagusia::Ikusi7_Click(int) { open_window<Kontrolmemoria>(*this, 0, true); }
void Nagusia::Ikusi8_Click(int) { open_window<PU>(*this, 2); }
void Nagusia::IKusi9_Click(int) { open_window<MNetaEM>(*this, 2, true); }
void Nagusia::Ikusi11_Click(int) { open_window<UALeragiketak>(*this, 0); }
void Nagusia::Ikusi13_Click(int) { open_window<Aginduenformatua>(*this, 2); }
void Nagusia::Aukerak1_Click(int) { open_window<KonfiguratuSIM>(*this, -1); }
void Nagusia::Laguntza1_Click(int) { Open_help_window(); }
void Nagusia::Laguntza5_Click(int) { open_window<Simuladoreariburuz>(*this, -1); }

// Ending the program makes every wait of a run in progress return at once;
// the run's handler then unwinds and the program exits after it.
void Exit_program() {
  if (Nagusia::Bereizmena_aldatua) Restore_display_mode();
  Nagusia::Bereizmena_aldatua = kFlagFalse;
  engine().Simulation_ended = kFlagTrue;
  plat::end_program();
}

void Nagusia::Form_Unload(int16_t& Cancel) {
  Exit_program();
  // The window stays (hidden) until the program has ended, so that a run
  // still unwinding never writes to a destroyed window or makes a new one.
  Cancel = 1;
  Hide();
}

}  // namespace brendalo
