#include "simulator/mainwindow/grid_guards.h"

#include <string>

#include "platform/forms/services.h"
#include "simulator/dialogs/datuenaldaketa.h"
#include "simulator/dialogs/emkoerrenkada.h"
#include "simulator/dialogs/galdera.h"
#include "simulator/dialogs/kontrolmemoria.h"
#include "simulator/dialogs/mikroprograma.h"
#include "simulator/dialogs/mnetaem.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/grids.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"
#include "simulator/mainwindow/table_guard.h"

namespace brendalo {

const GuardRefusal kGuardRefusals[8] = {
    {"KU simulatzen ari da denez, mikroprograma ezin da aldatu.", "Arazoak mikroprograma aldatzen saiatzean"},
    {"Kontrol memoriako lehen hiru posizioak ezin dira aldatu.", "Arazoak mikroprograma aldatzen saiatzean"},
    {"KU simulatzen ari denez, Kontrol memoria ezin da aldatu.", "Arazoak Kontrol Memoria aldatzen saiatzean"},
    {"Kontrol memoriako 2.zutabea ezin da aldatu.", "Arazoak Kontrol Memoria aldatzen saiatzean"},
    {"KU simulatzen ari denez, MNko datuak ezin dira aldatu.", "Arazoak Memoria nagusia aldatzen saiatzean"},
    {"Memoria nagusiko 1.zutabea ezin da aldatu.", "Arazoak Memoria nagusia aldatzen saiatzean"},
    {"Memoria nagusiko 3.zutabea ezin da aldatu.", "Arazoak Memoria nagusia aldatzen saiatzean"},
    {"Memoria nagusiko A eta B datuak bakarrik alda daitezke.", "Arazoak Memoria nagusia aldatzen saiatzean"},
};

void Show_guard_refusal(int m) {
  const GuardRefusal& r = kGuardRefusals[m - 1];
  plat::message_box(r.text, plat::vbCritical, r.title);
}

namespace {

constexpr int kFirstChangeableRow = 4;  // micro-address 3
constexpr int kLastDataRow = 2 * kVectorLength;  // the last word of vector B

// Runs the unload of dialog D, so that it enables the window its came-from
// flag names and clears the flag. A dialog already open for another opening,
// D or one that shares D's came-from flag, is left open with its flag.
template <class D, class... SharingTheFlag>
void dismiss() {
  if (plat::loaded_form(D::kName) || (plat::loaded_form(SharingTheFlag::kName) || ...)) return;
  plat::form<D>();
  plat::unload_form(D::kName);
}

// Shows refusal `m` (1..8), then dismisses the dialog.
template <class D, class... SharingTheFlag>
void refuse(int m) {
  Show_guard_refusal(m);
  dismiss<D, SharingTheFlag...>();
}

// The data-word editor and the register view return by the same flag.
void dismiss_data_change() { dismiss<Datuenaldaketa, EMkoerrenkada>(); }
void refuse_data_change(int m) { refuse<Datuenaldaketa, EMkoerrenkada>(m); }

bool first_three(int row) { return row >= 1 && row < kFirstChangeableRow; }

// The control-memory grids: column 2 (the micro-address) of a changeable row,
// then the first three rows, are refused. True when the question opened.
bool control_memory_guard(plat::Form& window, int Row, int Col) {
  if (Col == 2 && !first_three(Row)) {
    refuse<Galdera>(4);
    return false;
  }
  if (Row < kFirstChangeableRow) {
    refuse<Galdera>(2);
    return false;
  }
  Ask_reprogramming(&window, Row);
  return true;
}

// A guard of a listing window names its window in the flag before its tests.
// When it refuses while the question is open for another window, the flag
// keeps naming that other window.
template <class Guard>
void from_window(Flag16& flag, Guard guard) {
  const Flag16 before = flag;
  flag = kFlagTrue;
  if (!guard() && plat::loaded_form(Galdera::kName)) flag = before;
}

// The memory grids: only column 2 of the words of vectors A and B.
void memory_guard(plat::Form& window, int Row, int Col, bool from_memory_view) {
  if (Table_change_refused(Table::Main_memory)) return dismiss_data_change();
  if (Col == 1) return refuse_data_change(6);
  if (Col == 3) return refuse_data_change(7);
  if (Row >= 1 && Row <= kLastDataRow) {
    if (from_memory_view) Came_from_memory_view = kFlagTrue;
    // Labelled by the word's number in main memory (the first word of B is 16).
    Open_data_change(&window, Row, std::string(Row <= kVectorLength ? "A(" : "B(") + std::to_string(Row - 1) + ")");
    return;
  }
  refuse_data_change(8);
}

}  // namespace

void Nagusia_NadrelMikro_BeforeEdit(int Row, int) {
  if (Table_change_refused(Table::Microprogram)) return dismiss<Galdera>();
  if (Row >= kFirstChangeableRow) return Ask_reprogramming(&plat::form<Nagusia>(), Row);
  refuse<Galdera>(2);
}

void Nagusia_Nadrel1_BeforeEdit(int Row, int Col) {
  if (Table_change_refused(Table::Control_memory)) return dismiss<Galdera>();
  (void)control_memory_guard(plat::form<Nagusia>(), Row, Col);
}

void Nagusia_Nadrel4_BeforeEdit(int, int Row, int) { Show_register_row(plat::form<Nagusia>(), Row); }

void Nagusia_Nadrel3_BeforeEdit(int Row, int Col) { memory_guard(plat::form<Nagusia>(), Row, Col, false); }

// The listing windows' grids are disabled while a run is in progress; their
// guards refuse then as well.
void Mikroprograma_NadrelMikro_BeforeEdit(int Row, int) {
  from_window(Came_from_microprogram, [Row] {
    if (Table_change_refused(Table::Microprogram)) {
      dismiss<Galdera>();
      return false;
    }
    if (Row < kFirstChangeableRow) {
      refuse<Galdera>(2);
      return false;
    }
    Ask_reprogramming(&plat::form<Mikroprograma>(), Row);
    return true;
  });
}

void Kontrolmemoria_Nadrel2_BeforeEdit(int Row, int Col) {
  from_window(Came_from_control_memory, [Row, Col] {
    if (Table_change_refused(Table::Control_memory)) {
      dismiss<Galdera>();
      return false;
    }
    return control_memory_guard(plat::form<Kontrolmemoria>(), Row, Col);
  });
}

void MNetaEM_Nadrel1_BeforeEdit(int Row, int) {
  Came_from_memory_view = kFlagTrue;
  Show_register_row(plat::form<MNetaEM>(), Row);
}

void MNetaEM_Nadrel3_BeforeEdit(int, int Row, int Col) { memory_guard(plat::form<MNetaEM>(), Row, Col, true); }

void Bind_grid_guards(plat::Form& window) {
  const std::string& n = window.name();
  auto bind = [&window](const char* grid, void (*guard)(int, int)) {
    Guard_grid_edits(window, grid, [guard](int, int row, int col) { guard(row, col); });
  };
  auto bind_indexed = [&window](const char* grid, void (*guard)(int, int, int)) {
    Guard_grid_edits(window, grid, [guard](int index, int row, int col) { guard(index, row, col); });
  };
  if (n == Nagusia::kName) {
    bind("NadrelMikro", &Nagusia_NadrelMikro_BeforeEdit);
    bind("Nadrel1", &Nagusia_Nadrel1_BeforeEdit);
    bind_indexed("Nadrel4", &Nagusia_Nadrel4_BeforeEdit);
    bind("Nadrel3", &Nagusia_Nadrel3_BeforeEdit);
  } else if (n == Mikroprograma::kName) {
    bind("NadrelMikro", &Mikroprograma_NadrelMikro_BeforeEdit);
  } else if (n == Kontrolmemoria::kName) {
    bind("Nadrel2", &Kontrolmemoria_Nadrel2_BeforeEdit);
  } else if (n == MNetaEM::kName) {
    bind("Nadrel1", &MNetaEM_Nadrel1_BeforeEdit);
    bind_indexed("Nadrel3", &MNetaEM_Nadrel3_BeforeEdit);
  }
}

}  // namespace brendalo
