// A grid's saved properties in their text form, as a window definition
// holds them: read into a bag, the bag into a grid, the grid shown. What the
// grid then saves must read back into a new grid and save the same.
#include <QApplication>
#include <QWidget>

#include "fuzz/support.h"
#include "gridcontrol/nadrel_ids.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  app();
  std::optional<PropertyBag> bag = read_bag(data, size);
  if (!bag) return 0;
  SimpleSite site;
  site.set_user_mode(false);  // a designer's read and save: lookup items included
  std::shared_ptr<Control> grid = create_object(nadrel::kClassName);
  grid->set_site(&site);
  try {
    grid->read_properties(*bag);
  } catch (const RuntimeError&) {
    // refused as a whole; the grid stays as it was
  }
  QWidget* w = grid->widget();
  w->resize(320, 200);
  w->show();
  w->repaint();
  QApplication::processEvents();
  check_saved_reads_back(*grid, site, nadrel::kClassName);
  grid->set_site(nullptr);
  return 0;
}
