#pragma once
// "Amaitu simulazioa": ends a run at once and gives everything a run may have
// lit its idle look again, without waiting for the engine, which sees
// Simulation_ended at its next check and closes the run itself. The run
// commands also call it before a restart.

namespace brendalo {

void Simulazioa11_Click(int Index);

}  // namespace brendalo
