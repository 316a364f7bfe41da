#pragma once
// Late-bound calls by dispatch identifier, and the type information that
// describes an object's members.
//
// Calling convention: `args` hold the member's arguments in declaration order;
// for a let or set the value to store comes last. An argument the member
// takes by reference may be written back: a ByRef argument is written through
// to the caller's variant, a plain one is replaced in the span. Optional
// arguments may be left off the end or passed as Variant::missing().
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/com/errors.h"
#include "platform/com/variant.h"

namespace plat::com {

using DispId = int32_t;

// The standard identifier of a control's about box.
constexpr DispId kDispIdAboutBox = -552;

enum class CallKind : uint8_t { Get = 1, Let = 2, Set = 4, Method = 8 };

const char* call_kind_name(CallKind k);

struct ParamInfo {
  std::string name;
  std::string type;  // "Long", "Integer", "Boolean", "String", "Single", "Variant", "OLE_COLOR", an enum, ...
  bool by_ref = false;
  bool optional = false;
};

// One slot of an interface: a property get, let or set, or a method.
struct FuncInfo {
  std::string name;
  DispId id = 0;
  CallKind kind = CallKind::Method;
  std::vector<ParamInfo> params;  // the arguments, without the value of a let/set
  std::string value_type;         // result of a get/method, value of a let/set; empty: none
  bool value_by_ref = false;
  bool hidden = false;            // not shown by object browsers
  bool nonbrowsable = false;      // not shown on property pages
  std::string description;
};

FuncInfo make_func(std::string name, DispId id, CallKind kind, std::string value_type,
                   std::vector<ParamInfo> params = {});

struct EnumInfo {
  std::string name;
  std::vector<std::pair<std::string, int32_t>> values;
};

struct TypeInfo {
  std::string name;  // interface name, e.g. "_Nadrel"
  std::vector<FuncInfo> funcs;  // slot order; a property's get comes before its let/set

  const FuncInfo* find(DispId id, CallKind kind) const;
  // The identifier of a member name, matched without regard to case.
  std::optional<DispId> id_of_name(std::string_view name) const;
  // Each member's identifier once, in slot order.
  std::vector<DispId> ids() const;
};

// What a control class publishes: its interface, its events and its enums.
struct ClassInfo {
  std::string class_name;  // e.g. "NadrelControl.Nadrel"
  TypeInfo interface;
  TypeInfo events;         // dispatch-only event interface, e.g. "__Nadrel"
  std::vector<EnumInfo> enums;
  std::vector<TypeInfo> other_types;  // further classes of the library
};

// The outcome of a late-bound call: a value, or the runtime error it failed with.
struct CallResult {
  Variant value;
  int error = 0;
  std::string description;
  bool ok() const { return error == 0; }
};

class Dispatch {
 public:
  virtual ~Dispatch();

  virtual const TypeInfo& type_info() const = 0;

  // The late-bound call. Never throws: a failing member returns its error
  // number (and must have changed nothing).
  CallResult invoke(DispId id, CallKind kind, std::span<Variant> args);

  std::optional<DispId> id_of_name(std::string_view name) const { return type_info().id_of_name(name); }

  // Conveniences for callers that want failures as RuntimeError.
  Variant get(DispId id, std::initializer_list<Variant> args = {});
  void let(DispId id, std::initializer_list<Variant> args_and_value);
  void set(DispId id, std::initializer_list<Variant> args_and_value);
  Variant call(DispId id, std::initializer_list<Variant> args = {});

 protected:
  // Implementations throw RuntimeError on failure; an unknown identifier or
  // a kind the member does not have throws kErrNoMember.
  virtual Variant dispatch(DispId id, CallKind kind, std::span<Variant> args) = 0;
};

// Argument access for implementations of Dispatch::dispatch.
class Args {
 public:
  // Fails with 450 unless required <= args.size() <= total.
  Args(std::span<Variant> args, size_t required, size_t total);
  size_t size() const { return args_.size(); }
  // The value of argument i (read through a reference); Missing past the end.
  const Variant& operator[](size_t i) const;
  bool has(size_t i) const { return i < args_.size() && !args_[i].is_missing(); }
  // Argument i, failing with 449 when it was left out.
  const Variant& required(size_t i) const;
  // Writes a by-reference argument back.
  void write_back(size_t i, Variant v);
  // The value of a let/set: the last argument.
  const Variant& value() const { return args_.back().deref(); }

 private:
  std::span<Variant> args_;
};

}  // namespace plat::com
