#include "simulator/engine/variables.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/forms/services.h"

namespace brendalo {

namespace {

// The whole number a text holds (blanks around it, an optional sign), capped
// far beyond any period; nothing when the text is anything else.
std::optional<long> whole_number(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const size_t last = text.find_last_not_of(' ');
  size_t i = first;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  if (i > last) return std::nullopt;
  long value = 0;
  for (; i <= last; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = std::min(value * 10 + (text[i] - '0'), 1000000L);
  }
  return negative ? -value : value;
}

// Longest wait honoured, in milliseconds (about a day): keeps the deadline
// arithmetic far from overflow whatever a caller passes.
constexpr double kLongestWaitMs = 24.0 * 3600 * 1000;

}  // namespace

EngineState& engine() {
  static EngineState state;
  return state;
}

bool Run_in_progress() { return engine().Instruction_running || engine().Example_running; }

void Set_engine_variables_at_load(bool report_z_value) {
  EngineState& e = engine();
  EngineState fresh;
  fresh.Example_opened = e.Example_opened;
  fresh.Example_loaded = e.Example_loaded;
  fresh.Control_memory_modified = e.Control_memory_modified;
  fresh.Status_texts = e.Status_texts;
  fresh.Clk1_period_text = std::to_string(kDefaultClk1Period);
  fresh.Report_z_value = to_flag(report_z_value);
  e = fresh;
}

int Clk1_period_seconds(const std::string& period_text) {
  const std::optional<long> p = whole_number(period_text);
  if (!p) return kDefaultClk1Period;
  return int(std::clamp<long>(*p, kMinClk1Period, kMaxClk1Period));
}

double Phase_delay_for(const std::string& period_text, int micro_address) {
  const auto less_one = static_cast<int16_t>(Clk1_period_seconds(period_text) - 1);
  return double(less_one) / (micro_address == 2 ? 15.0 : 14.0);
}

void Update_phase_delay() {
  EngineState& e = engine();
  e.Phase_delay = Phase_delay_for(e.Clk1_period_text, e.Micro_address);
}

void Wait_seconds(double seconds) {
  const EngineState& e = engine();
  if (e.Simulation_ended || plat::ending()) return;
  if (!(seconds > 0)) return;  // also a NaN
  const double length_ms = std::min(seconds * 1000.0, kLongestWaitMs);
  const int64_t start = plat::now_ms();
  const int64_t deadline = start + int64_t(std::ceil(length_ms));
  // Each wait_until returns at the deadline or after an event was handled;
  // the event may have ended the simulation, so look again every time.
  while (!e.Simulation_ended && !plat::ending() && double(plat::now_ms() - start) < length_ms)
    plat::wait_until(deadline);
}

}  // namespace brendalo
