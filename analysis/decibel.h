#pragma once
// Amplitudes in decibels relative to one unit of the signal (a sine of amplitude 1 shows
// 0 dB). Amplitudes of 1e-15 and below, which no single-precision transform resolves, all
// show as DecibelFloor, so that a silent spectrum stays finite and plottable.

#include <cmath>

constexpr double DecibelFloor = -300;

inline double Decibel(double amplitude) {
  return amplitude > 1e-15 ? 20 * std::log10(amplitude) : DecibelFloor;
}
