#include "chart/scale_ticks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::Pointwise;

namespace {

std::vector<TTick> Ticks(double lo, double hi, int minTicks, bool shortTicks = true, bool logarithmic = false) {
  std::vector<TTick> ticks;
  ComputeTicks({lo, hi, minTicks, shortTicks, logarithmic}, ticks);
  return ticks;
}

std::vector<double> Values(const std::vector<TTick>& ticks, TTickKind kind) {
  std::vector<double> v;
  for (const TTick& t : ticks) {
    if (t.Kind == kind) v.push_back(t.Value);
  }
  return v;
}

// first, first + step, ... count values
std::vector<double> Series(double first, double step, int count) {
  std::vector<double> v;
  for (int k = 0; k < count; ++k) v.push_back(first + k * step);
  return v;
}

MATCHER(NearlyEqual, "") { return std::abs(std::get<0>(arg) - std::get<1>(arg)) < 1e-9; }

}  // namespace

TEST(ScaleTicks, NiceStep) {
  const auto expectStep = [](double lo, double hi, int n, double first, double step, int minor) {
    const TLinearTickStep s = NiceTickStep(lo, hi, n);
    EXPECT_DOUBLE_EQ(s.First, first) << lo << ".." << hi << " n " << n;
    EXPECT_DOUBLE_EQ(s.Step, step) << lo << ".." << hi << " n " << n;
    EXPECT_EQ(s.MinorIntervals, minor) << lo << ".." << hi << " n " << n;
  };
  expectStep(0, 1000, 3, 0, 200, 4);
  expectStep(0, 1000, 6, 0, 100, 5);
  expectStep(1, 10, 3, 2, 2, 4);
  expectStep(-1, 1, 3, -1, 0.5, 5);
  expectStep(0, 30, 3, 0, 10, 5);      // exactly a power of ten
  expectStep(0, 0.3, 3, 0, 0.1, 5);    // 0.3 / 3 falls a hair below 0.1
  expectStep(0.05, 0.95, 3, 0.2, 0.2, 4);
  expectStep(-7.3, -1.1, 3, -6, 2, 4);
  expectStep(1e9, 1e9 + 1000, 3, 1e9, 200, 4);
  // Reversed ranges: the same step size, running from lo towards hi.
  expectStep(1000, 0, 3, 1000, -200, 4);
  expectStep(10, 1, 3, 10, -2, 4);
  expectStep(1, -1, 3, 1, -0.5, 5);
}

TEST(ScaleTicks, MinTicksClamping) {
  EXPECT_EQ(ClampMinTicks(0), 0);
  EXPECT_EQ(ClampMinTicks(1), 2);
  EXPECT_EQ(ClampMinTicks(-4), 2);
  EXPECT_EQ(ClampMinTicks(7), 7);
  EXPECT_EQ(ClampMinTicks(11), 10);
  EXPECT_DOUBLE_EQ(NiceTickStep(0, 1000, 1).Step, 500);
  EXPECT_DOUBLE_EQ(NiceTickStep(0, 1000, 50).Step, 100);
  // 0: a fixed step of one, five minor intervals up to a span of 10.
  EXPECT_DOUBLE_EQ(NiceTickStep(0, 5, 0).Step, 1);
  EXPECT_EQ(NiceTickStep(0, 5, 0).MinorIntervals, 5);
  EXPECT_EQ(NiceTickStep(0, 20, 0).MinorIntervals, 1);
  EXPECT_DOUBLE_EQ(NiceTickStep(2.5, 7, 0).First, 3);
  EXPECT_DOUBLE_EQ(NiceTickStep(-2.5, 7, 0).First, -2);
  EXPECT_DOUBLE_EQ(NiceTickStep(10, 0, 0).Step, -1);
  EXPECT_DOUBLE_EQ(NiceTickStep(10, 0, 0).First, 10);
}

TEST(ScaleTicks, LinearMajorsAndMinors) {
  const auto t3 = Ticks(0, 1000, 3);
  EXPECT_THAT(Values(t3, tkMajor), Pointwise(NearlyEqual(), Series(0, 200, 6)));
  EXPECT_THAT(Values(t3, tkMinor), Pointwise(NearlyEqual(), Series(0, 50, 21)));
  const auto t6 = Ticks(0, 1000, 6);
  EXPECT_THAT(Values(t6, tkMajor), Pointwise(NearlyEqual(), Series(0, 100, 11)));
  EXPECT_THAT(Values(t6, tkMinor), Pointwise(NearlyEqual(), Series(0, 20, 51)));
  // The minor pass comes first, then the major pass.
  EXPECT_EQ(t3.front().Kind, tkMinor);
  EXPECT_EQ(t3[20].Kind, tkMinor);
  EXPECT_EQ(t3[21], (TTick{0, tkMajor}));
  // Minor positions before the low end are skipped.
  const auto y = Ticks(1, 10, 3);
  EXPECT_THAT(Values(y, tkMinor), Pointwise(NearlyEqual(), Series(1, 0.5, 19)));
  EXPECT_THAT(Values(y, tkMajor), Pointwise(NearlyEqual(), Series(2, 2, 5)));
  EXPECT_THAT(Values(Ticks(0, 1000, 3, false), tkMinor), ElementsAre());
  EXPECT_EQ(Ticks(0, 1000, 3, false).size(), 6u);
}

