#include "tools/signal_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "tools/sim_options.h"

namespace {

TSignalGenerator Wave(TWaveform wave, double amplitude = 2, double offset = 1, double period = 8, double shift = 0,
                      uint64_t seed = 1) {
  return TSignalGenerator({wave, amplitude, offset, period, shift, seed});
}

TEST(SignalGenerator, ShapesOverOnePeriod) {
  const auto sine = Wave(wfSine);
  EXPECT_EQ(sine.Value(0), 1.0f);
  EXPECT_EQ(sine.Value(2), 3.0f);
  EXPECT_NEAR(sine.Value(4), 1.0f, 1e-6);
  EXPECT_EQ(sine.Value(6), -1.0f);
  EXPECT_FLOAT_EQ(sine.Value(1), float(1 + 2 * std::sqrt(0.5)));

  const auto triangle = Wave(wfTriangle);
  const float triangleValues[] = {1, 2, 3, 2, 1, 0, -1, 0};
  for (int n = 0; n < 8; ++n) EXPECT_EQ(triangle.Value(n), triangleValues[n]) << n;

  const auto square = Wave(wfSquare);
  for (int n = 0; n < 8; ++n) EXPECT_EQ(square.Value(n), n < 4 ? 3.0f : -1.0f) << n;

  const auto ramp = Wave(wfRamp);
  for (int n = 0; n < 8; ++n) EXPECT_EQ(ramp.Value(n), float(1 + 2 * (n / 4.0 - 1))) << n;
}

TEST(SignalGenerator, RepeatsEveryPeriodAndStaysInItsRange) {
  for (TWaveform wave : {wfSine, wfTriangle, wfSquare, wfRamp}) {
    for (double period : {1.0, 2.5, 7.0, 100.0, 977.0}) {
      const auto g = Wave(wave, 10, -3, period);
      const int64_t whole = std::lround(period * 2);  // 2 periods are a whole number of samples here
      for (int64_t n = 0; n < 3000; ++n) {
        ASSERT_EQ(g.Value(n), g.Value(n + whole)) << wave << " " << period << " " << n;
        ASSERT_GE(g.Value(n), -13.0f);
        ASSERT_LE(g.Value(n), 7.0f);
      }
    }
  }
  // Sample counts far beyond any run still land on the right phase.
  EXPECT_EQ(Wave(wfSquare).Value(8'000'000'000'004), -1.0f);
  EXPECT_EQ(Wave(wfTriangle).Value(8'000'000'000'002), 3.0f);
}

TEST(SignalGenerator, ShiftMovesTheShapeAlongTheSamples) {
  for (TWaveform wave : {wfSine, wfTriangle, wfSquare, wfRamp}) {
    const auto base = Wave(wave, 2, 1, 100);
    const auto ahead = Wave(wave, 2, 1, 100, 25);
    const auto behind = Wave(wave, 2, 1, 100, -30);
    for (int64_t n = 30; n < 300; ++n) {
      ASSERT_EQ(ahead.Value(n), base.Value(n + 25)) << wave << " " << n;
      ASSERT_EQ(behind.Value(n), base.Value(n - 30)) << wave << " " << n;
    }
  }
}

TEST(SignalGenerator, NoiseIsUniformAndRepeatableBySeed) {
  const auto a = Wave(wfNoise, 4, 10, 8, 0, 42);
  const auto same = Wave(wfNoise, 4, 10, 8, 0, 42);
  const auto other = Wave(wfNoise, 4, 10, 8, 0, 43);
  double sum = 0;
  float low = 100, high = -100;
  int differ = 0;
  constexpr int n = 100000;
  for (int i = 0; i < n; ++i) {
    const float v = a.Value(i);
    ASSERT_EQ(v, same.Value(i));
    differ += v != other.Value(i);
    sum += v;
    low = std::min(low, v);
    high = std::max(high, v);
  }
  EXPECT_GE(low, 6.0f);
  EXPECT_LE(high, 14.0f);
  EXPECT_LT(low, 6.01f);
  EXPECT_GT(high, 13.99f);
  EXPECT_NEAR(sum / n, 10, 0.05);
  EXPECT_GT(differ, n - 10);
}

TEST(SignalGenerator, ChannelSettingsFromTheCommandLine) {
  const TSimOptions o = ParseSimOptions({"--wave", "triangle", "--period", "200", "--phase", "45", "--amplitude",
                                         "3", "--offset", "-1", "--seed", "9"});
  const TSignalSettings one = ChannelSettings(o, 1);
  const TSignalSettings two = ChannelSettings(o, 2);
  EXPECT_EQ(one.Wave, wfTriangle);
  EXPECT_EQ(two.Wave, wfTriangle);
  EXPECT_EQ(one.Shift, 0);
  EXPECT_EQ(two.Shift, 25);
  EXPECT_EQ(two.Amplitude, 3);
  EXPECT_EQ(two.Offset, -1);
  EXPECT_EQ(one.Seed, 9u);
  EXPECT_NE(two.Seed, one.Seed);  // the second channel's noise is not a copy of the first's

  EXPECT_EQ(ChannelSettings(ParseSimOptions({"--wave2", "square"}), 2).Wave, wfSquare);
  EXPECT_EQ(ChannelSettings(ParseSimOptions({"--wave2", "square"}), 1).Wave, wfSine);
}

}  // namespace
