// The Qt canvas under the chart painter's load, and the drawing of one axis.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cmath>
#include <vector>

#include "chart/qt/qt_bitmap.h"
#include "chart/scale.h"

namespace {

void NeedApplication() {
  static int argc = 1;
  static char name[] = "bench_chart_canvas";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(argc, argv);
}

// A curve across the main window's chart area, 200 points at a time.
std::vector<TPoint> Curve(int count) {
  std::vector<TPoint> points;
  for (int i = 0; i < count; ++i) points.push_back({i * 476 / count, int(142 + 130 * std::sin(i * 0.05))});
  return points;
}

void Polyline200(benchmark::State& s) {
  NeedApplication();
  TQtBitmap bitmap(476, 285);
  const std::vector<TPoint> points = Curve(200);
  for (auto _ : s) {
    bitmap.Canvas().Polyline(points.data(), points.size());
    benchmark::ClobberMemory();
  }
  s.SetItemsProcessed(s.iterations() * 199);
}
BENCHMARK(Polyline200);

void LineToWithColourChanges(benchmark::State& s) {
  NeedApplication();
  TQtBitmap bitmap(476, 285);
  const std::vector<TPoint> points = Curve(200);
  TCanvas& c = bitmap.Canvas();
  for (auto _ : s) {
    c.MoveTo(points[0].x, points[0].y);
    for (size_t i = 1; i < points.size(); ++i) {
      c.SetPenColor(i % 2 ? clBlue : clMaroon);
      c.LineTo(points[i].x, points[i].y);
    }
    benchmark::ClobberMemory();
  }
  s.SetItemsProcessed(s.iterations() * 199);
}
BENCHMARK(LineToWithColourChanges);

// Argument: the pen style.
void WidePolyline200(benchmark::State& s) {
  NeedApplication();
  TQtBitmap bitmap(476, 285);
  bitmap.Canvas().SetPenWidth(2);
  bitmap.Canvas().SetPenStyle(TPenStyle(s.range(0)));
  const std::vector<TPoint> points = Curve(200);
  for (auto _ : s) {
    bitmap.Canvas().Polyline(points.data(), points.size());
    benchmark::ClobberMemory();
  }
  s.SetItemsProcessed(s.iterations() * 199);
}
BENCHMARK(WidePolyline200)->Arg(psSolid)->Arg(psDash);

void AxisWithLabels(benchmark::State& s) {
  NeedApplication();
  TQtBitmap bitmap(577, 361);
  TScale scale(sctXT, 1);
  scale.Place({577, 361, 80, 20, 30, 45, 1}, 0);
  scale.SetRangeHigh(1000);
  scale.SetMinTicks(int(s.range(0)));
  scale.SetVisible(true);
  scale.SetCaption("Anzahl Samples");
  for (auto _ : s) {
    scale.Draw(bitmap.Canvas());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(AxisWithLabels)->Arg(3)->Arg(6);

}  // namespace
