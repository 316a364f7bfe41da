#pragma once
// Dispatch identifiers of the Nadrel grid's interface `_Nadrel` and of its
// events `__Nadrel`. Header only: containers include it to name the
// identifiers they call late-bound; they never link the grid.
#include <cstdint>

namespace nadrel {

inline constexpr const char* kClassName = "NadrelControl.Nadrel";
inline constexpr const char* kEventInterface = "__Nadrel";

namespace dispid {
// Properties have the high half 0x6803, methods 0x6003.
enum : int32_t {
  ColMask = 0x68030000, ColAllowEdit = 0x68030001, ListBoxRows = 0x68030002, UseItemData = 0x68030003,
  AutoNewRow = 0x68030004, FormatString = 0x68030005, AllowUserResizing = 0x68030006, BackColorBkg = 0x68030007,
  FontFixed = 0x68030008, Font = 0x68030009, Enabled = 0x6803000A, SelectionMode = 0x6803000B,
  FixedStyle = 0x6803000C, ForeColorFixed = 0x6803000D, ForeColor = 0x6803000E, BackColorFixed = 0x6803000F,
  BackColor = 0x68030010, AllowSelection = 0x68030011, Recordset = 0x68030012, MousePointer = 0x68030013,
  BorderStyle = 0x68030014, ColAlign = 0x68030015, ColWidth = 0x68030016, RowBookmark = 0x68030017,
  RowHeight = 0x68030018, Col2 = 0x68030019, Row2 = 0x6803001A, Col1 = 0x6803001B, Row1 = 0x6803001C,
  GridLineColor = 0x6803001D, Redraw = 0x6803001E, TextMatrix = 0x6803001F, Text = 0x68030020,
  Col = 0x68030021, Row = 0x68030022, GridSolid = 0x68030023, ShowGrid = 0x68030024, LeftCol = 0x68030025,
  TopRow = 0x68030026, CellFontSize = 0x68030027, CellFontStrikeThru = 0x68030028,
  CellFontUnderline = 0x68030029, CellFontItalic = 0x6803002A, CellFontBold = 0x6803002B,
  CellFontName = 0x6803002C, CellForeColor = 0x6803002D, CellBackColor = 0x6803002E, RowHeader = 0x6803002F,
  ColHeader = 0x68030030, Cols = 0x68030031, Rows = 0x68030032,

  Refresh = 0x60030033, HChange = 0x60030036, VChange = 0x60030037, DrawRow = 0x60030038,
  DrawCol = 0x60030039, MouseDown = 0x60030043, EditKeyDown = 0x60030046, EditKeyPress = 0x60030047,
  DblClick = 0x60030048, MouseUp = 0x60030049, MouseMove = 0x6003004A, HilightSelection = 0x6003004B,
  KeyDown = 0x6003004F, GetColWidth = 0x60030050, SetColWidth = 0x60030051, BlockSelected = 0x60030052,
  AutoSetup = 0x6003006E, RowEmpty = 0x60030071, AddButton = 0x60030073, RemoveButton = 0x60030074,
  ColHasButton = 0x60030075, AddLookup = 0x60030076, RemoveLookupValue = 0x60030077, RemoveLookup = 0x60030078,
  ColHasLookup = 0x6003007A, AddItem = 0x60030082, RemoveItem = 0x60030083, Clear = 0x60030084,
  ShowAbout = -552,
};
}  // namespace dispid

namespace event {
enum : int32_t {
  Click = 1, BtnClick = 2, DblClick = 3, KeyDown = 4, KeyPress = 5, KeyUp = 6, MouseDown = 7, MouseMove = 8,
  MouseUp = 9, Scroll = 10, BeforeEdit = 11, AfterEdit = 12, BeforeAddRow = 13, AfterAddRow = 14,
  BeforeDeleteRow = 15, AfterDeleteRow = 16,
};
}  // namespace event

// Enumerations of the type library.
enum NadrelBorderStyleEnum : int32_t {
  NoBorder = 0, Single = 1, ThinRaised = 2, ThickRaised = 3, ThinInset = 4, ThickInset = 5, Etched = 6, Bump = 7,
};
enum FixedStyles : int32_t { Flat = 0, ThreeD = 1 };
enum SelectModes : int32_t { SelectionFree = 0, SelectionByRow = 1, SelectionByCol = 2 };

}  // namespace nadrel
