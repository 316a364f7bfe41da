// Ombrelis as hosts and windows may drive it: calls of any member with any
// arguments (window handles of live, dead and unknown windows among them,
// and the controls themselves as objects, so a list view may lead back to
// its own control or to another that leads back), two instances on the same
// windows, windows destroyed under them, list
// views painted through them, and window messages of every kind sent to the
// subclassed window, notification records of any content included.
//
// A record is as long as its sender's kind makes it: a list view's
// custom-draw record is the list view's; any other sender's is of any length
// from the common header on.
//
// The input is read in one order whatever the compiler: never twice among
// the arguments of one call, so an input the fuzzer (clang) found takes the
// same road when the tests (gcc) replay it.
#include <QApplication>
#include <QTreeWidget>
#include <cstring>

#include "fuzz/support.h"
#include "listviewcolor/ombrelis_ids.h"
#include "platform/comctl/listview.h"
#include "platform/forms/subclass.h"

using namespace fuzz;
using namespace plat::win;
namespace cc = plat::comctl;

namespace {

struct Scene;

// The list's parent: answers every notification with a value of its own
// and may, while it handles one, bind an instance to another window.
struct Host : Window {
  explicit Host(Scene& s) : Window("Host"), scene(s) {}
  ~Host() override { destroy(); }
  LRESULT window_proc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  Scene& scene;
  int notified = 0;  // notifications that reached this procedure
};

struct Scene {
  Input& in;
  Values& values;
  SimpleSite site;
  std::vector<std::unique_ptr<Host>> hosts;
  std::vector<std::shared_ptr<cc::ListView>> lists;
  std::vector<std::shared_ptr<Control>> controls;
  std::vector<HWND> dead;
  int depth = 0;

  Scene(Input& i, Values& v) : in(i), values(v) {}

  void add_host() {
    hosts.push_back(std::make_unique<Host>(*this));
    auto lv = std::make_shared<cc::ListView>(hosts.back()->hwnd(), int32_t(in.pick(4)));
    lv->add_column("Agindua", 90);
    lv->add_column("Helbidea", 70);
    for (size_t i = 0, n = in.pick(12); i < n; ++i) lv->add_item("lerroa " + std::to_string(i + 1));
    lv->widget()->resize(180, 200);
    values.add_object(lv);
    lists.push_back(std::move(lv));
  }
  void add_control() {
    std::shared_ptr<Control> c = create_object(ombrelis::kClassName);
    c->set_site(&site);
    if (in.flag()) c->init_properties();
    else c->read_properties(PropertyBag());
    values.add_object(c);
    controls.push_back(std::move(c));
  }
  Control* control() { return controls.empty() ? nullptr : controls[in.pick(controls.size())].get(); }

  HWND handle() {
    switch (in.pick(7)) {
      case 0: return 0;
      case 1: return dead.empty() ? 0 : dead[in.pick(dead.size())];
      case 2: return lists.empty() ? 0 : lists[in.pick(lists.size())]->hwnd();
      case 3: return HWND(in.u32());
      default: return hosts.empty() ? 0 : hosts[in.pick(hosts.size())]->hwnd();
    }
  }

  void call() {
    Control* c = control();
    if (!c) return;
    Member m = member(in, c->type_info());
    std::vector<Variant> args = values.args(m.usual_args);
    if (m.id == ombrelis::dispid::hwnd && !args.empty() && in.flag()) args.back() = Variant(int32_t(handle()));
    if (m.id == ombrelis::dispid::Lview && m.kind == CallKind::Set && !args.empty() && in.flag())
      args.back() = Variant(std::shared_ptr<Dispatch>(controls[in.pick(controls.size())]));
    if (m.id == kDispIdAboutBox) close_modal_soon();
    c->invoke(m.id, m.kind, args);
  }

  void bind() {
    if (Control* c = control()) {
      std::vector<Variant> args{Variant(int32_t(handle()))};
      c->invoke(ombrelis::dispid::hwnd, CallKind::Let, args);
    }
  }

