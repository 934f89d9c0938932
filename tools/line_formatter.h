#pragma once
// The text of one sample line as a device sends it: one value, or two separated by ";",
// "." as decimal separator whatever the locale, ended by CR LF. Each value is written
// with the fewest digits that read back as exactly the same single-precision number.

#include <cstddef>

// Longest line FormatLine writes: two values of at most 15 characters, ";", CR LF.
constexpr size_t MaxSampleLineLength = 40;

// Writes the line for the values to out, which holds at least MaxSampleLineLength bytes,
// and returns its length. Values must be finite. With one channel value2 is not used.
size_t FormatLine(char* out, int channels, float value1, float value2, bool terminated = true);
