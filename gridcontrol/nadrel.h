#pragma once
// The Nadrel grid control: a grid of text cells with a header row 0 and a
// header column 0, per-cell colours and fonts, lookup lists and cell buttons,
// and its saved properties. Containers reach it late-bound through
// plat::com::Control (identifiers in nadrel_ids.h); this header is the
// library's own.
//
// Every member validates first and changes state only once nothing can fail
// any more, so a failing member leaves the grid as it was.
//
// The grid draws itself on the persistent image of its cell surface
// (`picGrid`, a plat::gdi::Surface inside the control's own surface), with the
// classic drawing calls of platform/gdi. The focus rectangle and the
// selection highlight are drawn by inversion; the grid keeps track of which
// of them are on the image, so every drawing step takes them off first and
// puts them back afterwards and no inversion is ever applied twice.
//
// A let that repaints the whole grid works out at once everything the
// repaint decides (the page, the scroll bars, the column borders, which
// cells are shown) but leaves the pixels for the moment the image is next
// shown or read (see invalidate), so a burst of such lets costs one drawing.
#include <QFont>
#include <QPointer>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gridcontrol/cell_array.h"
#include "gridcontrol/nadrel_ids.h"
#include "platform/com/control.h"
#include "platform/gdi/gdi.h"

class QScrollBar;
class QPushButton;
class QTimer;

namespace nadrel {

using plat::com::Variant;

struct LookupItem {  // clsLookup
  int16_t Column = 0;
  std::string Value;
  int32_t ItemData = 0;
};

struct ButtonCol {  // clsButton
  int16_t Column = 0;
};

// The instance variables of one grid.
struct State {
  int32_t RowCount = 0, ColCount = 0;
  int32_t CurRow = 1, CurCol = 1;
  int32_t SelRow1 = 1, SelCol1 = 1, SelRow2 = 1, SelCol2 = 1;
  int32_t ScrollTopRow = 1, ScrollLeftCol = 1;
  bool ColHeaderOn = false, RowHeaderOn = false;
  bool GridLinesOn = false, GridLinesSolid = false;
  int32_t LineColor = 0;
  bool RedrawOn = false;
  int16_t BorderKind = 0;
  int16_t FixedLook = 0;
  int16_t SelMode = 0;
  bool SelectionAllowed = false, ResizeAllowed = false, AutoNewRowOn = false, ItemDataMode = false;
  int16_t ListRows = 0;
  int32_t GridBackColor = 0, GridForeColor = 0;
  int32_t FixedBackColor = 0, FixedForeColor = 0;
  int32_t BkgColor = 0;
  std::shared_ptr<plat::com::Font> CellFont, FixedFont;
  std::string FormatText;
  Variant BoundRecordset, BoundDataSource;
  CellArray Cells;
  std::vector<int16_t> RowHeights;     // 0..RowCount
  std::vector<Variant> RowBookmarks;   // 0..RowCount
  std::vector<int16_t> ColWidths;      // 0..ColCount
  std::vector<int16_t> ColAligns;
  std::vector<int16_t> ColEditable;    // Booleans, -1 / 0
  std::vector<int16_t> ColMasks;
  std::vector<LookupItem> Lookups;
  std::vector<ButtonCol> ButtonCols;
  bool EditorOpen = false, Selecting = false;
  bool WholeRowsSelected = false, WholeColsSelected = false;
  bool ColResizing = false, RowResizing = false;
  int32_t ResizeIndex = 0;
  std::vector<int32_t> ColBorders;
  bool HScrollShown = false, VScrollShown = false;
  uint8_t LineWidth = 0;
  int32_t CellsBottom = 0, CellsRight = 0, RowsPerPage = 0, ColsPerPage = 0;
  bool RecordsetBound = false;
  // State of the control surface and its scroll bars (its enabled state is
  // the control's own, see Nadrel::Enabled).
  int16_t MousePointer = 0;
  int16_t VScrollMax = 0, HScrollMax = 0;
};

class UserControl;
class PicGrid;

class Nadrel final : public plat::com::Control {
 public:
  Nadrel();
  ~Nadrel() override;

