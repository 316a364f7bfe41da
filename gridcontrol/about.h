#pragma once
// The about box: one dialog per process, created on first use and kept.
class QDialog;

namespace nadrel {

// "Version 1.2.30": major, minor and revision in plain decimal digits.
const char* version_line();
// The about form, created and filled on first use.
QDialog* about_box();
// Shows the about form modally, without an owner; returns when it closes.
void show_about_box();

}  // namespace nadrel
