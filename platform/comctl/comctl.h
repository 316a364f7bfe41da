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
// ListView: lines of text in columns, always shown as a report (View 3):
//   "ColumnHeaders.Count", "ColumnHeaders(n).Text", "ColumnHeaders(n).Width"
//   (twips); "ListItems.Count", "ListItems(n).Text" (first column),
//   "ListItems(n).SubItems(k)" (column k + 1). Lines and columns count from 1.
//   The list is a window of the message layer (platform/comctl/listview.h)
//   whose parent is its window's handle (Form::hWnd): every paint sends that
//   handle the custom-draw notifications, so a control that subclasses the
//   window (Ombrelis) chooses the colours of its lines.
#include <memory>
#include <string>
#include <string_view>

#include "platform/com/dispatch.h"
#include "platform/forms/control.h"
#include "platform/forms/subclass.h"

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

// Appends a column (its number) or a line (its number, the text in column 1).
int add_list_column(Control& list_view, const std::string& text, int width_twips);
int add_list_item(Control& list_view, const std::string& text);
// The text of line `item` in column k + 1.
void set_list_subitem(Control& list_view, int item, int k, const std::string& text);
// The list as an automation object (members Refresh and hWnd), the object a
// control such as Ombrelis takes as its list view; null for a list not
// realized.
std::shared_ptr<com::Dispatch> list_view_object(Control& list_view);
win::HWND list_view_hwnd(Control& list_view);

}  // namespace plat
