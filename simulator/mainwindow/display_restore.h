#pragma once
// Puts back the display mode saved at start-up. The main window's exit calls
// it when start-up switched the mode (Nagusia::Bereizmena_aldatua); the
// start-up windows own the saved mode.
namespace brendalo {
void Restore_display_mode();
}  // namespace brendalo
