#pragma once
// Menu states of the main window that follow the example program (File items
// and the example run) and the view in the diagram panel (the three View
// items, exactly one checked). Each takes the control-array index of the item
// or button whose handler calls it and reaches the items by a fixed offset
// from it: File items (index 1) +0, View items +2, Simulazioa4 +4; from a View
// item (index 3) +0; from CommandAdib(1) and Commandmnetaem(1) +2; from
// CommandPU2(0) and CommandPU3(0) +3.
namespace brendalo {

void Set_menus_example_opened(int Index);
void Set_menus_example_loaded(int Index);
void Set_menus_example_unloaded(int Index);
void Check_view_menu_process_unit(int Index);
void Check_view_menu_register_file(int Index);
void Check_view_menu_example(int Index);
void Check_view_menu_process_unit_by_button(int Index);
void Check_view_menu_register_file_by_button(int Index);
void Check_view_menu_example_by_button(int Index);

}  // namespace brendalo
