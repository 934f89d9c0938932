#include <gtest/gtest.h>

#include "tests/chart/main_window_chart.h"

namespace {

class TChartTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ChartTestApplication(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TChartTestEnvironment);

}  // namespace
