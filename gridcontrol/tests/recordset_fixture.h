#pragma once
// A host's recordset for the binding tests, offering exactly the members the
// grid binds through: Fields (Count; each field's Name, Type and Size),
// MoveLast, AbsolutePosition, the default member (the value of a field of
// the current record by its 0-based index, read and written), Edit and Update.
#include <memory>
#include <string>
#include <vector>

#include "grid_fixture.h"

namespace gridtest {

struct FakeField final : Dispatch {
  std::string name;
  int32_t type = 200, size = 10;
  const TypeInfo& type_info() const override {
    static const TypeInfo t{"Field", {make_func("Name", 1, CallKind::Get, "String"), make_func("Type", 2, CallKind::Get, "Long"),
                                      make_func("Size", 3, CallKind::Get, "Long")}};
    return t;
  }
  Variant dispatch(DispId id, CallKind, std::span<Variant>) override {
    switch (id) {
      case 1: return Variant(name);
      case 2: return Variant(type);
      case 3: return Variant(size);
    }
    throw RuntimeError(kErrNoMember);
  }
};

struct FakeFields final : Dispatch {
  std::vector<std::shared_ptr<FakeField>> items;
  const TypeInfo& type_info() const override {
    static const TypeInfo t{"Fields", {make_func("Count", 1, CallKind::Get, "Long"),
                                       make_func("Item", 0, CallKind::Get, "Object", {{"Index", "Variant"}})}};
    return t;
  }
  Variant dispatch(DispId id, CallKind, std::span<Variant> args) override {
    if (id == 1) return Variant(int32_t(items.size()));
    const int32_t k = args[0].to_i4();
    if (k < 0 || size_t(k) >= items.size()) throw RuntimeError(kErrSubscript);
    return Variant(std::shared_ptr<Dispatch>(items[size_t(k)]));
  }
};

struct FakeRecordset final : Dispatch {
  std::shared_ptr<FakeFields> fields = std::make_shared<FakeFields>();
  std::vector<std::vector<Variant>> columns;  // columns[field][record]
  int32_t position = -1;
  std::vector<std::string> log;
  bool fail_move_last = false;
  bool fail_records = false;  // every record read or written fails
  bool saveable = true;       // false: no Edit and no Update

  FakeRecordset(std::vector<std::string> names, std::vector<std::vector<Variant>> cols) : columns(std::move(cols)) {
    for (const std::string& n : names) {
      auto f = std::make_shared<FakeField>();
      f->name = n;
      fields->items.push_back(f);
    }
  }
  const TypeInfo& type_info() const override {
    auto members = [](bool save) {
      std::vector<FuncInfo> f{make_func("Fields", 1, CallKind::Get, "Object"), make_func("MoveLast", 2, CallKind::Method, ""),
                              make_func("AbsolutePosition", 3, CallKind::Get, "Long"),
                              make_func("AbsolutePosition", 3, CallKind::Let, "Long"),
                              make_func("Collect", 0, CallKind::Get, "Variant", {{"Index", "Variant"}}),
                              make_func("Collect", 0, CallKind::Let, "Variant", {{"Index", "Variant"}})};
      if (save) f.insert(f.end(), {make_func("Edit", 4, CallKind::Method, ""), make_func("Update", 5, CallKind::Method, "")});
      return TypeInfo{"Recordset", f};
    };
    static const TypeInfo with_save = members(true), without_save = members(false);
    return saveable ? with_save : without_save;
  }
  Variant dispatch(DispId id, CallKind kind, std::span<Variant> args) override {
    const size_t count = columns.empty() ? 0 : columns[0].size();
    switch (id) {
      case 0: {
        const int32_t k = args[0].to_i4();
        if (fail_records || k < 0 || size_t(k) >= columns.size() || position < 0 || size_t(position) >= count)
          throw RuntimeError(3021, "No current record");
        Variant& v = columns[size_t(k)][size_t(position)];
        if (kind == CallKind::Get) return v;
        log.push_back("Collect");
        v = args.back().deref();
        return {};
      }
      case 1: return Variant(std::shared_ptr<Dispatch>(fields));
      case 2:
        log.push_back("MoveLast");
        if (fail_move_last) throw RuntimeError(3021);
        position = count == 0 ? -1 : int32_t(count) - 1;
        return {};
      case 3:
        if (kind == CallKind::Get) return Variant(position);
        position = args.back().to_i4();
        return {};
      case 4:
        if (!saveable) break;
        log.push_back("Edit");
        return {};
      case 5:
        if (!saveable) break;
        log.push_back("Update");
        return {};
    }
    throw RuntimeError(kErrNoMember);
  }
};

}  // namespace gridtest
