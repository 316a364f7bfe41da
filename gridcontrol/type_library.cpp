// The type library NadrelControl: the interface _Nadrel in slot order (131
// slots), the events __Nadrel, the three enumerations and the item classes.
#include "gridcontrol/nadrel.h"

namespace nadrel {

using plat::com::CallKind;
using plat::com::ClassInfo;
using plat::com::DispId;
using plat::com::FuncInfo;
using plat::com::ParamInfo;
using plat::com::TypeInfo;

namespace {

enum Flags { kNone = 0, kHidden = 1, kNotBrowsable = 2 };

ParamInfo in(const char* name, const char* type) { return {name, type, false, false}; }
ParamInfo ref(const char* name, const char* type) { return {name, type, true, false}; }
ParamInfo opt(const char* name, const char* type) { return {name, type, true, true}; }

// Arguments shared by the methods and the events of the same name.
const std::vector<ParamInfo>& mouse_args() {
  static const std::vector<ParamInfo> p = {ref("button", "Integer"), ref("Shift", "Integer"), ref("x", "Single"),
                                           ref("y", "Single")};
  return p;
}
const std::vector<ParamInfo>& key_args() {
  static const std::vector<ParamInfo> p = {ref("KeyCode", "Integer"), ref("Shift", "Integer")};
  return p;
}

struct Builder {
  TypeInfo& t;

