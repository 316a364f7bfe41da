#include "simulator/dialogs/agindua.h"

#include "platform/forms/services.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

const std::array<InstructionChoice, 11> kInstructionChoices = {{
    {"  ADD:     ADD rh, ri1, ri2", "00011", "001001", "Agindua: add rh, ri1, ri2"},
    {"  ADDi:    ADDi rh, ri, #bereh", "00110", "001010", "Agindua: addi rh, ri, #bereh"},
    {"  SUB:     SUB rh, ri1, ri2", "00011", "001011", "Agindua: sub rh, ri1, ri2"},
    {"  SUBi:    SUBi rh, ri, #bereh", "00110", "001100", "Agindua: subi rh, ri, #bereh"},
    {"  MOV:     MOV rh, ri", "00011", "000111", "Agindua: mov rh, ri"},
    {"  MOVi:    MOVi rh, #bereh", "00110", "001000", "Agindua: movi rh, #bereh"},
    {"  LD:      LD rh, ALDAGAIA", "01001", "000000", "Agindua: ld rh, ALDAGAIA"},
    {"  ST:      ST ri2, ALDAGAIA", "01010", "000011", "Agindua: st ri2, ALDAGAIA"},
    {"  LDX:     LDX rh, ALD[ri]", "01100", "000010", "Agindua: ldx rh, ALD[ri]"},
    {"  STX:     STX ri2, ALD[ri1]", "01111", "000101", "Agindua: stx ri2, ALD[ri1]"},
    {"  BEQ:     BEQ ri, etiketa", "10010", "011010", "Agindua: beq ri, etiketa"},
}};

namespace {

std::vector<plat::ControlDef> layout() {
  using plat::Kind;
  const plat::Prop panel{"BackColor", 0xFFC0C0};
  return {
      {Agindua::kName, -1, Kind::Form, "", -1, {0, 0, 5160, 2280}, "Aginduaren aukeraketa", {{"BorderStyle", 0}}},
      {"Frame1", -1, Kind::Frame, "", -1, {120, 60, 4920, 2100}, "", {}},
      {"Label1", 0, Kind::Label, "Frame1", -1, {120, 240, 4680, 495}, "", {panel}},
      {"Label1", 1, Kind::Label, "Frame1", -1, {240, 360, 4455, 255}, "Aukeratu simulatu nahi den agindua:",
       {panel, {"FontBold", true}}},
      {"Line1", -1, Kind::Line, "Frame1", -1, {120, 840, 4800, 840}, "", {}},
      {"Line2", -1, Kind::Line, "Frame1", -1, {120, 1620, 4800, 1620}, "", {}},
      {"Line3", -1, Kind::Line, "Frame1", -1, {120, 840, 120, 1620}, "", {}},
      {"Line4", -1, Kind::Line, "Frame1", -1, {4800, 840, 4800, 1620}, "", {}},
      {"Combo1", -1, Kind::ComboBox, "Frame1", -1, {360, 1020, 4215, 315}, "", {}},
      {"Command1", -1, Kind::CommandButton, "Frame1", -1, {1800, 1680, 1215, 375}, "&Onartu", {}},
  };
}

// The choice whose list entry is exactly `text`: the entries are the keys.
const InstructionChoice* listed_choice(const std::string& text) {
  for (const InstructionChoice& c : kInstructionChoices)
    if (text == c.entry) return &c;
  return nullptr;
}

}  // namespace

Agindua::Agindua() : Form(kName, layout()) {
  on("Command1", plat::Event::Click, [this](plat::EventArgs&) { Command1_Click(); });
}

void Agindua::Form_Load() {
  plat::Control& list = ctl("Combo1");
  for (const InstructionChoice& c : kInstructionChoices) list.add_item(c.entry);
  openers_.disable(plat::form<Nagusia>());
}

void Agindua::Command1_Click() {
  const InstructionChoice* choice = listed_choice(ctl("Combo1").text());
  if (!choice) {
    // Only a listed entry answers: an empty or any other typed text leaves
    // the question open and changes nothing.
    plat::message_box("Agindu bat aukeratu behar duzu.", plat::vbExclamation, "Aginduaren aukeraketa");
    return;
  }
  EngineState& e = engine();
  e.Micro_address_bits = choice->start;
  Set_status_texts(choice->code, choice->text);
  Nagusia& m = plat::form<Nagusia>();
  m.ctl("Label10", 5).set_caption(e.Micro_address_bits);
  openers_.release();
  e.Dialog_answered = kFlagTrue;
  may_close_ = true;
  plat::unload_form(kName);
}

void Agindua::Form_Unload(int16_t& Cancel) {
  // The engine waits for an answer: the close box does not take the question away.
  if (!may_close_ && !plat::ending()) {
    Cancel = 1;
    return;
  }
  openers_.release();
}

void Show_instruction_dialog() { plat::form<Agindua>().Show(); }

void Close_instruction_dialog() {
  if (auto* f = static_cast<Agindua*>(plat::loaded_form(Agindua::kName))) {
    f->may_close_ = true;
    plat::unload_form(Agindua::kName);
  }
}

}  // namespace brendalo
