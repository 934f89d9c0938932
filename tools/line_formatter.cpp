#include "tools/line_formatter.h"

#include <charconv>
#include <cstring>
#include <stdexcept>

namespace {

char* AppendValue(char* out, float value) {
  // std::to_chars never consults the C locale, unlike printf's %g.
  const auto [next, error] = std::to_chars(out, out + MaxValueLength, value);
  if (error != std::errc()) throw std::logic_error("sample text longer than a line allows");
  return next;
}

char* AppendText(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

}  // namespace

size_t FormatLine(char* out, const TLineFormat& format, std::span<const float> values, bool terminated) {
  char* p = out;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) *p++ = format.Separator;
    if (format.Named) {
      p = AppendText(p, format.Names[i]);
      *p++ = ':';
    }
    p = AppendValue(p, values[i]);
  }
  if (terminated) p = AppendText(p, format.LineEnd);
  return size_t(p - out);
}

size_t FormatHeader(char* out, const TLineFormat& format) {
  char* p = out;
  for (size_t i = 0; i < format.Names.size(); ++i) {
    if (i > 0) *p++ = format.Separator;
    p = AppendText(p, format.Names[i]);
  }
  p = AppendText(p, format.LineEnd);
  return size_t(p - out);
}
