#include <gtest/gtest.h>

#include "chart/gchart.h"
#include "chart_fixture.h"

namespace {

TEST(DrawingOps, LineWritesEveryFieldOfItsKind) {
  TGChart chart;
  chart.SetDataColor(128);
  chart.SetFillColor(0xC0C0C0);
  chart.SetPenStyle(psDash);
  chart.SetLineWidth(3);
  chart.SetCurrentLayer(2);
  chart.SetClassDefault(7);
  chart.Line(1, 2, 3, 4);
  const TChartItem& item = chart.Items()[0];
  EXPECT_EQ(item.X, 1);
  EXPECT_EQ(item.Y, 2);
  EXPECT_EQ(item.X2, 3);
  EXPECT_EQ(item.Y2, 4);
  EXPECT_EQ(item.Color, 128u);
  EXPECT_EQ(item.FillColor, 0xC0C0C0u);
  EXPECT_EQ(item.PenStyle, 1);
  EXPECT_EQ(item.Reserved52, 0);
  EXPECT_EQ(item.LineWidth, 3);
  EXPECT_EQ(item.Class, 7);
  EXPECT_EQ(item.Kind, ikLine);
  EXPECT_EQ(item.Layer, 2);
}

TEST(DrawingOps, MoveToLeavesTheSlotsFillColor) {
  TGChart chart;
  chart.SetFillColor(0x123456);
  chart.DrawTo(1, 1);
  chart.DrawTo(2, 2);
  chart.RemoveFirstItem();  // slot 1 keeps a copy of the former last record
  chart.SetFillColor(0xABCDEF);
  chart.MoveTo(5, 6);
  chart.DrawTo(7, 8);
  EXPECT_EQ(chart.Items()[1].Kind, ikMoveTo);
  EXPECT_EQ(chart.Items()[1].FillColor, 0x123456u);
  EXPECT_EQ(chart.Items()[1].Y, 6);
  EXPECT_EQ(chart.Items()[2].FillColor, 0xABCDEFu);
  EXPECT_EQ(chart.ItemCountOfKind(ikDrawTo), 2);
  EXPECT_EQ(chart.ItemCountOfKind(ikMoveTo), 1);
}

TEST(DrawingOps, AttributeLimits) {
  TGChart chart;
  chart.SetCurrentLayer(0);
  chart.SetCurrentLayer(17);
  EXPECT_EQ(chart.CurrentLayer(), 1);
  chart.SetCurrentLayer(16);
  EXPECT_EQ(chart.CurrentLayer(), 16);
  chart.SetClassDefault(254);
  chart.SetClassDefault(255);
  EXPECT_EQ(chart.ClassDefault(), 254);
  for (int32_t bad : {0, -1, 1000001}) chart.SetAllocSize(bad);
  EXPECT_EQ(chart.AllocSize(), 1000);
  chart.SetAllocSize(1000000);
  EXPECT_EQ(chart.AllocSize(), 1000000);
  chart.SetLineWidth(200);
  chart.MoveTo(0, 0);
  EXPECT_EQ(chart.Items()[0].LineWidth, 200);  // zero-extended
  chart.ClearGraph();
  EXPECT_EQ(chart.CurrentLayer(), 16);
  chart.SetAllocSize(5);
  chart.DrawTo(1, 1);
  EXPECT_EQ(chart.Capacity(), 5);
}

TEST(DrawingOps, ForeignLayersAreNeverVisible) {
  TGChart chart;
  TChartItem item{};
  for (int32_t foreign : {0, 17, -1, 1 << 30}) {
    item.Layer = foreign;
    EXPECT_FALSE(chart.ItemVisible(item)) << foreign;
  }
  item.Layer = 16;
  EXPECT_TRUE(chart.ItemVisible(item));
  chart.SetLayerVisible(16, false);
  EXPECT_FALSE(chart.ItemVisible(item));
  item.Layer = 1;
  item.Class = 200;
  chart.SetClassVisible(200, false);
  EXPECT_FALSE(chart.ItemVisible(item));
}

TEST_F(MainWindowChart, ItemOperationsNeverRepaint) {
  chart.SetAutoRedraw(true);
  chart.MoveTo(0, 0);
  chart.DrawTo(1, 1);
  chart.Line(0, 0, 1, 1);
  chart.RemoveFirstItem();
  chart.ClearGraph();
  EXPECT_EQ(Repaints(), 0);
  chart.SetCurrentLayer(2);
  EXPECT_EQ(Repaints(), 1);
  chart.SetAutoRedraw(false);
  chart.SetCurrentLayer(1);
  EXPECT_EQ(Repaints(), 0);
}

}  // namespace
