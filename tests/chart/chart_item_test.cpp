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

// A record as another program would write it, byte by byte at the documented offsets.
std::array<uint8_t, 104> HandBuiltImage() {
  std::array<uint8_t, 104> image{};
  for (size_t i = 0; i < image.size(); ++i) image[i] = uint8_t(0xA0 + i);  // padding stays visible
  Put(image, 0, 1.5);
  Put(image, 8, -2.25);
  Put(image, 16, 1e300);
  Put(image, 24, -0.0);
  Put(image, 32, uint32_t(0x00FF0000));
  Put(image, 36, uint32_t(0x00C0C0C0));
  Put(image, 40, uint32_t(0xFF00000F));
  Put(image, 44, uint32_t(0x00000080));
  image[48] = 3;
  Put(image, 52, int32_t(-7));
  Put(image, 56, int32_t(2));
  image[60] = 254;
  image[61] = ikFramedRect;
  Put(image, 64, int32_t(16));
  image[68] = 1;
  image[69] = 5;
  image[70] = 3;
  std::memcpy(image.data() + 71, "abc", 3);
  Put(image, 88, int32_t(12));
  Put(image, 92, int32_t(-30));
  image[96] = 2;
  return image;
}

TEST(ChartItem, FieldsLieAtTheirOffsets) {
  const std::array<uint8_t, 104> image = HandBuiltImage();
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
  EXPECT_EQ(item.Padding49[0], 0xA0 + 49);
  EXPECT_EQ(item.Padding62[1], 0xA0 + 63);
  EXPECT_EQ(item.Padding97[6], uint8_t(0xA0 + 103));
  // and back: every byte, padding included, survives a copy through the record
  std::array<uint8_t, 104> out{};
  std::memcpy(out.data(), &item, sizeof item);
  EXPECT_EQ(out, image);
}

TEST(ChartItem, TextLengthIsLimitedToTheField) {
  TChartItem item{};
  EXPECT_EQ(ItemText(item), "");
  std::memset(item.Text + 1, 'x', kItemTextMax);
  item.Text[0] = 17;
  EXPECT_EQ(ItemText(item).size(), 17u);
  item.Text[0] = 255;  // a foreign file's length byte
  EXPECT_EQ(ItemText(item).size(), 17u);
}

}  // namespace
