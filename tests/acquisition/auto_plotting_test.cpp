// The "Auto" mode's plotting, and the word the fixed modes say when lines look like it.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "acquisition/acquisition.h"
#include "chart/gchart.h"

namespace {

class THost : public TAcquisitionHost {
 public:
  void ShowRawValues(std::string_view text) override { RawValues = text; }
  void ShowSampleCount(int64_t count) override { LastCount = count; }
  void SampleLimitReached() override { ++LimitReports; }
  bool ProcessMessages() override { return true; }
  void ShowSkippedLines(int64_t count) override { Skipped = count; }
  void ChannelsChanged() override { ++ChannelChanges; }
  void ShowFormatHint(std::string_view text) override { Hints.emplace_back(text); }
  std::string RawValues;
  int64_t LastCount = 0;
  int64_t Skipped = 0;
  int LimitReports = 0;
  int ChannelChanges = 0;
  std::vector<std::string> Hints;
};

using TSegment = std::array<double, 4>;

struct AutoPlotting : testing::Test {
  AutoPlotting() {
    chart.SetAutoRedraw(false);
    chart.SetAllocSize(110000);
    chart.SetPaintSuspended(false);
    chart.SetRange(0, 0, 0, 1000, 10);
    acquisition.SetChannelMode(kChannelModeAuto);
    acquisition.State.Xmax = 1000;
  }
  void Receive(const std::string& bytes) {
    acquisition.Receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  // The segments of one layer, oldest first.
  std::vector<TSegment> Segments(int32_t layer) const {
    std::vector<TSegment> out;
    for (const TChartItem& i : chart.Items()) {
      if (i.Layer == layer) out.push_back({i.X, i.Y, i.X2, i.Y2});
    }
    return out;
  }

  TGChart chart;
  THost host;
  TAcquisition acquisition{host, chart, ','};
};

TEST_F(AutoPlotting, NamedChannelsDrawAsTheTwoChannelModeDoes) {
  Receive("a:1.5,b:2\na:2.5,b:3\n");
  ASSERT_EQ(chart.NumItems(), 4);
  const TChartItem& first = chart.Items()[0];
  EXPECT_EQ(first.Kind, ikLine);
  EXPECT_EQ(first.Color, 0xFF0000u);
  EXPECT_EQ(chart.Items()[1].Color, 128u);
  EXPECT_EQ(Segments(1), (std::vector<TSegment>{{0, 1.5, 1, 1.5}, {1, 1.5, 2, 2.5}}));
  EXPECT_EQ(Segments(2), (std::vector<TSegment>{{0, 2, 1, 2}, {1, 2, 2, 3}}));
  EXPECT_EQ(host.LastCount, 2);
  EXPECT_EQ(host.RawValues, " 2,5   3");
  EXPECT_EQ(chart.CurrentLayer(), 1);
  ASSERT_EQ(acquisition.Legend().Entries.size(), 2u);
  EXPECT_EQ(acquisition.Legend().Entries[1].Name, "b");
}

TEST_F(AutoPlotting, ScalesPerChannelInSinglePrecision) {
  Receive("0.1,3\n");
  acquisition.Channels()[2].Factor = 0.1f;
  acquisition.Channels()[2].Offset = 1e-3f;
  Receive("0.1,3\n");
  EXPECT_EQ(chart.Items()[2].Y2, double(0.1f));
  EXPECT_EQ(chart.Items()[3].Y2, double(float(3.0 * double(0.1f) + double(1e-3f))));
}

TEST_F(AutoPlotting, GapsBreakTheCurveAndAbsentChannelsAreJoined) {
  Receive("1,10\n2,\n3,30\n");  // channel 2 has a gap on line 2
  EXPECT_EQ(Segments(2), (std::vector<TSegment>{{0, 10, 1, 10}, {2, 30, 3, 30}}));
  EXPECT_EQ(host.RawValues, " 3   30");
  Receive("x:5\nx:6\n");  // channels 1 and 2 absent: nothing drawn for them
  Receive("4,40\n");
  EXPECT_EQ(Segments(2).back(), (TSegment{3, 30, 6, 40}));
  EXPECT_EQ(Segments(3), (std::vector<TSegment>{{3, 5, 4, 5}, {4, 5, 5, 6}}));
  Receive("7,1e39\n");  // beyond single precision: a gap, not the end of the acquisition
  EXPECT_EQ(host.LastCount, 7);
  EXPECT_EQ(Segments(2).size(), 3u);
}

TEST_F(AutoPlotting, SkippedLinesAreCountedNotSamples) {
  Receive("Ready\r\nrst:0x1 (POWERON_RESET)\r\ntime,temp\r\n\r\n1,2\r\n");
  EXPECT_EQ(host.Skipped, 2);
  EXPECT_EQ(acquisition.LastSkippedLine(), "rst:0x1 (POWERON_RESET)");
  EXPECT_EQ(host.LastCount, 1);
  EXPECT_EQ(Segments(1), (std::vector<TSegment>{{0, 1, 1, 1}}));
  EXPECT_EQ(acquisition.Legend().Entries[0].Name, "time");
}

TEST_F(AutoPlotting, NormalLimitKeepsTheStoreAtMostFullWithTheChannelsSeen) {
  for (int i = 0; i < 25000; ++i) acquisition.ProcessLine("1 2 3 4");
  EXPECT_EQ(chart.NumItems(), kMaxNormalItems);
  EXPECT_EQ(host.LimitReports, 0);
  EXPECT_FALSE(acquisition.ProcessLine("1 2 3 4"));
  EXPECT_EQ(host.LimitReports, 1);
  EXPECT_EQ(host.LastCount, 25001);
  EXPECT_EQ(chart.NumItems(), kMaxNormalItems);
}

TEST_F(AutoPlotting, TrendSlidesEveryLayerTogether) {
  acquisition.State.TrendMode = true;
  for (int line = 1; line <= 1500; ++line) acquisition.ProcessLine(line % 2 ? "1,2,3" : "1,2");
  for (int32_t layer = 2; layer <= 3; ++layer) {
    EXPECT_EQ(chart.ScaleX(layer).RangeLow(), chart.Scale1X().RangeLow()) << layer;
    EXPECT_EQ(chart.ScaleY(layer).RangeHigh(), chart.Scale1Y().RangeHigh()) << layer;
  }
  EXPECT_EQ(chart.Scale1X().RangeLow(), 1500 - 981);
  // Every item still reaches into the window; none was dropped that did.
  EXPECT_GT(chart.Items()[0].X2, chart.Scale1X().RangeLow());
  EXPECT_EQ(Segments(1).size(), 981u);
  EXPECT_FALSE(chart.PaintSuspended());
}

TEST_F(AutoPlotting, ChannelModeJoinsAndFreesTheLayers) {
  Receive("1,2,3,4,5\n");
  EXPECT_EQ(chart.LyControlledBy(5), 1);
  EXPECT_EQ(chart.LyControlledBy(6), 6);  // no channel there
  acquisition.Channels()[2].Visible = false;
  acquisition.ChannelsEdited();
  EXPECT_FALSE(chart.LayerVisible(2));
  EXPECT_EQ(acquisition.Legend().Entries.size(), 4u);
  acquisition.SetChannelMode(2);
  EXPECT_EQ(chart.LyControlledBy(5), 5);
  EXPECT_TRUE(chart.LayerVisible(2));
  EXPECT_FALSE(chart.OnDataRendered);
}

struct FormatHint : AutoPlotting {
  FormatHint() { acquisition.SetChannelMode(1); }
};

TEST_F(FormatHint, LineFeedEndsAreToldOnceAndChangeNothing) {
  for (int i = 0; i < 10; ++i) Receive("1.5\n");
  ASSERT_EQ(host.Hints.size(), 1u);
  EXPECT_NE(host.Hints[0].find("nur mit LF"), std::string::npos);
  EXPECT_EQ(host.LastCount, 0);  // still no line in "1 Ch"
  acquisition.BeginAcquisition();
  Receive("1.5\r\n2\r3\n4\n5\n");  // a CR LF first: the board ends lines that way
  EXPECT_EQ(host.Hints.size(), 1u);
}

TEST_F(FormatHint, LinesOfOtherFormatsAreToldWhatTheyAre) {
  const std::pair<int32_t, const char*> cases[] = {
      {1, "1.5,2.5\r\n"}, {1, "1.5 2.5\r\n"}, {2, "1.5,2.5\r\n"}, {1, "temp:21.5\r\n"},
      {2, "4,75;3,5\r\n"}, {1, "4,75\r\n"},
  };
  const TFormatHint expected[] = {fhSeparators, fhSeparators, fhSeparators, fhNamedValues, fhDecimalComma,
                                  fhCommaBetweenDigits};
  for (size_t i = 0; i < std::size(cases); ++i) {
    acquisition.SetChannelMode(cases[i].first);
    acquisition.BeginAcquisition();
    host.Hints.clear();
    Receive(cases[i].second);
    Receive(cases[i].second);
    ASSERT_EQ(host.Hints.size(), 1u) << cases[i].second;
    EXPECT_EQ(host.Hints[0], FormatHintText(expected[i])) << cases[i].second;
  }
  for (const auto& [mode, line] : {std::pair{1, "1.5\r\n"}, std::pair{2, "1.5;2\r\n"}, std::pair{2, "-4E2 ; .5\r\n"}}) {
    acquisition.SetChannelMode(mode);
    acquisition.BeginAcquisition();
    host.Hints.clear();
    Receive(line);
    EXPECT_TRUE(host.Hints.empty()) << line;
  }
}

}  // namespace
