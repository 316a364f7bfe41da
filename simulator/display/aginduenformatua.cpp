#include "simulator/display/aginduenformatua.h"

#include <iterator>
#include <string>
#include <vector>

#include "simulator/dialogs/listing_windows.h"
#include "simulator/display/picture_window.h"
#include "simulator/engine/status_texts.h"
#include "simulator/mainwindow/period_buttons.h"

namespace brendalo {

namespace {

using plat::ControlDef;
using plat::Kind;

struct Instruction {
  const char* assembly;
  const char* operation;
  const char* code;
  std::vector<const char*> fields;
};

const Instruction kArithmetic[] = {
    {"add rh, ri1, ri2", "rh:= ri1 + ri2", "001001", {"Rh", "Ri1", "Ri2"}},
    {"addi rh, ri, #bereh", "rh:= ri +bereh", "001010", {"Rh", "Ri", "berehalakoa"}},
    {"sub rh, ri1, ri2", "rh:= ri1 - ri2", "001011", {"Rh", "Ri1", "Ri2"}},
    {"subi rh, ri, #bereh", "rh:= ri - bereh", "001100", {"Rh", "Ri", "berehalakoa"}},
    {"mov rh, ri", "rh:= ri", "000111", {"Rh", "Ri"}},
    {"movi rh, #bereh", "rh:= bereh", "001000", {"Rh", "berehalakoa"}},
};
const Instruction kMemoryAndJump[] = {
    {"ld rh, ALDAGAIA", "rh:= MEM[helbidea]", "000000", {"Rh", "helbidea"}},
    {"st ri2, ALDAGAIA", "MEM[helbidea]:= ri2", "000011", {"Ri2", "helbidea"}},
    {"ldx rh, ALD[ri]", "rh:= MEM[helbidea+ri]", "000010", {"Rh", "Ri", "helbidea"}},
    {"stx ri2, ALD[ri1]", "MEM[helbidea+ri]:= ri2", "000101", {"Ri1", "Ri2", "helbidea"}},
    {"beq ri, etiketa", "if (ri=0) then PC:=PCbeq+despl ", "011010", {"Ri", "desplazamendua"}},
};

constexpr int kRow = 480;
// Columns: operation, assembly form, format.
constexpr int kOperationX = 240, kAssemblyX = 3720, kFormatX = 6720;

struct Builder {
  std::vector<ControlDef> rows;
  int labels = 0, boxes = 0;
  int frame = -1;  // the element of Frame1 that holds the next rows, -1 the window
  int dx = 0;      // rows on the window line up with those in the frames

  void text(const char* container, plat::Box b, const std::string& caption, bool bold = false) {
    std::vector<plat::Prop> p = {{"BackStyle", 0}};
    if (bold) p.push_back({"FontBold", true});
    rows.push_back({"Label1", labels++, Kind::Label, container, frame, b, caption, std::move(p)});
  }
  // A field of the format drawing: its name in an outlined box.
  void field(const char* container, plat::Box b, const std::string& caption, int back) {
    rows.push_back({"Label2", boxes++, Kind::Label, container, frame, b, caption,
                    {{"BorderStyle", 1}, {"Alignment", 2}, {"BackColor", back}}});
  }
  // Register fields are narrow, an address, immediate or displacement wide.
  static int field_width(const std::string& f) { return f.size() <= 3 ? 960 : 2760; }
  void instruction(const char* container, int y, const Instruction& in) {
    text(container, {dx + kOperationX, y + 60, 3360, 255}, in.operation);
    text(container, {dx + kAssemblyX, y + 60, 2880, 255}, in.assembly);
    int x = dx + kFormatX;
    field(container, {x, y, 1200, 375}, in.code, 0xFFFFC0);
    x += 1200;
    for (const char* f : in.fields) {
      field(container, {x, y, field_width(f), 375}, f, 0xFFFFFF);
      x += field_width(f);
    }
  }
  void headings(const char* container, int y) {
    text(container, {kOperationX, y, 3360, 255}, "Eragiketa", true);
    text(container, {kAssemblyX, y, 2880, 255}, "Mihiztadura-lengoaia", true);
    text(container, {kFormatX, y, 4000, 255}, "Formatua", true);
  }
};

std::vector<ControlDef> layout() {
  Builder b;
  b.rows = Picture_window_rows(Aginduenformatua::kName, "Aginduen formatua");
  const plat::Prop bold{"FontBold", true}, grey{"BackColor", 0xE0E0E0};

  // The general format: the operation code and two register fields, then a word.
  b.rows.push_back({"Frame1", 0, Kind::Frame, "", -1, {240, 120, 14760, 1680}, "Aginduen formatu orokorra", {bold, grey}});
  const char* F0 = "Frame1";
  b.frame = 0;
  const struct {
    const char* name;
    const char* bits;
    int width;
  } general[] = {{"eragiketa-kodea", "6", 2160}, {"Rh / Ri2", "5", 1800}, {"Ri / Ri1", "5", 1800},
                 {"helbidea / berehalakoa / desplazamendua", "16", 5400}};
  int x = 1800;
  for (const auto& g : general) {
    b.field(F0, {x, 480, g.width, 375}, g.name, x == 1800 ? 0xFFFFC0 : 0xFFFFFF);
    b.text(F0, {x + g.width / 2 - 150, 900, 300, 255}, g.bits);
    x += g.width;
  }
  b.text(F0, {1800, 1260, 6000, 255}, "1. hitza (16 bit)");
  b.text(F0, {7560, 1260, 5400, 255}, "2. hitza (16 bit)");

  // The arithmetic and logical instructions, then the loads, stores and the branch.
  const int arith_top = 2040;
  const int arith_height = 720 + kRow * int(std::size(kArithmetic));
  b.rows.push_back({"Frame1", 1, Kind::Frame, "", -1, {240, arith_top, 14760, arith_height},
                    "Agindu aritmetikoak eta logikoak", {bold, grey}});
  b.frame = 1;
  b.headings("Frame1", 300);
  int y = 660;
  for (const Instruction& in : kArithmetic) {
    b.instruction("Frame1", y, in);
    y += kRow;
  }
  b.frame = -1;
  b.dx = 240;
  y = arith_top + arith_height + 240;
  for (const Instruction& in : kMemoryAndJump) {
    b.instruction("", y, in);
    y += kRow;
  }
  return Finish_picture_window(std::move(b.rows));
}

}  // namespace

Aginduenformatua::Aginduenformatua() : Form(kName, layout()) { Bind_period_buttons(*this); }

void Aginduenformatua::Form_Load() {
  set_window_state(2);
  focus_itself();  // no control first: Return or Space would press a period button
}

void Aginduenformatua::Form_Unload(int16_t&) { Focus_main_window(); }

}  // namespace brendalo
