#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

#include "chart/gchart.h"
#include "tests/chart/chart_fixture.h"
#include "tests/chart/recording_canvas.h"

using ::testing::ElementsAre;

namespace {

// Layer 1 of the main window's chart: x 0..1000 -> 80..556, y 0..10 -> 315..30. The
// grid is off, so that the painted calls are the items' alone.
struct ItemPainter : MainWindowChart {
  ItemPainter() { chart.SetGridStyle(gsNone); }
  // The items reach the chart as a session file holds them, as every kind but the
  // three of the drawing operations does.
  void Load(const std::vector<TChartItem>& items) {
    const auto path = std::filesystem::temp_directory_path() / ("tavolix_painter_" + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(items.data()), std::streamsize(items.size() * sizeof(TChartItem)));
    chart.LoadGraphFile(path.string(), false);
    std::filesystem::remove(path);
  }
  static TChartItem Item(TItemKind kind, double x, double y, double x2 = 0, double y2 = 0) {
    TChartItem item{};
    item.Kind = kind;
    item.Layer = 1;
    item.LineWidth = 1;
    item.Color = clBlue;
    item.FillColor = clRed;
    item.X = x, item.Y = y, item.X2 = x2, item.Y2 = y2;
    return item;
  }
  TRecordingCanvas Painted(bool mono = false, int x = 0, int y = 0) {
    TRecordingCanvas canvas;
    chart.PaintItems(canvas, x, y, mono, 0);
    return canvas;
  }
  // A control pixel in the chart-area bitmap.
  static TPoint InArea(TPoint p) { return {p.x - 80, p.y - 30}; }
  static std::vector<std::string> Strings(const std::vector<TCanvasCall>& calls) {
    std::vector<std::string> out;
    for (const TCanvasCall& c : calls) out.push_back(c.ToString());
    return out;
  }
};

TEST_F(ItemPainter, DrawToRunsBecomePolylinesOfAtMost200Points) {
  for (int i = 0; i < 450; ++i) chart.DrawTo(i, 5);
  const std::vector<TCanvasCall> lines = Painted().Named("Polyline");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].Points.size(), 200u);
  EXPECT_EQ(lines[1].Points.size(), 200u);
  EXPECT_EQ(lines[2].Points.size(), 53u);
  // The first item starts at the chart area's top-left corner; each later polyline
  // starts with the last point of the one before.
  EXPECT_EQ(lines[0].Points[0], (TPoint{0, 0}));
  EXPECT_EQ(lines[0].Points[1], InArea(chart.MapToPixel(1, 0, 5)));
  EXPECT_EQ(lines[1].Points[0], lines[0].Points[199]);
  EXPECT_EQ(lines[2].Points[0], lines[1].Points[199]);
  EXPECT_EQ(lines[2].Points[52], InArea(chart.MapToPixel(1, 449, 5)));
}

TEST_F(ItemPainter, ColourChangeEndsThePolylineAndAttributesAreSetOnlyWhenTheyChange) {
  chart.SetDataColor(clBlue);
  chart.MoveTo(0, 0);
  chart.DrawTo(100, 10);
  chart.DrawTo(200, 0);
  chart.SetDataColor(clMaroon);
  chart.DrawTo(300, 10);
  chart.Line(0, 5, 1000, 5);  // maroon again: no new pen colour
  chart.SetLineWidth(3);
  chart.Line(0, 6, 1000, 6);
  chart.Line(0, 7, 1000, 7);
  const TRecordingCanvas c = Painted();
  EXPECT_THAT(Strings(c.Named("Polyline")), ElementsAre("Polyline(0,285;48,0;95,285)", "Polyline(95,285;143,0)"));
  // ChartColor first, then the items' colours, then the frame's.
  EXPECT_THAT(Strings(c.Named("SetPenColor")),
              ElementsAre("SetPenColor(16777215)", "SetPenColor(16711680)", "SetPenColor(128)", "SetPenColor(0)"));
  // The chart's LineWidth (3 by now) to start with, the items' widths, 1 at the end.
  EXPECT_THAT(Strings(c.Named("SetPenWidth")),
              ElementsAre("SetPenWidth(3)", "SetPenWidth(1)", "SetPenWidth(3)", "SetPenWidth(1)"));
  EXPECT_EQ(c.Count("SetBrushColor"), 1u);  // the canvas held ChartColor already; the fill
}

