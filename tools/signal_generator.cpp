#include "tools/signal_generator.h"

#include <cmath>
#include <numbers>

namespace {

// SplitMix64 finaliser: a well-mixed 64-bit value from any counter, so noise needs no state.
uint64_t Mix(uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

double Triangle(double phase) {
  if (phase < 0.25) return 4 * phase;
  if (phase < 0.75) return 2 - 4 * phase;
  return 4 * phase - 4;
}

}  // namespace

uint64_t NoiseBits(uint64_t seed, int64_t index) { return Mix(Mix(seed) ^ static_cast<uint64_t>(index)); }

float TSignalGenerator::Value(int64_t sample) const {
  return static_cast<float>(Settings_.Offset + Settings_.Amplitude * Shape(sample));
}

double TSignalGenerator::Shape(int64_t sample) const {
  if (Settings_.Wave == wfNoise) {
    return static_cast<double>(NoiseBits(Settings_.Seed, sample) >> 11) * 0x1p-52 - 1;
  }
  double phase = std::fmod(static_cast<double>(sample) + Settings_.Shift, Settings_.Period) / Settings_.Period;
  if (phase < 0) phase += 1;
  if (phase >= 1) phase = 0;  // fmod's tiny negative remainders round up to 1
  switch (Settings_.Wave) {
    case wfSine:
      return std::sin(2 * std::numbers::pi * phase);
    case wfTriangle:
      return Triangle(phase);
    case wfSquare:
      return phase < 0.5 ? 1 : -1;
    case wfRamp:
      return 2 * phase - 1;
    case wfNoise:
      break;
  }
  return 0;
}