  // plat::com::Control
  const plat::com::ClassInfo& class_info() const override;
  QWidget* widget() override;
  void init_properties() override;
  void read_properties(const plat::com::PropertyBag& bag) override;
  void write_properties(plat::com::PropertyBag& bag) override;
  void focus_left() override {
    flush_pending();
    UserControl_ExitFocus();
  }

  const State& state() const { return S; }

  // Members of _Nadrel. A get takes the arguments, its let the arguments
  // and then the value.
  int32_t Rows() const { return S.RowCount; }
  void Rows(int32_t n);
  int32_t Cols() const { return S.ColCount; }
  void Cols(int32_t n);
  // Repaints the whole grid at once (while Redraw is on).
  void Refresh();
  bool ColHeader() const { return S.ColHeaderOn; }
  void ColHeader(bool v);
  bool RowHeader() const { return S.RowHeaderOn; }
  void RowHeader(bool v);

  const CellRecord& cell(int32_t col, int32_t row) const { return S.Cells.cell(col, row); }
  // Writes one field of a cell (column first). A cell's colours and font
  // change only that cell's pixels, so while the image shows the grid as it
  // stands a visible cell is repainted alone before the surface next reaches
  // the screen, as for its text; otherwise the whole grid is (see
  // image_current). Either way the result is the one a repaint of the whole
  // grid gives.
  template <class F>
  void set_cell(int32_t col, int32_t row, F&& write) {
    write(S.Cells.cell(col, row));
    queue_cell(row, col, true);
  }

