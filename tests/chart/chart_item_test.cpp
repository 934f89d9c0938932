#include "chart/chart_item.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>

namespace {

template <typename T>
void Put(std::array<uint8_t, 104>& image, size_t offset, T value) {
  std::memcpy(image.data() + offset, &value, sizeof value);
}

// A record as another program writes it, byte by byte at the documented offsets, with
// every padding byte set so that a shifted field shows.
TEST(ChartItem, FieldsLieAtTheirOffsets) {
  std::array<uint8_t, 104> image{};
  for (size_t i = 0; i < image.size(); ++i) image[i] = uint8_t(0xA0 + i);
  Put(image, 0, 1.5); Put(image, 8, -2.25); Put(image, 16, 1e300); Put(image, 24, -0.0);
  Put(image, 32, 0x00FF0000u); Put(image, 36, 0x00C0C0C0u); Put(image, 40, 0xFF00000Fu); Put(image, 44, 0x80u);
  Put(image, 52, -7); Put(image, 56, 2); Put(image, 64, 16); Put(image, 88, 12); Put(image, 92, -30);
  image[48] = 3; image[60] = 254; image[61] = ikFramedRect; image[68] = 1; image[69] = 5; image[96] = 2;
  image[70] = 3; std::memcpy(image.data() + 71, "abc", 3);
  TChartItem item;
  std::memcpy(&item, image.data(), sizeof item);
  EXPECT_EQ(item.X, 1.5);
  EXPECT_EQ(item.Y, -2.25);
  EXPECT_EQ(item.X2, 1e300);
  EXPECT_TRUE(std::signbit(item.Y2));
  EXPECT_EQ(item.Color, 0x00FF0000u);
  EXPECT_EQ(item.FillColor, 0x00C0C0C0u);
  EXPECT_EQ(item.FrameColorA, 0xFF00000Fu);
  EXPECT_EQ(item.FrameColorB, 0x80u);
  EXPECT_EQ(item.PenStyle, 3);
  EXPECT_EQ(item.Reserved52, -7);
  EXPECT_EQ(item.LineWidth, 2);
  EXPECT_EQ(item.Class, 254);
  EXPECT_EQ(item.Kind, ikFramedRect);
  EXPECT_EQ(item.Layer, 16);
  EXPECT_EQ(item.Transparent, 1);
  EXPECT_EQ(item.FrameStyle, 5);
  EXPECT_EQ(ItemText(item), "abc");
  EXPECT_EQ(item.Size, 12);
  EXPECT_EQ(item.Depth, -30);
  EXPECT_EQ(item.Style, 2);
  EXPECT_EQ(item.Padding97[6], uint8_t(0xA0 + 103));
  std::array<uint8_t, 104> out{};
  std::memcpy(out.data(), &item, sizeof item);
  EXPECT_EQ(out, image);
}

TEST(ChartItem, TextLengthIsLimitedToTheField) {
  TChartItem item{};
  EXPECT_EQ(ItemText(item), "");
  item.Text[0] = 255;  // a foreign file's length byte
  EXPECT_EQ(ItemText(item).size(), 17u);
}

}  // namespace
