#include "acquisition/view_follow.h"

#include <gtest/gtest.h>

#include "chart/gchart.h"

namespace {

struct ViewFollow : testing::Test {
  ViewFollow() {
    chart.SetAutoRedraw(false);
    chart.SetPaintSuspended(false);
    chart.SetRange(0, 0, 0, 100, 10);
  }
  void Segment(int32_t layer, double x1, double y1, double x2, double y2) {
    chart.SetCurrentLayer(layer);
    chart.Line(x1, y1, x2, y2);
  }
  TGChart chart;
};

TEST_F(ViewFollow, ExtentCutsSegmentsAtTheEdgesAndSkipsHiddenLayers) {
  Segment(1, -10, 100, 10, 0);  // y 50 at x 0
  Segment(1, 50, 3, 60, 4);
  Segment(1, 90, 5, 110, 25);  // y 15 at x 100
  Segment(1, 200, -99, 300, -99);  // out of view
  Segment(2, 50, -7, 60, 70);
  EXPECT_EQ(VisibleYExtent(chart, 0b1, 0, 100)->Low, 0);
  EXPECT_EQ(VisibleYExtent(chart, 0b1, 0, 100)->High, 50);
  EXPECT_EQ(VisibleYExtent(chart, 0b11, 0, 100)->Low, -7);
  chart.SetLayerVisible(2, false);
  EXPECT_EQ(VisibleYExtent(chart, 0b11, 0, 100)->Low, 0);
  EXPECT_FALSE(VisibleYExtent(chart, 0b1, 400, 500));
  chart.SetCurrentLayer(3);
  chart.MoveTo(0, 8);
  chart.DrawTo(5, -2);
  EXPECT_EQ(VisibleYExtent(chart, 0b100, 0, 4)->High, 8);
  EXPECT_EQ(VisibleYExtent(chart, 0b100, 0, 4)->Low, 8);
}

TEST_F(ViewFollow, RangeHasAMarginAndCalmEnds) {
  const TValueSpan adc = AutoYRange({3, 1021});
  EXPECT_LT(adc.Low, 3);
  EXPECT_GT(adc.High, 1021);
  EXPECT_EQ(adc.Low, -100);
  EXPECT_EQ(adc.High, 1100);
  // Extremes that move a little keep the range.
  EXPECT_EQ(AutoYRange({5, 1019}).High, adc.High);
  const TValueSpan flat = AutoYRange({5, 5});
  EXPECT_LT(flat.Low, 5);
  EXPECT_GT(flat.High, 5);
  const TValueSpan zero = AutoYRange({0, 0});
  EXPECT_LT(zero.Low, 0);
  EXPECT_GT(zero.High, 0);
}

TEST_F(ViewFollow, FollowsTheNewestWhileANormalAcquisitionRuns) {
  TAcquisitionState s;
  s.Xmax = 100;
  s.NewestX = 250;
  TViewFollower follower;
  follower.FollowNewest = true;
  EXPECT_FALSE(follower.Apply(chart, s, false));
  EXPECT_TRUE(follower.Apply(chart, s, true));
  EXPECT_EQ(chart.Scale1X().RangeLow(), 150);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 250);
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 10);
  EXPECT_FALSE(follower.Apply(chart, s, true));
  s.TrendMode = true;  // Trend slides its own window
  s.NewestX = 400;
  EXPECT_FALSE(follower.Apply(chart, s, true));
}

TEST_F(ViewFollow, AutoYFitsEachModesLayers) {
  TAcquisitionState s;
  TViewFollower follower;
  follower.AutoY = true;
  Segment(1, 0, 0, 50, 1);
  Segment(2, 0, 100, 50, 200);
  s.ChannelMode = 2;
  EXPECT_TRUE(follower.Apply(chart, s, false));
  EXPECT_LT(chart.Scale1Y().RangeHigh(), 2);
  EXPECT_GT(chart.Scale2Y().RangeHigh(), 200);
  EXPECT_FALSE(follower.Apply(chart, s, false));  // nothing changed: no work, no range
  s.ChannelMode = kChannelModeAuto;  // one shared range from every layer
  Segment(1, 50, 1, 60, 2);
  EXPECT_TRUE(follower.Apply(chart, s, false));
  EXPECT_LT(chart.Scale1Y().RangeLow(), 0);
  EXPECT_GT(chart.Scale1Y().RangeHigh(), 200);
}

}  // namespace
