#include "simulator/engine/drawing.h"

#include "gridcontrol/nadrel_ids.h"
#include "platform/forms/hosted.h"
#include "platform/forms/services.h"
#include "simulator/engine/variables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo::drawing {

Nagusia& main_window() { return plat::form<Nagusia>(); }

plat::Control& at(Ref r) { return main_window().ctl(r.name, r.index); }

void border_color(Refs refs, uint32_t color) {
  for (const Ref& r : refs) at(r).set_border_color(color);
}

void back_color(Refs refs, uint32_t color) {
  for (const Ref& r : refs) at(r).set_back_color(color);
}

void visible(Refs refs, bool on) {
  for (const Ref& r : refs) at(r).set_visible(on);
}

void width_and_color(Refs lines, int width, uint32_t color) {
  for (const Ref& r : lines) {
    plat::Control& c = at(r);
    c.set_border_width(width);
    c.set_border_color(color);
  }
}

plat::Control* find_in(const char* form, const char* name, int index) {
  plat::Form* f = plat::loaded_form(form);
  if (!f) return nullptr;
  return f->find(name, index);
}

namespace {
void grid_let(plat::Control& grid, plat::com::DispId id, std::initializer_list<plat::com::Variant> args) {
  plat::com::Dispatch* d = plat::component(grid);
  if (!d) return;
  std::vector<plat::com::Variant> v(args);
  d->invoke(id, plat::com::CallKind::Let, v);  // a cell out of range changes nothing
}
}  // namespace

void cell_back_color(plat::Control& grid, int col, int row, uint32_t color) {
  grid_let(grid, nadrel::dispid::CellBackColor, {int32_t(col), int32_t(row), int32_t(color)});
}

void cell_text(plat::Control& grid, int row, int col, const std::string& text) {
  grid_let(grid, nadrel::dispid::TextMatrix, {int32_t(row), int32_t(col), text});
}

bool reset_requested() { return main_window().reset != 0; }

bool aborted() { return reset_requested() || engine().Simulation_ended || plat::ending(); }

void pause_wait() {
  while (engine().Stop_requested && !reset_requested() && !engine().Simulation_ended && !plat::ending())
    plat::wait_event();
}

bool guard() {
  pause_wait();
  return !aborted();
}

void phase_wait() {
  const double delay = engine().Phase_delay;
  Wait_seconds(delay);
}

}  // namespace brendalo::drawing
