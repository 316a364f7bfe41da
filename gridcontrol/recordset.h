#pragma once
// Late-bound calls on the host's recordset, by member name.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/dispatch.h"

namespace nadrel::rs {

using plat::com::Dispatch;
using plat::com::Variant;

// Calls member `name`; a missing member fails with 438, a failing call with
// its own error.
Variant call(Dispatch& obj, std::string_view name, plat::com::CallKind kind, std::vector<Variant> args);
// The object held; error 91 for Nothing, 13 for a value.
std::shared_ptr<Dispatch> object_of(const Variant& v);
// Field k (0-based) of the recordset's Fields: its Name, Type and Size.
std::shared_ptr<Dispatch> field(Dispatch& recordset, int32_t k);
int32_t field_count(Dispatch& recordset);
// Makes the record of grid row `row` (1-based) current.
void move_to(Dispatch& recordset, int32_t row);
// The value of grid cell (row, col) as text, read through the recordset's
// default member with the field's 0-based index; Null gives "".
std::string value_text(Dispatch& recordset, int32_t row, int32_t col);
// Writes the text into the record of grid cell (row, col): Edit, the default
// member, Update. The text is cut to the field's declared Size.
void write_value(Dispatch& recordset, int32_t row, int32_t col, const std::string& text);

// Field types holding text (fixed and variable, narrow and wide).
inline bool is_text_type(int32_t type) { return type == 129 || type == 130 || type == 200 || type == 202; }

}  // namespace nadrel::rs
