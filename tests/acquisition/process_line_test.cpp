#include "acquisition/acquisition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "acquisition/sample_scaling.h"
#include "chart/gchart.h"

namespace {

class THostRecorder : public TAcquisitionHost {
 public:
  void ShowRawValues(std::string_view text) override { RawValues.emplace_back(text); }
  void ShowSampleCount(int64_t) override {}
  void SampleLimitReached() override {}
  bool ProcessMessages() override { return true; }
  std::vector<std::string> RawValues;
};

struct ProcessLine : testing::Test {
  THostRecorder host;
  TGChart chart;
  TAcquisition acquisition{host, chart, ','};
  TAcquisitionState& state = acquisition.State;
};

TEST_F(ProcessLine, OneChannelReadsTrimsAndShows) {
  acquisition.ProcessLine("1.5");
  EXPECT_EQ(state.SampleCount, 1);
  EXPECT_EQ(state.Value1, 1.5f);
  EXPECT_EQ(host.RawValues.back(), " 1,5");
  acquisition.ProcessLine(" \t 2.25\r \t");
  EXPECT_EQ(state.Value1, 2.25f);
  acquisition.ProcessLine("3,14");
  EXPECT_EQ(state.Value1, 3.0f);
  acquisition.ProcessLine("abc");
  EXPECT_EQ(state.Value1, 0.0f);
  EXPECT_EQ(host.RawValues.back(), " 0");
  EXPECT_EQ(state.SampleCount, 4);
}

TEST_F(ProcessLine, ScalingRoundsSingleOperandsOnce) {
  state.Factor1 = 0.1f;
  state.Offset1 = 1e-3f;
  acquisition.ProcessLine("3");
  EXPECT_EQ(state.RawValue, 3.0f);
  EXPECT_EQ(state.Value1, float(3.0 * double(0.1f) + double(1e-3f)));
  acquisition.ProcessLine("0.1");
  EXPECT_EQ(state.RawValue, 0.1f);  // rounded to single when stored
}

TEST_F(ProcessLine, OneChannelShowsSingleApproximation) {
  acquisition.ProcessLine("0.1");
  EXPECT_EQ(host.RawValues.back(), " 0,100000001490116");
}

TEST_F(ProcessLine, EmptyLineGivesTheOffset) {
  state.Offset1 = 4;
  acquisition.ProcessLine("");
  EXPECT_EQ(state.Value1, 4.0f);
}

TEST_F(ProcessLine, TwoChannelsSplitAtFirstSemicolon) {
  state.ChannelMode = 2;
  state.Factor1 = 2;
  state.Factor2 = 10;
  state.Offset2 = 1;
  acquisition.ProcessLine("1.0;2.0");
  EXPECT_EQ(state.Value1, 2.0f);
  EXPECT_EQ(state.Value2, 21.0f);
  EXPECT_EQ(host.RawValues.back(), " 2      21");

  acquisition.ProcessLine("5");  // no semicolon: channel 1 gets its offset
  EXPECT_EQ(state.Value1, 0.0f);
  EXPECT_EQ(state.Value2, 51.0f);

  acquisition.ProcessLine("1;2;3");
  EXPECT_EQ(state.Value2, 21.0f);

  acquisition.ProcessLine(" 4 ; 0.5\r");
  EXPECT_EQ(state.Value1, 8.0f);
  EXPECT_EQ(state.Value2, 6.0f);

  acquisition.ProcessLine(";");
  EXPECT_EQ(state.Value1, 0.0f);
  EXPECT_EQ(state.Value2, 1.0f);
}

TEST_F(ProcessLine, TwoChannelSecondFieldEndsAtNul) {
  state.ChannelMode = 2;
  state.Factor1 = state.Factor2 = 1;
  acquisition.ProcessLine(std::string("1;2\0" "9", 5));
  EXPECT_EQ(state.Value2, 2.0f);
  acquisition.ProcessLine(std::string("7\0;3", 4));  // the semicolon lies past the NUL
  EXPECT_EQ(state.Value1, 7.0f);
  EXPECT_EQ(state.Value2, 0.0f);
}

TEST_F(ProcessLine, OneChannelKeepsValue2) {
  state.ChannelMode = 2;
  state.Factor2 = 1;
  acquisition.ProcessLine("1;9");
  state.ChannelMode = 1;
  acquisition.ProcessLine("3");
  EXPECT_EQ(state.Value2, 9.0f);
  EXPECT_EQ(host.RawValues.back(), " 3");
}

TEST_F(ProcessLine, OverflowIsCountedNotShownAndLeaves) {
  EXPECT_THROW(acquisition.ProcessLine("1e39"), EOverflow);
  EXPECT_EQ(state.SampleCount, 1);
  EXPECT_TRUE(host.RawValues.empty());

  state.Factor1 = 1e30f;  // the number fits, the scaled value does not
  try {
    acquisition.ProcessLine("1e10");
    FAIL() << "no overflow";
  } catch (const EOverflow& e) {
    EXPECT_STREQ(e.what(), "Gleitkommaüberlauf");
  }
  EXPECT_EQ(state.SampleCount, 2);
  EXPECT_TRUE(host.RawValues.empty());

  state.Factor1 = 1;
  acquisition.ProcessLine("3.4028234e38");  // FLT_MAX itself still fits
  EXPECT_EQ(state.Value1, 3.4028234e38f);
}

TEST_F(ProcessLine, TwoChannelOverflowInSecondFieldKeepsFirst) {
  state.ChannelMode = 2;
  state.Factor1 = state.Factor2 = 1;
  EXPECT_THROW(acquisition.ProcessLine("6;1e40"), EOverflow);
  EXPECT_EQ(state.Value1, 6.0f);
  EXPECT_TRUE(host.RawValues.empty());
}

TEST_F(ProcessLine, OverflowLineDoesNotPoisonTheNext) {
  TLineFraming framing(acquisition);
  const std::string bad = "1e39\r\n2\r\n";
  EXPECT_THROW(framing.Feed(reinterpret_cast<const uint8_t*>(bad.data()), bad.size()), EOverflow);
  EXPECT_EQ(state.SampleCount, 1);  // the rest of the block is not framed
  framing.Feed(reinterpret_cast<const uint8_t*>("5\r\n"), 3);
  EXPECT_EQ(state.Value1, 5.0f);
}

}  // namespace