  int32_t TopRow() const { return S.ScrollTopRow; }
  void TopRow(int32_t n);  // stores only
  int32_t LeftCol() const { return S.ScrollLeftCol; }
  void LeftCol(int32_t n);
  bool ShowGrid() const { return S.GridLinesOn; }
  void ShowGrid(bool v);
  bool GridSolid() const { return S.GridLinesSolid; }
  void GridSolid(bool v);
  void HChange();
  void VChange();
  void DrawRow(int32_t lThisRow, int32_t y, bool bDrawHeader);
  void DrawCol(int32_t lThisCol, int32_t x, bool bDrawHeader);
  int32_t Row() const { return S.CurRow; }
  void Row(int32_t n);
  int32_t Col() const { return S.CurCol; }
  void Col(int32_t n);
  const std::string& Text() const { return cell(S.CurCol, S.CurRow).Text; }
  void Text(std::string v) { TextMatrix(S.CurRow, S.CurCol, std::move(v)); }
  const std::string& TextMatrix(int32_t vRow, int32_t vCol) const { return cell(vCol, vRow).Text; }
  // Stores the text; a visible cell is repainted alone before the surface
  // next reaches the screen (see flush_pending), or the whole grid when the
  // image does not show it as it stands.
  void TextMatrix(int32_t vRow, int32_t vCol, std::string v);
  // Queues a cell for repainting when a repaint showed it; the whole grid
  // when the image does not show the grid as it stands, or, for a write that
  // stands for a whole repaint (`as_repaint`), when the client's highlights
  // are on it, which such a repaint takes away.
  void queue_cell(int32_t vRow, int32_t vCol, bool as_repaint = false);
  bool Redraw() const { return S.RedrawOn; }
  void Redraw(bool v);
  uint32_t GridLineColor() const { return uint32_t(S.LineColor); }
  void GridLineColor(uint32_t v);
  void EditKeyPress(int16_t& KeyAscii) { if (KeyAscii == 13) KeyAscii = 0; }
  void DblClick();
  // Mouse and keyboard on the cells; buttons 1 left, 2 right, 4 middle;
  // Shift 1, Ctrl 2, Alt 4. Coordinates are pixels of the cell surface.
  void MouseDown(int16_t button, int16_t Shift, float x, float y);
  void MouseMove(int16_t button, int16_t Shift, float x, float y);
  void MouseUp(int16_t button, int16_t Shift, float x, float y);
  void KeyDown(int16_t KeyCode, int16_t Shift);
  // The key handling of the open text box: Enter, Escape, Up and Down.
  // True when the key ended the edit.
  bool EditKeyDown(int16_t KeyCode, int16_t Shift);
  int32_t GetColWidth(int32_t lThisCol) const { return S.ColWidths[col_index(lThisCol)]; }
  void SetColWidth(int32_t lThisCol, int32_t w);
  // Inverts the block of cells (defaults: the selection corners). The
  // client's highlight stays until the client inverts it back or the grid
  // is repainted whole; the marks the grid moves itself leave it alone.
  void HilightSelection(int32_t Row1, int32_t Col1, int32_t Row2, int32_t Col2);
  bool BlockSelected() const { return S.SelRow1 != S.SelRow2 || S.SelCol1 != S.SelCol2; }
  int32_t RowHeight(int32_t lThisRow) const { return S.RowHeights[row_index(lThisRow)]; }
  void RowHeight(int32_t lThisRow, int32_t h);
  Variant RowBookmark(int32_t lThisRow) const { return S.RowBookmarks[row_index(lThisRow)]; }
  void RowBookmark(int32_t lThisRow, const Variant& v) { S.RowBookmarks[row_index(lThisRow)] = v.deref(); }
  int32_t ColWidth(int32_t lThisCol) const { return GetColWidth(lThisCol); }
  void ColWidth(int32_t lThisCol, int32_t w);
  int32_t ColAlign(int32_t lThisCol) const { return S.ColAligns[col_index(lThisCol)]; }
  void ColAlign(int32_t lThisCol, int32_t v);
  int32_t BorderStyle() const { return S.BorderKind; }
  void BorderStyle(int32_t v);
  int16_t MousePointer() const { return S.MousePointer; }
  void MousePointer(int16_t v);
  const Variant& Recordset() const { return S.BoundRecordset; }
  void Recordset(const Variant& v);
  bool AllowSelection() const { return S.SelectionAllowed; }
  void AllowSelection(bool v);
  uint32_t BackColor() const { return uint32_t(S.GridBackColor); }
  void BackColor(uint32_t v);
  uint32_t BackColorFixed() const { return uint32_t(S.FixedBackColor); }
  void BackColorFixed(uint32_t v);
  uint32_t ForeColor() const { return uint32_t(S.GridForeColor); }
  void ForeColor(uint32_t v);
  uint32_t ForeColorFixed() const { return uint32_t(S.FixedForeColor); }
  void ForeColorFixed(uint32_t v);
  int32_t FixedStyle() const { return S.FixedLook; }
  void FixedStyle(int32_t v);
  int32_t SelectionMode() const { return S.SelMode; }
  void SelectionMode(int32_t v);
  // The enabled state of the control as a whole: one state with the
  // container's, which the control's surface takes (a disabled grid gets
  // no input). The let sets it through the container when there is one.
  bool Enabled() const;
  void Enabled(bool v);
  // The control's surface was enabled or disabled (by the let or the
  // container): raises the property change once per change of its own.
  void enabled_changed();
  std::shared_ptr<plat::com::Font> Font() const { return S.CellFont; }
  void Font(std::shared_ptr<plat::com::Font> f);
  std::shared_ptr<plat::com::Font> FontFixed() const { return S.FixedFont; }
  void FontFixed(std::shared_ptr<plat::com::Font> f);
  void ShowAbout();
  uint32_t BackColorBkg() const { return uint32_t(S.BkgColor); }
  void BackColorBkg(uint32_t v);
  bool AllowUserResizing() const { return S.ResizeAllowed; }
  void AllowUserResizing(bool v);
  const std::string& FormatString() const { return S.FormatText; }
  void FormatString(const std::string& s);
  void AutoSetup(const Variant& NRows, const Variant& NCols, bool vRowHeader, bool vColHeader,
                 const Variant& vFormatString);
  bool AutoNewRow() const { return S.AutoNewRowOn; }
  void AutoNewRow(bool v);
  bool RowEmpty(int32_t iRow) const;
  void AddButton(int16_t iCol) { S.ButtonCols.push_back({iCol}); }
  void RemoveButton(int16_t iCol);
  bool ColHasButton(int16_t iCol) const;
  void AddLookup(int16_t iCol, const std::string& Value, int32_t ItemData = 0) {
    S.Lookups.push_back({iCol, Value, ItemData});
  }
  void RemoveLookupValue(int16_t iCol, const std::string& Value);
  void RemoveLookup(int16_t iCol);
  bool ColHasLookup(int16_t iCol) const;
  bool UseItemData() const { return S.ItemDataMode; }
  void UseItemData(bool v);
  int16_t ListBoxRows() const { return S.ListRows; }
  void ListBoxRows(int16_t v);
  bool ColAllowEdit(int32_t iCol) const { return S.ColEditable[col_index(iCol)] != 0; }
  void ColAllowEdit(int32_t iCol, bool v);
  int16_t ColMask(int32_t iCol) const { return S.ColMasks[col_index(iCol)]; }
  void ColMask(int32_t iCol, int16_t v);
  void AddItem(const std::string& RowData);
  void RemoveItem(int16_t iRow);
  void Clear();

