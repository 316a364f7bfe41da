#include "simulator/display/pu_window.h"

#include <array>
#include <set>
#include <string>

#include "simulator/dialogs/listing_windows.h"
#include "simulator/display/picture_window.h"
#include "simulator/engine/status_texts.h"
#include "simulator/mainwindow/period_buttons.h"

namespace brendalo {

namespace {

using plat::ControlDef;
using plat::Kind;

// ------------------------------------------------------------------ what each path lights

const std::array<PuRow, kPuPaths> kPaths = {{
    // A: the memory selected, its address from MuxM.
    {{{"Label3", 7}, {"Label3", 17}, {"Label3", 4}}, {}, {{"Label1", 3}},
     {{"Line68", 1}, {"Line69"}, {"Line70"}, {"Line62"}, {"Line63"}, {"Line64"}, {"Line65"}, {"Line66"}, {"Line67"}}},
    // B1..B3: the three inputs of MuxM.
    {{}, {{"Label1", 7}}, {}, {{"Line45", 1}, {"Line17", 1}, {"Line52"}, {"Line53"}}},
    {{}, {{"Label1", 8}}, {}, {{"Line196", 0}, {"Line209"}, {"Line61"}, {"Line54"}, {"Line55"}, {"Line56"}}},
    {{}, {{"Label1", 9}}, {}, {{"Line108", 3}, {"Line112"}, {"Line222", 2}, {"Line59"}, {"Line57"}, {"Line58"}}},
    // C1 read, C2 write.
    {{{"Label3", 6}}, {}, {{"Label1", 12}}, {{"Line68", 2}, {"Line71"}, {"Line72"}}},
    {{{"Label3", 5}}, {}, {{"Label1", 11}},
     {{"Line68", 0}, {"Line73"}, {"Line74"}, {"Line161", 0}, {"Line162", 0}, {"Line172"}, {"Line78"}, {"Line75"},
      {"Line76"}, {"Line77"}}},
    // D1, D2: the instruction registers.
    {{{"Label3", 8}}, {}, {},
     {{"Line94", 0}, {"Line95", 0}, {"Line96", 0}, {"Line79", 0}, {"Line79", 1}, {"Line80"}, {"Line81"}}},
    {{{"Label3", 9}}, {}, {},
     {{"Line97", 0}, {"Line98", 0}, {"Line99", 0}, {"Line79", 0}, {"Line82", 1}, {"Line91"}, {"Line92"}, {"Line93"}}},
    // E: a register written, E0 from R_ual, E1 from memory.
    {{{"Label3", 11}}, {}, {{"Label1", 24}, {"Label1", 25}},
     {{"Line244"}, {"Line114", 0}, {"Line114", 1}, {"Line131"}, {"Line132"}, {"Line141"}, {"Line142"}, {"Line143"},
      {"Line152"}, {"Line249"}, {"Line153"}}},
    {{}, {{"Label1", 20}}, {},
     {{"Line196", 0}, {"Line162", 1}, {"Line210"}, {"Line151"}, {"Line150"}, {"Line247"}, {"Line248"}}},
    {{}, {{"Label1", 21}}, {},
     {{"Line79", 0}, {"Line82", 1}, {"Line82", 0}, {"Line147"}, {"Line148"}, {"Line149"}, {"Line245"}, {"Line246"}}},
    // F: R_e1 loaded; G: R_e2 loaded, its read address from Muxl2.
    {{{"Label3", 13}}, {}, {{"Label1", 22}, {"Label1", 26}},
     {{"Line94", 1}, {"Line95", 1}, {"Line96", 1}, {"Line160", 1}, {"Line110"}, {"Line133"}, {"Line129"}, {"Line130"}}},
    {{{"Label3", 14}, {"Label3", 10}}, {}, {{"Label1", 23}, {"Label1", 27}},
     {{"Line97", 1}, {"Line98", 1}, {"Line99", 1}, {"Line118"}, {"Line119"}, {"Line120"}, {"Line161", 2}, {"Line125"},
      {"Line127"}, {"Line128"}}},
    {{}, {{"Label1", 19}}, {}, {{"Line108", 3}, {"Line226"}, {"Line121"}, {"Line122"}}},
    {{}, {{"Label1", 18}}, {}, {{"Line244"}, {"Line114", 0}, {"Line136"}, {"Line135"}, {"Line123"}, {"Line124"}}},
    // H: the ALU into R_ual, H0/H1 its input B.
    {{{"Label3", 16}, {"Label3", 15}}, {}, {},
     {{"Line204"}, {"Line202"}, {"Line203"}, {"Line196", 1}, {"Line160", 0}, {"Line180"}, {"Line181"}, {"Line177"},
      {"Line178"}, {"Line179"}, {"Line174"}, {"Line175"}, {"Line176"}, {"Line108", 0}, {"Line222", 1}, {"Line215"},
      {"Line216"}, {"Line225"}, {"Line190"}, {"Line191"}, {"Line192"}}},
    {{}, {{"Label1", 31}}, {}, {{"Line161", 0}, {"Line161", 1}, {"Line166"}, {"Line167"}}},
    {{}, {{"Label1", 32}, {"Label2", 37}}, {}, {{"Line171"}, {"Line170"}, {"Line168"}, {"Line169"}}},
    // J: PC loaded; K: PCi loaded.
    {{{"Label3", 0}}, {}, {}, {{"Line187", 0}, {"Line19", 0}, {"Line20", 0}, {"Line18"}, {"Line33"}, {"Line34"}}},
    {{{"Label3", 3}}, {}, {}, {{"Line187", 1}, {"Line19", 1}, {"Line20", 1}, {"Line45", 1}, {"Line45", 0}, {"Line46"}, {"Line47"}}},
    // L: the adder; L0 PCi + 1, L1 PC + IR2.
    {{{"Label3", 1}, {"Label3", 2}}, {}, {},
     {{"Line21", 1}, {"Line22", 1}, {"Line227"}, {"Line21", 0}, {"Line22", 0}, {"Line23", 0}, {"Line24"}, {"Line25"},
      {"Line26"}, {"Line27"}, {"Line28"}, {"Line29"}, {"Line30"}, {"Line31"}, {"Line18"}, {"Line33"}, {"Line34"}}},
    {{}, {{"Label1", 0}, {"Label1", 2}, {"Label2", 0}}, {},
     {{"Line7"}, {"Line9"}, {"Line10"}, {"Line40"}, {"Line42"}, {"Line41"}, {"Line43"}, {"Line44"}}},
    {{}, {{"Label1", 1}, {"Label2", 1}}, {},
     {{"Line108", 3}, {"Line112"}, {"Line222", 2}, {"Line60"}, {"Line13"}, {"Line8"}, {"Line11"}, {"Line12"},
      {"Line45", 1}, {"Line17", 0}, {"Line14"}, {"Line15"}, {"Line16"}}},
    // M: the decoder reads the operation code.
    {{}, {}, {},
     {{"Line108", 0}, {"Line221"}, {"Line222", 0}, {"Line223"}, {"Line224"}, {"Line134"}, {"Line228"}, {"Line229"}}},
}};

// ------------------------------------------------------------------ the drawing (twips)

constexpr int kBlack = 0x000000;

struct Drawing {
  std::vector<ControlDef> rows;
  std::set<std::string> used;  // names of the wires (any index)
  std::vector<std::array<int, 5>> statics;  // width, x1, y1, x2, y2 of the never-lit lines
  std::vector<ControlDef> windows;          // the multiplexer names, over the drawing

