#include <gtest/gtest.h>

#include "chart/gchart.h"
#include "chart/scale_props.h"

namespace {

struct PropertyBlock : testing::Test {
  PropertyBlock() {
    block.OnChange = [this](TScaleProps& sender) { changes += &sender == &block; };
  }
  TScalePropsVert block;
  int changes = 0;
};

TEST_F(PropertyBlock, EverySetterNotifies) {
  block.SetCaption("Spannung");
  block.SetCaptionPosX(-30);
  block.SetVisible(true);
  block.SetScaleLocation(slRight);
  block.SetMinTicks(0);
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(block.ScaleType(), sctYL);
  EXPECT_EQ(block.MinTicks(), 0);
  TScalePropsHoriz horizontal;
  EXPECT_EQ(horizontal.ScaleType(), sctXT);
  horizontal.SetScaleLocation(slTop);
  EXPECT_EQ(horizontal.ScaleType(), sctXB);
}

TEST_F(PropertyBlock, DecPlacesLabelTypeAndLogarithmic) {
  block.SetDecPlaces(-5);
  EXPECT_EQ(block.DecPlaces(), -3);
  block.SetDecPlaces(20);
  EXPECT_EQ(block.DecPlaces(), 12);
  block.SetLabelType(ftTime);
  EXPECT_EQ(block.DecPlaces(), 4);
  block.SetLogarithmic(true);  // RangeLow is 0
  EXPECT_FALSE(block.Logarithmic());
  block.SetRangeLow(1e-100);
  block.SetLogarithmic(true);
  EXPECT_TRUE(block.Logarithmic());
  block.SetRangeLow(-1);
  block.SetRangeHigh(0);
  EXPECT_EQ(block.RangeLow(), 1e-100);
  EXPECT_EQ(block.RangeHigh(), 1);
  block.SetLabelType(ftDateTime);
  EXPECT_FALSE(block.Logarithmic());
  block.SetLogarithmic(true);
  EXPECT_FALSE(block.Logarithmic());  // dates are never logarithmic
}

TEST_F(PropertyBlock, RangeEndsKeepMinRangeApart) {
  block.SetMinRange(0.5);
  EXPECT_EQ(changes, 0);  // the span of 1 is wide enough
  block.SetRangeLow(0.8);
  EXPECT_DOUBLE_EQ(block.RangeHigh(), 1.3);
  block.SetRangeHigh(1.0);
  EXPECT_DOUBLE_EQ(block.RangeLow(), 0.5);
  block.SetRangeLow(7);  // above RangeHigh: a reversed axis, not swapped
  EXPECT_EQ(block.RangeHigh(), 1);
  block.SetMinRange(1e-100);
  EXPECT_EQ(block.MinRange(), 0.5);
  block.SetMinRange(8);  // wider than the span: widened about the centre
  EXPECT_EQ(block.RangeLow(), 0);
  EXPECT_EQ(block.RangeHigh(), 8);
  EXPECT_EQ(changes, 4);
}

TEST(ScaleDefaults, PerLayerColoursPlacesAndPositions) {
  TGChart chart;
  EXPECT_EQ(chart.Scale1X().ColorScale(), clBlack);
  EXPECT_EQ(chart.Scale2Y().ColorScale(), clMaroon);
  EXPECT_EQ(chart.ScaleX(16).ColorScale(), clWhite);
  EXPECT_EQ(chart.Scale1X().ScaleLocation(), slBottom);
  EXPECT_EQ(chart.Scale1Y().ScaleLocation(), slLeft);
  EXPECT_EQ(chart.Scale2X().ScaleType(), sctXB);
  EXPECT_EQ(chart.Scale2Y().ScaleType(), sctYL);
  EXPECT_EQ(chart.Scale2Y().ScalePos(), 0);
  EXPECT_EQ(chart.Scale3X().ScalePos(), 30);
  EXPECT_EQ(chart.Scale4Y().ScalePos(), 50);
  EXPECT_EQ(chart.ScaleY(15).ScalePos(), 350);
  EXPECT_EQ(&chart.ScaleX(0), &chart.Scale1X());  // layer numbers are clamped
}

}  // namespace
