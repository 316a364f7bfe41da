#pragma once
// The run commands of the main window: the single-instruction runs and the
// example run with their restart loop, the stepping modes, the clk1 period,
// pause and continue, the clock pulses and RESET. The end of a simulation,
// which a restart calls, stands in end_command.h.
// The main window's menu items, toolbar and buttons call these.
#include <string>

namespace brendalo {

// "Simulazioa1" continuous, "Simulazioa2" cycle by cycle, "Simulazioa3" step by step.
void Run_single_instruction(const std::string& name);
void Simulazioa4_Click(int Index);  // the example program
void Simulazioa5_1_Click(int Index);  // continuous mode
void Simulazioa5_2_Click(int Index);  // cycle-by-cycle mode
void Simulazioa5_3_Click(int Index);  // step-by-step mode
void Simulazioa6_Click(int Index);  // period 3 s
void Simulazioa7_Click(int Index);  // period 20 s
// Period one second longer (Index 0) or shorter (Index 1); the "+"/"-"
// buttons of the five windows that carry them call it too.
void Command2_Click(int Index);
void Simulazioa8_1_Click(int Index);  // as Command2_Click(0)
void Simulazioa8_2_Click(int Index);  // as Command2_Click(1)
void Simulazioa9_Click(int Index);   // pause
void Simulazioa10_Click(int Index);  // continue
void Command3_Click(int Index);  // clock pulse: 0 clk1, 1 clk2
void Command1_Click();           // RESET: restart request

}  // namespace brendalo
