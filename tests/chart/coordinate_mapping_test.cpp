#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/gchart.h"
#include "chart_fixture.h"

namespace {

TEST_F(MainWindowChart, MapsTheRangeOntoTheChartArea) {
  EXPECT_EQ(chart.ChartArea().Width(), 476);
  EXPECT_EQ(chart.ChartArea().Height(), 285);
  EXPECT_EQ(chart.MapToPixel(1, 0, 0), (TPoint{80, 315}));
  EXPECT_EQ(chart.MapToPixel(1, 1000, 10), (TPoint{556, 30}));
  EXPECT_EQ(chart.MapToPixel(0, 1000, 10), (TPoint{556, 30}));  // layer clamped to 1
  EXPECT_DOUBLE_EQ(chart.MapToData(1, 80, 315).x, 0);
  EXPECT_DOUBLE_EQ(chart.MapToData(1, 80, 315).y, 0);
  EXPECT_DOUBLE_EQ(chart.MapToData(1, 556, 30).x, 1000);
  EXPECT_DOUBLE_EQ(chart.MapToData(1, 556, 30).y, 10);
  chart.SetRange(1, 1000, 10, 0, 0);  // reversed: mirrored
  EXPECT_EQ(chart.MapToPixel(1, 0, 0), (TPoint{556, 30}));
}

TEST_F(MainWindowChart, RoundsHalfToEvenAndLimitsTo32Bits) {
  chart.SetRange(1, 0, 0, 476, 285);  // one pixel per unit
  EXPECT_EQ(chart.MapToPixel(1, 0.5, 0.5), (TPoint{80, 314}));
  EXPECT_EQ(chart.MapToPixel(1, 1.5, 1.5), (TPoint{82, 314}));
  EXPECT_EQ(chart.MapToPixel(1, 2.5, 2.5), (TPoint{82, 312}));
  EXPECT_EQ(chart.MapToPixel(1, 1e300, -1e300), (TPoint{2147483647, 2147483647}));
  EXPECT_EQ(chart.MapToPixel(1, -1e300, 1e300), (TPoint{-2147483647, -2147483647}));
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(chart.MapToPixel(1, inf, -inf), (TPoint{2147483647, 2147483647}));
  EXPECT_EQ(chart.MapToPixel(1, std::nan(""), std::nan("")), (TPoint{0, 0}));
}

TEST_F(MainWindowChart, AnAxisWithoutExtentMapsToTheMiddle) {
  chart.SetMarginLeft(600);  // no chart area width
  EXPECT_EQ(chart.MapToPixel(1, 123, 0).x, 288);  // 577 / 2, rounded to even
  EXPECT_EQ(chart.MapToData(1, 10, 315).x, 0);  // the low end, no division by zero
  EXPECT_DOUBLE_EQ(chart.MapToData(1, 10, 315).y, 0);
  // Through the block setters a range can lose its extent to rounding alone.
  chart.SetMarginLeft(80);
  chart.Scale1X().SetRangeHigh(1e20);
  chart.Scale1X().SetRangeLow(1e20);
  ASSERT_EQ(chart.Scale1X().RangeLow(), chart.Scale1X().RangeHigh());
  EXPECT_EQ(chart.MapToPixel(1, 1e20, 10), (TPoint{288, 30}));
  EXPECT_EQ(chart.MapToData(1, 300, 30).x, 1e20);
}

TEST_F(MainWindowChart, LogarithmicAxis) {
  chart.SetRange(1, 1, 1, 1000, 10);
  chart.Scale1X().SetLogarithmic(true);
  EXPECT_EQ(chart.MapToPixel(1, 1, 0).x, 80);
  EXPECT_EQ(chart.MapToPixel(1, 1000, 0).x, 556);
  EXPECT_EQ(chart.MapToPixel(1, std::sqrt(1000.0), 0).x, 318);
  EXPECT_NEAR(chart.MapToData(1, 556, 0).x, 1000, 1e-9);
  chart.SetRange(1, 0, 1, 100, 10);  // an end at 0 is not taken
  EXPECT_EQ(chart.Scale1X().RangeLow(), 1);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 100);
  EXPECT_EQ(chart.MapToPixel(1, 0, 0).x, 0);  // at or below the floor: the control's edge
  chart.SetRange(1, 100, 1, 1, 10);
  EXPECT_EQ(chart.MapToPixel(1, -5, 0).x, 577);
  chart.Scale1Y().SetLogarithmic(true);
  EXPECT_EQ(chart.MapToPixel(1, 10, 0).y, 361);
}

// A trend window moves one layer per sample; whatever changes the other layers or the area
// in between must still reach their mappings.
TEST_F(MainWindowChart, MappingsFollowEveryChangeWhileOneLayerSlides) {
  chart.SetRange(2, 0, -5, 1000, 5);
  const auto slide = [&](int32_t layer) {
    const TScalePropsHoriz& x = chart.ScaleX(layer);
    chart.SetRange(layer, x.RangeLow() + 1, chart.ScaleY(layer).RangeLow(), x.RangeHigh() + 1,
                   chart.ScaleY(layer).RangeHigh());
  };
  for (int i = 0; i < 10; ++i) slide(1);
  EXPECT_EQ(chart.MapToPixel(1, 10, 0), (TPoint{80, 315}));
  EXPECT_EQ(chart.MapToPixel(2, 0, -5), (TPoint{80, 315}));

  chart.Scale2X().SetRangeHigh(2000);  // through the block, between two slides
  slide(1);
  EXPECT_EQ(chart.MapToPixel(2, 2000, 5), (TPoint{556, 30}));
  EXPECT_EQ(chart.MapToPixel(1, 11, 10), (TPoint{80, 30}));

  chart.SetMarginLeft(100);
  slide(2);
  EXPECT_EQ(chart.MapToPixel(1, 11, 0).x, 100);
  EXPECT_EQ(chart.MapToPixel(2, 1, 0).x, 100);
  EXPECT_EQ(chart.MapToPixel(2, 2001, 0).x, 556);

  chart.Scale2Y().SetLogarithmic(true);  // refused while the range reaches below 0
  chart.SetRange(2, 1, 1, 2001, 100);
  chart.Scale2Y().SetLogarithmic(true);
  slide(1);
  EXPECT_EQ(chart.MapToPixel(2, 1, 10).y, 172);  // half way up, 172.5 rounded to even

  chart.BeginLoading();  // ranges set while the chart loads its settings
  chart.SetRange(1, 0, 0, 500, 10);
  chart.EndLoading();
  EXPECT_EQ(chart.MapToPixel(1, 500, 10), (TPoint{556, 30}));
}

TEST(CoordinateMapping, NegativeLogarithmicEndIsAnError) {
  TGChart chart;
  chart.BeginLoading();
  chart.Scale3Y().SetLogarithmic(true);  // taken while loading, with RangeLow 0
  EXPECT_TRUE(chart.Scale3Y().Logarithmic());
  try {
    chart.EndLoading();
    FAIL() << "no error";
  } catch (const EGChartError& e) {
    EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
  }
  // So do the repaint of the cleared suspension and the next range change, which
  // leaves painting as it was.
  EXPECT_THROW(chart.SetPaintSuspended(false), EGChartError);
  EXPECT_THROW(chart.SetRange(1, 0, 0, 5, 5), EGChartError);
  EXPECT_FALSE(chart.PaintSuspended());
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 5);
}

}  // namespace
