#pragma once
// The base of the simulator's test fixtures: every test starts from empty
// machine tables and the engine's starting values, and leaves no window,
// program end or program-wide flag behind.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/forms/form.h"
#include "platform/forms/proplog.h"
#include "platform/forms/virtual_services.h"
#include "simulator/engine/variables.h"
#include "simulator/machine/tables.h"
#include "simulator/mainwindow/nagusia.h"

namespace brendalo {

class SimulatorTest : public ::testing::Test {
 protected:
  void SetUp() override { reset_state(); }
  void TearDown() override {
    plat::PropertyLog::stop();
    plat::unload_all_forms();
    QApplication::processEvents();
    plat::reset_program_end();
    reset_state();
  }
  static void reset_state() {
    engine() = EngineState{};
    machine() = MachineTables{};
    Came_from_control_memory = Came_from_microprogram = Came_from_memory_view = 0;
    Nagusia::Bereizmena_aldatua = 0;
  }
  // The four loaders, as the start-up steps run them.
  static void load_tables() {
    Load_microprogram_text();
    Load_control_memory();
    Reset_register_file_text();
    Load_main_memory_data();
  }
};

}  // namespace brendalo
