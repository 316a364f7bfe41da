#pragma once
// The about box Autor1.
class QDialog;

namespace ombrelis {

// A new about window (Picture1, lbl(1)..lbl(6), BtCorreo, BtInternet,
// CommandButton1, which closes it).
QDialog* create_autor();
// Shows a new about window modally, without an owner, and releases it once
// it has closed, so the next call starts afresh.
void show_autor();
// The about window being shown, null when none is.
QDialog* shown_autor();

}  // namespace ombrelis
