#pragma once
// Sample values are single precision: every number read, factor, offset and scaled
// value is stored as a 32-bit float. Storing a magnitude beyond the single range is a
// floating-point overflow, which ends the processing of the line.

#include <stdexcept>

class EOverflow : public std::runtime_error {
 public:
  EOverflow() : std::runtime_error("Gleitkommaüberlauf") {}
};

// Whether the value rounds to a finite single-precision number (NaN does not).
bool FitsSingle(long double value);

// Rounds to single precision; throws EOverflow when the result does not fit.
float StoreSingle(long double value);

// raw * factor + offset, computed in double precision and rounded to single.
float ScaleSample(float raw, float factor, float offset);
// The same without throwing: false, and scaled unchanged, when the result does not fit.
bool TryScaleSample(float raw, float factor, float offset, float& scaled);
