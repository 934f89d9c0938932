// The chart's item store under live plotting: appending a Normal acquisition and the
// trend window's append-and-remove per sample.

#include <benchmark/benchmark.h>

#include "chart/gchart.h"

namespace {

void AppendDrawTo(benchmark::State& s, int32_t allocSize) {
  constexpr int kItems = 100000;
  for (auto _ : s) {
    TGChart chart;
    chart.SetAllocSize(allocSize);
    chart.MoveTo(0, 0);
    for (int i = 1; i < kItems; ++i) chart.DrawTo(i, i % 1000);
    benchmark::DoNotOptimize(chart.Items().data());
  }
  s.counters["items/s"] = benchmark::Counter(double(s.iterations()) * kItems, benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(AppendDrawTo, alloc_110000, 110000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(AppendDrawTo, alloc_1000, 1000)->Unit(benchmark::kMillisecond);

// One sample of a window of 1000 items: a new item, then the oldest (or, for comparison,
// the second oldest, which shifts all the others down) removed.
void TrendWindow(benchmark::State& s, int32_t removedIndex) {
  TGChart chart;
  chart.SetAllocSize(110000);
  int64_t n = 0;
  for (; n < 1000; ++n) chart.Line(double(n), 1, double(n + 1), 2);
  for (auto _ : s) {
    chart.Line(double(n), 1, double(n + 1), 2);
    chart.RemoveItem(removedIndex);
    ++n;
  }
  benchmark::DoNotOptimize(chart.Items().data());
  s.counters["samples/s"] = benchmark::Counter(double(s.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(TrendWindow, remove_first, 0);
BENCHMARK_CAPTURE(TrendWindow, shift_all, 1);

// The chart side of a whole trend step: suspended painting, the new line, the removal and
// the x window moved by one sample (Paint itself only counts here).
void TrendStep(benchmark::State& s) {
  TGChart chart;
  chart.SetAutoRedraw(false);
  chart.SetAllocSize(110000);
  chart.SetPaintSuspended(false);
  chart.SetRange(1, 0, 0, 1000, 10);
  int64_t n = 0;
  for (; n < 981; ++n) chart.Line(double(n), 1, double(n + 1), 2);
  for (auto _ : s) {
    chart.SetPaintSuspended(true);
    chart.SetCurrentLayer(1);
    chart.SetDataColor(clBlue);
    chart.Line(double(n), 1, double(n + 1), 2);
    chart.RemoveFirstItem();
    chart.SetRange(1, chart.Scale1X().RangeLow() + 1, chart.Scale1Y().RangeLow(), chart.Scale1X().RangeHigh() + 1,
                   chart.Scale1Y().RangeHigh());
    chart.SetCurrentLayer(1);
    chart.SetPaintSuspended(false);
    ++n;
  }
  s.counters["samples/s"] = benchmark::Counter(double(s.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(TrendStep);

}  // namespace
