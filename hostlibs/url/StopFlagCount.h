#pragma once

namespace tarn {

// Every setting of the engine's stop flag, counted. Start clears the flag just before the worker begins,
// and within a check nothing sets it until the check ends or is stopped (after which the worker asks
// nothing more), so a checker that finds the count moved since its last call is serving a new check.
void noteStopFlagSet();
unsigned long stopFlagSettings();

}  // namespace tarn
