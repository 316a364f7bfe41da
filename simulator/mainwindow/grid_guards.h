#pragma once
// The edit guards of the eight grids: no text is ever typed into a grid
// cell. Each guard refuses with a message, or opens the window in which the
// value is changed under validation: the reprogramming question Galdera
// (microprogram and control-memory grids), the data-word editor
// Datuenaldaketa (memory grids, words of vectors A and B) or the register
// view EMkoerrenkada (register grids). Rows and columns are the grid's, the
// data rows from 1.
#include "platform/forms/form.h"

namespace brendalo {

struct GuardRefusal {
  const char* text;
  const char* title;
};
// The refusals, in their order M1..M8.
extern const GuardRefusal kGuardRefusals[8];
// Shows refusal `m` (1..8) in its message box.
void Show_guard_refusal(int m);

void Nagusia_NadrelMikro_BeforeEdit(int Row, int Col);
void Nagusia_Nadrel1_BeforeEdit(int Row, int Col);
void Nagusia_Nadrel4_BeforeEdit(int Index, int Row, int Col);
void Nagusia_Nadrel3_BeforeEdit(int Row, int Col);
void Mikroprograma_NadrelMikro_BeforeEdit(int Row, int Col);
void Kontrolmemoria_Nadrel2_BeforeEdit(int Row, int Col);
void MNetaEM_Nadrel1_BeforeEdit(int Row, int Col);
void MNetaEM_Nadrel3_BeforeEdit(int Index, int Row, int Col);

// Binds the guards of the window's grids (Nagusia, Mikroprograma,
// Kontrolmemoria or MNetaEM; called from their constructors).
void Bind_grid_guards(plat::Form& window);

}  // namespace brendalo
