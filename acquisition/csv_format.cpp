#include "acquisition/csv_format.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

// Appends the shortest digits that read back as value: plain for the magnitudes of
// measurements and sample numbers (1e-5 up to below 1e15), scientific beyond them, so
// that 100000 is not written "1e+05".
template <class T>
void AppendShortest(std::string& out, T value, char decimalPoint) {
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
  if (ec != std::errc()) return;
  const std::string_view sci(text, size_t(end - text));
  const size_t e = sci.find('e');
  int exponent = 0;
  std::from_chars(sci.data() + e + (sci[e + 1] == '+' ? 2 : 1), sci.data() + sci.size(), exponent);
  const bool negative = sci[0] == '-';
  if (exponent < -5 || exponent >= 15) {
    for (const char c : sci) out += c == '.' ? decimalPoint : c;
    return;
  }
  // The significant digits without sign and point.
  char digits[32];
  size_t count = 0;
  for (size_t i = negative ? 1 : 0; i < e; ++i) {
    if (sci[i] != '.') digits[count++] = sci[i];
  }
  if (negative) out += '-';
  if (exponent < 0) {
    out += '0';
    out += decimalPoint;
    out.append(size_t(-exponent - 1), '0');
    out.append(digits, count);
    return;
  }
  const size_t whole = size_t(exponent) + 1;
  if (count <= whole) {
    out.append(digits, count);
    out.append(whole - count, '0');
    return;
  }
  out.append(digits, whole);
  out += decimalPoint;
  out.append(digits + whole, count - whole);
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
  const auto [end, ec] = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 6);
  if (ec != std::errc()) return;
  for (const char* p = text; p < end; ++p) out += *p == '.' ? format.DecimalPoint : *p;
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
