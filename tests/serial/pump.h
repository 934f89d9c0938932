#pragma once
// Plays the main thread for a while: runs handed-over routines until a condition holds.

#include <chrono>
#include <functional>

#include "serial/pumped_handover.h"

// False when the condition still fails after a generous time.
inline bool PumpUntil(TscPumpedHandover& handover, const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    handover.RunPending(std::chrono::milliseconds(5));
  }
  return true;
}

// Pumps for a short while, long enough for anything already on its way to arrive.
inline void PumpFor(TscPumpedHandover& handover, std::chrono::milliseconds span) {
  const auto end = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < end) handover.RunPending(std::chrono::milliseconds(2));
}
