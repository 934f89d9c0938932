#include "tools/signal_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/sim_options.h"

namespace {

TSignalGenerator Wave(TWaveform wave, double period = 8, double shift = 0, uint64_t seed = 1) {
  return TSignalGenerator({wave, 2, 1, period, shift, seed});  // amplitude 2, offset 1
}

TEST(SignalGenerator, ShapesOverOnePeriod) {
  const float sine[] = {1, float(1 + std::sqrt(2.0)), 3, float(1 + std::sqrt(2.0)), 1, float(1 - std::sqrt(2.0)), -1};
  const float triangle[] = {1, 2, 3, 2, 1, 0, -1, 0};
  const float square[] = {3, 3, 3, 3, -1, -1, -1, -1};
  const float ramp[] = {-1, -0.5, 0, 0.5, 1, 1.5, 2, 2.5};
  for (int n = 0; n < 8; ++n) {
    if (n < 7) {
      EXPECT_NEAR(Wave(wfSine).Value(n), sine[n], 1e-6) << n;
    }
    EXPECT_EQ(Wave(wfTriangle).Value(n), triangle[n]) << n;
    EXPECT_EQ(Wave(wfSquare).Value(n), square[n]) << n;
    EXPECT_EQ(Wave(wfRamp).Value(n), ramp[n]) << n;
  }
  // Sample numbers far beyond any run still land on the right phase.
  EXPECT_EQ(Wave(wfSquare).Value(8'000'000'000'004), -1.0f);
  EXPECT_EQ(Wave(wfTriangle).Value(8'000'000'000'002), 3.0f);
}

TEST(SignalGenerator, PeriodShiftAndRange) {
  for (TWaveform wave : {wfSine, wfTriangle, wfSquare, wfRamp}) {
    for (double period : {1.0, 2.5, 7.0, 977.0}) {
      const auto g = Wave(wave, period);
      const auto ahead = Wave(wave, period, 25);
      const int64_t twoPeriods = std::lround(period * 2);
      for (int64_t n = 0; n < 3000; ++n) {
        ASSERT_EQ(g.Value(n), g.Value(n + twoPeriods)) << wave << " " << period << " " << n;
        ASSERT_EQ(ahead.Value(n), g.Value(n + 25)) << wave << " " << period << " " << n;
        ASSERT_TRUE(g.Value(n) >= -1 && g.Value(n) <= 3) << wave << " " << period << " " << n;
      }
    }
  }
}

TEST(SignalGenerator, NoiseIsUniformAndRepeatableBySeed) {
  double sum = 0;
  float low = 100, high = -100;
  int same = 0;
  constexpr int n = 100000;
  for (int i = 0; i < n; ++i) {
    const float v = Wave(wfNoise, 8, 0, 42).Value(i);
    ASSERT_EQ(v, Wave(wfNoise, 8, 0, 42).Value(i));
    same += v == Wave(wfNoise, 8, 0, 43).Value(i);
    sum += v;
    low = std::min(low, v);
    high = std::max(high, v);
  }
  EXPECT_TRUE(low >= -1 && low < -0.999) << low;
  EXPECT_TRUE(high <= 3 && high > 2.999) << high;
  EXPECT_NEAR(sum / n, 1, 0.02);
  EXPECT_LT(same, 10);
}

TEST(SignalGenerator, SecondChannelFromTheCommandLine) {
  const TSimOptions o = ParseSimOptions({"--wave", "noise", "--wave2", "square", "--period", "200", "--phase", "45"});
  EXPECT_EQ(ChannelSettings(o, 1).Shift, 0);
  EXPECT_EQ(ChannelSettings(o, 2).Shift, 25);
  EXPECT_EQ(ChannelSettings(o, 2).Wave, wfSquare);
  const TSimOptions noise = ParseSimOptions({"--wave", "noise", "--seed", "9"});
  EXPECT_EQ(ChannelSettings(noise, 1).Seed, 9u);
  // The second channel's noise is not a copy of the first's.
  EXPECT_NE(TSignalGenerator(ChannelSettings(noise, 1)).Value(0), TSignalGenerator(ChannelSettings(noise, 2)).Value(0));
}

}  // namespace
