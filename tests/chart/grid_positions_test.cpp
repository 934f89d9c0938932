#include "chart/grid_positions.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using ::testing::DoubleNear;
using ::testing::ElementsAre;
using ::testing::Pointwise;

namespace {

std::vector<double> Positions(double low, double high, bool logarithmic, double step,
                              std::vector<double> ticks = {}) {
  TGridPositions p;
  const int n = GridPositions({low, high, logarithmic, step, ticks}, p);
  return {p.begin(), p.begin() + n};
}

MATCHER(Near, "") { return std::abs(std::get<0>(arg) - std::get<1>(arg)) <= 1e-9 * std::abs(std::get<1>(arg)); }

TEST(GridPositions, StepsDecadesAndTicks) {
  EXPECT_THAT(Positions(0, 1000, false, 250), ElementsAre(0, 250, 500, 750));
  EXPECT_THAT(Positions(-1, 1, false, 0.5), ElementsAre(-1, -0.5, 0, 0.5));
  EXPECT_THAT(Positions(0.3, 3, false, -1), ElementsAre(0, 1, 2));  // g * ceil(lo / g) may lie below lo
  EXPECT_THAT(Positions(3, 20000, true, -1), Pointwise(Near(), std::vector<double>{10, 100, 1000, 10000}));
  EXPECT_THAT(Positions(1, 100, true, -2), Pointwise(Near(), std::vector<double>{2, 5, 10, 20, 50}));
  EXPECT_THAT(Positions(3, 60, true, -2), Pointwise(Near(), std::vector<double>{5, 10, 20, 50}));
  EXPECT_THAT(Positions(7, 30, true, -3), Pointwise(Near(), std::vector<double>{7, 8, 9, 10, 20}));
  EXPECT_THAT(Positions(2.5, 5, true, -7), Pointwise(Near(), std::vector<double>{2.5, 4}));  // from lo, digit by digit
  EXPECT_THAT(Positions(5, 10, true, 2), ElementsAre(6, 8));  // a positive step stays linear
  // The scale's ticks in their order, the first below hi ending the run.
  EXPECT_THAT(Positions(0, 10, false, 0, {0, 5, 10, 0, 10}), ElementsAre(0, 5));
  EXPECT_THAT(Positions(2, 10, false, 0), ElementsAre(2));  // no ticks: lo, then hi
  // Never more than 1000, whatever the step.
  EXPECT_EQ(Positions(0, 1, false, 1e-6).size(), size_t(kMaxGridPositions));
  EXPECT_EQ(Positions(0, 1, false, 1e-300).size(), size_t(kMaxGridPositions));
}

}  // namespace
