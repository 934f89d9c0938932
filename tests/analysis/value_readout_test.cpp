#include "analysis/value_readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(ValueReadout, NearestSampleTheEarlierOnATie) {
  const std::vector<double> xs{0, 1, 2, 2, 2, 5, 10};
  const double x[] = {-3, 0.5, 0.51, 1.6, 2, 3.5, 3.6, 1e300, INFINITY};
  const size_t nearest[] = {0, 0, 1, 2, 2, 2, 5, 6, 6};  // of equal xs the first
  for (size_t i = 0; i < std::size(x); ++i)
    EXPECT_EQ(NearestSampleIndex(xs, x[i]), nearest[i]) << x[i];
  EXPECT_EQ(NearestSampleIndex(xs, NAN), std::nullopt);
  EXPECT_EQ(NearestSampleIndex({}, 1), std::nullopt);
}

TEST(ValueReadout, DifferencesAndTheFrequencyOfTheSpan) {
  const TReadoutDelta forward = ReadoutDelta({100, 2.5}, {104, 1});
  EXPECT_EQ(forward.Dx, 4);
  EXPECT_EQ(forward.Dy, -1.5);
  EXPECT_EQ(forward.Frequency, 0.25);
  EXPECT_EQ(ReadoutDelta({0.5, 0}, {0.3, 0}).Frequency, 1 / 0.2);  // leftward is a period too
  EXPECT_EQ(ReadoutDelta({7, 1}, {7, 3}).Frequency, std::nullopt);
}

}  // namespace
