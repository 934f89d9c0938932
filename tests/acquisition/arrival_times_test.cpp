#include "acquisition/arrival_times.h"

#include <algorithm>
#include <string>

#include "acquisition/any_end_framing.h"
#include "acquisition/line_end_count.h"
#include "acquisition/line_framing.h"

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

namespace {

struct TLineCounter : TLineReceiver {
  int64_t Lines = 0;
  bool ProcessLine(std::string_view) override {
    ++Lines;
    return true;
  }
};

// The ends counted ahead of each block are the lines the framing then completes, however
// the stream is cut, also with a CR and its LF in different blocks.
TEST(LineEndCount, CountsWhatTheFramingCompletes) {
  const std::string stream = "1\r\n2\n3\r4\r\r\n\n5\r\n\r6\n";
  for (size_t cut = 1; cut < 6; ++cut) {
    TLineCounter crLfLines, anyLines;
    TLineFraming crLf(crLfLines);
    TAnyEndFraming any(anyLines);
    bool crLfAfterCr = false, anyAfterCr = false;
    for (size_t at = 0; at < stream.size(); at += cut) {
      const auto* block = reinterpret_cast<const uint8_t*>(stream.data() + at);
      const size_t count = std::min(cut, stream.size() - at);
      const int64_t crLfBefore = crLfLines.Lines, anyBefore = anyLines.Lines;
      const int64_t crLfEnds = CountCrLfEnds(block, count, crLfAfterCr);
      const int64_t anyEnds = CountAnyEnds(block, count, anyAfterCr);
      crLf.Feed(block, count);
      any.Feed(block, count);
      ASSERT_EQ(crLfEnds, crLfLines.Lines - crLfBefore) << "cut " << cut << " at " << at;
      ASSERT_EQ(anyEnds, anyLines.Lines - anyBefore) << "cut " << cut << " at " << at;
    }
  }
}

}  // namespace
