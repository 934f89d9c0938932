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
  EXPECT_EQ(ComputeStatistics(std::vector<double>{-7}).StdDev, 0);
  EXPECT_TRUE(std::isnan(ComputeStatistics({}).Mean));
}

TEST(Statistics, SmallSignalOnALargeOffsetAgainstExactSums) {
  // 1e9 + k for k = 0..n-1: mean 1e9 + (n - 1) / 2, population variance (n^2 - 1) / 12, mean
  // square 1e18 + 1e9 (n - 1) + (n - 1)(2n - 1) / 6. A sum of squares taken directly would
  // lose the variance entirely.
  const double n = 100000;
  std::vector<double> x;
  for (double k = 0; k < n; ++k) x.push_back(1e9 + k);
  const TStatistics s = ComputeStatistics(x);
  EXPECT_EQ(s.Mean, 1e9 + 49999.5);
  EXPECT_NEAR(s.StdDev, std::sqrt((n * n - 1) / 12), 1e-9 * s.StdDev);
  EXPECT_NEAR(s.Rms, std::sqrt(1e18 + 1e9 * (n - 1) + (n - 1) * (2 * n - 1) / 6), 1e-13 * s.Rms);
  EXPECT_EQ(s.PeakToPeak, n - 1);
}

}  // namespace
