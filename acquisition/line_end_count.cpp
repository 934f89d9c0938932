#include "acquisition/line_end_count.h"

#include <cstring>

int64_t CountCrLfEnds(const uint8_t* data, size_t count, bool& afterCr) {
  if (count == 0) return 0;
  int64_t ends = 0;
  const uint8_t* p = data;
  const uint8_t* const end = data + count;
  // As the framing matches: the byte after a CR either completes the end or is line text,
  // even when it is another CR.
  if (afterCr && p < end) {
    if (*p == '\n') ++ends;
    ++p;
  }
  afterCr = false;
  while (const void* hit = std::memchr(p, '\r', size_t(end - p))) {
    p = static_cast<const uint8_t*>(hit) + 1;
    if (p == end) {
      afterCr = true;
      break;
    }
    if (*p == '\n') ++ends;
    ++p;
  }
  return ends;
}

int64_t CountAnyEnds(const uint8_t* data, size_t count, bool& afterCr) {
  int64_t ends = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t c = data[i];
    if (c == '\r') {
      ++ends;
    } else if (c == '\n' && !afterCr) {
      ++ends;
    }
    afterCr = c == '\r';
  }
  return ends;
}
