#pragma once
// The engine's program-wide variables, shared by the engine and the windows
// around it, and the pacing of a run by the clk1 period.
//
// One thread: the handlers of the user's commands run only inside the yields
// of Wait_seconds and change these variables there; the engine reads them
// afresh at every check, so there is no lock.
#include <array>
#include <cstdint>
#include <string>

namespace brendalo {

// Flags kept as 16-bit integers hold -1 for true and 0 for false.
using Flag16 = int16_t;
inline constexpr Flag16 kFlagTrue = -1;
inline constexpr Flag16 kFlagFalse = 0;
inline constexpr Flag16 to_flag(bool b) { return b ? kFlagTrue : kFlagFalse; }

// The clk1 period: whole seconds within these limits, "11" by default.
inline constexpr int kMinClk1Period = 3;
inline constexpr int kMaxClk1Period = 59;
inline constexpr int kDefaultClk1Period = 11;

struct EngineState {
  // Pacing.
  double Phase_delay = 0;               // seconds of one paced wait
  std::string Clk1_period_text = "11";  // "3".."59"

  // Position in the microprogram.
  int16_t Micro_address = 0;           // 0..21; 0 while no run is in progress
  int16_t Previous_micro_address = 0;  // the one whose marks are on screen, to un-highlight
  std::string Micro_address_bits;      // the uPC, "00000".."10101"

  // Fields of the current control word.
  std::string Field_bk;       // BK1 BK0
  std::string Field_jt;       // JT
  std::string Field_j;        // J4..J0
  std::string Field_signals;  // the 17 control-signal characters
  std::string Z_value;        // "0" or "1"

  // Run flags.
  Flag16 Dialog_answered = kFlagFalse;      // the instruction or Z choice was answered
  Flag16 Simulation_ended = kFlagFalse;     // end requested; also ends every wait
  Flag16 Finishing_run = kFlagFalse;        // the end-of-run replay is reading the control word
  Flag16 Stop_requested = kFlagFalse;       // paused
  Flag16 Instruction_running = kFlagFalse;  // a run command is (re)started; Stop_ku_simulation clears it
  Flag16 Instruction_done = kFlagFalse;     // back at micro-address "00000"

  // Stepping modes and clock pulses. The first three are Booleans where the
  // others are 16-bit flags, as the windows that set them expect.
  bool Mode_continuous = false;
  bool Mode_cycle_by_cycle = false;
  Flag16 Mode_step_by_step = kFlagFalse;
  bool Cycle_pulse = false;        // clk1 pressed, consumed by the run loop
  Flag16 Step_pulse = kFlagFalse;  // clk2 pressed, consumed by the run loop

  // The built-in example program.
  Flag16 Example_running = kFlagFalse;
  int16_t Example_instruction = 0;  // 1..10 while it runs
  int16_t Example_iteration = 0;    // 1..16 while it runs
  Flag16 Report_z_value = kFlagFalse;  // show Z in a message during the example run

  // Program-wide flags of the main window's commands; false at program start
  // and left alone by the main window's load.
  Flag16 Example_opened = kFlagFalse;           // the example is open in the main window
  Flag16 Example_loaded = kFlagFalse;           // the example is loaded into main memory
  Flag16 Control_memory_modified = kFlagFalse;  // a microinstruction was reprogrammed

  // The texts of panels 1..5 of the seven status bars, as last written: a
  // status window created later starts with them. The main window's load
  // leaves them alone.
  std::array<std::string, 5> Status_texts = {"Aginduaren zain", "", "", "", "11''"};

  bool operator==(const EngineState&) const = default;
};

// The one instance, alive as long as the program.
EngineState& engine();

// A run is in progress: from the start of a run command to its end, through
// its restarts (Instruction_running, and Example_running for the whole
// example run). No run starts from inside one, and the tables a run reads
// are not changed under it.
bool Run_in_progress();

// Sets every run, mode and pacing variable to the value the main window's
// load gives: period "11", no run, no mode, no pulse, empty fields, and
// Report_z_value from the options window's check box. The three program-wide
// flags of the main window's commands keep their values here (the main
// window's load clears them itself), and so do the status texts.
void Set_engine_variables_at_load(bool report_z_value);

// The clk1 period of a period text, in whole seconds within 3..59. A text
// outside that range is brought to the nearer limit, so a period can never
// make a wait zero, negative or endless; a text that holds no whole number
// (empty, letters, a fraction) counts as the default period.
int Clk1_period_seconds(const std::string& period_text);

// The length of one paced wait for a period text: (p - 1) / 15 s at
// micro-address 2, whose pass waits once more, otherwise (p - 1) / 14 s, so
// the waits of a pass add up to the period less one second. Always positive.
double Phase_delay_for(const std::string& period_text, int micro_address);

// Recomputes engine().Phase_delay from Clk1_period_text and Micro_address.
// The run loop calls it at every pass, the period commands after each change.
void Update_phase_delay();

// Waits `seconds` on the elapsed-time clock, handling events meanwhile, and
// returns early once Simulation_ended is set or the program is ending. A wait
// begun while Simulation_ended is set returns at once. Sleeps in the event
// loop between events: a wait costs no CPU.
void Wait_seconds(double seconds);

}  // namespace brendalo
