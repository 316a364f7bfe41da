#pragma once
// A test container for Ombrelis: creates it by class name through the
// registry from the built library, beside a host window holding a list view.
#include <gtest/gtest.h>

#include <QTreeWidget>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "listviewcolor/ombrelis_ids.h"
#include "platform/com/control.h"
#include "platform/com/registry.h"
#include "platform/comctl/listview.h"
#include "platform/forms/subclass.h"

namespace ombrelistest {

using namespace plat::com;
using namespace plat::win;
namespace cc = plat::comctl;
namespace d = ombrelis::dispid;

inline std::shared_ptr<Control> create_ombrelis() {
  static bool registered = [] {
    if (!std::getenv("BRENDALO_REGISTRY")) setenv("BRENDALO_REGISTRY", "/tmp/brendalo-test-registry.ini", 1);
    register_library(OMBRELIS_LIBRARY);
    return true;
  }();
  (void)registered;
  return create_object(ombrelis::kClassName);
}

// The list's parent: logs the notifications that reach its own procedure.
struct Host : Window {
  Host() : Window("Host") {}
  ~Host() override { destroy(); }
  std::vector<int32_t> codes;  // WM_NOTIFY codes seen
  std::vector<UINT> messages;
  LRESULT window_proc(UINT msg, WPARAM, LPARAM lParam) override {
    messages.push_back(msg);
    if (msg == WM_NOTIFY && lParam) {
      codes.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
      return 77;
    }
    return 0;
  }
  static LONG_PTR own_proc() { return proc_address(&Window::class_proc); }
};

struct Ombrelis {
  Ombrelis() : obj(create_ombrelis()) {
    obj->set_site(&site);
    obj->init_properties();
  }
  ~Ombrelis() {
    if (obj) obj->set_site(nullptr);
  }
  void release() {
    obj->set_site(nullptr);
    obj.reset();
  }

  CallResult invoke(DispId id, CallKind kind, std::vector<Variant> args = {}) { return obj->invoke(id, kind, args); }
  Variant get(DispId id, std::vector<Variant> args = {}) {
    CallResult r = invoke(id, CallKind::Get, std::move(args));
    EXPECT_TRUE(r.ok()) << "get " << id << ": " << r.description;
    return r.value;
  }
  void let(DispId id, Variant v) {
    CallResult r = invoke(id, CallKind::Let, {std::move(v)});
    EXPECT_TRUE(r.ok()) << "let " << id << ": " << r.description;
  }
  void set(DispId id, Variant v) {
    CallResult r = invoke(id, CallKind::Set, {std::move(v)});
    EXPECT_TRUE(r.ok()) << "set " << id << ": " << r.description;
  }
  CallResult call(DispId id) { return invoke(id, CallKind::Method); }
  // NumeroItem = n, by reference as a host passes it.
  CallResult line(int32_t n) {
    Variant v(n);
    return invoke(d::NumeroItem, CallKind::Let, {Variant::by_ref(&v)});
  }
  void bind(HWND h) { let(d::hwnd, Variant(int32_t(h))); }
  HWND hwnd() { return get(d::hwnd).to_i4(); }

  SimpleSite site;
  std::shared_ptr<Control> obj;
};

// A host window with a list view of ten lines in two columns.
struct ListHost : ::testing::Test {
  Host host;
  std::shared_ptr<cc::ListView> lv = std::make_shared<cc::ListView>(host.hwnd());
  void SetUp() override {
    lv->add_column("Agindua", 90);
    lv->add_column("Helbidea", 70);
    for (int i = 0; i < 10; ++i) {
      lv->add_item("lerroa " + std::to_string(i + 1));
      lv->set_text(i, 1, std::to_string(4000 + 2 * i) + "H");
    }
    lv->widget()->resize(180, 240);
  }
  // The item indices whose line the chain colours as (back, fore).
  std::vector<int> coloured(uint32_t back, uint32_t fore) {
    std::vector<int> out;
    for (int i = 0; i < lv->item_count(); ++i) {
      const cc::ListView::Colors c = lv->draw_colors(i, 0);
      if (c.back == back && c.text == fore) out.push_back(i);
    }
    return out;
  }
};

}  // namespace ombrelistest
