#include "platform/forms/proplog.h"

namespace plat {

namespace {
bool g_on = false;
std::deque<PropWrite>& store() {
  static std::deque<PropWrite> w;
  return w;
}
}  // namespace

void PropertyLog::start() {
  store().clear();
  g_on = true;
}
void PropertyLog::stop() { g_on = false; }
bool PropertyLog::on() { return g_on; }
std::deque<PropWrite>& PropertyLog::writes() { return store(); }
void PropertyLog::record(PropWrite w) {
  if (g_on) store().push_back(std::move(w));
}

}  // namespace plat