  // How many times the grid was drawn whole.
  int render_count() const { return render_count_; }

  // Called by the cell surface before its image is shown or read: draws the
  // repaint asked for (see invalidate), then the cells written since (only
  // while Redraw is on). Nothing it does changes the layout.
  void flush_pending();
  // Draws the repaint asked for and not drawn yet, if any, as it would have
  // been drawn when it was asked for: before anything else touches the image
  // or changes what that repaint shows.
  void draw_invalidated();
  // A let that stores what the image does not show yet (the first row, the
  // text colour) or a client's own drawing: the cells waiting are painted
  // first, as they were written, and the next write repaints the whole grid.
  void stored_unshown();
  // The constituents' handlers.
  void UserControl_Resize();
  void UserControl_Paint();
  void UserControl_ExitFocus();
  void scroll_changed(bool vertical);
  // Input as the cell surface receives it, with the events raised before
  // (keys) or after (mouse) the grid handles it.
  void picGrid_MouseDown(int16_t button, int16_t Shift, float x, float y);
  void picGrid_MouseMove(int16_t button, int16_t Shift, float x, float y);
  void picGrid_MouseUp(int16_t button, int16_t Shift, float x, float y);
  void picGrid_KeyDown(int16_t KeyCode, int16_t Shift);
  void picGrid_KeyPress(int16_t KeyAscii);
  void picGrid_KeyUp(int16_t KeyCode, int16_t Shift);
  // The text box's key press: the character after the column's mask, 0
  // when the mask refuses it.
  int16_t txtEdit_KeyPress(int16_t KeyAscii) const;
  // Whether the whole text may stand in the current column (pasted text).
  bool mask_accepts(const QString& text) const;
  int16_t current_mask() const;
  void List1_Choose();
  void List1_Escape();
  void List1_LostFocus();
  // Tab (next) or Shift+Tab in the editing box or the lookup list: the focus
  // moves on as from the cells, and the edit ends as the focus leaving the
  // grid ends it (the typed text stored, the list closed without a choice).
  void tab_out_of_edit(bool next);
  void cmdLookup_Click() { BeginEdit(32); }
  void cmdButton_Click();
  // True for a point of the square where the two shown scroll bars meet: a
  // press there does nothing.
  bool in_bar_corner(float x, float y) const;

 protected:
  Variant dispatch(plat::com::DispId id, plat::com::CallKind kind, std::span<Variant> args) override;

 private:
  friend class UserControl;
  friend class PicGrid;

