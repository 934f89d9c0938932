#include <gtest/gtest.h>

#include "chart/gchart.h"
#include "chart_fixture.h"

namespace {

TEST(ChartGeometry, StandardLayoutPresets) {
  TGChart chart;
  EXPECT_EQ(chart.MarginLeft(), 50);  // gcl_X1Bottom_Y1Left at creation
  EXPECT_EQ(chart.MarginTop(), 20);
  EXPECT_EQ(chart.CaptionPosY(), -16);
  chart.SetStandardLayout(gcl_X2Both_Y2Both);
  EXPECT_EQ(chart.MarginLeft(), 50);
  EXPECT_EQ(chart.MarginRight(), 50);
  EXPECT_EQ(chart.MarginTop(), 48);
  EXPECT_EQ(chart.MarginBottom(), 40);
  EXPECT_EQ(chart.CaptionPosY(), -46);
  EXPECT_EQ(chart.CaptionAlignment(), taCenter);
  EXPECT_EQ(chart.CaptionAnchorHoriz(), cahChartCenter);
  chart.SetStandardLayout(gcl_X2Bottom_Y2Left);
  EXPECT_EQ(chart.MarginLeft(), 100);
  EXPECT_EQ(chart.MarginBottom(), 70);
  chart.SetStandardLayout(TStandardLayout(7));  // no such preset
  EXPECT_EQ(chart.StandardLayout(), gcl_X2Bottom_Y2Left);
}

TEST_F(MainWindowChart, MarginsAliasesAndShadow) {
  chart.SetAutoRedraw(true);
  chart.SetStandardLayout(gcl_X1Bottom_Y4Left);
  EXPECT_EQ(Repaints(), 1);  // once, at the end
  chart.SetLRim(160);
  EXPECT_EQ(Repaints(), 1);
  EXPECT_EQ(chart.MarginLeft(), 160);
  EXPECT_EQ(chart.MapToPixel(1, 0, 0).x, 160);  // the mapping follows at once
  chart.SetRRim(1);
  chart.SetBRim(3);
  EXPECT_EQ(chart.MarginRight(), 1);
  chart.SetShadowWidth(-4);
  EXPECT_EQ(chart.ShadowWidth(), 0);
  chart.SetShadowWidth(40);
  EXPECT_EQ(chart.ShadowWidth(), 32);
  EXPECT_EQ(chart.MapToPixel(1, 1000, 0), (TPoint{577 - 1 - 32, 361 - 3 - 32}));
}

TEST_F(MainWindowChart, ResizeKeepsAMinimumAndDoesNotRepaint) {
  chart.Resize(10, 10);
  EXPECT_EQ(chart.Width(), 80 + 20 + 1 + 80);
  EXPECT_EQ(chart.Height(), 30 + 45 + 1 + 20);
  EXPECT_EQ(Repaints(), 0);
  EXPECT_FALSE(chart.PaintSuspended());
  chart.Resize(1001, 500);
  EXPECT_EQ(chart.MapToPixel(1, 1000, 10), (TPoint{1001 - 21, 30}));
  chart.SetPaintSuspended(true);
  chart.Resize(700, 500);
  EXPECT_TRUE(chart.PaintSuspended());
}

TEST_F(MainWindowChart, ExtremeMarginsDoNotOverflow) {
  chart.SetMarginRight(-2147483647 - 1);
  chart.SetMarginBottom(2147483647);
  EXPECT_EQ(chart.ChartArea().Right, 2147483647);
  EXPECT_EQ(chart.ChartArea().Bottom, 361 - 2147483647 - 1);
  chart.Resize(0, 0);
  EXPECT_EQ(chart.Width(), 0);
  EXPECT_EQ(chart.Height(), 2147483647);
  EXPECT_EQ(chart.MapToPixel(1, 5, 5).y, 1073741824);  // no extent: the middle, rounded to even
}

}  // namespace
