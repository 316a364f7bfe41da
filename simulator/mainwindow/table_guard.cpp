#include "simulator/mainwindow/table_guard.h"

#include "simulator/engine/variables.h"
#include "simulator/mainwindow/grid_guards.h"

namespace brendalo {

bool Table_change_refused(Table table) {
  if (!Run_in_progress()) return false;
  Show_guard_refusal(table == Table::Microprogram ? 1 : table == Table::Control_memory ? 3 : 5);
  return true;
}

}  // namespace brendalo
