#include "fuzz/number_input.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

#include "acquisition/number_reader.h"
#include "fuzz/fuzz_finding.h"

namespace {

void CheckAnyText(std::string_view text) {
  const TReadNumberResult r = ReadNumber(text);
  const size_t read = std::min(text.find('\0'), text.size());
  Expect(!std::isnan(r.Value), "the value is NaN");
  Expect(r.ErrorPos >= 0 && size_t(r.ErrorPos) <= read + 1, "the stop position lies outside the text");
  Expect(r.ErrorPos == 0 || !std::signbit(r.Value), "a stopped read gave a signed mantissa");
  std::string cut(text);
  cut.append(1, '\0').append("-1e5x");
  const TReadNumberResult again = ReadNumber(cut);
  Expect(again.ErrorPos == r.ErrorPos && again.Value == r.Value && std::signbit(again.Value) == std::signbit(r.Value),
         "text behind a byte 0 was read");
}

void CheckWrittenDouble(double d, uint8_t form) {
  if (!std::isfinite(d)) return;
  constexpr std::array<std::chars_format, 3> kFormats = {std::chars_format::scientific, std::chars_format::fixed,
                                                         std::chars_format::general};
  // Room for the longest fixed forms: the 309 digits of the largest double, or "0." and
  // the 324 places of the smallest subnormal.
  std::array<char, 400> buffer;
  char* p = buffer.data();
  if (form & 4) *p++ = ' ';
  if (form & 8 && !std::signbit(d)) *p++ = '+';
  const std::to_chars_result written =
      form % 4 == 3 ? std::to_chars(p, buffer.data() + buffer.size(), d)
                    : std::to_chars(p, buffer.data() + buffer.size(), d, kFormats[form % 4]);
  Expect(written.ec == std::errc(), "the number did not fit its buffer");
  std::string text(buffer.data(), written.ptr);
  if (form & 16) {
    for (char& c : text) c = c == 'e' ? 'E' : c;
  }
  const TReadNumberResult r = ReadNumber(text);
  Expect(r.ErrorPos == 0, "a written double did not read completely");
  // Shortest forms are exact to half a unit in the last place of a double.
  const long double error = std::fabs(r.Value - static_cast<long double>(d));
  const long double tolerance = std::max(std::fabs(static_cast<long double>(d)) * std::ldexp(1.0L, -50),
                                         std::ldexp(1.0L, -1074));
  Expect(error <= tolerance, "a written double read back as another value");
}

}  // namespace

void CheckNumberInput(std::span<const uint8_t> input) {
  CheckAnyText({reinterpret_cast<const char*>(input.data()), input.size()});
  if (input.size() < 9) return;
  double d;
  std::memcpy(&d, input.data(), sizeof d);
  CheckWrittenDouble(d, input[8]);
}
