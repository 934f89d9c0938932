#include "app/fonts.h"
#include "tests/support/offscreen_qt_environment.h"

namespace {

const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new TOffscreenQtEnvironment(InstallFontSubstitutions));

}  // namespace
