#include "analysis/statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(Statistics, HandMadeValues) {
  const TStatistics s = ComputeStatistics(std::vector<double>{4, -1, 2, 3});
  EXPECT_EQ(s.Count, 4u);
  EXPECT_EQ(s.Min, -1);
  EXPECT_EQ(s.Max, 4);
  EXPECT_EQ(s.PeakToPeak, 5);
  EXPECT_DOUBLE_EQ(s.Mean, 2);
  EXPECT_DOUBLE_EQ(s.Rms, std::sqrt(30.0 / 4));
  EXPECT_DOUBLE_EQ(s.StdDev, std::sqrt(14.0 / 4));  // population: divided by 4, not 3

  const TStatistics one = ComputeStatistics(std::vector<double>{-7});
  EXPECT_EQ(one.Mean, -7);
  EXPECT_EQ(one.Rms, 7);
  EXPECT_EQ(one.StdDev, 0);
  EXPECT_EQ(one.PeakToPeak, 0);

  const TStatistics none = ComputeStatistics({});
  EXPECT_EQ(none.Count, 0u);
  for (double v : {none.Min, none.Max, none.Mean, none.Rms, none.StdDev, none.PeakToPeak})
    EXPECT_TRUE(std::isnan(v));
}

TEST(Statistics, SmallSignalOnALargeOffsetAgainstExactSums) {
  // 1e9 + k for k = 0..99999: mean 1e9 + 49999.5, population variance (n^2 - 1) / 12, mean
  // square 1e18 + 2e9 * 49999.5 + (n - 1)(2n - 1) / 6. A sum of squares taken directly would
  // lose the variance entirely.
  const size_t n = 100000;
  std::vector<double> x(n);
  for (size_t k = 0; k < n; ++k) x[k] = 1e9 + double(k);
  const TStatistics s = ComputeStatistics(x);
  const double nn = double(n);
  EXPECT_EQ(s.Count, n);
  EXPECT_EQ(s.Mean, 1e9 + 49999.5);
  EXPECT_NEAR(s.StdDev, std::sqrt((nn * nn - 1) / 12), 1e-9 * s.StdDev);
  const double meanSquare = 1e18 + 2e9 * 49999.5 + (nn - 1) * (2 * nn - 1) / 6;
  EXPECT_NEAR(s.Rms, std::sqrt(meanSquare), 1e-13 * s.Rms);
  EXPECT_EQ(s.PeakToPeak, 99999);
}

}  // namespace
