#pragma once
// The one guard of the machine tables: a run reads the microprogram, the
// control memory and the data of vectors A and B as it goes, so nothing
// changes them while a run is in progress. Every road that changes a table
// asks it before it changes anything: the grid guards, the accepts of the
// microinstruction editor (once its word is found changed and valid) and of
// the data-word editor, the restore of the microprogram and control memory,
// and the loading and unloading of the example program.
namespace brendalo {

enum class Table { Microprogram, Control_memory, Main_memory };

// While a run is in progress: shows the table's refusal (critical, as the
// grid guards give it) and returns true; the caller then changes nothing.
// Otherwise returns false.
bool Table_change_refused(Table table);

}  // namespace brendalo
