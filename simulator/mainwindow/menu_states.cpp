#include "simulator/mainwindow/menu_states.h"

#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

namespace {
void enable(const char* item, int index, bool on) { plat::form<Nagusia>().ctl(item, index).set_enabled(on); }
void check(const char* item, int index, bool on) { plat::form<Nagusia>().ctl(item, index).set("Checked", on); }
}  // namespace

void Set_menus_example_opened(int Index) {
  enable("Artxibo3", Index, false);
  enable("Artxibo6", Index, true);
  enable("Artxibo7", Index, false);
  enable("Artxibo8", Index, false);
  check("Ikusi1", Index + 2, false);
  check("Ikusi2", Index + 2, false);
  check("Ikusi3", Index + 2, true);
}

// Loading and unloading write the same items in the same order.
static void set_menus_example_in_memory(int Index, bool loaded) {
  enable("Artxibo6", Index, !loaded);
  enable("Artxibo7", Index, loaded);
  enable("Artxibo8", Index, loaded);
  check("Ikusi3", Index + 2, false);
  check("Ikusi2", Index + 2, true);
  check("Ikusi1", Index + 2, false);
  enable("Simulazioa4", Index + 4, loaded);
}

void Set_menus_example_loaded(int Index) { set_menus_example_in_memory(Index, true); }
void Set_menus_example_unloaded(int Index) { set_menus_example_in_memory(Index, false); }

void Check_view_menu_process_unit(int Index) {
  check("Ikusi1", Index, true);
  check("Ikusi3", Index, false);
  check("Ikusi2", Index, false);
}

void Check_view_menu_register_file(int Index) {
  check("Ikusi3", Index, false);
  check("Ikusi2", Index, true);
  check("Ikusi1", Index, false);
}

void Check_view_menu_example(int Index) {
  check("Ikusi1", Index, false);
  check("Ikusi2", Index, false);
  check("Ikusi3", Index, true);
}

void Check_view_menu_process_unit_by_button(int Index) { Check_view_menu_process_unit(Index + 3); }

void Check_view_menu_register_file_by_button(int Index) {
  check("Ikusi1", Index + 2, false);
  check("Ikusi2", Index + 2, true);
  check("Ikusi3", Index + 2, false);
}

void Check_view_menu_example_by_button(int Index) { Check_view_menu_example(Index + 2); }

}  // namespace brendalo
