#pragma once
// The offscreen Qt application a test program draws and shows widgets in: made once before
// its tests and ended before the program is, as Qt needs.

#include <gtest/gtest.h>

#include <QApplication>
#include <functional>
#include <memory>
#include <utility>

class TOffscreenQtEnvironment : public ::testing::Environment {
 public:
  // `installFonts` puts in place the font substitutions of the program under test.
  explicit TOffscreenQtEnvironment(std::function<void()> installFonts) : InstallFonts_(std::move(installFonts)) {}

  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    App_ = std::make_unique<QApplication>(Argc_, Argv_);
    InstallFonts_();
  }
  void TearDown() override { App_.reset(); }

 private:
  std::function<void()> InstallFonts_;
  int Argc_ = 1;
  char Name_[16] = "tavolix_tests";
  char* Argv_[2] = {Name_, nullptr};
  std::unique_ptr<QApplication> App_;
};
