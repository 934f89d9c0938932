#include "acquisition/arrival_times.h"

#include <gtest/gtest.h>

namespace {

TEST(ArrivalTimes, ABlocksLinesShareTheTimeSinceTheBlockBefore) {
  TArrivalTimes t;
  t.Restart();
  t.BeginBlock(0.010, 2);
  EXPECT_DOUBLE_EQ(t.NextLine(), 0.005);
  EXPECT_DOUBLE_EQ(t.NextLine(), 0.010);
  t.BeginBlock(0.020, 0);  // a block that completed no line
  t.BeginBlock(0.050, 3);
  EXPECT_DOUBLE_EQ(t.NextLine(), 0.030);
  EXPECT_DOUBLE_EQ(t.NextLine(), 0.040);
  EXPECT_DOUBLE_EQ(t.NextLine(), 0.050);
  t.Restart();
  t.BeginBlock(1.0, 1);
  EXPECT_DOUBLE_EQ(t.NextLine(), 1.0);
}

TEST(ArrivalTimes, TimesStrictlyGrowWithinTheBlocksWhateverTheClockSays) {
  TArrivalTimes t;
  t.Restart();
  // Equal readings, a reading that steps back, and lines packed closer than a double
  // can part at one second.
  const double arrivals[] = {1.0, 1.0, 0.9, 1.0 + 1e-15, 2.0};
  const int64_t lines[] = {3, 4, 2, 1000, 5};
  double previous = 0;
  double blockStart = 0;
  for (size_t b = 0; b < std::size(arrivals); ++b) {
    t.BeginBlock(arrivals[b], lines[b]);
    const double blockEnd = std::max(arrivals[b], blockStart);
    for (int64_t i = 0; i < lines[b]; ++i) {
      const double x = t.NextLine();
      ASSERT_GT(x, previous) << "block " << b << " line " << i;
      // Within the block's interval, but for the nudges that equal readings need.
      ASSERT_LE(x, blockEnd + 1e-9);
      ASSERT_GE(x, blockStart);
      previous = x;
    }
    blockStart = blockEnd;
  }
}

TEST(ArrivalTimes, AReplayRateSetsEveryLinesTime) {
  TArrivalTimes t;
  t.SetLineRate(1000);
  t.Restart();
  t.BeginBlock(123.0, 2);
  EXPECT_DOUBLE_EQ(t.NextLine(), 0.001);
  EXPECT_DOUBLE_EQ(t.NextLine(), 0.002);
  t.BeginBlock(0, 1);
  EXPECT_DOUBLE_EQ(t.NextLine(), 0.003);
}

}  // namespace
