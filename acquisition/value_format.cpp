#include "acquisition/value_format.h"

#include <charconv>
#include <cstring>

void AppendValueText(std::string& out, double value, char decimalSeparator) {
  if (value == 0) {
    out += '0';
    return;
  }
  // The general format of to_chars is locale-independent and switches to scientific
  // exactly at the two bounds above (decimal exponent below -4 or from 15 on).
  char text[64];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
  if (ec != std::errc()) return;
  for (const char* p = text; p < end; ++p) {
    if (*p == '.') {
      out += decimalSeparator;
    } else if (*p == 'e') {
      // "e+20" becomes "E20", "e-05" becomes "E-5".
      out += 'E';
      ++p;
      if (*p == '-') out += '-';
      ++p;
      while (p + 1 < end && *p == '0') ++p;
      out.append(p, size_t(end - p));
      break;
    } else {
      out += *p;
    }
  }
}
