#pragma once
// Line errors as the driver counts them, turned into the error word of the status query.

#include <cstdint>

struct TscLineCounts {
  uint32_t Frame = 0;
  uint32_t Parity = 0;
  uint32_t Overrun = 0;  // characters lost in the hardware
  uint32_t Break = 0;
  uint32_t BufferOverrun = 0;  // input queue overflow
};

// The CE_ bits of every counter that changed from before to now (counters wrap).
uint32_t LineErrorBits(const TscLineCounts& before, const TscLineCounts& now);