  void segment(PuRef r, int x1, int y1, int x2, int y2, int color = int(kPuWireIdle), int width = 3) {
    used.insert(r.name);
    rows.push_back({r.name, r.index, Kind::Line, "", -1, {x1, y1, x2, y2}, "",
                    {{"BorderColor", color}, {"BorderWidth", width}}});
  }
  // An arrowhead of two strokes with its tip at (x, y), pointing 'R', 'L', 'U' or 'D'.
  void head(PuRef a, PuRef b, int x, int y, char dir, int color = int(kPuWireIdle)) {
    const int dx = dir == 'R' ? 1 : dir == 'L' ? -1 : 0, dy = dir == 'D' ? 1 : dir == 'U' ? -1 : 0;
    const int bx = x - 90 * dx, by = y - 90 * dy, sx = 60 * -dy, sy = 60 * dx;
    segment(a, bx + sx, by + sy, x, y, color);
    segment(b, bx - sx, by - sy, x, y, color);
  }
  void label(PuRef r, plat::Box b, const char* caption, int back) {
    rows.push_back({r.name, r.index, Kind::Label, "", -1, b, caption, {{"BackColor", back}, {"Alignment", 2}}});
  }
  void box(const char* name, int index, plat::Box b) {
    rows.push_back({name, index, Kind::Shape, "", -1, b, "",
                    {{"BackStyle", 1}, {"BackColor", 0xFFFFFF}, {"BorderColor", kBlack}, {"BorderWidth", 2}}});
  }
  void fixed(int width, int x1, int y1, int x2, int y2) { statics.push_back({width, x1, y1, x2, y2}); }
  // The slanted tick across a bus and its width beside it.
  void bus_width(int label, const char* bits, int x, int y, bool vertical) {
    fixed(1, x - 60, y + 60, x + 60, y - 60);
    if (vertical)
      this->label({"Label2", label}, {x + 90, y - 90, 255, 195}, bits, 0xE0E0E0);
    else
      this->label({"Label2", label}, {x - 60, y - 285, 255, 195}, bits, 0xE0E0E0);
  }
  // A clock mark on the lower left corner of a register, or on its bottom edge.
  void clock(int label, int x, int y, bool bottom) {
    if (bottom) {
      fixed(1, x - 60, y, x, y - 90);
      fixed(1, x, y - 90, x + 60, y);
      this->label({"Label2", label}, {x - 120, y + 30, 285, 195}, "clk", 0xE0E0E0);
    } else {
      fixed(1, x, y - 150, x + 90, y - 90);
      fixed(1, x + 90, y - 90, x, y - 30);
      this->label({"Label2", label}, {x - 330, y - 195, 285, 195}, "clk", 0xE0E0E0);
    }
  }
  // A multiplexer: its name in a box and a heavier outline round it.
  void mux(int index, const char* name, plat::Box b) {
    const int l = b.left - 45, t = b.top - 45, r = b.left + b.width + 45, bo = b.top + b.height + 45;
    fixed(2, l, t, r, t);
    fixed(2, r, t, r, bo);
    fixed(2, r, bo, l, bo);
    fixed(2, l, bo, l, t);
    windows.push_back({"Text1", index, Kind::TextBox, "", -1, b, name,
                    {{"BackColor", 0xFFFFFF}, {"Locked", true}, {"TabStop", false}, {"Alignment", 2}}});
  }
};

void wires(Drawing& d) {
  // The program counter, its copy and the adder.
  d.segment({"Line45", 1}, 4095, 2600, 4320, 2600);
  d.segment({"Line17", 1}, 4320, 2600, 5040, 2600);
  d.head({"Line52"}, {"Line53"}, 5040, 2600, 'R');
  d.segment({"Line45", 0}, 4320, 2600, 4320, 3120);
  d.segment({"Line46"}, 4320, 3120, 3600, 3120);
  d.segment({"Line47"}, 3600, 3120, 3600, 3360);
  d.segment({"Line17", 0}, 4320, 2600, 4320, 1140);
  d.segment({"Line14"}, 4320, 1140, 2160, 1140);
  d.segment({"Line15"}, 2160, 1140, 1027, 1140);
  d.segment({"Line16"}, 1027, 1140, 1027, 2040);
  d.segment({"Line40"}, 2880, 3667, 480, 3667);
  d.segment({"Line42"}, 480, 3667, 480, 2182);
  d.segment({"Line41"}, 480, 2182, 720, 2182);
  d.head({"Line43"}, {"Line44"}, 720, 2182, 'R');
  d.segment({"Line27"}, 1335, 2182, 1560, 2182);
  d.segment({"Line28"}, 1560, 2182, 1560, 1500);
  d.segment({"Line29"}, 1560, 1500, 2880, 1500);
  d.head({"Line30"}, {"Line31"}, 2880, 1500, 'R');
  d.segment({"Line24"}, 3067, 525, 3067, 1320);
  d.head({"Line25"}, {"Line26"}, 3067, 1320, 'D');
  d.segment({"Line18"}, 3480, 2055, 3480, 2280);
  d.head({"Line33"}, {"Line34"}, 3480, 2280, 'D');
  d.segment({"Line21", 1}, 1027, 2565, 1027, 2325);
  d.head({"Line22", 1}, {"Line227"}, 1027, 2325, 'U');
  d.segment({"Line21", 0}, 3067, 0, 3067, 195);
  d.head({"Line22", 0}, {"Line23", 0}, 3067, 195, 'D');
  d.segment({"Line7"}, 2220, 380, 2760, 380);
  d.head({"Line9"}, {"Line10"}, 2760, 380, 'R');
  d.segment({"Line60"}, 5287, 4560, 4560, 4560);
  d.segment({"Line13"}, 4560, 4560, 4560, 380);
  d.segment({"Line8"}, 4560, 380, 3375, 380);
  d.head({"Line11"}, {"Line12"}, 3375, 380, 'L');
  d.segment({"Line187", 0}, 2520, 2450, 2880, 2450);
  d.head({"Line19", 0}, {"Line20", 0}, 2880, 2450, 'R');
  d.segment({"Line187", 1}, 2520, 3500, 2880, 3500);
  d.head({"Line19", 1}, {"Line20", 1}, 2880, 3500, 'R');

  // Main memory: control, address, data in.
  d.segment({"Line68", 1}, 6390, 2400, 6390, 2760);
  d.head({"Line69"}, {"Line70"}, 6390, 2760, 'D');
  d.segment({"Line68", 2}, 6840, 2400, 6840, 2760);
  d.head({"Line71"}, {"Line72"}, 6840, 2760, 'D');
  d.segment({"Line68", 0}, 7290, 2400, 7290, 2760);
  d.head({"Line73"}, {"Line74"}, 7290, 2760, 'D');
  d.segment({"Line62"}, 5535, 2790, 6240, 2790);
  d.head({"Line63"}, {"Line64"}, 6240, 2790, 'R');
  d.segment({"Line65"}, 5287, 2160, 5287, 2520);
  d.head({"Line66"}, {"Line67"}, 5287, 2520, 'D');
  d.segment({"Line196", 0}, 11647, 10095, 11647, 10320);
  d.segment({"Line209"}, 11647, 10320, 4800, 10320);
  d.segment({"Line61"}, 4800, 10320, 4800, 2740);
  d.segment({"Line54"}, 4800, 2740, 5040, 2740);
  d.head({"Line55"}, {"Line56"}, 5040, 2740, 'R');
  d.segment({"Line108", 3}, 8295, 5000, 9360, 5000);
  d.segment({"Line112"}, 9360, 5000, 9360, 4560);
  d.segment({"Line222", 2}, 9360, 4560, 5287, 4560);
  d.segment({"Line59"}, 5287, 4560, 5287, 2805);
  d.head({"Line57"}, {"Line58"}, 5287, 2805, 'U');
  d.segment({"Line161", 0}, 12375, 7687, 12480, 7687);
  d.segment({"Line162", 0}, 12480, 7687, 14640, 7687);
  d.segment({"Line172"}, 14640, 7687, 14640, 3000);
  d.segment({"Line78"}, 14640, 3000, 9000, 3000);
  d.segment({"Line75"}, 9000, 3000, 7455, 3000);
  d.head({"Line76"}, {"Line77"}, 7455, 3000, 'L');

  // Data out into the instruction registers and the register file.
  d.segment({"Line79", 0}, 6840, 4455, 6840, 4680);
  d.segment({"Line79", 1}, 6840, 4680, 6840, 4800);
  d.head({"Line80"}, {"Line81"}, 6840, 4800, 'D');
  d.segment({"Line82", 1}, 6840, 4680, 8047, 4680);
  d.segment({"Line91"}, 8047, 4680, 8047, 4800);
  d.head({"Line92"}, {"Line93"}, 8047, 4800, 'D');
  d.segment({"Line82", 0}, 8047, 4680, 8760, 4680);
  d.segment({"Line147"}, 8760, 4680, 8760, 4222);
  d.segment({"Line148"}, 8760, 4222, 10200, 4222);
  d.segment({"Line149"}, 10200, 4222, 11400, 4222);
  d.head({"Line245"}, {"Line246"}, 11400, 4222, 'R');
  d.segment({"Line94", 0}, 6240, 5047, 6600, 5047);
  d.head({"Line95", 0}, {"Line96", 0}, 6600, 5047, 'R');
  d.segment({"Line97", 0}, 7440, 5047, 7800, 5047);
  d.head({"Line98", 0}, {"Line99", 0}, 7800, 5047, 'R');

  // The register file: write address and data, read addresses and outputs.
  d.segment({"Line244"}, 7000, 5295, 7000, 6000);
  d.segment({"Line114", 0}, 7000, 6000, 9000, 6000);
  d.segment({"Line114", 1}, 9000, 6000, 10920, 6000);
  d.head({"Line131"}, {"Line132"}, 10920, 6000, 'R');
  d.segment({"Line141"}, 11647, 4365, 11647, 5400);
  d.head({"Line142"}, {"Line143"}, 11647, 5400, 'D');
  d.segment({"Line152"}, 11647, 3840, 11647, 4080);
  d.head({"Line249"}, {"Line153"}, 11647, 4080, 'D');
  d.segment({"Line162", 1}, 11647, 10320, 14400, 10320);
  d.segment({"Line210"}, 14400, 10320, 14400, 4222);
  d.segment({"Line151"}, 14400, 4222, 12600, 4222);
  d.segment({"Line150"}, 12600, 4222, 11895, 4222);
  d.head({"Line247"}, {"Line248"}, 11895, 4222, 'L');
  d.segment({"Line94", 1}, 10560, 7687, 10920, 7687);
  d.head({"Line95", 1}, {"Line96", 1}, 10920, 7687, 'R');
  d.segment({"Line160", 1}, 11227, 7215, 11227, 7440);
  d.segment({"Line110"}, 6800, 5295, 6800, 6360);
  d.segment({"Line133"}, 6800, 6360, 10920, 6360);
  d.head({"Line129"}, {"Line130"}, 10920, 6360, 'R');
  d.segment({"Line97", 1}, 11900, 8280, 11900, 7935);
  d.head({"Line98", 1}, {"Line99", 1}, 11900, 7935, 'U');
  d.segment({"Line118"}, 9487, 5805, 9487, 5565);
  d.head({"Line119"}, {"Line120"}, 9487, 5565, 'U');
  d.segment({"Line161", 2}, 12067, 7215, 12067, 7440);
  d.segment({"Line125"}, 9735, 5500, 10920, 5500);
  d.head({"Line127"}, {"Line128"}, 10920, 5500, 'R');
  d.segment({"Line226"}, 9360, 5000, 9360, 5280);
  d.head({"Line121"}, {"Line122"}, 9360, 5280, 'D');
  d.segment({"Line136"}, 9000, 6000, 9000, 5422);
  d.segment({"Line135"}, 9000, 5422, 9240, 5422);
  d.head({"Line123"}, {"Line124"}, 9240, 5422, 'R');

  // The ALU and its operation.
  d.segment({"Line204"}, 10920, 9847, 11280, 9847);
  d.head({"Line202"}, {"Line203"}, 11280, 9847, 'R');
  d.segment({"Line196", 1}, 11647, 9360, 11647, 9600);
  d.segment({"Line160", 0}, 11227, 7935, 11227, 8880);
  d.head({"Line180"}, {"Line181"}, 11227, 8880, 'D');
  d.segment({"Line177"}, 12360, 9022, 12160, 9022);
  d.head({"Line178"}, {"Line179"}, 12160, 9022, 'L');
  d.segment({"Line174"}, 12727, 9405, 12727, 9165);
  d.head({"Line175"}, {"Line176"}, 12727, 9165, 'U');
  d.segment({"Line108", 0}, 6660, 5295, 6660, 7200);
  d.segment({"Line222", 1}, 6660, 7200, 6660, 7680);
  d.head({"Line215"}, {"Line216"}, 6660, 7680, 'D');
  d.segment({"Line225"}, 6900, 8175, 6900, 9120);
  d.segment({"Line190"}, 6900, 9120, 11160, 9120);
  d.head({"Line191"}, {"Line192"}, 11160, 9120, 'R');
  d.segment({"Line161", 1}, 12480, 7687, 12480, 8880);
  d.head({"Line166"}, {"Line167"}, 12480, 8880, 'D');
  d.segment({"Line171"}, 13800, 8715, 13800, 9022);
  d.segment({"Line170"}, 13800, 9022, 13095, 9022);
  d.head({"Line168"}, {"Line169"}, 13095, 9022, 'L');

  // The decoder.
  d.segment({"Line221"}, 6660, 7200, 5287, 7200);
  d.segment({"Line222", 0}, 5287, 7200, 5287, 7680);
  d.head({"Line223"}, {"Line224"}, 5287, 7680, 'D');
  d.segment({"Line134"}, 5287, 8175, 5287, 8640);
  d.head({"Line228"}, {"Line229"}, 5287, 8640, 'D');

  // Grey but never lit: LD_EM into the register file and the ALU's Z.
  d.segment({"Line155"}, 12735, 6000, 12375, 6000);
  d.head({"Line156"}, {"Line157"}, 12375, 6000, 'L');
  d.segment({"Line158"}, 12735, 5880, 12735, 6120);
  d.segment({"Line193"}, 11250, 9300, 10620, 9300);
  d.head({"Line194"}, {"Line195"}, 10620, 9300, 'L');
}

void labels(Drawing& d) {
  constexpr int W = 0xFFFFFF, G = int(kPuInputIdle), S = int(kPuNameIdle);
  struct L {
    PuRef r;
    plat::Box b;
    const char* caption;
    int back;
  };
  static const L all[] = {
      // Control-signal names.
      {{"Label3", 0}, {1920, 2350, 560, 195}, "LD_PC", S},   {{"Label3", 1}, {3150, 0, 300, 180}, "hD", S},
      {{"Label3", 2}, {1100, 2400, 300, 195}, "hD", S},      {{"Label3", 3}, {1920, 3300, 560, 195}, "LD_PCi", S},
      {{"Label3", 4}, {4770, 1950, 450, 195}, "hMH1", S},    {{"Label3", 5}, {7080, 2190, 420, 195}, "MWR", S},
      {{"Label3", 6}, {6645, 2190, 390, 195}, "MOE", S},     {{"Label3", 7}, {6195, 2190, 390, 195}, "MCS", S},
      {{"Label3", 8}, {5640, 4950, 560, 195}, "LD_IR1", S},  {{"Label3", 9}, {7200, 4830, 560, 195}, "LD_IR2", S},
      {{"Label3", 10}, {9560, 5640, 300, 195}, "hH", S},     {{"Label3", 11}, {11720, 3780, 390, 195}, "hMD", S},
      {{"Label3", 12}, {12780, 5900, 560, 195}, "LD_EM", S}, {{"Label3", 13}, {10000, 7590, 540, 195}, "LD_e1", S},
      {{"Label3", 14}, {11600, 8300, 520, 195}, "LD_e2", S}, {{"Label3", 15}, {12800, 9300, 300, 195}, "hB", S},
      {{"Label3", 16}, {10320, 9750, 560, 195}, "LD_ual", S}, {{"Label3", 17}, {5320, 1950, 450, 195}, "hMH0", S},
      // Multiplexer inputs and the operand.
      {{"Label1", 0}, {2445, 170, 240, 195}, " 0", G},       {{"Label1", 1}, {3450, 170, 240, 195}, " 1", G},
      {{"Label1", 2}, {1800, 285, 420, 195}, " '1'", G},     {{"Label2", 0}, {405, 1970, 255, 195}, " 0", G},
      {{"Label2", 1}, {1080, 1785, 150, 195}, "1", G},       {{"Label1", 7}, {4815, 2400, 150, 195}, "0", G},
      {{"Label1", 8}, {4815, 2790, 150, 195}, "1", G},       {{"Label1", 9}, {5340, 2865, 150, 195}, "2", G},
      {{"Label1", 19}, {9400, 5025, 150, 195}, "0", G},      {{"Label1", 18}, {9015, 5215, 150, 195}, "1", G},
      {{"Label1", 20}, {11960, 4000, 150, 195}, "0", G},     {{"Label1", 21}, {11175, 4000, 150, 195}, "1", G},
      {{"Label1", 31}, {12520, 8625, 150, 195}, "0", G},     {{"Label1", 32}, {13170, 8800, 150, 195}, "1", G},
      {{"Label2", 37}, {13440, 8500, 720, 195}, "ALD/#B", G},
      // Ports of the memory and the register file.
      {{"Label1", 3}, {6270, 2820, 200, 195}, "@", W},       {{"Label1", 11}, {6960, 2910, 480, 195}, "dat_in", W},
      {{"Label1", 12}, {6600, 4230, 560, 195}, "dat_out", W}, {{"Label1", 22}, {11100, 6990, 300, 195}, "Q1", W},
      {{"Label1", 23}, {11940, 6990, 300, 195}, "Q2", W},    {{"Label1", 24}, {11460, 5430, 380, 195}, "DAT", W},
      {{"Label1", 25}, {10950, 5905, 300, 195}, "@h", W},    {{"Label1", 26}, {10950, 6265, 330, 195}, "@i1", W},
      {{"Label1", 27}, {10950, 5430, 330, 195}, "@i2", W},
      // Names of the boxes.
      {{"Label1", 4}, {6600, 3480, 480, 195}, "MEM", W},     {{"Label1", 5}, {3300, 2500, 360, 195}, "PC", W},
      {{"Label1", 6}, {3300, 3570, 360, 195}, "PCi", W},     {{"Label1", 13}, {6630, 4950, 420, 195}, " IR1", W},
      {{"Label1", 15}, {7830, 4950, 420, 195}, " IR2", W},   {{"Label1", 41}, {6420, 7710, 600, 195}, " ROM", W},
      {{"Label1", 14}, {6420, 7935, 420, 195}, " UAL", W},   {{"Label1", 28}, {11500, 6240, 330, 195}, "EM", W},
      {{"Label1", 29}, {10990, 7590, 480, 195}, "R_e1", W},  {{"Label1", 30}, {11830, 7590, 480, 195}, "R_e2", W},
      {{"Label1", 33}, {11280, 9120, 720, 195}, "   UAL", W}, {{"Label1", 34}, {11400, 9750, 480, 195}, "R_ual", W},
      {{"Label1", 37}, {4980, 7830, 600, 195}, "DESK", W},   {{"Label1", 40}, {2910, 1560, 300, 195}, " A", W},
      {{"Label1", 39}, {2940, 1350, 300, 195}, " B", W},     {{"Label2", 45}, {3600, 1560, 300, 195}, " +", W},
      {{"Label2", 46}, {3330, 1830, 300, 195}, " Y", W},
      // Fields, the decoder's and the ALU's outputs.
      {{"Label1", 10}, {5700, 7350, 360, 195}, "ALD", G},    {{"Label1", 16}, {9450, 4320, 360, 195}, "IR2", G},
      {{"Label1", 17}, {7600, 5520, 480, 195}, "despl", G},  {{"Label1", 38}, {4860, 8280, 300, 195}, "EK", G},
      {{"Label2", 22}, {7800, 5360, 720, 195}, "ALD/#B", G}, {{"Label2", 23}, {8400, 5070, 480, 195}, "despl", G},
      {{"Label2", 24}, {8400, 4770, 300, 195}, "ri2", G},    {{"Label2", 27}, {7050, 5520, 480, 195}, "rh/ri2", G},
      {{"Label2", 28}, {7050, 6090, 300, 195}, "ri1", G},    {{"Label2", 38}, {10800, 9330, 200, 195}, "Z", G},
      {{"Label2", 39}, {9960, 9200, 600, 195}, "(KU-ra)", G}, {{"Label2", 44}, {5000, 8680, 600, 195}, "(KU-ra)", G},
  };
  for (const L& l : all) d.label(l.r, l.b, l.caption, l.back);

  // Bus widths.
  struct B {
    int label;
    const char* bits;
    int x, y;
    bool vertical;
  };
  static const B widths[] = {
      {2, "16", 2200, 1500, false},  {6, "16", 3067, 900, true},    {7, "16", 1600, 3667, false},
      {9, "16", 4500, 2600, false},  {10, "16", 5900, 2790, false}, {11, "16", 10000, 3000, false},
      {12, "16", 7500, 4680, false}, {14, "16", 9500, 4222, false}, {17, "16", 11647, 4900, true},
      {21, "16", 9000, 9120, false}, {32, "16", 8000, 10320, false}, {33, "16", 13500, 7687, false},
      {34, "16", 12480, 8300, true}, {40, "16", 11227, 8400, true}, {18, "5", 8000, 6360, false},
      {19, "5", 10000, 6000, false}, {25, "5", 10300, 5500, false}, {26, "5", 8900, 5000, false},
      {29, "5", 9000, 5700, true},   {30, "5", 9360, 4780, true},    {20, "6", 6000, 7200, false},
      {13, "2", 5287, 2300, true},   {42, "4", 6900, 8600, true},    {43, "21", 5287, 8400, true},
  };
  for (const B& b : widths) d.bus_width(b.label, b.bits, b.x, b.y, b.vertical);
  // The clocks of the eight registers.
  d.clock(5, 2880, 2895, false);
  d.clock(8, 2880, 3975, false);
  d.clock(15, 6600, 5295, false);
  d.clock(16, 7800, 5295, false);
  d.clock(31, 10920, 7935, false);
  d.clock(35, 12225, 7935, true);
  d.clock(36, 11280, 10095, false);
  d.clock(41, 10920, 7215, false);
}

std::vector<ControlDef> layout() {
  Drawing d;
  d.rows = Picture_window_rows(PU::kName, "Prozesu-Unitatea");

  d.box("Shape2", -1, {2880, 1320, 1215, 735});
  d.box("Shape1", 2, {2880, 2280, 1215, 615});
  d.box("Shape1", 1, {2880, 3360, 1215, 615});
  d.box("Shape3", 0, {6240, 2760, 1215, 1695});
  d.box("Shape3", 1, {10920, 5400, 1455, 1815});
  d.box("Shape4", 0, {6600, 4800, 495, 495});
  d.box("Shape4", 1, {7800, 4800, 495, 495});
  d.box("Shape5", 0, {4920, 7680, 735, 495});
  d.box("Shape5", 1, {6360, 7680, 735, 495});
  d.box("Shape5", 2, {10920, 7440, 615, 495});
  d.box("Shape5", 3, {11760, 7440, 615, 495});
  d.box("Shape5", 4, {11280, 9600, 735, 495});
  // The ALU: a trapezoid, inputs on top and on the right, the result below.
  d.fixed(2, 11040, 8880, 12240, 8880);
  d.fixed(2, 12240, 8880, 12000, 9360);
  d.fixed(2, 12000, 9360, 11280, 9360);
  d.fixed(2, 11280, 9360, 11040, 8880);

  d.mux(0, "MuxBat", {2760, 240, 615, 285});
  d.mux(1, "MuxPC", {720, 2040, 615, 285});
  d.mux(2, "MuxM", {5040, 2520, 495, 285});
  d.mux(3, "Muxl2", {9240, 5280, 495, 285});
  d.mux(4, "Muxl2", {11400, 4080, 495, 285});
  d.mux(5, "MuxUAL", {12360, 8880, 735, 285});
  wires(d);
  labels(d);
  // The never-lit lines take the names the lit ones leave free.
  int n = 1;
  for (const auto& s : d.statics) {
    while (d.used.count("Line" + std::to_string(n))) ++n;
    d.rows.push_back({"Line" + std::to_string(n++), -1, Kind::Line, "", -1, {s[1], s[2], s[3], s[4]}, "",
                      {{"BorderColor", kBlack}, {"BorderWidth", s[0]}}});
  }
  d.rows.insert(d.rows.end(), d.windows.begin(), d.windows.end());
  return Finish_picture_window(std::move(d.rows));
}

}  // namespace

const PuRow& Pu_path(PuPath p) { return kPaths.at(size_t(p)); }

PU::PU() : Form(kName, layout()) { Bind_period_buttons(*this); }

// No control has the first focus: Return or Space would press a period button.
void PU::Form_Load() { focus_itself(); }

void PU::Form_Unload(int16_t&) { Focus_main_window(); }

}  // namespace brendalo