  // Index checks of the per-row and per-column arrays: error 9 outside.
  size_t row_index(int32_t r) const;
  size_t col_index(int32_t c) const;

  void SetRowCount(int32_t n);
  void SetColCount(int32_t n);
  // Gives the grid n rows, fewer or more: the scroll range, the per-row
  // arrays and the store. The current cell, the selection and the first row
  // shown never stay past the last row. Every change of the row count comes
  // here.
  void resize_rows(int32_t n);
  // Whether one more row fits (16-bit count, store size).
  bool can_add_row() const;
  void ParseFormatString();
  void ClearLookupItems() { S.Lookups.clear(); }
  void BeginEdit(int16_t KeyAscii);
  // How an open edit ends: its text stored (AfterEdit raised), discarded
  // (Escape), or stored by a key of the editor, which keeps the edit open
  // when the text cannot be stored.
  enum class EditEnd { Store, Discard, StoreOrStay };
  // Ends an open edit; every path that closes the editor comes here. A text
  // the bound record refuses is not stored anywhere: the edit is discarded,
  // or with StoreOrStay stays open (the result is then false).
  bool end_edit(EditEnd how);
  void CommitEdit() { end_edit(EditEnd::Store); }
  // Writes an edit's text into the current data cell, and into its record
  // when a recordset is bound (that write first: a host error changes
  // nothing).
  void store_edit(const std::string& text);
  // Scrolls until the cell is shown whole (or stands first).
  void scroll_into_view(int32_t row, int32_t col);
  void PlaceCellButton();
  void FillLookupList(int16_t col);
  static int16_t NumericKeyFilter(int16_t KeyAscii);
  static int16_t DateKeyFilter(int16_t KeyAscii);
  int32_t RowFromY(float y);
  int32_t ColFromX(float x);
  bool data_cell(int32_t row, int32_t col) const {
    return row >= 1 && row <= S.RowCount && col >= 1 && col <= S.ColCount;
  }
  // Toggles the check box of the current cell ("1" and "0").
  void toggle_check();
  void release_pressed_headers();
  void redraw_header(int32_t row, int32_t col) { repaint_cell(row, col); }
  void hide_lookup();
  // Takes the focus rectangle off the current cell and puts it on again, and
  // places the editor: the state may have changed in between.
  void MoveCurrentCell();
  void DrawGrid(bool bDrawHeader);
  // The repaint of the whole grid that a let asks for: its layout at once,
  // its pixels when the image is next shown or read (draw_invalidated). A
  // grid bound to a recordset, whose data may change under it unseen, is
  // repainted at once.
  void invalidate();
  // Clears the cell surface's image and forgets the marks it held.
  void clear_image();
  // Draws the whole image again as the layout stands, keeping the client's
  // highlights and what waits to be shown; the bars are left alone.
  void redraw_image();

