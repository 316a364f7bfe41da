#include "simulator/mainwindow/nagusia.h"

#include "platform/forms/services.h"
#include "simulator/engine/status_texts.h"
#include "simulator/engine/variables.h"

namespace brendalo {

namespace {
std::vector<plat::ControlDef> layout() {
  return {
      {"Nagusia", -1, plat::Kind::Form, "", -1, {0, 0, 15240, 10425}, "Brendalo", {}},
      status_bar_def(15240, 10425, 6),
  };
}
}  // namespace

Nagusia::Nagusia() : Form(kName, layout()) {}

void Nagusia::Form_Load() {
  Set_engine_variables_at_load(false);
  reset = -1;
  soinua = -1;
}

void Nagusia::Form_Unload(int16_t&) { plat::end_program(); }

}  // namespace brendalo
