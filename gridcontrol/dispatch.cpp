// Late-bound entry of the grid: converts the arguments of each of the 131
// slots and calls the member. All conversions happen before the member
// runs, so a value that does not convert changes nothing.
#include <unordered_map>

#include "gridcontrol/nadrel.h"
#include "platform/com/errors.h"

namespace nadrel {

using plat::com::Args;
using plat::com::CallKind;
using plat::com::DispId;
using plat::com::FuncInfo;
using plat::com::RuntimeError;

namespace {

// The slot of (identifier, kind) and how many arguments it takes.
struct Shape {
  size_t required = 0;
  size_t total = 0;
};

const Shape* shape_of(const plat::com::TypeInfo& t, DispId id, CallKind kind) {
  static const std::unordered_map<uint64_t, Shape> shapes = [&t] {
    std::unordered_map<uint64_t, Shape> m;
    for (const FuncInfo& f : t.funcs) {
      Shape s;
      for (const auto& p : f.params) s.required += p.optional ? 0 : 1;
      s.total = f.params.size();
      if (f.kind == CallKind::Let || f.kind == CallKind::Set) {
        ++s.required;
        ++s.total;
      }
      m[(uint64_t(uint32_t(f.id)) << 8) | uint8_t(f.kind)] = s;
    }
    return m;
  }();
  auto it = shapes.find((uint64_t(uint32_t(id)) << 8) | uint8_t(kind));
  return it == shapes.end() ? nullptr : &it->second;
}

// How the cell fields cross as values.
auto long_out = [](int32_t x) { return Variant(x); };
auto long_in = [](const Variant& v) { return v.to_i4(); };
auto text_out = [](const std::string& x) { return Variant(x); };
auto text_in = [](const Variant& v) { return v.to_string(); };
auto flag_out = [](int16_t x) { return Variant(x != 0); };
auto flag_in = [](const Variant& v) { return int16_t(v.to_bool() ? -1 : 0); };
auto size_out = [](int16_t x) { return Variant::i2(x); };
auto size_in = [](const Variant& v) { return v.to_i2(); };

std::shared_ptr<plat::com::Font> font_of(const Variant& v) {
  std::shared_ptr<plat::com::Dispatch> obj = v.to_object();
  if (!obj) throw RuntimeError(plat::com::kErrNoObject);
  auto f = std::dynamic_pointer_cast<plat::com::Font>(obj);
  if (!f) throw RuntimeError(plat::com::kErrTypeMismatch);
  return f;
}

// Members that may leave the drawing asked for (a whole repaint, written
// cells) still waiting, by one rule: each asks for a whole repaint itself
// (which draws what it changed, as it finds it), writes cells (drawn as the
// drawing waiting finds them), or stores what no drawing reads. Every other
// let and method first has what waits drawn as it was asked for, so a
// member that changes what is drawn without drawing can never show its
// change in a drawing asked for before it; the differential test of
// painted and unpainted grids holds the list to the rule.
bool keeps_repaint_waiting(DispId id) {
  namespace d = nadrel::dispid;
  switch (id) {
    // Asks for a whole repaint (or, Redraw, draws what waits before it
    // turns painting off).
    case d::Rows: case d::Cols: case d::Refresh: case d::ColHeader: case d::RowHeader: case d::ShowGrid:
    case d::GridSolid: case d::Redraw: case d::GridLineColor: case d::RowHeight: case d::ColWidth:
    case d::ColAlign: case d::BackColor: case d::BackColorFixed: case d::ForeColorFixed: case d::FixedStyle:
    case d::Font: case d::FontFixed: case d::BackColorBkg: case d::FormatString: case d::AutoSetup:
    case d::ColMask: case d::AddItem: case d::RemoveItem: case d::Clear:
    // Writes cells.
    case d::CellBackColor: case d::CellForeColor: case d::CellFontName: case d::CellFontBold:
    case d::CellFontItalic: case d::CellFontUnderline: case d::CellFontStrikeThru: case d::CellFontSize:
    case d::Text: case d::TextMatrix:
    // Stores what no drawing of the cells reads (or only reads).
    case d::EditKeyPress: case d::GetColWidth: case d::BlockSelected: case d::RowBookmark:
    case d::BorderStyle: case d::MousePointer: case d::AllowSelection: case d::SelectionMode: case d::Enabled:
    case d::AllowUserResizing: case d::AutoNewRow: case d::RowEmpty: case d::AddButton: case d::RemoveButton:
    case d::ColHasButton: case d::AddLookup: case d::RemoveLookupValue: case d::RemoveLookup:
    case d::ColHasLookup: case d::UseItemData: case d::ListBoxRows: case d::ColAllowEdit:
      return true;
    default:
      return false;
  }
}

}  // namespace

// A property's get returns GET; its let runs LET with the value `v`.
#define PROP(GET, LET) \
  do {                 \
    if (get) return Variant(GET); \
    const Variant& v = a.value(); \
    LET;               \
    return {};         \
  } while (0)

Variant Nadrel::dispatch(DispId id, CallKind kind, std::span<Variant> args) {
  const Shape* shape = shape_of(type_info(), id, kind);
  if (!shape) throw RuntimeError(plat::com::kErrNoMember);
  Args a(args, shape->required, shape->total);
  const bool get = kind == CallKind::Get;
  if (!get && !keeps_repaint_waiting(id)) flush_pending();
  auto i4 = [&a](size_t k) { return a[k].to_i4(); };
  auto i2 = [&a](size_t k) { return a[k].to_i2(); };
  // The cell properties: (column, row), then the value; a let refreshes.
  auto cell_field = [&](auto CellRecord::*field, auto out, auto in) -> Variant {
    const int32_t c = i4(0), r = i4(1);
    if (get) return out(cell(c, r).*field);
    auto x = in(a.value());
    set_cell(c, r, [&](CellRecord& cr) { cr.*field = x; });
    return {};
  };
  namespace d = dispid;
  switch (id) {
    case d::Rows: PROP(Rows(), Rows(v.to_i4()));
    case d::Cols: PROP(Cols(), Cols(v.to_i4()));
    case d::Refresh: Refresh(); return {};
    case d::ColHeader: PROP(ColHeader(), ColHeader(v.to_bool()));
    case d::RowHeader: PROP(RowHeader(), RowHeader(v.to_bool()));
    case d::CellBackColor: return cell_field(&CellRecord::BackColor, long_out, long_in);
    case d::CellForeColor: return cell_field(&CellRecord::ForeColor, long_out, long_in);
    case d::CellFontName: return cell_field(&CellRecord::FontName, text_out, text_in);
    case d::CellFontBold: return cell_field(&CellRecord::FontBold, flag_out, flag_in);
    case d::CellFontItalic: return cell_field(&CellRecord::FontItalic, flag_out, flag_in);
    case d::CellFontUnderline: return cell_field(&CellRecord::FontUnderline, flag_out, flag_in);
    case d::CellFontStrikeThru: return cell_field(&CellRecord::FontStrikethru, flag_out, flag_in);
    case d::CellFontSize: return cell_field(&CellRecord::FontSize, size_out, size_in);
    case d::TopRow: PROP(TopRow(), TopRow(v.to_i4()));
    case d::LeftCol: PROP(LeftCol(), LeftCol(v.to_i4()));
    case d::ShowGrid: PROP(ShowGrid(), ShowGrid(v.to_bool()));
    case d::GridSolid: PROP(GridSolid(), GridSolid(v.to_bool()));
    case d::HChange: HChange(); return {};
    case d::VChange: VChange(); return {};
    // A row or column the client paints where it likes stays on the image
    // until the whole grid is repainted.
    case d::DrawRow: {
      const int32_t r = i4(0), y = i4(1);
      const bool header = a[2].to_bool();
      stored_unshown();
      DrawRow(r, y, header);
      return {};
    }
    case d::DrawCol: {
      const int32_t c = i4(0), x = i4(1);
      const bool header = a.has(2) ? a[2].to_bool() : true;
      stored_unshown();
      DrawCol(c, x, header);
      return {};
    }
    case d::Row: PROP(Row(), Row(v.to_i4()));
    case d::Col: PROP(Col(), Col(v.to_i4()));
    case d::Text: PROP(Text(), Text(v.to_string()));
    case d::TextMatrix: {
      const int32_t r = i4(0), c = i4(1);
      PROP(TextMatrix(r, c), TextMatrix(r, c, v.to_string()));
    }
    case d::Redraw: PROP(Redraw(), Redraw(v.to_bool()));
    case d::GridLineColor: PROP(Variant::color(GridLineColor()), GridLineColor(v.to_color()));
    case d::MouseDown: case d::MouseUp: case d::MouseMove: {
      const int16_t button = i2(0), shift = i2(1);
      const float x = a[2].to_r4(), y = a[3].to_r4();
      if (id == d::MouseDown) MouseDown(button, shift, x, y);
      else if (id == d::MouseUp) MouseUp(button, shift, x, y);
      else MouseMove(button, shift, x, y);
      return {};
    }
    case d::EditKeyDown: {
      const int16_t key = i2(0), shift = i2(1);
      EditKeyDown(key, shift);
      return {};
    }
    case d::KeyDown: {
      const int16_t key = i2(0), shift = i2(1);
      KeyDown(key, shift);
      return {};
    }
    case d::EditKeyPress: {
      int16_t key = i2(0);
      EditKeyPress(key);
      a.write_back(0, Variant::i2(key));
      return {};
    }
    case d::DblClick: DblClick(); return {};
    case d::HilightSelection: {
      const int32_t r1 = a.has(0) ? i4(0) : S.SelRow1, c1 = a.has(1) ? i4(1) : S.SelCol1;
      const int32_t r2 = a.has(2) ? i4(2) : S.SelRow2, c2 = a.has(3) ? i4(3) : S.SelCol2;
      HilightSelection(r1, c1, r2, c2);
      return {};
    }
    case d::GetColWidth: return Variant(GetColWidth(i4(0)));
    case d::SetColWidth: SetColWidth(i4(0), i4(1)); return {};
    case d::BlockSelected: return Variant(BlockSelected());
    case d::Row1: PROP(S.SelRow1, S.SelRow1 = v.to_i4());
    case d::Col1: PROP(S.SelCol1, S.SelCol1 = v.to_i4());
    case d::Row2: PROP(S.SelRow2, S.SelRow2 = v.to_i4());
    case d::Col2: PROP(S.SelCol2, S.SelCol2 = v.to_i4());
    case d::RowHeight: {
      const int32_t r = i4(0);
      PROP(RowHeight(r), RowHeight(r, v.to_i4()));
    }
    case d::RowBookmark: {
      const int32_t r = i4(0);
      PROP(RowBookmark(r), RowBookmark(r, v));
    }
    case d::ColWidth: {
      const int32_t c = i4(0);
      PROP(ColWidth(c), ColWidth(c, v.to_i4()));
    }
    case d::ColAlign: {
      const int32_t c = i4(0);
      PROP(ColAlign(c), ColAlign(c, v.to_i4()));
    }
    case d::BorderStyle: PROP(BorderStyle(), BorderStyle(v.to_i4()));
    case d::MousePointer: PROP(int32_t(MousePointer()), MousePointer(to16(v.to_i4())));
    case d::Recordset: PROP(Recordset(), Recordset(v));
    case d::AllowSelection: PROP(AllowSelection(), AllowSelection(v.to_bool()));
    case d::BackColor: PROP(Variant::color(BackColor()), BackColor(v.to_color()));
    case d::BackColorFixed: PROP(Variant::color(BackColorFixed()), BackColorFixed(v.to_color()));
    case d::ForeColor: PROP(Variant::color(ForeColor()), ForeColor(v.to_color()));
    case d::ForeColorFixed: PROP(Variant::color(ForeColorFixed()), ForeColorFixed(v.to_color()));
    case d::FixedStyle: PROP(FixedStyle(), FixedStyle(v.to_i4()));
    case d::SelectionMode: PROP(SelectionMode(), SelectionMode(v.to_i4()));
    case d::Enabled: PROP(Enabled(), Enabled(v.to_bool()));
    case d::Font: PROP(Font(), Font(font_of(v)));
    case d::FontFixed: PROP(FontFixed(), FontFixed(font_of(v)));
    case d::ShowAbout: ShowAbout(); return {};
    case d::BackColorBkg: PROP(Variant::color(BackColorBkg()), BackColorBkg(v.to_color()));
    case d::AllowUserResizing: PROP(AllowUserResizing(), AllowUserResizing(v.to_bool()));
    case d::FormatString: PROP(FormatString(), FormatString(v.to_string()));
    case d::AutoSetup: {
      const bool row_header = a[2].to_bool(), col_header = a[3].to_bool();
      AutoSetup(a[0], a[1], row_header, col_header, a[4]);
      return {};
    }
    case d::AutoNewRow: PROP(AutoNewRow(), AutoNewRow(v.to_bool()));
    case d::RowEmpty: return Variant(RowEmpty(i4(0)));
    case d::AddButton: AddButton(i2(0)); return {};
    case d::RemoveButton: RemoveButton(i2(0)); return {};
    case d::ColHasButton: return Variant(ColHasButton(i2(0)));
    case d::AddLookup: {
      const int16_t c = i2(0);
      const std::string value = a[1].to_string();
      AddLookup(c, value, a.has(2) ? i4(2) : 0);
      return {};
    }
    case d::RemoveLookupValue: RemoveLookupValue(i2(0), a[1].to_string()); return {};
    case d::RemoveLookup: RemoveLookup(i2(0)); return {};
    case d::ColHasLookup: return Variant(ColHasLookup(i2(0)));
    case d::UseItemData: PROP(UseItemData(), UseItemData(v.to_bool()));
    case d::ListBoxRows: PROP(Variant::i2(ListBoxRows()), ListBoxRows(v.to_i2()));
    case d::ColAllowEdit: {
      const int32_t c = i4(0);
      PROP(ColAllowEdit(c), ColAllowEdit(c, v.to_bool()));
    }
    case d::ColMask: {
      const int32_t c = i4(0);
      PROP(Variant::i2(ColMask(c)), ColMask(c, v.to_i2()));
    }
    case d::AddItem: AddItem(a[0].to_string()); return {};
    case d::RemoveItem: RemoveItem(i2(0)); return {};
    case d::Clear: Clear(); return {};
    default: break;
  }
  throw RuntimeError(plat::com::kErrNoMember);
}

#undef PROP

}  // namespace nadrel
