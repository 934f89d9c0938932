#include "tests/chart/main_window_chart.h"
#include "tests/support/offscreen_qt_environment.h"

namespace {

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TOffscreenQtEnvironment(SubstituteChartFonts));

}  // namespace
