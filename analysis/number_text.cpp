#include "analysis/number_text.h"

#include <charconv>
#include <cmath>

std::string ShortestText(double value) {
  // Plain digits over the range people write that way, an exponent beyond it.
  const double magnitude = std::abs(value);
  const bool plain = magnitude == 0 || (magnitude >= 1e-5 && magnitude < 1e15);
  char text[64];
  const auto end = std::to_chars(text, text + sizeof text, value,
                                 plain ? std::chars_format::fixed : std::chars_format::scientific)
                       .ptr;
  return std::string(text, end);
}
