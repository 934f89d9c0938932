#include "acquisition/csv_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

// Appends the shortest digits that read back as value: plain for the magnitudes of
// measurements and sample numbers (1e-5 up to below 1e15), scientific beyond them, so
// that 100000 is not written "1e+05". Composed on the stack and appended at once: a
// recording writes two numbers per channel and line.
template <class T>
void AppendShortest(std::string& out, T value, char decimalPoint) {
  char sci[64];
  const auto [sciEnd, ec] = std::to_chars(sci, sci + sizeof sci, value, std::chars_format::scientific);
  if (ec != std::errc()) return;
  const char* e = sci;
  while (*e != 'e') ++e;
  int exponent = 0;
  for (const char* p = e + 2; p < sciEnd; ++p) exponent = exponent * 10 + (*p - '0');
  if (e[1] == '-') exponent = -exponent;
  char text[96];
  char* t = text;
  if (exponent < -5 || exponent >= 15) {
    for (const char* p = sci; p < sciEnd; ++p) *t++ = *p == '.' ? decimalPoint : *p;
    out.append(text, size_t(t - text));
    return;
  }
  // The significant digits without sign and point.
  const bool negative = sci[0] == '-';
  char digits[32];
  size_t count = 0;
  for (const char* p = sci + (negative ? 1 : 0); p < e; ++p) {
    if (*p != '.') digits[count++] = *p;
  }
  if (negative) *t++ = '-';
  if (exponent < 0) {
    *t++ = '0';
    *t++ = decimalPoint;
    for (int i = -exponent - 1; i > 0; --i) *t++ = '0';
    for (size_t i = 0; i < count; ++i) *t++ = digits[i];
  } else {
    const size_t whole = size_t(exponent) + 1;
    for (size_t i = 0; i < whole; ++i) *t++ = i < count ? digits[i] : '0';
    if (count > whole) {
      *t++ = decimalPoint;
      for (size_t i = whole; i < count; ++i) *t++ = digits[i];
    }
  }
  out.append(text, size_t(t - text));
}

bool IsSingle(double value) {
  return std::fabs(value) <= std::numeric_limits<float>::max() && double(float(value)) == value;
}

}  // namespace

TCsvFormat CsvFormatFor(char decimalSeparator) {
  if (decimalSeparator == ',') return {';', ','};
  return {',', '.'};
}

void AppendCsvNumber(std::string& out, double value, const TCsvFormat& format) {
  if (!std::isfinite(value)) return;
  if (IsSingle(value)) {
    AppendShortest(out, float(value), format.DecimalPoint);
  } else {
    AppendShortest(out, value, format.DecimalPoint);
  }
}

void AppendCsvSeconds(std::string& out, double seconds, const TCsvFormat& format) {
  if (!std::isfinite(seconds)) return;
  char text[64];
  char* end = text;
  // The times of a recording, a row each: whole microseconds in integer arithmetic, far
  // cheaper than formatting the double. Beyond a million years, the general way.
  if (seconds >= 0 && seconds < 3e13) {
    const auto micros = static_cast<uint64_t>(std::llround(seconds * 1e6));
    end = std::to_chars(text, text + 32, micros / 1000000).ptr;
    *end++ = format.DecimalPoint;
    uint64_t fraction = micros % 1000000;
    for (int i = 5; i >= 0; --i) {
      end[i] = char('0' + fraction % 10);
      fraction /= 10;
    }
    end += 6;
  } else {
    const auto result = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 6);
    if (result.ec != std::errc()) return;
    end = result.ptr;
    for (char* p = text; p < end; ++p) {
      if (*p == '.') *p = format.DecimalPoint;
    }
  }
  out.append(text, size_t(end - text));
}

void AppendCsvText(std::string& out, std::string_view text, const TCsvFormat& format) {
  if (text.find_first_of(std::string_view{"\"\r\n", 3}) == std::string_view::npos &&
      text.find(format.Separator) == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}
