#include "analysis/value_readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(NearestSampleIndex, PicksTheNearestAndTheEarlierOnATie) {
  const std::vector<double> xs{0, 1, 2, 2, 2, 5, 10};
  EXPECT_EQ(NearestSampleIndex(xs, -3), 0u);
  EXPECT_EQ(NearestSampleIndex(xs, 0.49), 0u);
  EXPECT_EQ(NearestSampleIndex(xs, 0.5), 0u);  // tie: the earlier
  EXPECT_EQ(NearestSampleIndex(xs, 0.51), 1u);
  EXPECT_EQ(NearestSampleIndex(xs, 2), 2u);  // equal xs: the first
  EXPECT_EQ(NearestSampleIndex(xs, 1.6), 2u);
  EXPECT_EQ(NearestSampleIndex(xs, 3.4), 2u);
  EXPECT_EQ(NearestSampleIndex(xs, 3.5), 2u);  // tie between 2 and 5
  EXPECT_EQ(NearestSampleIndex(xs, 3.6), 5u);
  EXPECT_EQ(NearestSampleIndex(xs, 7.5), 5u);
  EXPECT_EQ(NearestSampleIndex(xs, 1e300), 6u);
  EXPECT_EQ(NearestSampleIndex(xs, INFINITY), 6u);
  EXPECT_EQ(NearestSampleIndex(xs, NAN), std::nullopt);
  EXPECT_EQ(NearestSampleIndex({}, 1), std::nullopt);
  EXPECT_EQ(NearestSampleIndex(std::vector<double>{4}, -1), 0u);
}

TEST(ReadoutDelta, DifferencesAndTheFrequencyOfTheSpan) {
  const TReadoutDelta forward = ReadoutDelta({100, 2.5}, {104, 1});
  EXPECT_EQ(forward.Dx, 4);
  EXPECT_EQ(forward.Dy, -1.5);
  EXPECT_EQ(forward.Frequency, 0.25);
  EXPECT_EQ(ReadoutDelta({0.5, 0}, {0.3, 0}).Frequency,
            1 / 0.2);  // a span to the left is a period too
  EXPECT_EQ(ReadoutDelta({7, 1}, {7, 3}).Frequency, std::nullopt);
}

}  // namespace
