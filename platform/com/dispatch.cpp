#include "platform/com/dispatch.h"

#include "platform/com/names.h"

#include <new>
#include <vector>

namespace plat::com {

namespace {

const Variant kMissing = Variant::missing();

}  // namespace

const char* call_kind_name(CallKind k) {
  switch (k) {
    case CallKind::Get: return "get";
    case CallKind::Let: return "let";
    case CallKind::Set: return "set";
    case CallKind::Method: return "method";
  }
  return "?";
}

FuncInfo make_func(std::string name, DispId id, CallKind kind, std::string value_type, std::vector<ParamInfo> params) {
  FuncInfo f;
  f.name = std::move(name);
  f.id = id;
  f.kind = kind;
  f.value_type = std::move(value_type);
  f.params = std::move(params);
  return f;
}

const FuncInfo* TypeInfo::find(DispId id, CallKind kind) const {
  for (const FuncInfo& f : funcs)
    if (f.id == id && f.kind == kind) return &f;
  return nullptr;
}

std::optional<DispId> TypeInfo::id_of_name(std::string_view name) const {
  for (const FuncInfo& f : funcs)
    if (same_name(f.name, name)) return f.id;
  return std::nullopt;
}

std::vector<DispId> TypeInfo::ids() const {
  std::vector<DispId> out;
  for (const FuncInfo& f : funcs)
    if (out.empty() || out.back() != f.id) out.push_back(f.id);
  return out;
}

Dispatch::~Dispatch() = default;

CallResult Dispatch::invoke(DispId id, CallKind kind, std::span<Variant> args) {
  CallResult r;
  try {
    r.value = dispatch(id, kind, args);
  } catch (const RuntimeError& e) {
    r.error = e.number;
    r.description = e.description;
  } catch (const std::bad_alloc&) {
    r.error = kErrOutOfMemory;
    r.description = error_text(kErrOutOfMemory);
  } catch (const std::exception& e) {
    r.error = kErrInternal;
    r.description = e.what();
  }
  return r;
}

namespace {
Variant checked(Dispatch& d, DispId id, CallKind kind, std::initializer_list<Variant> list) {
  std::vector<Variant> args(list);
  CallResult r = d.invoke(id, kind, args);
  if (!r.ok()) throw RuntimeError(r.error, r.description);
  return r.value;
}
}  // namespace

Variant Dispatch::get(DispId id, std::initializer_list<Variant> args) { return checked(*this, id, CallKind::Get, args); }
void Dispatch::let(DispId id, std::initializer_list<Variant> args) { checked(*this, id, CallKind::Let, args); }
void Dispatch::set(DispId id, std::initializer_list<Variant> args) { checked(*this, id, CallKind::Set, args); }
Variant Dispatch::call(DispId id, std::initializer_list<Variant> args) { return checked(*this, id, CallKind::Method, args); }

Args::Args(std::span<Variant> args, size_t required, size_t total) : args_(args) {
  if (args.size() < required || args.size() > total) throw RuntimeError(kErrWrongArgs);
  for (size_t i = 0; i < required; ++i)
    if (args[i].is_missing()) throw RuntimeError(kErrNotOptional);
}

const Variant& Args::operator[](size_t i) const { return i < args_.size() ? args_[i].deref() : kMissing; }

const Variant& Args::required(size_t i) const {
  if (!has(i)) throw RuntimeError(kErrNotOptional);
  return args_[i].deref();
}

void Args::write_back(size_t i, Variant v) {
  if (i < args_.size()) args_[i].assign(std::move(v));
}

}  // namespace plat::com
