#include <gtest/gtest.h>

#include <string>

#include "acquisition/acquisition.h"
#include "chart/gchart.h"

namespace {

class THost : public TAcquisitionHost {
 public:
  void ShowRawValues(std::string_view) override {}
  void ShowSampleCount(int64_t count) override { LastCount = count; }
  void SampleLimitReached() override { ++LimitReports; }
  bool ProcessMessages() override {
    ++MessageRounds;
    return !StopInRound;
  }
  bool StopInRound = false;
  int64_t LastCount = 0;
  int LimitReports = 0;
  int MessageRounds = 0;
};

struct LivePlotting : testing::Test {
  LivePlotting() {
    chart.SetAutoRedraw(false);
    chart.SetAllocSize(110000);
    chart.SetPaintSuspended(false);
    chart.SetDataColor(0xFF0000);
    state.Factor2 = 1;
    state.Xmax = 1000;
    chart.SetRange(1, 0, 0, 1000, 10);
    chart.SetRange(2, 0, 0, 1000, 10);
  }
  void Lines(int64_t count, const char* text = "1") {
    for (int64_t i = 0; i < count; ++i) acquisition.ProcessLine(text);
  }
  const TChartItem& Item(int i) const { return chart.Items()[size_t(i)]; }

  TGChart chart;
  THost host;
  TAcquisition acquisition{host, chart, ','};
  TAcquisitionState& state = acquisition.State;
};

TEST_F(LivePlotting, OneChannelNormalChainsFromZero) {
  for (const char* v : {"5", "6", "7"}) acquisition.ProcessLine(v);
  ASSERT_EQ(chart.NumItems(), 3);
  EXPECT_EQ(Item(0).Kind, ikMoveTo);
  EXPECT_EQ(Item(0).X, 0);
  EXPECT_EQ(Item(0).Y, 5);
  EXPECT_EQ(Item(1).Kind, ikDrawTo);
  EXPECT_EQ(Item(1).X, 2);
  EXPECT_EQ(Item(1).Y, 6);
  EXPECT_EQ(Item(2).X, 3);
  EXPECT_EQ(Item(2).Y, 7);
  EXPECT_EQ(Item(2).Color, 0xFF0000u);
  EXPECT_EQ(host.MessageRounds, 3);
}

TEST_F(LivePlotting, TwoChannelFirstLineIsFlatSegmentPerLayer) {
  state.ChannelMode = 2;
  acquisition.ProcessLine("1;2");
  ASSERT_EQ(chart.NumItems(), 2);
  const TChartItem& a = Item(0);
  const TChartItem& b = Item(1);
  EXPECT_EQ(a.Kind, ikLine);
  EXPECT_EQ(a.Layer, 1);
  EXPECT_EQ(a.Color, 0xFF0000u);
  EXPECT_EQ((std::array{a.X, a.Y, a.X2, a.Y2}), (std::array{0.0, 1.0, 1.0, 1.0}));
  EXPECT_EQ(b.Layer, 2);
  EXPECT_EQ(b.Color, 128u);
  EXPECT_EQ((std::array{b.X, b.Y, b.X2, b.Y2}), (std::array{0.0, 2.0, 1.0, 2.0}));
  acquisition.ProcessLine("3;4");
  EXPECT_EQ((std::array{Item(2).X, Item(2).Y, Item(2).X2, Item(2).Y2}), (std::array{1.0, 1.0, 2.0, 3.0}));
  EXPECT_EQ(chart.CurrentLayer(), 1);
}

TEST_F(LivePlotting, NormalModeDrawsInGrowingBatches) {
  // UpdateGraph leaves LastDrawnIndex at the newest item: it tells which lines drew.
  auto drewAfterLine = [&](int64_t line) {
    Lines(line - state.SampleCount);
    return chart.LastDrawnIndex() == chart.NumItems() - 1;
  };
  EXPECT_TRUE(drewAfterLine(1));
  EXPECT_TRUE(drewAfterLine(999));
  EXPECT_TRUE(drewAfterLine(1000));
  EXPECT_FALSE(drewAfterLine(1001));
  EXPECT_TRUE(drewAfterLine(1002));
  EXPECT_TRUE(drewAfterLine(2005));
  EXPECT_FALSE(drewAfterLine(5049));
  EXPECT_TRUE(drewAfterLine(5050));
  EXPECT_FALSE(drewAfterLine(50200));
  EXPECT_TRUE(drewAfterLine(50400));
  EXPECT_FALSE(drewAfterLine(50401));
  EXPECT_TRUE(drewAfterLine(50800));
}

TEST_F(LivePlotting, SampleLimitStopsBeforePlotting) {
  state.ChannelMode = 2;
  state.MaxSamples = 50000;
  Lines(50000, "1;1");
  EXPECT_EQ(chart.NumItems(), 100000);
  EXPECT_EQ(host.LimitReports, 0);
  const int rounds = host.MessageRounds;
  EXPECT_FALSE(acquisition.ProcessLine("1;1"));
  EXPECT_EQ(host.LastCount, 50001);
  EXPECT_EQ(host.LimitReports, 1);
  EXPECT_EQ(chart.NumItems(), 100000);
  EXPECT_EQ(host.MessageRounds, rounds);
}

TEST_F(LivePlotting, AcquisitionStoppedInAMessageRoundTakesNoMoreOfTheBlock) {
  TLineFraming framing(acquisition);
  host.StopInRound = true;
  const std::string block = "1\r\n2\r\n3\r\n";
  framing.Feed(reinterpret_cast<const uint8_t*>(block.data()), block.size());
  EXPECT_EQ(host.LastCount, 1);
  EXPECT_EQ(chart.NumItems(), 1);
}

TEST_F(LivePlotting, TrendHasNoLimit) {
  state.TrendMode = true;
  state.MaxSamples = 10;
  Lines(100);
  EXPECT_EQ(host.LimitReports, 0);
  EXPECT_EQ(host.LastCount, 100);
}

TEST_F(LivePlotting, TrendFirstLineIsFlatSegmentPerLayer) {
  state.TrendMode = true;
  state.ChannelMode = 2;
  acquisition.ProcessLine("5;7");
  ASSERT_EQ(chart.NumItems(), 2);
  EXPECT_EQ((std::array{Item(0).X, Item(0).Y, Item(0).X2, Item(0).Y2}), (std::array{0.0, 5.0, 1.0, 5.0}));
  EXPECT_EQ((std::array{Item(1).X, Item(1).Y, Item(1).X2, Item(1).Y2}), (std::array{0.0, 7.0, 1.0, 7.0}));
}

TEST_F(LivePlotting, TrendWindowFillsThenSlides) {
  state.TrendMode = true;
  Lines(981);
  EXPECT_EQ(chart.NumItems(), 981);
  EXPECT_EQ(chart.Scale1X().RangeLow(), 0);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 1000);
  Lines(1);
  EXPECT_EQ(chart.NumItems(), 981);
  EXPECT_EQ(chart.Scale1X().RangeLow(), 1);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 1001);
  EXPECT_EQ(Item(980).X2, 982);  // the newest sample, 19 samples left of the right edge
  EXPECT_EQ(chart.Scale1Y().RangeHigh(), 10);
  EXPECT_FALSE(chart.PaintSuspended());
}

TEST_F(LivePlotting, TrendTwoChannelsKeepLayersTogether) {
  state.TrendMode = true;
  state.ChannelMode = 2;
  for (int line = 1; line <= 1500; ++line) {
    acquisition.ProcessLine("1;2");
    if (line < 982) continue;
    ASSERT_EQ(chart.Scale1X().RangeLow(), chart.Scale2X().RangeLow()) << line;
    ASSERT_EQ(chart.Scale1X().RangeHigh(), chart.Scale2X().RangeHigh()) << line;
  }
  int layer1 = 0;
  for (const TChartItem& item : chart.Items()) layer1 += item.Layer == 1;
  EXPECT_EQ(layer1, 981);
  EXPECT_EQ(chart.NumItems(), 2 * 981);
  EXPECT_EQ(chart.Scale2X().RangeLow(), 1500 - 981);
}

}  // namespace
