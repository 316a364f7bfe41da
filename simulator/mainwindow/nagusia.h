#pragma once
// The main window: menus, toolbar, status bar, the drawing of the control
// unit, the four grids and the diagram panel. It exists from start-up until
// the program ends; every other window reaches it by its name.
#include <array>
#include <cstdint>
#include <string>

#include "platform/forms/form.h"

namespace brendalo {

// The fixed part of the main window's caption; the clock adds 97 blanks and the time.
inline constexpr const char* kMainCaption = "ZELT MAKINAKO KONTROL UNITATE MIKROPROGRAMATUAREN SIMULADOREA";

// Windows an editing dialog returns to (set by the grid guards, cleared by the dialogs).
extern int16_t Came_from_control_memory;
extern int16_t Came_from_microprogram;
extern int16_t Came_from_memory_view;
// The grid row (micro-address + 1) of the microinstruction being reprogrammed.
extern int16_t Selected_microinstruction_row;
// The memory-grid row (1..16 vector A, 17..32 vector B) of the data word being changed.
extern int16_t Selected_memory_row;

class Nagusia : public plat::Form {
 public:
  static constexpr const char* kName = "Nagusia";
  Nagusia();

  // Public variables other windows and the engine read and write (16-bit flags, -1 / 0).
  // Start-up switched the display mode. Held for the whole program: the
  // start-up window sets it before the main window is loaded.
  inline static int16_t Bereizmena_aldatua = 0;
  int16_t reset = 0;               // restart request; keeps the run loop going
  int16_t soinua = 0;              // beep on every clk1 edge

  // The example program's listing in the diagram panel, in line order.
  static constexpr std::array<int, 11> kListingBoxes = {1, 10, 8, 9, 11, 7, 12, 13, 14, 15, 16};
  // True for the elements of the example's memory diagram (shown and hidden as one group).
  static bool in_memory_diagram(const plat::Control& c);

  // Handlers (menu handlers get the item's index).
  void Timer1_Timer();
  void Toolbar1_ButtonClick(const std::string& key);
  void Image1_Click();
  void CommandASM_Click();
  void CommandMikro_Click();
  void CommandKM_Click();
  void CommandPU_Click();
  void CommandMN_Click();
  void CommandPU2_Click(int Index);
  void CommandPU3_Click(int Index);
  void CommandAdib_Click(int Index);
  void Commandmnetaem_Click(int Index);
  void Artxibo3_Click(int Index);
  void Artxibo6_Click(int Index);
  void Artxibo7_Click(int Index);
  void Artxibo8_Click(int Index);
  void Artxiboaldatu_Click(int Index);
  void Artxibo11_Click(int Index);
  void Artxibo13_Click(int Index);
  void Artxibo15_Click(int Index);
  void Ikusi1_Click(int Index);
  void Ikusi2_Click(int Index);
  void Ikusi3_Click(int Index);
  void Ikusi5_Click(int Index);
  void Ikusi6_Click(int Index);
  void Ikusi7_Click(int Index);
  void Ikusi8_Click(int Index);
  void IKusi9_Click(int Index);
  void Ikusi11_Click(int Index);
  void Ikusi13_Click(int Index);
  void Aukerak1_Click(int Index);
  void Laguntza1_Click(int Index);
  void Laguntza5_Click(int Index);

 protected:
  void Form_Load() override;
  void Form_Unload(int16_t& Cancel) override;

 private:
  void example_memory_step(int Index, bool load);
  void bind_handlers();
};

// The program's exit ("Irten", closing the main window or a start-up window):
// the display mode that start-up switched put back, a run in progress told to
// end, and the program ended once the last handler returns.
void Exit_program();

}  // namespace brendalo
