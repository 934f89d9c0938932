#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "tests/chart/main_window_chart.h"

namespace {

// The offscreen application the chart tests draw and show widgets in; it ends before
// the program does, as Qt needs.
class TChartTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    App_ = std::make_unique<QApplication>(Argc_, Argv_);
    SubstituteChartFonts();
  }
  void TearDown() override { App_.reset(); }

 private:
  int Argc_ = 1;
  char Name_[24] = "chart_render_tests";
  char* Argv_[2] = {Name_, nullptr};
  std::unique_ptr<QApplication> App_;
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TChartTestEnvironment);

}  // namespace
