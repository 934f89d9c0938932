#include "chart/qt/pixel_lines.h"

#include <algorithm>
#include <cstdlib>

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {  // b > 0
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}

int64_t CeilDiv(int64_t a, int64_t b) {  // b > 0
  return -FloorDiv(-a, b);
}

// The steps t (0 <= t < length) at which a coordinate start + t * dir stays in 0..size-1.
void ClipMajor(int64_t start, int dir, int64_t size, int64_t& lo, int64_t& hi) {
  if (dir > 0) {
    lo = std::max(lo, -start);
    hi = std::min(hi, size - 1 - start);
  } else {
    lo = std::max(lo, start - (size - 1));
    hi = std::min(hi, start);
  }
}

}  // namespace

void DrawPixelLine(const TPixelBuffer& buffer, int x1, int y1, int x2, int y2, const TLineInk& ink, uint32_t& phase) {
  const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);  // the number of pixels
  const int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
  const int majorDir = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const int minorDir = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const uint32_t startPhase = phase;
  if (ink.Dashes.Length > 0) phase = uint32_t((phase + uint64_t(major)) % ink.Dashes.Length);
  if (major == 0 || buffer.Bits == nullptr || buffer.Width <= 0 || buffer.Height <= 0) return;

  // Pixel t lies at major offset t and minor offset floor((2 t minor + major) / (2 major)).
  const int64_t a0 = xMajor ? x1 : y1, b0 = xMajor ? y1 : x1;
  const int64_t aSize = xMajor ? buffer.Width : buffer.Height, bSize = xMajor ? buffer.Height : buffer.Width;
  int64_t tLo = 0, tHi = major - 1;
  ClipMajor(a0, majorDir, aSize, tLo, tHi);
  const int64_t offLo = minorDir > 0 ? -b0 : b0 - (bSize - 1);
  const int64_t offHi = minorDir > 0 ? bSize - 1 - b0 : b0;
  if (minor == 0) {
    if (offLo > 0 || offHi < 0) return;
  } else {
    tLo = std::max(tLo, CeilDiv(2 * major * offLo - major, 2 * minor));
    tHi = std::min(tHi, CeilDiv(2 * major * (offHi + 1) - major, 2 * minor) - 1);
  }
  if (tLo > tHi) return;

  const int64_t twoMajor = 2 * major, twoMinor = 2 * minor;
  const int64_t numerator = twoMinor * tLo + major;
  int64_t off = numerator / twoMajor;
  int64_t err = numerator % twoMajor;
  uint32_t dash = ink.Dashes.Length > 0 ? uint32_t((startPhase + uint64_t(tLo)) % ink.Dashes.Length) : 0;
  for (int64_t t = tLo; t <= tHi; ++t) {
    const int64_t a = a0 + majorDir * t, b = b0 + minorDir * off;
    const int64_t x = xMajor ? a : b, y = xMajor ? b : a;
    const bool on = ink.Dashes.Length == 0 || ((ink.Dashes.Mask >> dash) & 1u);
    // The clipping above keeps (x, y) inside; the test is a guard for the memory.
    if (on && uint64_t(x) < uint64_t(buffer.Width) && uint64_t(y) < uint64_t(buffer.Height)) {
      uint32_t& p = buffer.Bits[y * buffer.Stride + x];
      p = ink.Xor ? p ^ ink.Pixel : ink.Pixel;
    }
    if (ink.Dashes.Length > 0 && ++dash == ink.Dashes.Length) dash = 0;
    err += twoMinor;
    if (err >= twoMajor) {
      err -= twoMajor;
      ++off;
    }
  }
}
