// The x axis "Zeit": samples placed at the seconds since Start at which their lines
// arrived, the Trend window in seconds, and the device's own timestamp in "Auto".

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "acquisition/acquisition.h"
#include "tests/acquisition/quiet_host.h"
#include "chart/gchart.h"

namespace {


using TClock = std::chrono::steady_clock;

double SecondsBetween(TClock::time_point from, TClock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

struct TimeAxis : testing::Test {
  TimeAxis() {
    chart.SetAutoRedraw(false);
    chart.SetAllocSize(110000);
    chart.SetPaintSuspended(false);
    chart.SetRange(0, 0, 0, 10, 10);
    state.Factor2 = 1;
    state.Xmax = 10;
  }
  void Start(int32_t mode, bool trend) {
    acquisition.SetChannelMode(mode);
    acquisition.SetTrendMode(trend);
    acquisition.BeginAcquisition();
    acquisition.BeginLineTimes();
  }
  void Receive(const std::string& bytes) {
    acquisition.Receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  // The x of each sample of layer 1, oldest first.
  std::vector<double> LayerOneX() const {
    std::vector<double> x;
    for (const TChartItem& i : chart.Items()) {
      if (i.Layer == 1) x.push_back(i.X2);
    }
    return x;
  }

  TGChart chart;
  TQuietHost host;
  TAcquisition acquisition{host, chart, '.'};
  TAcquisitionState& state = acquisition.State;
};

TEST_F(TimeAxis, SamplesStrictlyGrowWithinTheirBlocksArrival) {
  acquisition.SetTimeAxis(true, false);
  const TClock::time_point before = TClock::now();
  Start(2, false);
  const TClock::time_point after = TClock::now();
  // Blocks that end inside a line: a line belongs to the block that completes it.
  const std::vector<std::string> blocks{"1;2\r\n3;4\r\n5;", "6\r\n", "7;8\r\n9;1\r\n2;3\r\n4", ";5\r\n"};
  std::vector<size_t> linesBefore;
  std::vector<double> earliest, latest;  // bounds of each block's arrival since Start
  for (const std::string& block : blocks) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    linesBefore.push_back(LayerOneX().size());
    const TClock::time_point sent = TClock::now();
    Receive(block);
    const TClock::time_point done = TClock::now();
    earliest.push_back(SecondsBetween(after, sent));
    latest.push_back(SecondsBetween(before, done));
  }
  const std::vector<double> x = LayerOneX();
  ASSERT_EQ(x.size(), 7u);
  linesBefore.push_back(x.size());
  double previous = 0;
  for (size_t b = 0; b < blocks.size(); ++b) {
    for (size_t i = linesBefore[b]; i < linesBefore[b + 1]; ++i) {
      EXPECT_GT(x[i], previous) << "sample " << i + 1;
      if (b > 0) {
        EXPECT_GT(x[i], earliest[b - 1]) << "sample " << i + 1 << " before its block's predecessor";
      }
      EXPECT_LE(x[i], latest[b]) << "sample " << i + 1 << " after its block arrived";
      previous = x[i];
    }
  }
  // Each channel's segment starts where the sample before ended; the first from 0.
  EXPECT_EQ(chart.Items()[0].X, 0);
  EXPECT_EQ(chart.Items()[2].X, x[0]);
  EXPECT_EQ(chart.Items()[3].X, x[0]);
}

TEST_F(TimeAxis, TrendKeepsOnlyTheNewestXmaxSeconds) {
  acquisition.SetTimeAxis(true, false);
  acquisition.SetLineRate(100);
  state.Xmax = 2;
  Start(2, true);
  std::string lines;
  for (int n = 1; n <= 1000; ++n) lines += std::to_string(n % 7) + ";1\r\n";
  Receive(lines);
  const double newest = 10;  // 1000 lines at 100 per second
  EXPECT_DOUBLE_EQ(state.NewestX, newest);
  for (const int32_t layer : {1, 2}) {
    EXPECT_DOUBLE_EQ(chart.ScaleX(layer).RangeHigh(), newest + 0.04) << layer;
    EXPECT_DOUBLE_EQ(chart.ScaleX(layer).RangeLow(), newest + 0.04 - 2) << layer;
  }
  const double left = chart.ScaleX(1).RangeLow();
  int32_t perLayer[3] = {};
  for (const TChartItem& i : chart.Items()) {
    ASSERT_GT(i.X2, left) << "an item older than the window stayed";
    ++perLayer[i.Layer];
  }
  // The window's samples, 1.96 s at 100 per second, and the segment entering it.
  EXPECT_EQ(perLayer[1], 196);
  EXPECT_EQ(perLayer[2], 196);
  EXPECT_LE(chart.Items()[0].X, left);
}

TEST_F(TimeAxis, AutoTakesTheDevicesTimestampWhenAsked) {
  acquisition.SetChannelMode(kChannelModeAuto);
  acquisition.SetTimeAxis(true, true);
  acquisition.SetLineRate(1000);
  Start(kChannelModeAuto, false);
  // Arrival times until the device names its time field; then its milliseconds, where a
  // restarted device adds no time and a line without a stamp stays at the newest time.
  Receive("a:5\n");
  Receive("ms:20000,a:6\nms:20500,a:7\nms:100,a:8\na:9\nms:300,a:1\n");
  ASSERT_EQ(acquisition.TimeChannel(), 2);
  const std::vector<double> x = LayerOneX();
  const std::vector<double> expected{0.001, 0.001, 0.501, 0.501, 0.501, 0.701};
  ASSERT_EQ(x.size(), expected.size());
  for (size_t i = 0; i < x.size(); ++i) EXPECT_DOUBLE_EQ(x[i], expected[i]) << i;
  for (const TChartItem& i : chart.Items()) EXPECT_EQ(i.Layer, 1) << "the time channel is the axis, not a curve";
  ASSERT_EQ(acquisition.Legend().Entries.size(), 1u);

  acquisition.SetTimeAxis(true, false);  // the arrival times again: the field is a channel
  EXPECT_EQ(acquisition.TimeChannel(), 0);
  EXPECT_EQ(acquisition.Legend().Entries.size(), 2u);
}

}  // namespace
