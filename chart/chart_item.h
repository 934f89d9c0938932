#pragma once
// One display-list record: 104 bytes, little-endian, at fixed offsets. The session file
// is a plain sequence of these records, so every byte belongs to the format, padding
// included.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "chart/colors.h"

// Kind codes of byte 61. Codes 0, 10, 11 and every code above 16 are valid records that
// draw nothing.
enum TItemKind : uint8_t {
  ikMark = 1,
  ikLine = 2,
  ikDrawTo = 3,
  ikRect = 4,
  ikFramedRect = 5,
  ikBar3D = 6,
  ikText = 7,
  ikMoveTo = 8,
  ikEllipse = 9,
  ikMoveRelPix = 12,
  ikDrawRelPix = 13,
  ikArrow = 14,
  ikTextPixOfs = 15,
  ikPixBox = 16,
};

// Kinds 0..16 are counted per kind; higher codes are kept but not counted.
constexpr int kCountedKinds = 17;

constexpr int kItemTextMax = 17;

struct TChartItem {
  double X;  // ikMoveRelPix, ikDrawRelPix: pixel offsets
  double Y;
  double X2;  // ikEllipse: radii; ikTextPixOfs: pixel shift; ikPixBox: pixel half-sizes
  double Y2;
  TColor Color;
  TColor FillColor;
  TColor FrameColorA;
  TColor FrameColorB;
  uint8_t PenStyle;  // TPenStyle ordinal
  uint8_t Padding49[3];
  int32_t Reserved52;
  int32_t LineWidth;
  uint8_t Class;
  uint8_t Kind;  // TItemKind code
  uint8_t Padding62[2];
  int32_t Layer;
  uint8_t Transparent;
  uint8_t FrameStyle;
  uint8_t Text[1 + kItemTextMax];  // length byte, then Windows-1252 characters
  int32_t Size;  // text size in points; ikBar3D angle; ikArrow head length
  int32_t Depth;
  uint8_t Style;  // ikMark: mark type; texts: 0 left, 1 right, 2 centre anchor
  uint8_t Padding97[7];
};

static_assert(std::endian::native == std::endian::little, "records are stored as they lie in memory");
static_assert(std::is_trivially_copyable_v<TChartItem> && std::is_standard_layout_v<TChartItem>);
static_assert(sizeof(TChartItem) == 104);
static_assert(offsetof(TChartItem, X) == 0);
static_assert(offsetof(TChartItem, Y) == 8);
static_assert(offsetof(TChartItem, X2) == 16);
static_assert(offsetof(TChartItem, Y2) == 24);
static_assert(offsetof(TChartItem, Color) == 32);
static_assert(offsetof(TChartItem, FillColor) == 36);
static_assert(offsetof(TChartItem, FrameColorA) == 40);
static_assert(offsetof(TChartItem, FrameColorB) == 44);
static_assert(offsetof(TChartItem, PenStyle) == 48);
static_assert(offsetof(TChartItem, Padding49) == 49);
static_assert(offsetof(TChartItem, Reserved52) == 52);
static_assert(offsetof(TChartItem, LineWidth) == 56);
static_assert(offsetof(TChartItem, Class) == 60);
static_assert(offsetof(TChartItem, Kind) == 61);
static_assert(offsetof(TChartItem, Padding62) == 62);
static_assert(offsetof(TChartItem, Layer) == 64);
static_assert(offsetof(TChartItem, Transparent) == 68);
static_assert(offsetof(TChartItem, FrameStyle) == 69);
static_assert(offsetof(TChartItem, Text) == 70);
static_assert(offsetof(TChartItem, Size) == 88);
static_assert(offsetof(TChartItem, Depth) == 92);
static_assert(offsetof(TChartItem, Style) == 96);
static_assert(offsetof(TChartItem, Padding97) == 97);

// The item's text; a length byte above 17 (a foreign file) is read as 17.
inline std::string_view ItemText(const TChartItem& item) {
  const size_t length = item.Text[0] <= kItemTextMax ? item.Text[0] : kItemTextMax;
  return {reinterpret_cast<const char*>(item.Text + 1), length};
}
