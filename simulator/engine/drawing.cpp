#include "simulator/engine/drawing.h"

#include "platform/forms/hosted.h"
#include "platform/forms/services.h"
#include "simulator/display/grid_paint.h"
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

void cell_back_color(plat::Control& grid, int col, int row, uint32_t color) {
  Grid g(plat::object(grid));
  Paint_cell(g, col, row, color);
}

void cell_text(plat::Control& grid, int row, int col, const std::string& text) {
  Grid g(plat::object(grid));
  Write_cell_text(g, row, col, text);
}

namespace {

// An input of a multiplexer (its label and the lines into it) back to rest.
void input_to_rest(Ref label, Refs lines) {
  at(label).set_back_color(kLightGrey);
  border_color(lines, kSilver);
}

}  // namespace

void back_half_to_rest(const std::string& bk, const std::string& jt) {
  border_color(kSequencer, kSilver);
  visible(kCounterInputs, false);
  if (bk == "00")
    input_to_rest({"Label2", 1}, {{"Line1", 14}, {"Line58", 8}, {"Line57", 8}});
  else if (bk == "10")
    input_to_rest({"Label2", 2}, {{"Line1", 13}, {"Line58", 7}, {"Line57", 7}});
  else
    input_to_rest({"Label2", 12}, {{"Line1", 12}, {"Line58", 9}, {"Line57", 9}});
  if (jt == "0")
    input_to_rest({"Label2", 8}, {{"Line1", 19}, {"Line1", 18}, {"Line58", 13}, {"Line57", 13}});
  else
    input_to_rest({"Label2", 7}, {{"Line1", 11}, {"Line58", 12}, {"Line57", 12}});
  border_color(kFieldOutputs, kSilver);
  if (jt == "1") {
    border_color({{"Line1", 15}, {"Line58", 0}, {"Line57", 0}}, kSilver);
    at({"Label2", 11}).set_back_color(kLightGrey);
  }
  at({"Label2", 13}).set_back_color(kLightGrey);
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
