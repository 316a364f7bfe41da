#include "simulator/engine/variables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "platform/forms/virtual_services.h"

namespace brendalo {
namespace {

// Milliseconds a wait of `seconds` lasts on a millisecond clock.
int64_t ms(double seconds) { return int64_t(std::ceil(seconds * 1000.0)); }

class EngineVariables : public ::testing::Test {
 protected:
  void SetUp() override { engine() = EngineState{}; }
  void TearDown() override {
    plat::reset_program_end();
    engine() = EngineState{};
  }

  // Runs one wait and gives how long it lasted on the virtual clock.
  int64_t timed_wait(double seconds) {
    const int64_t start = clock.now_ms();
    Wait_seconds(seconds);
    return clock.now_ms() - start;
  }

  plat::VirtualServices clock;
};

TEST(PhaseDelay, FollowsThePeriodWithOneMoreWaitAtMicroAddressTwo) {
  struct Case { const char* period; int micro_address; double delay; };
  const Case cases[] = {
      {"3", 0, 2.0 / 14},    {"3", 2, 2.0 / 15},   {"11", 0, 10.0 / 14}, {"11", 1, 10.0 / 14},
      {"11", 2, 10.0 / 15},  {"11", 21, 10.0 / 14}, {"59", 3, 58.0 / 14}, {"59", 2, 58.0 / 15},
      {" 20 ", 0, 19.0 / 14},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(Phase_delay_for(c.period, c.micro_address), c.delay) << c.period << " at " << c.micro_address;
}

TEST(PhaseDelay, StaysPositiveAndBoundedForAnyPeriodText) {
  struct Case { const char* period; int seconds; };
  const Case cases[] = {
      {"2", 3},  {"1", 3},   {"0", 3},    {"-5", 3},  {"60", 59}, {"99999999999", 59},
      {"", 11},  {"  ", 11}, {"abc", 11}, {"7.5", 11}, {"1 1", 11}, {"-", 11}, {"11s", 11},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Clk1_period_seconds(c.period), c.seconds) << '"' << c.period << '"';
    EXPECT_DOUBLE_EQ(Phase_delay_for(c.period, 0), (c.seconds - 1) / 14.0) << '"' << c.period << '"';
    EXPECT_DOUBLE_EQ(Phase_delay_for(c.period, 2), (c.seconds - 1) / 15.0) << '"' << c.period << '"';
  }
}

TEST_F(EngineVariables, LoadSetsTheStartingValuesAndKeepsTheProgramWideFlags) {
  EngineState& e = engine();
  e.Clk1_period_text = "30";
  e.Phase_delay = 2;
  e.Micro_address = 7;
  e.Micro_address_bits = "00111";
  e.Field_signals = "11111111111111111";
  e.Simulation_ended = e.Stop_requested = e.Instruction_running = e.Step_pulse = kFlagTrue;
  e.Mode_continuous = e.Cycle_pulse = true;
  e.Example_instruction = 4;
  e.Example_loaded = e.Control_memory_modified = kFlagTrue;

  Set_engine_variables_at_load(true);
  EngineState expected;
  expected.Report_z_value = kFlagTrue;
  expected.Example_loaded = expected.Control_memory_modified = kFlagTrue;
  EXPECT_TRUE(e == expected);
  EXPECT_EQ(e.Clk1_period_text, "11");

  Set_engine_variables_at_load(false);
  expected.Report_z_value = kFlagFalse;
  EXPECT_TRUE(e == expected);
}

TEST_F(EngineVariables, UpdatePhaseDelayReadsThePeriodAndTheMicroAddress) {
  engine().Clk1_period_text = "3";
  engine().Micro_address = 2;
  Update_phase_delay();
  EXPECT_DOUBLE_EQ(engine().Phase_delay, 2.0 / 15);
  engine().Micro_address = 3;
  Update_phase_delay();
  EXPECT_DOUBLE_EQ(engine().Phase_delay, 2.0 / 14);
}

TEST_F(EngineVariables, WaitLastsItsLengthAndSleepsInOneBlockingWait) {
  for (double seconds : {10.0 / 14, 10.0 / 15, 2.0 / 14, 58.0 / 14, 0.5}) {
    const int64_t waits = clock.waits;
    EXPECT_EQ(timed_wait(seconds), ms(seconds)) << seconds;
    EXPECT_EQ(clock.waits - waits, 1) << "a wait with nothing to handle blocks once";
  }
  for (double nothing : {0.0, -1.0, std::nan("")}) EXPECT_EQ(timed_wait(nothing), 0);
}

TEST_F(EngineVariables, EventsDuringAWaitAreHandledWithoutShorteningIt) {
  int ticks = 0;
  const int timer = clock.start_timer(100, [&] { ++ticks; });
  EXPECT_EQ(timed_wait(10.0 / 14), 715);
  clock.stop_timer(timer);
  EXPECT_EQ(ticks, 7);
}

TEST_F(EngineVariables, APeriodChangeMidPassTakesEffectAtTheNextWait) {
  engine().Clk1_period_text = "11";
  Update_phase_delay();
  clock.after(300, [] {  // the "Simulazio azkarra" command, during the wait
    engine().Clk1_period_text = "3";
    Update_phase_delay();
  });
  EXPECT_EQ(timed_wait(engine().Phase_delay), ms(10.0 / 14));
  EXPECT_DOUBLE_EQ(engine().Phase_delay, 2.0 / 14);
  EXPECT_EQ(timed_wait(engine().Phase_delay), ms(2.0 / 14));
}

TEST_F(EngineVariables, EndingTheSimulationEndsTheWaitAtThatMoment) {
  clock.after(400, [] { engine().Simulation_ended = kFlagTrue; });
  EXPECT_EQ(timed_wait(10.0 / 14), 400);

  // Begun while ended: returns without waiting or handling anything.
  bool handled = false;
  clock.after(10, [&] { handled = true; });
  const int64_t waits = clock.waits;
  EXPECT_EQ(timed_wait(10.0 / 14), 0);
  EXPECT_EQ(clock.waits, waits);
  EXPECT_FALSE(handled);

  engine().Simulation_ended = kFlagFalse;
  EXPECT_EQ(timed_wait(0.1), 100);
  EXPECT_TRUE(handled);
}

TEST_F(EngineVariables, EndingTheProgramEndsTheWait) {
  clock.after(250, [] { plat::end_program(); });
  EXPECT_EQ(timed_wait(58.0 / 14), 250);
  EXPECT_EQ(timed_wait(58.0 / 14), 0);
}

}  // namespace
}  // namespace brendalo