  // A notification record: a list view's custom draw, or any sender's.
  void notify() {
    if (hosts.empty()) return;
    const HWND to = in.pick(8) == 0 ? handle() : hosts[in.pick(hosts.size())]->hwnd();
    const HWND from = handle();
    const int32_t code = in.pick(4) ? cc::NM_CUSTOMDRAW : int32_t(in.u32());
    size_t size = sizeof(NMHDR) + in.pick(64);
    if (window_class(from) == cc::kListViewClass && code == cc::NM_CUSTOMDRAW) size = sizeof(cc::NMLVCUSTOMDRAW);
    std::vector<uint8_t> record(size);
    for (uint8_t& b : record) b = in.byte();
    const NMHDR hdr{from, int32_t(in.u32()), code};
    std::memcpy(record.data(), &hdr, sizeof hdr);
    if (record.size() >= 16) {
      static const uint32_t stages[] = {cc::CDDS_PREPAINT, cc::CDDS_ITEMPREPAINT,
                                        cc::CDDS_SUBITEM | cc::CDDS_ITEMPREPAINT, 0, 2, 0x10002};
      const uint32_t stage = in.flag() ? in.pick(stages) : in.u32();
      std::memcpy(record.data() + 12, &stage, sizeof stage);
    }
    if (record.size() >= 40) {
      const int32_t item = int32_t(in.pick(12)) - 1;
      std::memcpy(record.data() + 36, &item, sizeof item);
    }
    SendMessageA(to, WM_NOTIFY, WPARAM(in.u32()), reinterpret_cast<LPARAM>(record.data()));
  }

  void message() {
    static const UINT messages[] = {WM_DESTROY, WM_NCDESTROY, WM_USER, 0, 1, 0x0F, 0x4D, 0x4F, 0xFFFF};
    const UINT msg = in.flag() ? in.pick(messages) : in.u32();
    if (msg == WM_NOTIFY) return;  // a notification always carries a record
    const HWND to = handle();
    const WPARAM wParam = in.u32();
    const LPARAM lParam = in.flag() ? 0 : in.u32();
    SendMessageA(to, msg, wParam, lParam);
  }

  void paint() {
    if (lists.empty()) return;
    cc::ListView& lv = *lists[in.pick(lists.size())];
    if (in.flag()) {
      lv.render();
    } else {
      const int item = int(in.pick(14)) - 1;
      lv.draw_colors(item, int(in.pick(3)));
    }
  }

  void destroy_host() {
    if (hosts.empty()) return;
    const size_t k = in.pick(hosts.size());
    dead.push_back(hosts[k]->hwnd());
    // A window may be destroyed while it handles a message, its object not.
    if (depth > 0 || in.flag()) {
      DestroyWindow(hosts[k]->hwnd());  // its list stays, sending to a dead parent
    } else {
      hosts.erase(hosts.begin() + ptrdiff_t(k));
    }
  }

  void release() {
    if (controls.empty()) return;
    const size_t k = in.pick(controls.size());
    controls[k]->set_site(nullptr);
    controls.erase(controls.begin() + ptrdiff_t(k));
  }

  void step() {
    switch (in.pick(14)) {
      case 0: case 1: case 2: call(); break;
      case 3: case 4: bind(); break;
      case 5: case 6: case 7: notify(); break;
      case 8: paint(); break;
      case 9: message(); break;
      case 10: destroy_host(); break;
      case 11: if (in.flag()) release(); else if (controls.size() < 3) add_control(); break;
      case 12: if (hosts.size() < 3) add_host(); break;
      default: QApplication::processEvents(); break;
    }
  }
};

LRESULT Host::window_proc(UINT msg, WPARAM, LPARAM lParam) {
  if (msg != WM_NOTIFY || !lParam) return 0;
  ++notified;
  if (scene.depth == 0 && scene.in.pick(16) == 0) {
    ++scene.depth;
    scene.step();
    --scene.depth;
  }
  return LRESULT(scene.in.pick(64));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  app();
  Input in(data, size);
  Values values(in);
  {
    Scene scene(in, values);
    scene.add_host();
    scene.add_control();
    for (int step = 0; step < 96 && !in.done(); ++step) scene.step();
    // Released, a bound control keeps its window until the window goes; every
    // live window's own procedure still gets every notification but the list
    // view's custom draw.
    for (auto& c : scene.controls) c->set_site(nullptr);
    scene.controls.clear();
    ++scene.depth;  // the hosts' answers take no further steps
    for (auto& h : scene.hosts)
      if (IsWindow(h->hwnd())) {
        const int seen = h->notified;
        NMHDR click{0, 0, -2};
        SendMessageA(h->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
        FUZZ_CHECK(h->notified == seen + 1);
      }
    --scene.depth;
    // A host's answer to a render may take a step that adds a host and its
    // list: the lists rendered are those there were.
    const std::vector<std::shared_ptr<cc::ListView>> lists = scene.lists;
    for (const auto& lv : lists) lv->render();
    scene.lists.clear();
  }
  QApplication::processEvents();
  return 0;
}
