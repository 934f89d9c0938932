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
  ASSERT_EQ(chart.NumItems(), 1);
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
  chart.RemoveItem(0);  // slot 1 now holds a copy of the last record
  chart.SetFillColor(0xABCDEF);
  chart.MoveTo(5, 6);
  const TChartItem& item = chart.Items()[1];
  EXPECT_EQ(item.Kind, ikMoveTo);
  EXPECT_EQ(item.FillColor, 0x123456u);
  EXPECT_EQ(item.X, 5);
  EXPECT_EQ(item.Y, 6);
  chart.DrawTo(7, 8);
  EXPECT_EQ(chart.Items()[2].FillColor, 0xABCDEFu);
  EXPECT_EQ(chart.Items()[2].Kind, ikDrawTo);
}

TEST(DrawingOps, AttributesAndTheirLimits) {
  TGChart chart;
  EXPECT_EQ(chart.DataColor(), 0u);
  EXPECT_EQ(chart.FillColor(), 0xC0C0C0u);
  EXPECT_EQ(chart.PenStyle(), psSolid);
  EXPECT_EQ(chart.LineWidth(), 1);
  EXPECT_EQ(chart.CurrentLayer(), 1);
  chart.SetCurrentLayer(0);
  chart.SetCurrentLayer(17);
  EXPECT_EQ(chart.CurrentLayer(), 1);
  chart.SetCurrentLayer(16);
  EXPECT_EQ(chart.CurrentLayer(), 16);
  chart.SetClassDefault(254);
  chart.SetClassDefault(255);
  EXPECT_EQ(chart.ClassDefault(), 254);
  EXPECT_EQ(chart.AllocSize(), 1000);
  for (int32_t bad : {0, -1, 1000001}) chart.SetAllocSize(bad);
  EXPECT_EQ(chart.AllocSize(), 1000);
  chart.SetAllocSize(1000000);
  EXPECT_EQ(chart.AllocSize(), 1000000);
  chart.SetAllocSize(1);
  EXPECT_EQ(chart.AllocSize(), 1);
  chart.SetLineWidth(200);
  chart.MoveTo(0, 0);
  EXPECT_EQ(chart.Items()[0].LineWidth, 200);  // the byte is zero-extended
}

TEST(DrawingOps, CountersFollowAppendRemoveAndClear) {
  TGChart chart;
  chart.MoveTo(0, 0);
  chart.DrawTo(1, 1);
  chart.DrawTo(2, 2);
  EXPECT_EQ(chart.ItemCountOfKind(ikMoveTo), 1);
  EXPECT_EQ(chart.ItemCountOfKind(ikDrawTo), 2);
  chart.RemoveFirstItem();
  EXPECT_EQ(chart.ItemCountOfKind(ikMoveTo), 0);
  EXPECT_EQ(chart.ItemCountOfKind(ikDrawTo), 2);
  EXPECT_EQ(chart.Items()[0].X, 1);
  chart.ClearGraph();
  EXPECT_EQ(chart.NumItems(), 0);
  EXPECT_EQ(chart.Capacity(), 0);
  EXPECT_EQ(chart.LastDrawnIndex(), 0);
  EXPECT_EQ(chart.ItemCountOfKind(ikDrawTo), 0);
  chart.Line(0, 0, 1, 1);
  EXPECT_EQ(chart.Capacity(), 1000);
  EXPECT_EQ(chart.ItemCountOfKind(ikLine), 1);
}

TEST(DrawingOps, ClearGraphKeepsAttributesAndLayer) {
  TGChart chart;
  chart.SetCurrentLayer(3);
  chart.SetDataColor(clBlue);
  chart.MoveTo(0, 0);
  chart.ClearGraph();
  EXPECT_EQ(chart.CurrentLayer(), 3);
  EXPECT_EQ(chart.DataColor(), clBlue);
}

TEST(DrawingOps, VisibilityFlagsAndForeignLayers) {
  TGChart chart;
  TChartItem item{};
  item.Layer = 1;
  EXPECT_TRUE(chart.ItemVisible(item));
  chart.SetLayerVisible(1, false);
  EXPECT_FALSE(chart.ItemVisible(item));
  item.Layer = 16;
  EXPECT_TRUE(chart.ItemVisible(item));
  item.Class = 200;
  chart.SetClassVisible(200, false);
  EXPECT_FALSE(chart.ItemVisible(item));
  item.Class = 0;
  for (int32_t foreign : {0, 17, -1, 1 << 30}) {
    item.Layer = foreign;
    EXPECT_FALSE(chart.ItemVisible(item)) << foreign;
  }
  chart.SetLayerVisible(17, false);  // ignored, and does not touch another flag
  EXPECT_TRUE(chart.LayerVisible(16));
}

TEST_F(MainWindowChart, ItemOperationsNeverRepaint) {
  chart.SetAutoRedraw(true);
  Repaints();
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