TEST(ScaleTicks, EndTolerance) {
  // A major within a thousandth of a step beyond the high end is still drawn.
  EXPECT_DOUBLE_EQ(Values(Ticks(0, 999.9, 3, false), tkMajor).back(), 1000);
  EXPECT_DOUBLE_EQ(Values(Ticks(0, 999, 3, false), tkMajor).back(), 800);
  EXPECT_DOUBLE_EQ(Values(Ticks(1, 1000, 3, false), tkMajor).front(), 200);
  // Likewise before the low end; minors there are not.
  EXPECT_DOUBLE_EQ(Values(Ticks(0.1, 1000, 3, false), tkMajor).front(), 0);
  EXPECT_DOUBLE_EQ(Values(Ticks(0.1, 1000, 3), tkMinor).front(), 50);
  // Ticks at zero come out as zero, not as rounding noise.
  const auto z = Values(Ticks(-1, 1, 3), tkMajor);
  ASSERT_EQ(z.size(), 5u);
  EXPECT_EQ(z[2], 0.0);
}

TEST(ScaleTicks, ReversedRange) {
  const auto t = Ticks(1000, 0, 3);
  EXPECT_THAT(Values(t, tkMajor), Pointwise(NearlyEqual(), Series(1000, -200, 6)));
  EXPECT_THAT(Values(t, tkMinor), Pointwise(NearlyEqual(), Series(1000, -50, 21)));
  EXPECT_THAT(Values(Ticks(10, 1, 3), tkMinor), Pointwise(NearlyEqual(), Series(10, -0.5, 19)));
  EXPECT_THAT(Values(Ticks(10, 0, 0), tkMajor), Pointwise(NearlyEqual(), Series(10, -1, 11)));
}

TEST(ScaleTicks, DegenerateRanges) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(Ticks(5, 5, 3).empty());
  EXPECT_DOUBLE_EQ(NiceTickStep(5, 5, 3).Step, 0);
  EXPECT_TRUE(Ticks(nan, 1, 3).empty());
  EXPECT_TRUE(Ticks(0, inf, 3).empty());
  EXPECT_TRUE(Ticks(-1e308, 1e308, 3).empty());  // the span overflows
  EXPECT_TRUE(Ticks(0, 5e-324, 3).empty());      // the step underflows
  EXPECT_LE(Ticks(0, 1e-320, 3).size(), 40u);    // a step far into the subnormals
  // A step far below the resolution of the bounds ends instead of spinning.
  EXPECT_LE(Ticks(1e20, 1e20 + 65536, 3).size(), size_t(2 * kMaxTicksPerPass));
  // A fixed step of one over a huge range stops at the pass limit.
  const auto huge = Ticks(0, 1e12, 0);
  EXPECT_LE(huge.size(), size_t(2 * kMaxTicksPerPass));
  EXPECT_EQ(Values(huge, tkMajor).size(), size_t(kMaxTicksPerPass));
}

TEST(ScaleTicks, LogarithmicDecades) {
  EXPECT_THAT(Values(Ticks(1, 1000, 3, true, true), tkDecade), ElementsAre(1, 10, 100, 1000));
  EXPECT_EQ(Ticks(1, 1000, 3, true, true).size(), 4u);  // 3 decades: MinTicks 3 is not above 3.5
  // MinTicks above decades + 0.5: 2..9 per decade, 2 and 5 labelled, the rest minor.
  const auto t = Ticks(1, 100, 3, true, true);
  EXPECT_THAT(Values(t, tkDecade), ElementsAre(1, 10, 100));
  EXPECT_THAT(Values(t, tkMajor), Pointwise(NearlyEqual(), std::vector<double>{2, 5, 20, 50}));
  EXPECT_THAT(Values(t, tkMinor), Pointwise(NearlyEqual(), std::vector<double>{3, 4, 6, 7, 8, 9, 30, 40, 60, 70, 80, 90}));
  EXPECT_EQ(t[0], (TTick{1, tkDecade}));
  EXPECT_EQ(t[1], (TTick{2, tkMajor}));
  EXPECT_EQ(Ticks(1, 100, 3, false, true).size(), 7u);
  EXPECT_EQ(Ticks(1, 100, 2, true, true).size(), 3u);
  // Ends off the decades; the reversed range gives the same values.
  const auto o = Ticks(0.5, 50, 3, true, true);
  EXPECT_THAT(Values(o, tkDecade), ElementsAre(1, 10));
  EXPECT_THAT(Values(o, tkMajor), Pointwise(NearlyEqual(), std::vector<double>{0.5, 2, 5, 20, 50}));
  EXPECT_EQ(Ticks(50, 0.5, 3, true, true), o);
  EXPECT_THAT(Values(Ticks(1e-300, 1e300, 3, true, true), tkDecade).size(), 601u);
}

TEST(ScaleTicks, LogarithmicFallsBackToLinear) {
  EXPECT_TRUE(DrawsDecades(1, 10, true));
  EXPECT_TRUE(DrawsDecades(1000, 1, true));
  EXPECT_FALSE(DrawsDecades(1, 10, false));
  EXPECT_FALSE(DrawsDecades(2, 10, true));   // less than a decade
  EXPECT_FALSE(DrawsDecades(0, 100, true));  // no logarithm of 0
  EXPECT_FALSE(DrawsDecades(-10, 100, true));
  EXPECT_EQ(Ticks(2, 10, 3, true, true), Ticks(2, 10, 3));
  EXPECT_EQ(Ticks(0, 100, 3, true, true), Ticks(0, 100, 3));
}
