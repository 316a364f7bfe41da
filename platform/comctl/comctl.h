#pragma once
// Common controls: Toolbar, StatusBar, ProgressBar and ImageList. They are
// control kinds of the forms layer; their sub-objects (panels, buttons,
// images) are properties of the form "Panels(2).Text", "Buttons(1).Key",
// "ListImages(3).Picture", stored and read back like any other.
//
// StatusBar: "Panels.Count", "Panels(n).Text", "Panels(n).Width" (twips, the
//   last panel takes what is left).
// Toolbar: "Buttons.Count", "Buttons(n).Key", "Buttons(n).ToolTipText",
//   "Buttons(n).Enabled", "Buttons(n).Image" (index into the ImageList named
//   by "ImageList"), "Buttons(n).Style" (3 = separator); a click raises
//   Event::ButtonClick with the button's index and key.
// ProgressBar: "Value" (a double), "Min", "Max"; a value past the range shows
//   as the range's end and is stored as written.
// ImageList: "ListImages(n).Picture", a picture name (platform/forms/pictures.h).
#include <string>
#include <string_view>

#include "platform/forms/control.h"

namespace plat {

void set_panel_text(Control& status_bar, int panel, const std::string& text);
std::string panel_text(const Control& status_bar, int panel);

// Index 1..n of the toolbar button with `key`, 0 when there is none.
int toolbar_button(const Control& toolbar, std::string_view key);
std::string toolbar_button_key(const Control& toolbar, int index);
bool toolbar_button_enabled(const Control& toolbar, int index);
void set_toolbar_button_enabled(Control& toolbar, int index, bool enabled);
// Presses button `index` as the user would: only an enabled button of an enabled window acts.
void press_toolbar_button(Control& toolbar, int index);

}  // namespace plat