  FuncInfo func(const char* name, DispId id, CallKind kind, std::vector<ParamInfo> params, const char* type,
                bool by_ref, int flags, const char* desc) {
    FuncInfo f = plat::com::make_func(name, id, kind, type, std::move(params));
    f.value_by_ref = by_ref;
    f.hidden = flags & kHidden;
    f.nonbrowsable = flags & kNotBrowsable;
    f.description = desc;
    return f;
  }
  // A property: its get, then its let (or set for an object).
  void prop(const char* name, DispId id, std::vector<ParamInfo> params, const char* type, bool by_ref, int flags,
            const char* desc, CallKind put = CallKind::Let) {
    t.funcs.push_back(func(name, id, CallKind::Get, params, type, false, flags, desc));
    t.funcs.push_back(func(name, id, put, params, type, by_ref, flags, desc));
  }
  void method(const char* name, DispId id, std::vector<ParamInfo> params, const char* ret, int flags,
              const char* desc) {
    t.funcs.push_back(func(name, id, CallKind::Method, std::move(params), ret, false, flags, desc));
  }
  void event(const char* name, DispId id, std::vector<ParamInfo> params, int flags, const char* desc = "") {
    t.funcs.push_back(func(name, id, CallKind::Method, std::move(params), "", false, flags, desc));
  }
};

TypeInfo interface_info() {
  namespace d = dispid;
  TypeInfo t;
  t.name = "_Nadrel";
  Builder b{t};
  const std::vector<ParamInfo> none;
  const std::vector<ParamInfo> cell = {in("lThisCol", "Long"), in("lThisRow", "Long")};
  const std::vector<ParamInfo>& mouse = mouse_args();
  const std::vector<ParamInfo>& keys = key_args();
  b.prop("Rows", d::Rows, none, "Long", true, kNone, "Sets/gets the total number of rows in the grid");
  b.prop("Cols", d::Cols, none, "Long", true, kNone, "Gets/sets the total number of columns in the grid");
  b.method("Refresh", d::Refresh, none, "", kNone, "");
  b.prop("ColHeader", d::ColHeader, none, "Boolean", true, kNone, "Determines if column headers are displayed");
  b.prop("RowHeader", d::RowHeader, none, "Boolean", true, kNone, "Determines if row headers are displayed");
  b.prop("CellBackColor", d::CellBackColor, cell, "Long", true, kNotBrowsable,
         "Set/return background color for the specified cell");
  b.prop("CellForeColor", d::CellForeColor, cell, "Long", true, kNotBrowsable,
         "Set/return foreground color for the specified cell");
  b.prop("CellFontName", d::CellFontName, cell, "String", true, kNone, "Set/return font name for the specified cell");
  b.prop("CellFontBold", d::CellFontBold, cell, "Boolean", true, kNone, "Set/return font bold for the specified cell");
  b.prop("CellFontItalic", d::CellFontItalic, cell, "Boolean", true, kNone,
         "Set/return font italics for the specified cell");
  b.prop("CellFontUnderline", d::CellFontUnderline, cell, "Boolean", true, kNone,
         "Set/return font underline for the specified cell");
  b.prop("CellFontStrikeThru", d::CellFontStrikeThru, cell, "Boolean", true, kNone,
         "Set/return font strikethru for the specified cell");
  b.prop("CellFontSize", d::CellFontSize, cell, "Integer", true, kNone, "Set/return font size for the specified cell");
  b.prop("TopRow", d::TopRow, none, "Long", true, kNotBrowsable,
         "Returns or sets the uppermost visible row (other than a fixed row) in the grid. ");
  b.prop("LeftCol", d::LeftCol, none, "Long", true, kNotBrowsable,
         "Returns or sets the left-most visible column (other than a fixed column) in the grid control");
  b.prop("ShowGrid", d::ShowGrid, none, "Boolean", true, kNone, "Determines if grid lines are to be drawn");
  b.prop("GridSolid", d::GridSolid, none, "Boolean", true, kNone, "Determines if the grid is solid or dashed");
  b.method("HChange", d::HChange, none, "", kHidden, "");
  b.method("VChange", d::VChange, none, "", kHidden, "");
  b.method("DrawRow", d::DrawRow, {ref("lThisRow", "Long"), ref("y", "Long"), ref("bDrawHeader", "Boolean")}, "",
           kHidden, "");
  b.method("DrawCol", d::DrawCol, {ref("lThisCol", "Long"), ref("x", "Long"), ref("bDrawHeader", "Variant")}, "",
           kHidden, "");
  b.prop("Row", d::Row, none, "Long", true, kNotBrowsable, "Sets/gets the current row");
  b.prop("Col", d::Col, none, "Long", true, kNotBrowsable, "Gets/sets the current column number");
  b.prop("Text", d::Text, none, "String", true, kNotBrowsable, "Gets/sets the text for the current row and column");
  b.prop("TextMatrix", d::TextMatrix, {in("vRow", "Long"), in("vCol", "Long")}, "String", true, kNone,
         "Gets/sets the text for the specified row and column");
  b.prop("Redraw", d::Redraw, none, "Boolean", true, kNone, "");
  b.prop("GridLineColor", d::GridLineColor, none, "OLE_COLOR", true, kNone,
         "Gets/sets the color used to draw the grid lines");
  b.method("MouseDown", d::MouseDown, mouse, "", kHidden, "");
  b.method("EditKeyDown", d::EditKeyDown, keys, "", kHidden, "");
  b.method("EditKeyPress", d::EditKeyPress, {ref("KeyAscii", "Integer")}, "", kHidden, "");
  b.method("DblClick", d::DblClick, none, "", kNone, "");
  b.method("MouseUp", d::MouseUp, mouse, "", kHidden, "");
  b.method("MouseMove", d::MouseMove, mouse, "", kHidden, "");
  b.method("HilightSelection", d::HilightSelection,
           {opt("Row1", "Variant"), opt("Col1", "Variant"), opt("Row2", "Variant"), opt("Col2", "Variant")}, "",
           kHidden, "");
  b.method("KeyDown", d::KeyDown, keys, "", kHidden, "");
  b.method("GetColWidth", d::GetColWidth, {in("lThisCol", "Long")}, "Long", kHidden, "");
  b.method("SetColWidth", d::SetColWidth, {in("lThisCol", "Long"), ref("lNewColWidth", "Long")}, "", kHidden, "");
  b.method("BlockSelected", d::BlockSelected, none, "Boolean", kHidden, "");
  b.prop("Row1", d::Row1, none, "Long", true, kHidden | kNotBrowsable, "");
  b.prop("Col1", d::Col1, none, "Long", true, kHidden | kNotBrowsable, "");
  b.prop("Row2", d::Row2, none, "Long", true, kHidden | kNotBrowsable, "");
  b.prop("Col2", d::Col2, none, "Long", true, kHidden | kNotBrowsable, "");
  b.prop("RowHeight", d::RowHeight, {in("lThisRow", "Long")}, "Long", false, kNotBrowsable,
         "Sets/gets the height of a row");
  b.prop("RowBookmark", d::RowBookmark, {in("lThisRow", "Long")}, "Variant", false, kNone, "");
  b.prop("ColWidth", d::ColWidth, {in("lThisCol", "Long")}, "Long", false, kNotBrowsable,
         "Gets/sets width of a column");
  b.prop("ColAlign", d::ColAlign, {in("lThisCol", "Long")}, "Long", false, kNone,
         "Gets/sets the text alignment for a column");
  b.prop("BorderStyle", d::BorderStyle, none, "NadrelBorderStyleEnum", false, kNone,
         "Returns/sets the border style for an object.");
  b.prop("MousePointer", d::MousePointer, none, "MousePointerConstants", false, kNone,
         "Returns/sets the type of mouse pointer displayed when over part of an object.");
  b.prop("Recordset", d::Recordset, none, "Variant", false, kHidden, "", CallKind::Set);
  b.prop("AllowSelection", d::AllowSelection, none, "Boolean", true, kNone,
         "Determines if user can select multiple cells");
  b.prop("BackColor", d::BackColor, none, "OLE_COLOR", false, kNone, "Sets/gets background color of the grid");
  b.prop("BackColorFixed", d::BackColorFixed, none, "OLE_COLOR", false, kNone,
         "Sets/gets the background color of the row and column headers");
  b.prop("ForeColor", d::ForeColor, none, "OLE_COLOR", false, kNone,
         "Gets/sets foreground color used for text in grid");
  b.prop("ForeColorFixed", d::ForeColorFixed, none, "OLE_COLOR", false, kNone,
         "Gets/sets color used in text for row and column headers");
  b.prop("FixedStyle", d::FixedStyle, none, "FixedStyles", false, kNone, "Determines style of row and column headers");
  b.prop("SelectionMode", d::SelectionMode, none, "SelectModes", false, kNone, "");
  b.prop("Enabled", d::Enabled, none, "Boolean", true, kNone, "");
  b.prop("Font", d::Font, none, "Font", false, kNone, "Gets/sets font used for text in grid", CallKind::Set);
  b.prop("FontFixed", d::FontFixed, none, "Font", false, kNone,
         "Gets/sets font used in text for row and column headers", CallKind::Set);
  b.method("ShowAbout", d::ShowAbout, none, "", kNone, "Show the about box");
  b.prop("BackColorBkg", d::BackColorBkg, none, "OLE_COLOR", false, kNone,
         "Sets/gets the background color of the usercontrol (behind the grid)");
  b.prop("AllowUserResizing", d::AllowUserResizing, none, "Boolean", true, kNone,
         "Determines if user can resize columns");
  b.prop("FormatString", d::FormatString, none, "String", true, kNone,
         "Sets a format string that sets up a the control's column widths, alignments, and fixed row and column "
         "text\r\n");
  b.method("AutoSetup", d::AutoSetup,
           {ref("NRows", "Variant"), ref("NCols", "Variant"), ref("vRowHeader", "Boolean"),
            ref("vColHeader", "Boolean"), ref("vFormatString", "Variant")},
           "", kNone, "Automatically setup the grid by passing rows, cols, and a format string");
  b.prop("AutoNewRow", d::AutoNewRow, none, "Boolean", false, kNone,
         "Determines if editing a cell on the last row automatically creates a new row");
  b.method("RowEmpty", d::RowEmpty, {in("iRow", "Long")}, "Variant", kNone,
           "Used to determine if a row is empty, meaning it contains no text in any of the columns for that row. "
           "Returns a boolean expression\r\n");
  b.method("AddButton", d::AddButton, {in("iCol", "Integer")}, "", kNone, "Add a button to a specified column");
  b.method("RemoveButton", d::RemoveButton, {in("iCol", "Integer")}, "", kNone,
           "Removes a button from a specified column");
  b.method("ColHasButton", d::ColHasButton, {in("iCol", "Integer")}, "Boolean", kNone, "");
  b.method("AddLookup", d::AddLookup, {in("iCol", "Integer"), ref("Value", "String"), opt("ItemData", "Variant")},
           "", kNone, "Add lookup list item for a specific column");
  b.method("RemoveLookupValue", d::RemoveLookupValue, {in("iCol", "Integer"), ref("Value", "String")}, "", kNone,
           "Remove a specific lookup list item for a column");
  b.method("RemoveLookup", d::RemoveLookup, {in("iCol", "Integer")}, "", kNone,
           "Remove lookup items for a specific column");
  b.method("ColHasLookup", d::ColHasLookup, {in("iCol", "Integer")}, "Boolean", kNone,
           "Gets a value to determine if a column has lookup items");
  b.prop("UseItemData", d::UseItemData, none, "Boolean", false, kNone,
         "Gets/sets a value to determine if itemdata is returned from listboxes instead of item");
  b.prop("ListBoxRows", d::ListBoxRows, none, "Integer", false, kNone,
         "Returns or sets the default number of items to display in the dropdown listbox when a column has a "
         "dropdown");
  b.prop("ColAllowEdit", d::ColAllowEdit, {in("iCol", "Long")}, "Boolean", false, kNone,
         "Determines if a column will allow editing");
  b.prop("ColMask", d::ColMask, {in("iCol", "Long")}, "Integer", false, kNone,
         "Gets/sets a value to determine what kind of mask will be used for a column");
  b.method("AddItem", d::AddItem, {in("RowData", "String")}, "", kNone, "");
  b.method("RemoveItem", d::RemoveItem, {in("iRow", "Integer")}, "", kNone, "Remove the specified row from the grid");
  b.method("Clear", d::Clear, none, "", kNone, "Remove all rows from grid");
  return t;
}

TypeInfo event_info() {
  namespace e = event;
  TypeInfo t;
  t.name = kEventInterface;
  Builder b{t};
  const std::vector<ParamInfo>& mouse = mouse_args();
  const std::vector<ParamInfo>& keys = key_args();
  b.event("Click", e::Click, {}, kNone);
  b.event("BtnClick", e::BtnClick, {ref("Col", "Integer")}, kNone);
  b.event("DblClick", e::DblClick, {}, kNone);
  b.event("KeyDown", e::KeyDown, keys, kHidden);
  b.event("KeyPress", e::KeyPress, {ref("KeyAscii", "Integer")}, kHidden);
  b.event("KeyUp", e::KeyUp, keys, kHidden);
  b.event("MouseDown", e::MouseDown, mouse, kNone);
  b.event("MouseMove", e::MouseMove, mouse, kHidden);
  b.event("MouseUp", e::MouseUp, mouse, kHidden);
  b.event("Scroll", e::Scroll, {}, kNone);
  b.event("BeforeEdit", e::BeforeEdit, {ref("Row", "Integer"), ref("Col", "Integer"), in("Cancel", "Boolean")},
          kNone);
  b.event("AfterEdit", e::AfterEdit, {ref("Row", "Integer"), ref("Col", "Integer"), ref("NewValue", "String")},
          kNone);
  b.event("BeforeAddRow", e::BeforeAddRow, {in("Cancel", "Boolean")}, kNone, "Occurs before adding a new row");
  b.event("AfterAddRow", e::AfterAddRow, {ref("Row", "Integer")}, kNone);
  b.event("BeforeDeleteRow", e::BeforeDeleteRow, {ref("Row", "Integer"), in("Cancel", "Boolean")}, kNone);
  b.event("AfterDeleteRow", e::AfterDeleteRow, {ref("Row", "Integer")}, kNone);
  return t;
}

// The item classes: ordinary property get/let pairs, let first.
TypeInfo item_info(const char* name, std::vector<std::pair<const char*, DispId>> props) {
  TypeInfo t;
  t.name = name;
  for (auto [prop, id] : props) {
    const char* type = id == 0x68030000 ? "Integer" : id == 0x68030001 ? "String" : "Long";
    t.funcs.push_back(plat::com::make_func(prop, id, CallKind::Let, type));
    t.funcs.push_back(plat::com::make_func(prop, id, CallKind::Get, type));
  }
  return t;
}

}  // namespace

const ClassInfo& Nadrel::class_info() const {
  static const ClassInfo info = [] {
    ClassInfo c;
    c.class_name = kClassName;
    c.interface = interface_info();
    c.events = event_info();
    c.enums = {
        {"NadrelBorderStyleEnum",
         {{"No Border", 0}, {"Single", 1}, {"Thin Raised", 2}, {"Thick Raised", 3}, {"Thin Inset", 4},
          {"Thick Inset", 5}, {"Etched", 6}, {"Bump", 7}}},
        {"FixedStyles", {{"Flat", 0}, {"3D", 1}}},
        {"SelectModes", {{"SelectionFree", 0}, {"SelectionByRow", 1}, {"SelectionByCol", 2}}},
    };
    c.other_types = {
        item_info("_clsLookup", {{"ItemData", 0x68030002}, {"Value", 0x68030001}, {"Column", 0x68030000}}),
        item_info("_clsButton", {{"Column", 0x68030000}}),
    };
    return c;
  }();
  return info;
}

}  // namespace nadrel
