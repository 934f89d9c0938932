#pragma once
// One-pixel lines straight into a 32-bit pixel buffer, as GDI draws them: every pixel
// from the start point up to but not including the end point, each exactly once, so
// that an XOR line drawn twice leaves no trace. Lines are clipped to the buffer;
// coordinates may lie anywhere within +-kMaxLineCoordinate.

#include <cstdint>

constexpr int kMaxLineCoordinate = 1 << 27;

struct TPixelBuffer {
  uint32_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;  // pixels from one row to the next
};

// A dash pattern as a bit mask over its Length pixels (bit i set: pixel i is drawn);
// Length 0 draws every pixel.
struct TDashPattern {
  uint32_t Mask = 0;
  uint8_t Length = 0;
};

struct TLineInk {
  uint32_t Pixel = 0;  // the buffer's pixel value to write, or to XOR with
  bool Xor = false;
  TDashPattern Dashes;
};

// Draws (x1, y1) .. (x2, y2) without the end point. `phase` is the position in the dash
// pattern at the start point; it comes back advanced by the line's length, so that
// consecutive segments continue the pattern.
void DrawPixelLine(const TPixelBuffer& buffer, int x1, int y1, int x2, int y2, const TLineInk& ink, uint32_t& phase);
