#include "fuzz/line_input.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "acquisition/acquisition.h"
#include "acquisition/sample_scaling.h"
#include "fuzz/fuzz_finding.h"
#include "fuzz/offscreen_app.h"
#include "tests/chart/main_window_chart.h"

namespace {

// Values a user may type into the fields, the awkward ones included.
constexpr std::array<float, 8> kFactors = {1, 0.1f, -2.5f, 1000, 0, 3e38f, 1e-30f, -1};
constexpr std::array<float, 4> kOffsets = {0, 1, -1e-3f, 3e38f};
constexpr std::array<float, 8> kXmax = {1000, 20, 21, 50, 0, -10, 1e6f, 25.5f};
constexpr std::array<float, 4> kYmax = {10, 1e30f, 0, -5};
constexpr std::array<int32_t, 4> kMaxSamples = {100000, 50000, 100, 3};
constexpr std::array<size_t, 8> kBlockSizes = {0, 1, 2, 3, 5, 7, 64, 1000};  // 0: all at once

// Restarting after this many lines keeps the store small on long inputs.
constexpr int64_t kLinesPerRun = 5000;

template <typename T, size_t N>
T Pick(const std::array<T, N>& choices, unsigned bits) {
  return choices[bits % N];
}

// The window: only its message rounds matter, in which it shows the chart now and then.
class TPaintingHost : public TAcquisitionHost {
 public:
  explicit TPaintingHost(TGChart& chart) : Chart_(chart) {}
  void ShowRawValues(std::string_view) override {}
  void ShowSampleCount(int64_t) override {}
  void SampleLimitReached() override {}
  bool ProcessMessages() override {
    if (++Rounds % 64 == 0) Chart_.ComposePending();
    return true;
  }
  int64_t Rounds = 0;  // counted from each start, so that an input replays alike

 private:
  TGChart& Chart_;
};

// A member before the chart: the application must exist before the first picture is made.
struct TOffscreenAppFirst {
  TOffscreenAppFirst() { EnsureOffscreenApp(); }
};

// One chart and acquisition for all inputs, as the program has; every input starts anew.
struct TAcquisitionRig {
  // Without the grid, whose drawing would take most of the time, the items still paint;
  // a small growth step saves clearing the main window's large store at every start and
  // lets long inputs grow it.
  TAcquisitionRig() {
    Chart.SetGridStyle(gsNone);
    Chart.SetAllocSize(500);
  }
  TOffscreenAppFirst App;
  TQtMainChart Main;
  TGChart& Chart = Main.Chart;
  TPaintingHost Host{Chart};
  TAcquisition Acquisition{Host, Chart, ','};
};

// Config byte 0: bit 0 two channels, bit 1 Trend, bits 2 to 4 the block size, bit 5 "Auto".
void Start(TAcquisitionRig& rig, const uint8_t* config) {
  TAcquisitionState& s = rig.Acquisition.State;
  TGChart& chart = rig.Chart;
  rig.Acquisition.SetChannelMode(config[0] & 0x20 ? kChannelModeAuto : config[0] & 1 ? 2 : 1);
  s.TrendMode = (config[0] & 2) != 0;
  s.Factor1 = Pick(kFactors, config[1]);
  s.Factor2 = Pick(kFactors, config[1] >> 3u);
  s.Offset1 = Pick(kOffsets, config[1] >> 6u);
  s.Offset2 = Pick(kOffsets, config[2]);
  s.Xmax = Pick(kXmax, config[2] >> 2u);
  s.Ymax1 = Pick(kYmax, config[2] >> 5u);
  s.Ymin1 = -Pick(kYmax, config[3]);
  s.Ymax2 = Pick(kYmax, config[3] >> 2u);
  s.Ymin2 = 0;
  s.MaxSamples = Pick(kMaxSamples, config[3] >> 4u);
  rig.Acquisition.BeginAcquisition();
  rig.Host.Rounds = 0;
  chart.ClearGraph();
  chart.SetDataColor(0xFF0000);
  chart.SetRange(1, 0, s.Ymin1, s.Xmax, s.Ymax1);
  chart.SetRange(2, 0, s.Ymin2, s.Xmax, s.Ymax2);
  chart.UpdateGraph();
}

// What the store may hold: Normal mode stops at the limit, Trend mode keeps a window.
void CheckStoreBound(const TAcquisitionRig& rig) {
  const TAcquisitionState& s = rig.Acquisition.State;
  const bool automatic = s.ChannelMode == kChannelModeAuto;
  const int64_t perLine = automatic ? rig.Acquisition.Channels().Count() : s.ChannelMode == 2 ? 2 : 1;
  int64_t bound = automatic ? kMaxNormalItems : perLine * s.MaxSamples;
  if (s.TrendMode) bound = perLine * std::max<int64_t>(0, int64_t(std::floor(double(s.Xmax) - 20)) + 1);
  Expect(rig.Chart.NumItems() <= bound, "the store outgrew its bound");
}

}  // namespace

void CheckLineInput(std::span<const uint8_t> input) {
  static TAcquisitionRig rig;
  if (input.size() < 4) return;
  const uint8_t* config = input.data();
  Start(rig, config);
  const size_t block = Pick(kBlockSizes, config[0] >> 2u);
  std::span<const uint8_t> rest = input.subspan(4);
  while (!rest.empty()) {
    const size_t count = block == 0 ? rest.size() : std::min(block, rest.size());
    try {
      rig.Acquisition.Receive(rest.data(), count);
    } catch (const EOverflow&) {
      // The line is lost; the next block is framed as usual.
    }
    rest = rest.subspan(count);
    CheckStoreBound(rig);
    if (rig.Acquisition.State.SampleCount >= kLinesPerRun) Start(rig, config);
  }
  rig.Chart.ComposePending();
}
