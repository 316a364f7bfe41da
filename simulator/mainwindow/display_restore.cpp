#include "simulator/mainwindow/display_restore.h"

namespace brendalo {
// Filled in with the start-up windows, which keep the saved mode.
void Restore_display_mode() {}
}  // namespace brendalo
