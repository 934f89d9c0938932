#include <gtest/gtest.h>

#include <string>

#include "chart/gchart.h"
#include "chart_fixture.h"

namespace {

void ExpectRange(const TScaleProps& block, double low, double high) {
  EXPECT_DOUBLE_EQ(block.RangeLow(), low);
  EXPECT_DOUBLE_EQ(block.RangeHigh(), high);
}

TEST_F(MainWindowChart, SetRangeOfOneOrAllLayers) {
  chart.SetRange(2, -1, -2, 3, 4);
  ExpectRange(chart.Scale2X(), -1, 3);
  ExpectRange(chart.Scale2Y(), -2, 4);
  ExpectRange(chart.Scale1X(), 0, 1000);
  chart.SetRange(0, 5, 6, 7, 8);
  for (int32_t n = 1; n <= kNumLayers; ++n) ExpectRange(chart.ScaleY(n), 6, 8);
  for (int32_t bad : {-1, 17}) chart.SetRange(bad, 0, 0, 1, 1);
  ExpectRange(chart.ScaleX(16), 5, 7);
  EXPECT_EQ(Repaints(), 17);  // each layer's restore, none for the rejected layers
}

TEST_F(MainWindowChart, EqualEndsAreWidenedAndNarrowSpansIgnored) {
  chart.Scale1X().SetMinRange(1);
  chart.SetRange(1, 5, 0, 5, 10);
  ExpectRange(chart.Scale1X(), 4.5, 5.5);
  chart.SetRange(1, 5, 3, 6, 3);
  ExpectRange(chart.Scale1Y(), 3 - 0.5e-10, 3 + 0.5e-10);
  chart.Scale2X().SetRangeLow(1);
  chart.Scale2X().SetLogarithmic(true);
  chart.SetRange(2, 5, 0, 5, 1);
  ExpectRange(chart.Scale2X(), 5 / 1.1, 5 * 1.1);
  chart.SetRange(3, 0, 2, 1e-11, 3);  // below MinRange 1e-10 on x only
  ExpectRange(chart.Scale3X(), 0, 1);
  ExpectRange(chart.Scale3Y(), 2, 3);
}

TEST_F(MainWindowChart, SetRangeRepaintsOnceUnlessSuspended) {
  chart.SetRange(1, 1, 0, 1001, 10);
  EXPECT_EQ(Repaints(), 1);
  chart.SetPaintSuspended(true);
  chart.SetRange(1, 2, 0, 1002, 10);
  chart.SetRange(1, 3, 0, 1003, 10);
  EXPECT_EQ(Repaints(), 0);
  EXPECT_TRUE(chart.PaintSuspended());
  chart.SetPaintSuspended(false);
  EXPECT_EQ(Repaints(), 1);
  chart.SetPaintSuspended(false);
  EXPECT_EQ(Repaints(), 0);
  chart.SetAutoRedraw(true);
  chart.SetRange(1, 4, 0, 1004, 10);
  EXPECT_EQ(Repaints(), 2);
  chart.SetVisible(false);
  chart.SetRange(1, 5, 0, 1005, 10);
  EXPECT_EQ(Repaints(), 0);
  ExpectRange(chart.Scale1X(), 5, 1005);
  chart.SetVisible(true);
  chart.Scale1Y().SetCaption("Kanal 1");  // a block change: the restore, then the repaint
  EXPECT_EQ(Repaints(), 2);
}

TEST(LayerRanges, PaintingIsSuspendedUntilTheWidgetClearsIt) {
  TGChart chart;
  chart.SetRange(1, 0, 0, 10, 10);
  chart.Paint();
  EXPECT_EQ(chart.PaintCount(), 0);
  chart.SetPaintSuspended(false);
  EXPECT_EQ(chart.PaintCount(), 1);
  chart.BeginLoading();
  chart.SetRange(1, 0, 0, 20, 20);
  EXPECT_EQ(chart.PaintCount(), 1);
  chart.EndLoading();
  EXPECT_EQ(chart.PaintCount(), 2);
}

TEST_F(MainWindowChart, JointLayersFollowTheirController) {
  chart.SetRange(2, 0, 1, 50, 2);
  chart.SetLxControlledBy(2, 1);
  ExpectRange(chart.Scale2X(), 0, 1000);  // taken over at once
  ExpectRange(chart.Scale2Y(), 1, 2);
  chart.SetRange(1, 10, 0, 20, 5);
  ExpectRange(chart.Scale2X(), 10, 20);
  ExpectRange(chart.Scale2Y(), 1, 2);
  chart.SetRange(2, 30, 0, 40, 5);
  ExpectRange(chart.Scale2X(), 10, 20);
  ExpectRange(chart.Scale2Y(), 0, 5);
  chart.Scale1X().SetRangeHigh(30);  // block changes reach the followers too
  ExpectRange(chart.Scale2X(), 10, 30);
  chart.SetLxControlledBy(2, 2);
  chart.SetRange(2, 30, 0, 40, 5);
  ExpectRange(chart.Scale2X(), 30, 40);
}

TEST_F(MainWindowChart, JointLayerErrors) {
  const auto message = [&](int32_t layer, int32_t controller) -> std::string {
    try {
      chart.SetLxControlledBy(layer, controller);
    } catch (const EGChartError& e) {
      return e.what();
    }
    return "no error";
  };
  EXPECT_EQ(message(3, 17), "Destination layer 17 is out of range");
  EXPECT_EQ(message(3, 0), "Destination layer 0 is out of range");
  chart.SetLxControlledBy(1, 2);
  EXPECT_EQ(message(3, 1), "Destination layer 1 is already joined");
  EXPECT_EQ(chart.LxControlledBy(3), 3);
  chart.SetLxControlledBy(1, 1);
  chart.SetLxControlledBy(5, 3);
  chart.SetLxControlledBy(2, 3);
  EXPECT_EQ(message(3, 4), "Layer 3 is joined by other layers (2, 5)");
  EXPECT_EQ(chart.LxControlledBy(3), 3);
  chart.SetLyControlledBy(3, 4);  // the y axis has joints of its own
  EXPECT_EQ(chart.LyControlledBy(3), 4);
}

TEST_F(MainWindowChart, LayerMouseControl) {
  EXPECT_TRUE(chart.LayerMouseControl(1));
  EXPECT_FALSE(chart.LayerMouseControl(2));
  chart.SetLayerMouseControl(2, true);
  chart.SetLayerMouseControl(17, true);
  EXPECT_TRUE(chart.LayerMouseControl(2));
  EXPECT_FALSE(chart.LayerMouseControl(17));
}

TEST_F(MainWindowChart, IsometricGivesBothAxesTheSameScale) {
  const double half = 1000.0 * 286 / 477 / 2;  // (H + 1) / (W + 1) for 476 x 285 pixels
  chart.SetIsometric(true);
  ExpectRange(chart.Scale1Y(), 5 - half, 5 + half);
  EXPECT_EQ(Repaints(), 1);  // not one per block change
  chart.SetRange(1, 0, 0, 100, 10);
  ExpectRange(chart.Scale1Y(), 5 - half / 10, 5 + half / 10);
  chart.SetMarginTop(130);  // H = 185
  ExpectRange(chart.Scale1Y(), 5 - 100.0 * 186 / 477 / 2, 5 + 100.0 * 186 / 477 / 2);
  chart.SetIsometric(false);
  chart.SetRange(1, 0, 0, 100, 10);
  ExpectRange(chart.Scale1Y(), 0, 10);
}

}  // namespace