TEST_F(ItemPainter, KindsDrawTheirFigures) {
  TChartItem arrow = Item(ikArrow, 0, 5, 500, 5);
  arrow.Size = 10;
  TChartItem open = arrow;
  open.Transparent = 1;
  TChartItem text = Item(ikText, 500, 5);
  text.Text[0] = 3;
  text.Text[1] = 'a', text.Text[2] = char(0xE4), text.Text[3] = char(0x80);  // a, a umlaut, euro sign
  text.Style = 1;
  TChartItem outside = Item(ikLine, 0, 0, 1000, 10);
  outside.Layer = 17;
  Load({arrow, open, Item(ikLine, 500, 5, 500.1, 5.01), Item(ikRect, 0, 0, 100, 1), text, outside});
  const TRecordingCanvas c = Painted();
  // Pointing right with Size 10: the head points 9 pixels back, 3 above and below.
  const TPoint tip = InArea(chart.MapToPixel(1, 500, 5));
  EXPECT_THAT(Strings(c.Named("Polygon")), ElementsAre("Polygon(238,142;229,139;229,145)"));
  EXPECT_EQ(tip, (TPoint{238, 142}));
  EXPECT_THAT(Strings(c.Named("LineTo")), ElementsAre("LineTo(238,142)", "LineTo(238,142)", "LineTo(229,139)",
                                                      "LineTo(229,145)", "LineTo(476,0)", "LineTo(476,285)",
                                                      "LineTo(0,285)", "LineTo(0,0)"));
  EXPECT_THAT(Strings(c.Named("SetPixel")), ElementsAre("SetPixel(238,142,16711680)"));  // the line's ends coincide
  EXPECT_THAT(Strings(c.Named("Rectangle")), ElementsAre("Rectangle(0,256,49,286)"));  // right and bottom edge in
  // Texts stay Windows-1252 bytes, anchored at their right end and centred in height.
  ASSERT_EQ(c.Count("TextOut"), 1u);
  EXPECT_EQ(c.Named("TextOut")[0].Text, "a\xE4\x80");
  EXPECT_EQ(c.Named("TextOut")[0].Args, (std::vector<int64_t>{238 - 18, 142 - 6}));
}

TEST_F(ItemPainter, FarPointsAreLimitedAndMonoModeDrawsBlackOnSilver) {
  chart.SetDataColor(clBlue);
  chart.Line(0, 5, 100000, 5);  // x = 100000 maps to 47680
  const TRecordingCanvas far = Painted(false, 7, 3);
  EXPECT_THAT(Strings(far.Named("LineTo")).front(), "LineTo(29927,145)");  // 30000 - MarginLeft + xOffset

  TChartItem rect = Item(ikRect, 0, 0, 100, 1);
  Load({Item(ikLine, 0, 1, 1000, 1), rect});
  const TRecordingCanvas mono = Painted(true);
  EXPECT_THAT(Strings(mono.Named("SetPenColor")), ElementsAre("SetPenColor(16777215)", "SetPenColor(0)"));
  EXPECT_THAT(Strings(mono.Named("SetBrushColor")),
              ElementsAre("SetBrushColor(255)", "SetBrushColor(12632256)"));  // a line's fill stays
}

TEST_F(ItemPainter, GridFollowsItsStepsAndTheScaleTicks) {
  chart.SetGridStyle(gsLines);
  chart.SetGridDx(250);
  chart.SetGridDy(-2.5);  // a negative step on a linear axis is its size
  TRecordingCanvas c = Painted();
  // x at 0, 250, 500, 750 from y 0 up to y 10; y at 0, 2.5, 5, 7.5 across.
  EXPECT_THAT(Strings(c.Named("LineTo")),
              ElementsAre("LineTo(0,0)", "LineTo(119,0)", "LineTo(238,0)", "LineTo(357,0)", "LineTo(476,285)",
                          "LineTo(476,214)", "LineTo(476,142)", "LineTo(476,71)", "LineTo(476,0)", "LineTo(476,285)",
                          "LineTo(0,285)", "LineTo(0,0)"));
  chart.SetGridStyle(gsPoints);
  EXPECT_EQ(Painted().Count("SetPixel"), 16u);
  // Not when the drawing starts elsewhere than at item 0.
  TRecordingCanvas later;
  chart.PaintItems(later, 0, 0, false, 5);
  EXPECT_EQ(later.Count("SetPixel"), 0u);
}

}  // namespace
