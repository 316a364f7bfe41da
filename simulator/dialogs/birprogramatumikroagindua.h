#pragma once
// The microinstruction editor `Birprogramatumikroagindua` ("Birprogramazioa"):
// the 25 fields of one control word in the disabled boxes señal(0..24),
// written only by the buttons Command2 (each writes its caption into its
// field), by the question Galdera and by the rules' restores. "&Onartu"
// stores a changed word that passes the rules into the control memory and
// marks it in the grids; during a run it refuses such a word and the editor
// stays open (an unchanged word and a broken rule are answered as at any time).
// "&Deuseztatu" closes without storing. It answers for the microinstruction
// whose fields it shows (the row it was loaded with), whatever a later
// question that was declined wrote into Selected_microinstruction_row. It
// carries the shared status bar StatusBar1.
#include <array>
#include <string>

#include "platform/forms/form.h"
#include "simulator/dialogs/microinstruction_rules.h"

namespace brendalo {

// The text colour of a reprogrammed row in the grids.
inline constexpr int32_t kReprogrammedColor = 0x800080;
inline constexpr const char* kReprogrammedText = "-----ALDATUA-----";

class Birprogramatumikroagindua : public plat::Form {
 public:
  static constexpr const char* kName = "Birprogramatumikroagindua";
  static constexpr const char* kField = "señal";
  Birprogramatumikroagindua();

  // True when a box differs from the stored field of grid row `Row` (micro-address + 1).
  bool seinaleak_aldatuta(int16_t& Row) const;

  // Fills the boxes with the stored control word of grid row `Row` (micro-address
  // + 1); from then on the editor answers for that row.
  void Load_microinstruction(int Row);

  void Command2_Click(int Index);
  void CommandOnartu_Click();
  void CommandDeuseztu_Click();

  // The buttons of one field: Command2 indices of "0", "1" and "X" (-1 when
  // the field has none) and the marks its buttons show (-1 for none).
  struct FieldButtons {
    int field;
    int zero, one, x;
    int mark, second_mark;
  };
  static const std::array<FieldButtons, 22> kButtons;

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;

 private:
  void Validate_microinstruction(int16_t& result);
  void Hide_signal_marks();
  Control_word_fields fields() const;
  int16_t row_ = 0;  // the grid row whose fields the boxes show
};

class Grid;
// The columns of a reprogrammed row that the grids mark.
inline constexpr int kControlMemoryColumns = 21;
inline constexpr int kMicroprogramColumns = 2;
// Marks in the reprogrammed colour, columns 1..last_column, every row of a
// microprogram or control-memory grid whose microinstruction the microprogram
// text names as reprogrammed, so a listing made afresh keeps the marks.
void Mark_reprogrammed_rows(Grid& grid, int last_column);

}  // namespace brendalo
