#pragma once
// An acquisition host that shows nothing and never asks to stop: for tests that look at
// the chart or the written data only.

#include <cstdint>
#include <string_view>

#include "acquisition/acquisition.h"

class TQuietHost : public TAcquisitionHost {
 public:
  void ShowRawValues(std::string_view) override {}
  void ShowSampleCount(int64_t) override {}
  void SampleLimitReached() override {}
  bool ProcessMessages() override { return true; }
};
