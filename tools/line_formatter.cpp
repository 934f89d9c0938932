#include "tools/line_formatter.h"

#include <charconv>
#include <stdexcept>

namespace {

// The shortest text of any finite float, such as "-1.1754944e-38", has 15 characters or fewer.
constexpr size_t MaxValueLength = 16;
static_assert(2 * MaxValueLength + 3 <= MaxSampleLineLength);

char* AppendValue(char* out, float value) {
  // std::to_chars never consults the C locale, unlike printf's %g.
  const auto [next, error] = std::to_chars(out, out + MaxValueLength, value);
  if (error != std::errc()) throw std::logic_error("sample text longer than a line allows");
  return next;
}

}  // namespace

size_t FormatLine(char* out, int channels, float value1, float value2, bool terminated) {
  char* p = AppendValue(out, value1);
  if (channels == 2) {
    *p++ = ';';
    p = AppendValue(p, value2);
  }
  if (terminated) {
    *p++ = '\r';
    *p++ = '\n';
  }
  return size_t(p - out);
}
