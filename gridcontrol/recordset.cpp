// Binding to a recordset of the host, called late-bound: by member name
// Fields (Count; each field's Name, Type and Size), MoveLast,
// AbsolutePosition (0-based), Edit and Update; the value of field k of the
// current record through the recordset's default member with index k.
#include <QString>
#include <algorithm>

#include "gridcontrol/nadrel.h"
#include "gridcontrol/recordset.h"
#include "platform/com/errors.h"

namespace nadrel {

using plat::com::CallKind;
using plat::com::Dispatch;
using plat::com::RuntimeError;

namespace rs {

Variant call(Dispatch& obj, std::string_view name, CallKind kind, std::vector<Variant> args) {
  std::optional<plat::com::DispId> id = obj.id_of_name(name);
  if (!id) throw RuntimeError(plat::com::kErrNoMember);
  plat::com::CallResult r = obj.invoke(*id, kind, args);
  if (!r.ok()) throw RuntimeError(r.error, r.description);
  return r.value;
}

std::shared_ptr<Dispatch> object_of(const Variant& v) {
  std::shared_ptr<Dispatch> o = v.to_object();
  if (!o) throw RuntimeError(plat::com::kErrNoObject);
  return o;
}

std::shared_ptr<Dispatch> field(Dispatch& recordset, int32_t k) {
  std::shared_ptr<Dispatch> fields = object_of(call(recordset, "Fields", CallKind::Get, {}));
  // A collection's item by its Item member, or by its default member.
  std::optional<plat::com::DispId> item = fields->id_of_name("Item");
  std::vector<Variant> args{Variant(k)};
  plat::com::CallResult r = fields->invoke(item.value_or(0), CallKind::Get, args);
  if (!r.ok()) throw RuntimeError(r.error, r.description);
  return object_of(r.value);
}

int32_t field_count(Dispatch& recordset) {
  std::shared_ptr<Dispatch> fields = object_of(call(recordset, "Fields", CallKind::Get, {}));
  return call(*fields, "Count", CallKind::Get, {}).to_i4();
}

void move_to(Dispatch& recordset, int32_t row) {
  call(recordset, "AbsolutePosition", CallKind::Let, {Variant(row - 1)});
}

namespace {
constexpr plat::com::DispId kDefaultMember = 0;

Variant invoke_default(Dispatch& recordset, CallKind kind, std::vector<Variant> args) {
  plat::com::CallResult r = recordset.invoke(kDefaultMember, kind, args);
  if (!r.ok()) throw RuntimeError(r.error, r.description);
  return r.value;
}
}  // namespace

std::string value_text(Dispatch& recordset, int32_t row, int32_t col) {
  move_to(recordset, row);
  Variant v = invoke_default(recordset, CallKind::Get, {Variant(col - 1)});
  return v.is_null() ? std::string() : v.to_string();
}

void write_value(Dispatch& recordset, int32_t row, int32_t col, const std::string& text) {
  const int32_t size = call(*field(recordset, col - 1), "Size", CallKind::Get, {}).to_i4();
  QString q = QString::fromStdString(text);
  if (size > 0 && q.size() > size) q.truncate(size);
  move_to(recordset, row);
  call(recordset, "Edit", CallKind::Method, {});
  invoke_default(recordset, CallKind::Let, {Variant(col - 1), Variant(q.toStdString())});
  call(recordset, "Update", CallKind::Method, {});
}

}  // namespace rs

std::string Nadrel::display_text(int32_t row, int32_t col) {
  if (!S.RecordsetBound) return S.Cells.cell(col, row).Text;
  // A record the host cannot give shows as an empty cell: a paint never
  // fails half-way on the host's data.
  try {
    return rs::value_text(*rs::object_of(S.BoundRecordset), row, col);
  } catch (const RuntimeError&) {
    return {};
  }
}

void Nadrel::unbind() {
  S.RecordsetBound = false;
  S.BoundRecordset = Variant::i2(0);  // as in a grid never bound
}

void Nadrel::Recordset(const Variant& v) {
  const Variant value = v.deref();
  if (!value.is_object()) throw RuntimeError(plat::com::kErrTypeMismatch);
  std::shared_ptr<Dispatch> obj = value.to_object();
  if (!obj) {
    // Assigning Nothing undoes a binding; the cells show their own texts again.
    unbind();
    notify_property_changed("Recordset");
    invalidate();
    return;
  }
  // A binding that fails leaves the grid as it was, unbound and drawable.
  const bool redraw = S.RedrawOn;
  try {
    transaction([&] {
      S.RedrawOn = false;
      S.BoundRecordset = value;
      S.RecordsetBound = true;
      rs::call(*obj, "MoveLast", CallKind::Method, {});
      const int32_t last = rs::call(*obj, "AbsolutePosition", CallKind::Get, {}).to_i4();
      // An empty recordset reports no position: no data rows.
      Rows(std::max(last, -1) + 1);
      BindRecordsetColumns();
      S.RedrawOn = redraw;
    });
  } catch (...) {
    S.RedrawOn = redraw;
    invalidate();
    throw;
  }
  notify_property_changed("Recordset");
  invalidate();
}

void Nadrel::BindRecordsetColumns() {
  Dispatch& obj = *rs::object_of(S.BoundRecordset);
  const int32_t n = rs::field_count(obj);
  Cols(n);
  for (int32_t k = 0; k < n; ++k) {
    std::shared_ptr<Dispatch> f = rs::field(obj, k);
    S.Cells.cell(k + 1, 0).Text = rs::call(*f, "Name", CallKind::Get, {}).to_string();
    // Text fields get the width of their declared size in letters "N".
    const int32_t type = rs::call(*f, "Type", CallKind::Get, {}).to_i4();
    if (rs::is_text_type(type)) {
      const int32_t size = rs::call(*f, "Size", CallKind::Get, {}).to_i4();
      if (size > 0 && size <= 255)
        S.ColWidths[size_t(k) + 1] = to16(int64_t(plat::com::round_half_even(text_width(std::string(size_t(size), 'N')))));
    }
  }
}

}  // namespace nadrel
