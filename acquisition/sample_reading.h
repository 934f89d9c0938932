#pragma once
// Reads the one or two numbers of a received line and scales them per channel.

#include <string_view>

#include "acquisition/acquisition_state.h"

// The text without leading and trailing characters of codes 0 to 32.
std::string_view TrimControls(std::string_view text);

// Sets RawValue, RawValue1, Value1 and, with two channels, RawValue2 and Value2. Throws EOverflow when a number
// or a scaled value exceeds the single-precision range; values stored before that keep
// their new value.
void ReadSamples(std::string_view line, TAcquisitionState& state);
