#pragma once
// Test signals for the device simulator: the value of sample n of a periodic waveform or
// of noise, computed from n alone, so any sample can be recomputed by whoever checks it.

#include <cstdint>

// 64 well-mixed bits for (seed, index): the same pair always gives the same bits.
uint64_t NoiseBits(uint64_t seed, int64_t index);

enum TWaveform : uint8_t { wfSine, wfTriangle, wfSquare, wfRamp, wfNoise };

struct TSignalSettings {
  TWaveform Wave = wfSine;
  double Amplitude = 1;
  double Offset = 0;
  double Period = 100;  // in samples, > 0
  double Shift = 0;     // in samples: sample n shows the shape at n + Shift
  uint64_t Seed = 1;    // noise only
};

// Shapes over one period, phase in [0, 1): sine and triangle start at 0 rising, square is
// +1 in the first half and -1 in the second, ramp rises from -1 towards +1, noise is
// uniform in [-1, 1) and ignores the period.
class TSignalGenerator {
 public:
  explicit TSignalGenerator(const TSignalSettings& settings) : Settings_(settings) {}

  // Offset + Amplitude * shape, rounded to single precision as a device would send it.
  float Value(int64_t sample) const;

  const TSignalSettings& Settings() const { return Settings_; }

 private:
  double Shape(int64_t sample) const;

  TSignalSettings Settings_;
};
