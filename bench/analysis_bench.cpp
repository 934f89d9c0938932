// The analysis code's costs: the FFT of 65536 points, the filters' throughput per
// second-order section, the realtime spectrum's cost per screen frame and the statistics of
// a full Normal-mode channel. "core" counters are the share of one core the work takes at
// 60 frames a second (and, for the realtime spectrum, 1000 lines a second).

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "analysis/butterworth.h"
#include "analysis/filter.h"
#include "analysis/real_fft.h"
#include "analysis/realtime_spectrum.h"
#include "analysis/spectrum.h"
#include "analysis/spectrum_analyzer.h"
#include "analysis/statistics.h"

namespace {

constexpr double FramesPerSecond = 60;

std::vector<double> Signal(size_t count) {
  std::mt19937 random(18);
  std::normal_distribution<double> noise(0, 0.1);
  std::vector<double> x(count);
  for (size_t i = 0; i < count; ++i) x[i] = 512 + 400 * std::sin(double(i) * 0.01) + noise(random);
  return x;
}

// The share of a core when one iteration runs once per frame.
benchmark::Counter CorePerFrame() {
  return benchmark::Counter(1 / FramesPerSecond, benchmark::Counter::kIsIterationInvariantRate |
                                                     benchmark::Counter::kInvert);
}

void Fft65536(benchmark::State& state) {
  TRealFft fft(65536);
  const std::vector<double> x = Signal(65536);
  std::copy(x.begin(), x.end(), fft.Input().begin());
  for (auto _ : state) {
    fft.Transform();
    benchmark::DoNotOptimize(fft.Bins().data());
  }
  state.SetItemsProcessed(state.iterations() * 65536);
}
BENCHMARK(Fft65536)->Unit(benchmark::kMicrosecond);

// The whole one-off spectrum: plan, window, transform, scaling and peak.
void Spectrum(benchmark::State& state) {
  const std::vector<double> x = Signal(size_t(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ComputeSpectrum(x, {fwHann, msDecibel}));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(Spectrum)->Arg(65536)->Arg(100000)->Unit(benchmark::kMicrosecond);

// The same with the analyzer kept from one call to the next, as a window that follows the
// visible range every frame would keep it.
void SpectrumReused(benchmark::State& state) {
  const std::vector<double> x = Signal(size_t(state.range(0)));
  TSpectrumAnalyzer analyzer(TRealFft::FastSize(x.size()), {fwHann, msDecibel});
  for (auto _ : state) {
    analyzer.Analyze(x, {});
    benchmark::DoNotOptimize(analyzer.Magnitude().data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["core"] = CorePerFrame();
}
BENCHMARK(SpectrumReused)->Arg(65536)->Arg(100000)->Unit(benchmark::kMicrosecond);

void Filter(benchmark::State& state, TFilterDesign design) {
  const auto filter = MakeFilter(design);
  const std::vector<double> x = Signal(65536);
  for (auto _ : state) {
    for (double v : x) benchmark::DoNotOptimize(filter->Step(v));
  }
  state.SetItemsProcessed(state.iterations() * int64_t(x.size()));
  if (IsRecursive(design.Kind)) {
    const double sections = double(DesignSections(design).size());
    state.counters["sections"] = sections;
    state.counters["section_samples/s"] = benchmark::Counter(
        double(state.iterations()) * double(x.size()) * sections, benchmark::Counter::kIsRate);
  }
}
BENCHMARK_CAPTURE(Filter, LowPass1, TFilterDesign{fkLowPass1, 0, 0, 0.05});
BENCHMARK_CAPTURE(Filter, ButterLowPass2, TFilterDesign{fkButterLowPass, 0, 2, 0.05});
BENCHMARK_CAPTURE(Filter, ButterLowPass4, TFilterDesign{fkButterLowPass, 0, 4, 0.05});
BENCHMARK_CAPTURE(Filter, ButterLowPass8, TFilterDesign{fkButterLowPass, 0, 8, 0.05});
BENCHMARK_CAPTURE(Filter, ButterBandPass8, TFilterDesign{fkButterBandPass, 0, 8, 0.05, 0.1});
BENCHMARK_CAPTURE(Filter, MovingAverage64, TFilterDesign{fkMovingAverage, 64});
BENCHMARK_CAPTURE(Filter, Median5, TFilterDesign{fkMedian, 5});
BENCHMARK_CAPTURE(Filter, Median101, TFilterDesign{fkMedian, 101});

// One screen frame at 1000 lines a second: about 17 new samples, then one update.
void RealtimeFrame(benchmark::State& state) {
  TRealtimeSpectrum realtime(size_t(state.range(0)), {fwHann, msDecibel});
  const std::vector<double> x = Signal(1 << 20);
  size_t next = 0;
  for (double v : Signal(realtime.Length())) realtime.Push(v);
  const int linesPerFrame = int(std::lround(1000 / FramesPerSecond));
  for (auto _ : state) {
    for (int i = 0; i < linesPerFrame; ++i) realtime.Push(x[next++ % x.size()]);
    benchmark::DoNotOptimize(realtime.Update());
  }
  state.counters["core"] = CorePerFrame();
}
BENCHMARK(RealtimeFrame)->Arg(4096)->Arg(256)->Arg(65536)->Unit(benchmark::kMicrosecond);

// A full one-channel Normal-mode capture, once per frame.
void Statistics(benchmark::State& state) {
  const std::vector<double> x = Signal(100000);
  for (auto _ : state) benchmark::DoNotOptimize(ComputeStatistics(x));
  state.SetItemsProcessed(state.iterations() * int64_t(x.size()));
  state.counters["core"] = CorePerFrame();
}
BENCHMARK(Statistics)->Unit(benchmark::kMicrosecond);

}  // namespace
