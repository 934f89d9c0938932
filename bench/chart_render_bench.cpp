// The chart's rendering on the Qt canvas with the main window's chart: a full
// composition and an incremental drawing against the number of items, a trend line
// (one full repaint per sample), a whole Normal acquisition with its pacing, and the
// frames a 1024 x 768 window shows while lines arrive at a steady rate.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>

#include "acquisition/acquisition.h"
#include "app/fonts.h"
#include "chart/qt/qt_bitmap.h"
#include "tests/chart/main_window_chart.h"

namespace {

void NeedApplication() {
  static int argc = 1;
  static char name[] = "bench_chart_render";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
  InstallFontSubstitutions();
}

// A chart whose x range spans `items` samples of a sine across the full height.
std::unique_ptr<TQtMainChart> Curve(int items) {
  NeedApplication();
  auto c = std::make_unique<TQtMainChart>();
  c->Chart.SetRange(1, 0, 0, items, 10);
  c->Chart.SetDataColor(clBlue);
  c->Chart.MoveTo(0, 5);
  for (int i = 1; i < items; ++i) c->Chart.DrawTo(i, 5 + 4.5 * std::sin(i * 0.01));
  c->Chart.ComposePending();
  return c;
}

void FullComposition(benchmark::State& s) {
  const auto c = Curve(int(s.range(0)));
  for (auto _ : s) {
    c->Chart.Paint();
    c->Chart.ComposePending();
  }
  s.counters["items/s"] = benchmark::Counter(double(s.iterations()) * double(s.range(0)), benchmark::Counter::kIsRate);
}
BENCHMARK(FullComposition)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void UpdateGraph(benchmark::State& s) {
  const auto c = Curve(int(s.range(0)));
  for (auto _ : s) {
    c->Chart.UpdateGraph();
    c->Chart.ComposePending();
  }
  s.counters["items/s"] = benchmark::Counter(double(s.iterations()) * double(s.range(0)), benchmark::Counter::kIsRate);
}
BENCHMARK(UpdateGraph)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One line of a sliding trend window: UpdateGraph, the new item, the oldest removed, the
// x range moved, the suspension cleared (a full repaint).
void TrendStep(TGChart& chart, int64_t n) {
  chart.UpdateGraph();
  chart.SetPaintSuspended(true);
  chart.Line(double(n - 1), 5, double(n), 5 + 4.5 * std::sin(double(n) * 0.01));
  chart.RemoveFirstItem();
  chart.SetRange(1, chart.Scale1X().RangeLow() + 1, 0, chart.Scale1X().RangeHigh() + 1, 10);
  chart.SetCurrentLayer(1);
  chart.SetPaintSuspended(false);
}

// One line of a sliding trend window of 981 items. Argument: how many lines pass between
// two compositions (1: every line is shown).
void TrendLine(benchmark::State& s) {
  const auto c = Curve(981);
  TGChart& chart = c->Chart;
  chart.SetRange(1, 0, 0, 1000, 10);
  const int64_t showEvery = s.range(0);
  int64_t n = 981;
  for (auto _ : s) {
    TrendStep(chart, n);
    if (++n % showEvery == 0) chart.ComposePending();
  }
  s.counters["lines/s"] = benchmark::Counter(double(s.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(TrendLine)->Arg(1)->Arg(100)->Unit(benchmark::kMicrosecond);

// 100,000 lines of one channel with the pacing of Normal mode. Argument: the lines
// between two compositions (1: each drawing composed at once).
void NormalAcquisition(benchmark::State& s) {
  NeedApplication();
  const int64_t showEvery = s.range(0);
  for (auto _ : s) {
    TQtMainChart c;
    TGChart& chart = c.Chart;
    chart.ClearGraph();
    chart.SetDataColor(clBlue);
    chart.SetRange(1, 0, 0, 100000, 10);
    chart.UpdateGraph();
    int counter = 0;
    for (int64_t n = 1; n <= 100000; ++n) {
      const double v = 5 + 4.5 * std::sin(double(n) * 0.001);
      n == 1 ? chart.MoveTo(0, v) : chart.DrawTo(double(n), v);
      if (++counter == PaintIntervalFor(n)) {
        counter = 0;
        chart.UpdateGraph();
      }
      chart.SetCurrentLayer(1);
      chart.SetPaintSuspended(false);
      if (n % showEvery == 0) chart.ComposePending();
    }
    chart.UpdateGraph();
    chart.ComposePending();
  }
}
BENCHMARK(NormalAcquisition)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

// One frame of the chart as the widget of a 1024 x 768 window shows it (815 x 575
// pixels), 60 frames a second: the lines that arrived since the last frame, then the
// composition and the copy of the picture to the window. Argument: lines per second.
void TrendFrames(benchmark::State& s) {
  const auto c = Curve(981);
  TGChart& chart = c->Chart;
  chart.Resize(815, 575);
  chart.SetRange(1, 0, 0, 1000, 10);
  QImage window(815, 575, QImage::Format_RGB32);
  const int64_t linesPerFrame = std::max<int64_t>(1, s.range(0) / 60);
  int64_t n = 981;
  for (auto _ : s) {
    for (int64_t i = 0; i < linesPerFrame; ++i, ++n) {
      TrendStep(chart, n);
    }
    chart.ComposePending();
    QPainter(&window).drawImage(0, 0, dynamic_cast<const TQtBitmap&>(*chart.WindowBitmap()).Image());
  }
  s.counters["frames/s"] = benchmark::Counter(double(s.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(TrendFrames)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Normal mode's frames with the sample count at `items`, ten thousand lines a second.
void NormalFrames(benchmark::State& s) {
  NeedApplication();
  TQtMainChart c;
  TGChart& chart = c.Chart;
  chart.Resize(815, 575);
  chart.SetRange(1, 0, 0, 100000, 10);
  chart.SetDataColor(clBlue);
  QImage window(815, 575, QImage::Format_RGB32);
  int64_t n = 1;
  int counter = 0;
  const auto line = [&] {
    const double v = 5 + 4.5 * std::sin(double(n) * 0.001);
    n == 1 ? chart.MoveTo(0, v) : chart.DrawTo(double(n), v);
    if (++counter == PaintIntervalFor(n)) {
      counter = 0;
      chart.UpdateGraph();
    }
    ++n;
  };
  while (n < s.range(0)) line();
  chart.ComposePending();
  for (auto _ : s) {
    for (int i = 0; i < 10000 / 60; ++i) line();
    chart.ComposePending();
    QPainter(&window).drawImage(0, 0, dynamic_cast<const TQtBitmap&>(*chart.WindowBitmap()).Image());
  }
  s.counters["frames/s"] = benchmark::Counter(double(s.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(NormalFrames)->Arg(1000)->Arg(50000)->Unit(benchmark::kMicrosecond);

}  // namespace
