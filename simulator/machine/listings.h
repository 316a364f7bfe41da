#pragma once
// The listings of the machine tables in the grids of the main window and of
// the windows Mikroprograma, Kontrolmemoria and MNetaEM. Each lays out its
// grid from the tables of tables.h; a window that is not loaded is loaded
// hidden. Placeholders until the grids can be filled.
namespace brendalo {

void Show_microprogram_main();      // NadrelMikro of Nagusia
void Show_microprogram_window();    // NadrelMikro of Mikroprograma
void Show_control_memory_main();    // Nadrel1 of Nagusia
void Show_control_memory_window();  // Nadrel2 of Kontrolmemoria
void Show_registers_main();         // Nadrel4(1) of Nagusia
void Show_registers_window();       // Nadrel1 of MNetaEM
void Refresh_registers_main();
void Refresh_registers_window();
void Show_main_memory_main();    // Nadrel3 of Nagusia
void Show_main_memory_window();  // Nadrel3(0) of MNetaEM

}  // namespace brendalo
