// Life cycle: first-time defaults, reading and writing the saved properties.
#include <algorithm>

#include "gridcontrol/nadrel.h"
#include "platform/com/errors.h"

namespace nadrel {

using plat::com::PropertyBag;

namespace {
constexpr uint32_t kButtonFace = 0x8000000F;
constexpr uint32_t kButtonText = 0x80000012;
constexpr uint32_t kLightGrey = 0xC0C0C0;

Variant colour(uint32_t v) { return Variant::color(v); }
Variant i2(int16_t v) { return Variant::i2(v); }
}  // namespace

void Nadrel::init_properties() {
  S.ColHeaderOn = S.RowHeaderOn = S.GridLinesOn = S.GridLinesSolid = true;
  S.LineColor = int32_t(kLightGrey);
  S.ColResizing = S.RowResizing = false;
  S.ResizeAllowed = true;
  S.FormatText.clear();
  S.AutoNewRowOn = false;
  S.ListRows = 6;
  S.ItemDataMode = false;
  S.BorderKind = NadrelBorderStyleEnum::Single;
  S.GridBackColor = 0xFFFFFF;
  S.FixedBackColor = int32_t(kLightGrey);
  S.BkgColor = 0x808080;
  S.GridForeColor = int32_t(kButtonText);
  S.FixedLook = FixedStyles::ThreeD;
  S.FixedForeColor = int32_t(kButtonText);
  S.SelectionAllowed = true;
  S.SelMode = SelectModes::SelectionFree;
  // Each font a copy of the container's: making the header font bold must
  // not change the container's font or the cell font.
  std::shared_ptr<plat::com::Font> ambient = ambient_font();
  S.CellFont = ambient->clone();
  S.FixedFont = ambient->clone();
  S.FixedFont->Bold(true);
  Cols(5);
  Rows(1);
  S.ScrollLeftCol = S.ScrollTopRow = S.CurRow = S.CurCol = 1;
  S.SelRow1 = S.SelCol1 = S.SelRow2 = S.SelCol2 = 1;
  S.RedrawOn = true;
  S.BoundDataSource = i2(0);
  S.BoundRecordset = i2(0);
  sync_widget();
  invalidate();
}

// Reads every key in its order; a value that cannot be taken (error 13, or
// a count out of range) fails the whole read and leaves the grid as it was.
void Nadrel::read_properties(const PropertyBag& bag) {
  std::shared_ptr<plat::com::Font> ambient = ambient_font();
  bool enabled = true;
  transaction([&] {
    Rows(bag.read("Rows", 10).to_i4());
    Cols(bag.read("Cols", 10).to_i4());
    Row(bag.read("Row", 1).to_i4());
    Col(bag.read("Col", 1).to_i4());
    S.GridLinesOn = bag.read("ShowGrid", true).to_bool();
    S.GridLinesSolid = bag.read("GridSolid", true).to_bool();
    S.LineColor = int32_t(bag.read("GridLineColor", colour(kButtonFace)).to_color());
    S.RedrawOn = bag.read("Redraw", true).to_bool();
    S.BorderKind = bag.read("BorderStyle", i2(1)).to_i2();
    S.MousePointer = bag.read("MousePointer", i2(0)).to_i2();
    S.BoundDataSource = bag.read("DataSource", i2(0));
    S.BoundRecordset = bag.read("Recordset", i2(0));
    S.SelectionAllowed = bag.read("AllowSelection", true).to_bool();
    S.GridBackColor = int32_t(bag.read("BackColor", colour(0xFFFFFF)).to_color());
    S.FixedBackColor = int32_t(bag.read("BackColorFixed", colour(kButtonFace)).to_color());
    S.GridForeColor = int32_t(bag.read("ForeColor", colour(kButtonText)).to_color());
    S.FixedForeColor = int32_t(bag.read("ForeColorFixed", colour(kButtonText)).to_color());
    S.FixedLook = bag.read("FixedStyle", i2(1)).to_i2();
    S.ColHeaderOn = bag.read("ColHeader", true).to_bool();
    S.RowHeaderOn = bag.read("RowHeader", true).to_bool();
    S.SelMode = bag.read("SelectionMode", i2(0)).to_i2();
    enabled = bag.read("Enabled", true).to_bool();
    S.CellFont = bag.read_font("Font", ambient.get());
    S.FixedFont = bag.read_font("FontFixed", ambient.get());
    S.BkgColor = int32_t(bag.read("BackColorBkg", colour(0x808080)).to_color());
    S.ResizeAllowed = bag.read("AllowUserResizing", true).to_bool();
    S.FormatText = bag.read("FormatString", "").to_string();
    S.AutoNewRowOn = bag.read("AutoNewRow", false).to_bool();
    S.ListRows = bag.read("ListBoxRows", i2(6)).to_i2();
    S.ItemDataMode = bag.read("UseItemData", false).to_bool();
    const int16_t count = bag.read("Count", i2(0)).to_i2();
    for (int16_t i = 1; i >= 1 && i <= count; ++i) {
      const std::string n = std::to_string(i);
      const int16_t column = bag.read("Column" + n).to_i2();
      const std::string value = bag.read("Value" + n).to_string();
      AddLookup(column, value, bag.read("ItemData" + n, 0).to_i4());
    }
    ParseFormatString();
  });
  // Taken once the whole read has succeeded: the state is the control's,
  // not the grid's.
  set_enabled(enabled);
  sync_widget();
  invalidate();
}

void Nadrel::write_properties(PropertyBag& bag) {
  std::shared_ptr<plat::com::Font> ambient = ambient_font();
  bag.write("Rows", S.RowCount, 10);
  bag.write("Cols", S.ColCount, 10);
  bag.write("Row", S.CurRow, 1);
  bag.write("Col", S.CurCol, 1);
  bag.write("Redraw", S.RedrawOn);
  bag.write("ShowGrid", S.GridLinesOn);
  bag.write("GridSolid", S.GridLinesSolid);
  bag.write("GridLineColor", colour(uint32_t(S.LineColor)));
  bag.write("BorderStyle", i2(S.BorderKind), i2(1));
  bag.write("MousePointer", i2(S.MousePointer), i2(0));
  bag.write("DataSource", S.BoundDataSource, i2(0));
  bag.write("Recordset", S.BoundRecordset, i2(0));
  bag.write("AllowSelection", S.SelectionAllowed, true);
  bag.write("BackColor", colour(uint32_t(S.GridBackColor)), colour(0xFFFFFF));
  bag.write("BackColorFixed", colour(uint32_t(S.FixedBackColor)), colour(kButtonFace));
  bag.write("ForeColor", colour(uint32_t(S.GridForeColor)), colour(kButtonText));
  bag.write("ForeColorFixed", colour(uint32_t(S.FixedForeColor)), colour(kButtonText));
  bag.write("FixedStyle", i2(S.FixedLook), i2(1));
  bag.write("ColHeader", S.ColHeaderOn, true);
  bag.write("RowHeader", S.RowHeaderOn, true);
  bag.write("SelectionMode", i2(S.SelMode), i2(0));
  bag.write("Enabled", Enabled(), true);
  if (S.CellFont) bag.write_font("Font", *S.CellFont, ambient.get());
  if (S.FixedFont) bag.write_font("FontFixed", *S.FixedFont, ambient.get());
  bag.write("BackColorBkg", colour(uint32_t(S.BkgColor)), colour(0x808080));
  bag.write("AllowUserResizing", S.ResizeAllowed, true);
  bag.write("FormatString", S.FormatText, "");
  bag.write("AutoNewRow", S.AutoNewRowOn, false);
  bag.write("ListBoxRows", i2(S.ListRows), i2(6));
  bag.write("UseItemData", S.ItemDataMode, false);
  if (ambient_user_mode()) return;  // lookup items are saved from a designer only
  // The count is read back as 16-bit: items past 32767 cannot be saved.
  const int16_t count = int16_t(std::min<size_t>(S.Lookups.size(), INT16_MAX));
  bag.write("Count", i2(count), i2(0));
  for (int16_t i = 1; i <= count && i >= 1; ++i) {
    const LookupItem& item = S.Lookups[size_t(i) - 1];
    const std::string n = std::to_string(i);
    bag.write("Column" + n, i2(item.Column));
    bag.write("Value" + n, item.Value);
    // Item data travels in a third key, written only when it is not 0, so
    // items without it are saved exactly as before.
    bag.write("ItemData" + n, item.ItemData, 0);
  }
}

}  // namespace nadrel
