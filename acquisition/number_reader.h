#pragma once
// Reads a decimal number from received text: "." is always the decimal separator.

#include <cstdint>
#include <string_view>

struct TReadNumberResult {
  long double Value = 0;
  // 0 when the whole text was read, else the 1-based index where reading stopped.
  int32_t ErrorPos = 0;
};

// Reads up to the end of the text or its first byte 0. When reading stops early the
// value is the mantissa gathered so far: all digits read as one integer, without
// point, sign or exponent ("12.5x" gives 125, "-3x" gives 3).
TReadNumberResult ReadNumber(std::string_view text);
