// Framing and per-line processing of realistic device output, without a window.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "acquisition/acquisition.h"

namespace {

class TNullHost : public TAcquisitionHost {
 public:
  void ShowRawValues(std::string_view text) override { benchmark::DoNotOptimize(text.data()); }
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

void FrameAndProcess(benchmark::State& s, int channels) {
  constexpr int kLines = 100000;
  const std::string data = DeviceOutput(channels, kLines);
  TNullHost host;
  TAcquisition acquisition(host, ',');
  acquisition.State.ChannelMode = channels;
  acquisition.State.Factor2 = 1;
  TLineFraming framing(acquisition);
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  constexpr size_t kBlock = 32768;  // the serial receive buffer's size
  for (auto _ : s) {
    for (size_t i = 0; i < data.size(); i += kBlock) framing.Feed(bytes + i, std::min(kBlock, data.size() - i));
  }
  s.SetBytesProcessed(int64_t(s.iterations()) * int64_t(data.size()));
  s.SetItemsProcessed(int64_t(s.iterations()) * kLines);
  s.counters["lines/s"] = benchmark::Counter(double(s.iterations()) * kLines, benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(FrameAndProcess, one_channel, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, two_channels, 2)->Unit(benchmark::kMillisecond);

}  // namespace