  // --- Drawing (render.cpp) ---
  // The device context of the cell surface; a repaint still waiting is drawn
  // first, so every drawing step meets the image as it stands.
  plat::gdi::HDC dc();
  int ScaleWidth() const;
  int ScaleHeight() const;
  // Sizes of rows and columns, 0 for an index outside the arrays, so a stale
  // index never fails a paint.
  int32_t rh(int32_t r) const;
  int32_t cw(int32_t c) const;
  // The first data row and column shown (TopRow and LeftCol, at least 1).
  int32_t top() const { return std::max<int32_t>(1, S.ScrollTopRow); }
  int32_t left() const { return std::max<int32_t>(1, S.ScrollLeftCol); }
  int32_t data_top() const { return S.ColHeaderOn ? rh(0) + S.LineWidth + 1 : 1; }
  int32_t data_left() const { return S.RowHeaderOn ? cw(0) + S.LineWidth + 1 : 1; }
  void DrawCell(int32_t row, int32_t col, int32_t x, int32_t y, int32_t w, int32_t h);
  void Draw3DFace(int32_t x, int32_t y, int32_t w, int32_t h, int16_t pressed);
  void FillCellRect(int32_t x, int32_t y, int32_t w, int32_t h, uint32_t colour);
  void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour);
  void DrawRectOutline(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour);
  struct Position {
    int32_t x = 0, y = 0;
    bool offscreen = false;
  };
  Position CellPosition(int32_t row, int32_t col) const;
  // Where a cell is drawn, header cells included; false when it is not shown.
  bool cell_box(int32_t row, int32_t col, plat::gdi::Rect& box) const;
  // The grid lines (only those that reach into `only`, when given), the
  // outline and the corner square.
  void DrawGridLines(const plat::gdi::Rect* only = nullptr);
  void DrawRangeGridLines();
  void DrawExposedRows(int32_t first, int32_t amount);
  void DrawExposedCols(int32_t first, int32_t amount);
  void fill_scroll_corner();
  // Whether both bars are to be counted as shown for the corner square: on
  // the screen now, or as the repaint being drawn found them when it was
  // asked for, or both needed by the layout.
  bool both_bars() const;
  // scrVertical.Left and scrHorizontal.Top in the cell surface's pixels.
  int bar_left() const;
  int bar_top() const;
  // Repaints one cell where it is shown, with its grid lines: the pixels it
  // reaches become what a whole repaint would leave there.
  void repaint_cell(int32_t row, int32_t col);
  // Everything a cell's drawing may reach: its box, its grid-line pixels,
  // the 3D face past them and a check box wider than the cell.
  plat::gdi::Rect cell_extent(int32_t row, int32_t col, const plat::gdi::Rect& box) const;
  // Redraws an area as a whole repaint would leave it, without touching
  // the layout.
  void repaint_area(const plat::gdi::Rect& area);
  void RebuildColumnBorders();
  // Scrolling closes an open editor first and puts the cell buttons back
  // afterwards.
  void close_editor_for_scroll();
  void scroll_to_bar(bool vertical);
  void after_scroll();
  void apply_scroll_bars();
  void sync_widget();
  // Sets the enabled state without raising the property change.
  void set_enabled(bool v);
  void set_scroll_value(bool vertical, int value);
  int scroll_value(bool vertical) const;
  int scroll_max(bool vertical) const;
  // Text of a cell as drawn: from the bound recordset for data cells.
  std::string display_text(int32_t row, int32_t col);
  QFont qfont_of(const plat::com::FontProps& p);
  // The fonts a drawing uses for data and header cells: the font objects as
  // they stand, or, while a waiting repaint is drawn, as they stood when it
  // was asked for.
  plat::com::FontProps cell_font() const;
  plat::com::FontProps fixed_font() const;

  // --- Marks (selection.cpp) ---
  // Takes every mark off the image (only those drawn) and forgets the
  // grid's own.
  void hide_marks();
  // Draws the marks of the current state: the selection block with its
  // anchor cell inverted back, the focus rectangle on the current cell, and
  // the client's highlights.
  void show_marks();
  // Inverts a rectangle and records it in `marks`; a rectangle already
  // recorded there is inverted back and forgotten.
  void toggle_invert(std::vector<plat::gdi::Rect>& marks, const plat::gdi::Rect& r);
  // Inverts the client's highlights (on or off: inversions undo themselves).
  void invert_client_marks();
  bool block_rect(int32_t r1, int32_t c1, int32_t r2, int32_t c2, plat::gdi::Rect& out) const;
  bool focus_rect(plat::gdi::Rect& out) const;
  // Marks off for the life of the guard, back on at its end (nested guards
  // act once).
  class Marks {
   public:
    // While a whole repaint waits nothing is taken off or put on: that
    // repaint draws the image afresh with the marks of the state it meets.
    explicit Marks(Nadrel& g) : g_(g) {
      if (g_.marks_depth_++ == 0 && !g_.repaint_waiting_) g_.hide_marks();
    }
    ~Marks() {
      if (--g_.marks_depth_ == 0 && !g_.repaint_waiting_) g_.show_marks();
    }
    Marks(const Marks&) = delete;
    Marks& operator=(const Marks&) = delete;

