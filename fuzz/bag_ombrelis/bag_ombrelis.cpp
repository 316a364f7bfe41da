// Ombrelis's saved properties in their text form: read into a bag, the bag
// into the control. What the control then saves must read back into a new
// one and save the same.
#include "fuzz/support.h"
#include "listviewcolor/ombrelis_ids.h"

using namespace fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  app();
  std::optional<PropertyBag> bag = read_bag(data, size);
  if (!bag) return 0;
  SimpleSite site;
  std::shared_ptr<Control> control = create_object(ombrelis::kClassName);
  control->set_site(&site);
  try {
    control->read_properties(*bag);
  } catch (const RuntimeError&) {
    // refused as a whole
  }
  check_saved_reads_back(*control, site, ombrelis::kClassName);
  control->set_site(nullptr);
  return 0;
}
