// Framing and per-line processing of realistic device output, without a window: the
// lines are read, scaled and plotted into a chart that composes no pictures. Normal mode
// takes one full acquisition per iteration (100,000 samples with one channel, 50,000
// with two, 25,000 with four channels in "Auto"); Trend mode slides its window of 1000
// samples for ever. "allocs/line" counts the heap allocations of the measured loop.
// The "recording" runs also write every line as a CSV row to a file in the temporary
// folder ("Aufzeichnen"); the "time_axis" runs place the samples at their arrival times.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <unistd.h>

#include "acquisition/acquisition.h"
#include "chart/gchart.h"

namespace {

std::atomic<int64_t> Allocations{0};

}  // namespace

// Counted allocations; the deletes free what these news took from malloc.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(size_t size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

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

// Plain numbers with "," between them and LF line ends, or name:value pairs.
std::string AutoDeviceOutput(int lines, bool named) {
  std::string out;
  char line[96];
  for (int i = 0; i < lines; ++i) {
    const double v = 512 + 400 * std::sin(i * 0.01);
    const int n = named ? std::snprintf(line, sizeof line, "a:%.3f,b:%.2f,c:%.1f,d:%.2f\n", v, v / 3, v / 7, -v)
                        : std::snprintf(line, sizeof line, "%.3f,%.2f,%.1f,%.2f\n", v, v / 3, v / 7, -v);
    out.append(line, size_t(n));
  }
  return out;
}

enum TExtra { exNone, exRecording, exTimeAxis };

std::string RecordingPath() {
  return (std::filesystem::temp_directory_path() / ("tavolix_bench_" + std::to_string(::getpid()) + ".csv")).string();
}

void Run(benchmark::State& s, const std::string& data, int lines, int channelMode, bool trend, TExtra extra) {
  TNullHost host;
  TGChart chart;
  chart.SetAutoRedraw(false);
  chart.SetPaintSuspended(false);
  chart.SetAllocSize(110000);
  chart.SetRange(0, 0, 0, 1000, 1000);
  TAcquisition acquisition(host, chart, ',');
  acquisition.SetChannelMode(channelMode);
  acquisition.State.Factor2 = 1;
  acquisition.State.MaxSamples = lines;
  acquisition.State.TrendMode = trend;
  acquisition.State.Xmax = 1000;
  acquisition.SetTimeAxis(extra == exTimeAxis, false);
  if (extra == exTimeAxis) {
    // A board at 1000 lines/s and a window of one second: the sample window's size.
    acquisition.SetLineRate(1000);
    acquisition.State.Xmax = 1;
  }
  const std::string path = RecordingPath();
  const std::string names[] = {"a", "b", "c", "d"};
  const size_t channels = channelMode == kChannelModeAuto ? 4 : size_t(channelMode);
  auto startRecording = [&] {
    acquisition.BeginLineTimes();
    if (extra == exRecording) acquisition.StartRecording(path, {{',', '.'}, false}, std::span(names).first(channels));
  };
  if (trend) startRecording();
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  constexpr size_t kBlock = 32768;  // the serial receive buffer's size
  int64_t allocations = 0;
  for (auto _ : s) {
    if (!trend) {
      s.PauseTiming();
      chart.ClearGraph();
      acquisition.StopRecording();
      acquisition.BeginAcquisition();
      startRecording();
      s.ResumeTiming();
    }
    const int64_t before = Allocations.load(std::memory_order_relaxed);
    for (size_t i = 0; i < data.size(); i += kBlock) acquisition.Receive(bytes + i, std::min(kBlock, data.size() - i));
    allocations += Allocations.load(std::memory_order_relaxed) - before;
  }
  const std::string failed = acquisition.StopRecording();
  if (!failed.empty()) s.SkipWithError(failed.c_str());
  std::filesystem::remove(path);
  s.SetBytesProcessed(int64_t(s.iterations()) * int64_t(data.size()));
  s.SetItemsProcessed(int64_t(s.iterations()) * lines);
  s.counters["lines/s"] = benchmark::Counter(double(s.iterations()) * lines, benchmark::Counter::kIsRate);
  s.counters["allocs/line"] = double(allocations) / (double(s.iterations()) * lines);
}

void FrameAndProcess(benchmark::State& s, int channels, bool trend, TExtra extra = exNone) {
  const int kLines = channels == 1 ? 100000 : 50000;
  Run(s, DeviceOutput(channels, kLines), kLines, channels, trend, extra);
}

void FrameAndProcessAuto(benchmark::State& s, bool named, bool trend, TExtra extra = exNone) {
  const int kLines = kMaxNormalItems / 4;
  Run(s, AutoDeviceOutput(kLines, named), kLines, kChannelModeAuto, trend, extra);
}

BENCHMARK_CAPTURE(FrameAndProcess, normal_one_channel, 1, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, normal_two_channels, 2, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, trend_one_channel, 1, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, trend_two_channels, 2, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcessAuto, auto_four_channels_normal, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcessAuto, auto_four_named_channels_normal, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcessAuto, auto_four_channels_trend, false, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, normal_one_channel_recording, 1, false, exRecording)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, normal_two_channels_recording, 2, false, exRecording)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, trend_one_channel_recording, 1, true, exRecording)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcessAuto, auto_four_channels_normal_recording, false, false, exRecording)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, normal_one_channel_time_axis, 1, false, exTimeAxis)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FrameAndProcess, trend_one_channel_time_axis, 1, true, exTimeAxis)->Unit(benchmark::kMillisecond);

}  // namespace
