// Framing and per-line processing of realistic device output, without a window: the
// lines are read, scaled and plotted into a chart that composes no pictures. Normal mode
// takes one full acquisition per iteration (100,000 samples with one channel, 50,000
// with two); Trend mode slides its window of 1000 samples for ever.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "acquisition/acquisition.h"
#include "chart/gchart.h"

namespace {

class TNullHost : public TAcquisitionHost {
 public:
  void ShowRawValues(std::string_view text) override { benchmark::DoNotOptimize(text.data()); }
  void ShowSampleCount(int64_t count) override { benchmark::DoNotOptimize(count); }
  void SampleLimitReached() override {}
  bool ProcessMessages() override { return true; }
};

std::string DeviceOutput(int channels, int lines) {
  std::string out;
  char line[64];
  for (int i = 0; i < lines; ++i) {
    const double v = 512 + 400 * std::sin(i * 0.01);
    const int n = channels == 1 ? std::snprintf(line, sizeof line, "%.3f\r\n", v)
                                : std::snprintf(line, sizeof line, "%.3f;%.2f\r\n", v, v / 3);
    out.append(line, size_t(n));
  }
  return out;
}

void FrameAndProcess(benchmark::State& s, int channels, bool trend) {
  const int kLines = channels == 1 ? 100000 : 50000;
  const std::string data = DeviceOutput(channels, kLines);
  TNullHost host;
  TGChart chart;
  chart.SetAutoRedraw(false);
  chart.SetPaintSuspended(false);
  chart.SetAllocSize(110000);
  chart.SetRange(0, 0, 0, 1000, 1000);
  TAcquisition acquisition(host, chart, ',');
  acquisition.State.ChannelMode = channels;
  acquisition.State.Factor2 = 1;
  acquisition.State.MaxSamples = kLines;
  acquisition.State.TrendMode = trend;
  acquisition.State.Xmax = 1000;
  TLineFraming framing(acquisition);
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  constexpr size_t kBlock = 32768;  // the serial receive buffer's size
  for (auto _ : s) {
    if (!trend) {
      s.PauseTiming();
      chart.ClearGraph();
      acquisition.State.SampleCount = 0;
      acquisition.State.PaintCounter = 0;
      s.ResumeTiming();
    }
    for (size_t i = 0; i < data.size(); i += kBlock) framing.Feed(bytes + i, std::min(kBlock, data.size() - i));
  }
  s.SetBytesProcessed(int64_t(s.iterations()) * int64_t(data.size()));
  s.SetItemsProcessed(int64_t(s.iterations()) * kLines);
  s.counters["lines/s"] = benchmark::Counter(double(s.iterations()) * kLines, benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(FrameAndProcess, normal_one_channel, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, normal_two_channels, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, trend_one_channel, 1, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, trend_two_channels, 2, true)->Unit(benchmark::kMillisecond);

}  // namespace
