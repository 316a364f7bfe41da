#pragma once
// The views of the main window's lower right corner: the frame Frame2(0)
// (signal list or register grid) and the diagram panel Frame6 (process unit,
// main memory, or the example program), switched together. No variable
// records the view: it is what the last procedure left visible.
namespace brendalo {

void Show_process_unit_view();
void Show_register_file_view();
void Show_example_program_view();
void Show_example_program_view_opened();
void Show_register_file_view_example_loaded();
void Show_register_file_view_example_unloaded();
void Hide_example_diagram();
void Show_example_diagram();

}  // namespace brendalo
