#include "acquisition/field_numbers.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>

#include "acquisition/sample_scaling.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void ThrowNotAFloat(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' ist kein gültiger Gleitkommawert");
}

}  // namespace

double ReadFieldDouble(std::string_view text, char decimalSeparator) {
  ReadFieldFloat(text, decimalSeparator);
  std::string number(text.substr(text.find_first_not_of(' ')));
  number.erase(number.find_last_not_of(' ') + 1);
  if (number.front() == '+') number.erase(0, 1);
  std::replace(number.begin(), number.end(), decimalSeparator, '.');
  double value = 0;
  std::from_chars(number.data(), number.data() + number.size(), value);
  return value;
}

float ReadFieldFloat(std::string_view text, char decimalSeparator) {
  size_t i = 0;
  size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  while (n > i && text[n - 1] == ' ') --n;

  // Rebuild the number in the form from_chars reads.
  std::string number;
  if (i < n && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') number += '-';
    ++i;
  }
  // The decimal magnitude of the leading digit: positive for numbers from 1 on, so that a
  // number out of range is known to be too large or too small.
  int64_t magnitude = 0;
  bool significant = false;
  size_t digits = 0;
  for (; i < n && IsDigit(text[i]); ++i, ++digits) {
    number += text[i];
    significant = significant || text[i] != '0';
    if (significant) ++magnitude;
  }
  if (i < n && text[i] == decimalSeparator) {
    number += '.';
    for (++i; i < n && IsDigit(text[i]); ++i, ++digits) {
      number += text[i];
      significant = significant || text[i] != '0';
      if (!significant) --magnitude;
    }
  }
  if (digits == 0) ThrowNotAFloat(text);
  if (i < n && (text[i] == 'E' || text[i] == 'e')) {
    number += 'e';
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
      negativeExponent = text[i] == '-';
      number += text[i++];
    }
    const size_t exponentStart = i;
    int64_t exponent = 0;
    constexpr int64_t kExponentCap = int64_t(1) << 40;  // far beyond any double, far from overflow
    for (; i < n && IsDigit(text[i]); ++i) {
      number += text[i];
      exponent = std::min(exponent * 10 + (text[i] - '0'), kExponentCap);
    }
    if (i == exponentStart) ThrowNotAFloat(text);
    magnitude += negativeExponent ? -exponent : exponent;
  }
  if (i != n) ThrowNotAFloat(text);

  double value = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (ec == std::errc::result_out_of_range) {
    // Too small is zero; too large cannot be stored.
    if (magnitude <= 0) return 0;
    throw EOverflow();
  }
  if (ec != std::errc() || end != number.data() + number.size()) ThrowNotAFloat(text);
  return StoreSingle(value);
}

int32_t ReadFieldInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  return int32_t(value);
}
