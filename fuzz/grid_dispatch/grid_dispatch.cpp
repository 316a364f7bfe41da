// The grid's late-bound interface as any host may call it: a sequence of
// calls of any member (and of identifiers it does not have) with any
// arguments, event handlers that write back into their arguments or call
// the grid again, and the grid shown and painted between the calls.
#include <QApplication>
#include <QWidget>

#include "fuzz/support.h"
#include "gridcontrol/nadrel_ids.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  app();
  Input in(data, size);
  Values values(in);
  SimpleSite site;
  site.set_user_mode(in.flag());
  std::shared_ptr<Control> grid = create_object(nadrel::kClassName);
  grid->set_site(&site);
  if (in.flag()) grid->init_properties();
  else grid->read_properties(PropertyBag());
  QWidget* w = grid->widget();
  w->resize(40 + in.pick(400), 40 + in.pick(300));
  w->show();

  int depth = 0;
  const TypeInfo& t = grid->type_info();
  auto call = [&](Member m) {
    std::vector<Variant> args = values.args(m.usual_args);
    if (m.id == kDispIdAboutBox) close_modal_soon();
    grid->invoke(m.id, m.kind, args);
  };
  // Handlers answer in their arguments, and may call the grid again.
  grid->connect(nadrel::kEventInterface, [&](DispId, std::span<Variant> args) {
    for (Variant& a : args)
      if (in.pick(4) == 0) a.assign(values.value(1).deref());
    if (depth == 0 && in.pick(8) == 0) {
      ++depth;
      call(member(in, t));
      --depth;
    }
  });
  for (int step = 0; step < 64 && !in.done(); ++step) {
    call(member(in, t));
    if (in.pick(4) == 0) QApplication::processEvents();
  }
  w->repaint();
  QApplication::processEvents();
  // What a host saves afterwards must read back into a new grid.
  PropertyBag bag;
  grid->write_properties(bag);
  const std::string text = bag.to_text();
  std::shared_ptr<Control> copy = create_object(nadrel::kClassName);
  copy->set_site(&site);
  copy->read_properties(PropertyBag::from_text(text));
  copy->set_site(nullptr);
  grid->set_site(nullptr);
  return 0;
}
