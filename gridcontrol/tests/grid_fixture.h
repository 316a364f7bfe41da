#pragma once
// A test container for the grid: creates it by class name through the
// registry from the built library, and calls it late-bound.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "gridcontrol/nadrel_ids.h"
#include "platform/com/control.h"
#include "platform/com/registry.h"

namespace gridtest {

using namespace plat::com;
namespace d = nadrel::dispid;

inline std::shared_ptr<Control> create_grid() {
  static bool registered = [] {
    if (!std::getenv("BRENDALO_REGISTRY")) setenv("BRENDALO_REGISTRY", "/tmp/brendalo-test-registry.ini", 1);
    register_library(NADREL_LIBRARY);
    return true;
  }();
  (void)registered;
  return create_object(nadrel::kClassName);
}

struct Grid {
  explicit Grid(bool design_mode = false, bool first_time = true) : obj(create_grid()) {
    site.set_user_mode(!design_mode);
    obj->set_site(&site);
    if (first_time) obj->init_properties();
  }
  ~Grid() { obj->set_site(nullptr); }

  CallResult invoke(DispId id, CallKind kind, std::vector<Variant> args = {}) {
    return obj->invoke(id, kind, args);
  }
  Variant get(DispId id, std::vector<Variant> args = {}) {
    CallResult r = invoke(id, CallKind::Get, std::move(args));
    EXPECT_TRUE(r.ok()) << "get " << id << ": " << r.description;
    return r.value;
  }
  void let(DispId id, std::vector<Variant> args) {
    CallResult r = invoke(id, CallKind::Let, std::move(args));
    EXPECT_TRUE(r.ok()) << "let " << id << ": " << r.description;
  }
  void set(DispId id, std::vector<Variant> args) {
    CallResult r = invoke(id, CallKind::Set, std::move(args));
    EXPECT_TRUE(r.ok()) << "set " << id << ": " << r.description;
  }
  Variant call(DispId id, std::vector<Variant> args = {}) {
    CallResult r = invoke(id, CallKind::Method, std::move(args));
    EXPECT_TRUE(r.ok()) << "call " << id << ": " << r.description;
    return r.value;
  }
  // The value as text, or "#" and the error number, without expecting success.
  std::string peek(DispId id, std::vector<Variant> args = {}) {
    CallResult r = invoke(id, CallKind::Get, std::move(args));
    return r.ok() ? r.value.to_string() : "#" + std::to_string(r.error);
  }
  std::string text(int row, int col) { return get(d::TextMatrix, {Variant(row), Variant(col)}).to_string(); }

  // Everything a member could change, read back through the interface.
  std::string snapshot() {
    std::string s;
    PropertyBag bag;
    const bool mode = site.ambient_user_mode();
    site.set_user_mode(false);
    obj->write_properties(bag);
    site.set_user_mode(mode);
    s += bag.to_text();
    const int rows = get(d::Rows).to_i4(), cols = get(d::Cols).to_i4();
    for (DispId id : {d::TopRow, d::LeftCol, d::Row1, d::Col1, d::Row2, d::Col2})
      s += peek(id) + ",";
    for (int c = 0; c <= cols; ++c)
      for (DispId id : {d::ColWidth, d::ColAlign, d::ColMask, d::ColAllowEdit})
        s += peek(id, {Variant(c)}) + ",";
    for (int r = 0; r <= rows; ++r) {
      s += "\n" + peek(d::RowHeight, {Variant(r)}) + ":";
      for (int c = 0; c <= cols; ++c) {
        s += peek(d::TextMatrix, {Variant(r), Variant(c)}) + "|";
        for (DispId id : {d::CellBackColor, d::CellForeColor, d::CellFontName, d::CellFontBold, d::CellFontSize})
          s += peek(id, {Variant(c), Variant(r)}) + ",";
      }
    }
    return s;
  }

  SimpleSite site;
  std::shared_ptr<Control> obj;
};

// Records the events a grid raises.
struct EventLog {
  ~EventLog() { control.disconnect(cookie); }
  EventLog(const EventLog&) = delete;
  EventLog& operator=(const EventLog&) = delete;
  explicit EventLog(Control& c) : control(c) {
    cookie = c.connect(nadrel::kEventInterface, [this](DispId id, std::span<Variant> args) {
      std::vector<Variant> copy;
      for (const Variant& a : args) copy.push_back(a.deref());
      events.push_back({id, copy});
    });
  }
  std::vector<DispId> ids() const {
    std::vector<DispId> out;
    for (const auto& e : events) out.push_back(e.first);
    return out;
  }
  std::vector<std::pair<DispId, std::vector<Variant>>> events;
  Control& control;
  int cookie = 0;
};

}  // namespace gridtest