   private:
    Nadrel& g_;
  };

  // --- Recordset (recordset.cpp) ---
  void BindRecordsetColumns();
  void unbind();
  // Runs `change`; when it fails, the state is put back as it was (a
  // repaint asked for on the way shows the state it was asked for in).
  void transaction(const std::function<void()>& change);
  // Raises an event; returns its arguments as the handlers left them. An
  // argument the event takes by value (Cancel) comes back as it was sent.
  std::vector<Variant> fire_event(int32_t id, std::vector<Variant> args);
  // Width of a text in the control's own font, in pixels.
  double text_width(const std::string& s) const;

  State S;
  QPointer<UserControl> uc_;
  QPointer<PicGrid> pic_;
  QPointer<QScrollBar> hbar_, vbar_;
  int render_count_ = 0;
  // The control's own enabled state last seen, and whether a let is
  // setting it (the let raises its own property change).
  bool enabled_seen_ = true;
  bool setting_enabled_ = false;
  // A whole repaint asked for and not drawn yet (invalidate). Its layout is
  // in S already, the fonts it draws with in drawn_cell_font_ and
  // drawn_fixed_font_; the bars as it found them are kept. Cells written
  // meanwhile queue as after any repaint; drawn with it, they need no
  // repaint of their own unless it draws with fonts or bars that are no
  // longer those of the moment.
  bool repaint_waiting_ = false;
  bool waiting_bars_shown_ = false;
  // Set while invalidate works out the layout: DrawGrid's bookkeeping runs,
  // no pixel is drawn.
  bool measuring_ = false;
  // Set while the waiting repaint is drawn.
  bool drawing_waiting_ = false;
  // Set while cells queued before are drawn: with the fonts the image shows.
  bool fonts_as_drawn_ = false;
  // Open transactions, and the state at the last repaint asked for in one,
  // which is what the image shows should the transaction fail.
  int transactions_ = 0;
  std::unique_ptr<State> requested_state_;
  // Marks on the image: the grid's inverted rectangles (the selection), the
  // client's (HilightSelection), and the focus rectangle.
  std::vector<plat::gdi::Rect> inverted_, client_inverted_;
  bool focus_drawn_ = false;
  plat::gdi::Rect focus_at_{};
  int marks_depth_ = 0;
  // Cells whose text changed while shown, painted before the next show.
  std::vector<std::pair<int32_t, int32_t>> pending_;
  bool pending_all_ = false;
  // The last data row and column a full repaint reached.
  int32_t last_row_shown_ = 0, last_col_shown_ = 0;
  // Whether the image shows the grid as a repaint of the whole grid would
  // draw it now (the client's highlights aside), so that one cell may be
  // repainted alone: nothing stored since the last whole repaint that it
  // does not show (unshown_), the fonts' objects as they were drawn, and no
  // bound recordset, whose data may change under the grid.
  bool image_current() const;
  bool unshown_ = false;
  plat::com::FontProps drawn_cell_font_, drawn_fixed_font_;
  // Fonts of the last repaint, kept so a repaint builds each font once.
  struct FontCache {
    plat::com::FontProps props;
    QFont font;
    bool valid = false;
  };
  FontCache font_cache_[4];
  int font_cache_next_ = 0;
  // Editing and input constituents.
  QPointer<QWidget> txt_, list_, sizer_;
  QPointer<QPushButton> cmd_lookup_, cmd_button_;
  QPointer<QTimer> drag_timer_;
  int32_t sizer_x_ = 0, sizer_y_ = 0;
  struct MouseArgs {
    int16_t button = 0, shift = 0;
    float x = 0, y = 0;
  } last_move_;
};

// A 16-bit value of a 32-bit one; error 6 outside -32768..32767.
int16_t to16(int64_t v);

}  // namespace nadrel
