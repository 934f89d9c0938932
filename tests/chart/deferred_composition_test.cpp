// Live plotting's command sequences, run on a chart that defers composition and on one
// that composes at once: at every point where the window would be shown, both show the
// same picture, pixel for pixel.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include <unistd.h>

#include "tests/chart/main_window_chart.h"

namespace {

// The main window's per-line plotting, as Start, each received line and Stop drive it.
class TLivePlot {
 public:
  TLivePlot(TGChart& chart, bool trend, int channels, int xmax)
      : Chart_(chart), Trend_(trend), Channels_(channels), Xmax_(xmax) {}

  void Start() {
    Chart_.ClearGraph();
    Chart_.SetDataColor(clBlue);
    Chart_.Scale1Y().SetCaption("Kanal 1");
    Chart_.SetCaption("Messung");
    Chart_.SetRange(1, 0, 0, Xmax_, 10);
    Chart_.SetRange(2, 0, -5, Xmax_, 5);
    Chart_.UpdateGraph();
    N_ = 0;
    Counter_ = 0;
    TrendCount_ = 0;
  }

  void Line(float v1, float v2) {
    ++N_;
    if (N_ == 1) Prev1_ = v1, Prev2_ = v2;
    if (!Trend_) AddNormal(v1, v2);
    ++Counter_;
    const int interval = Trend_ ? 1 : Interval();
    if (Trend_) Counter_ = interval;
    if (Counter_ == interval) {
      Counter_ = 0;
      Chart_.UpdateGraph();
      if (Trend_) TrendStep(v1, v2);
    }
    Chart_.SetCurrentLayer(1);
    Chart_.SetPaintSuspended(false);
  }

  void Stop() {
    Chart_.SetCurrentLayer(1);
    Chart_.UpdateGraph();
  }

 private:
  int Interval() const {
    if (N_ <= 1000) return 1;
    if (N_ <= 2000) return 2;
    if (N_ <= 5000) return 5;
    return 50;
  }

  void Segment(int layer, TColor color, float& prev, float v) {
    Chart_.SetCurrentLayer(layer);
    Chart_.SetDataColor(color);
    Chart_.Line(double(N_ - 1), prev, double(N_), v);
    prev = v;
  }

  void AddNormal(float v1, float v2) {
    if (Channels_ == 1) {
      N_ == 1 ? Chart_.MoveTo(0, v1) : Chart_.DrawTo(double(N_), v1);
      return;
    }
    Segment(1, clBlue, Prev1_, v1);
    Segment(2, clMaroon, Prev2_, v2);
  }

  void TrendStep(float v1, float v2) {
    Chart_.SetPaintSuspended(true);
    Segment(1, clBlue, Prev1_, v1);
    if (Channels_ == 2) Segment(2, clMaroon, Prev2_, v2);
    if (double(Xmax_) - 20 >= double(TrendCount_)) {
      ++TrendCount_;
      return;
    }
    for (int layer = 1; layer <= Channels_; ++layer) {
      Chart_.RemoveFirstItem();
      const TScaleProps& x = Chart_.ScaleX(layer);
      const TScaleProps& y = Chart_.ScaleY(layer);
      Chart_.SetRange(layer, x.RangeLow() + 1, y.RangeLow(), x.RangeHigh() + 1, y.RangeHigh());
    }
  }

  TGChart& Chart_;
  const bool Trend_;
  const int Channels_;
  const int Xmax_;
  int64_t N_ = 0;
  float Prev1_ = 0, Prev2_ = 0;
  int Counter_ = 0;
  uint32_t TrendCount_ = 0;
};

struct DeferredComposition : testing::Test {
  DeferredComposition() { Immediate.Chart.SetDeferredComposition(false); }

  void Both(const std::function<void(TGChart&)>& step) {
    step(Deferred.Chart);
    step(Immediate.Chart);
  }

  // The window is shown: what both show, pixel for pixel.
  void Shown(const std::string& where) {
    const QImage& deferred = dynamic_cast<const TQtBitmap&>(*Deferred.Chart.WindowBitmap()).Image();
    const QImage& immediate = dynamic_cast<const TQtBitmap&>(*Immediate.Chart.WindowBitmap()).Image();
    ASSERT_EQ(deferred.size(), immediate.size()) << where;
    int differing = 0;
    for (int y = 0; y < deferred.height(); ++y) {
      for (int x = 0; x < deferred.width(); ++x) differing += deferred.pixel(x, y) != immediate.pixel(x, y);
    }
    EXPECT_EQ(differing, 0) << where;
    ++Checks;
  }

  void Run(bool trend, int channels, int lines, int showEvery, const std::function<void(int, TGChart&)>& extra = {}) {
    // Normal mode spans all lines, so that every sample is in view; trend mode slides.
    const int xmax = trend ? 100 : lines;
    TLivePlot deferred(Deferred.Chart, trend, channels, xmax), immediate(Immediate.Chart, trend, channels, xmax);
    deferred.Start();
    immediate.Start();
    Shown("start");
    for (int n = 1; n <= lines; ++n) {
      const auto v1 = float(5 + 4 * std::sin(n * 0.05)), v2 = float(3 * std::cos(n * 0.03));
      deferred.Line(v1, v2);
      immediate.Line(v1, v2);
      if (extra) Both([&](TGChart& c) { extra(n, c); });
      if (n % showEvery == 0) Shown("line " + std::to_string(n));
    }
    deferred.Stop();
    immediate.Stop();
    Shown("stop");
  }

  // Records as a session file holds them, loaded into both charts.
  void Load(const std::vector<TChartItem>& items) {
    const auto path = std::filesystem::temp_directory_path() / ("tavolix_deferred_" + std::to_string(::getpid()));
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(items.data()), std::streamsize(items.size() * sizeof(TChartItem)));
    Both([&](TGChart& c) { c.LoadGraphFile(path.string(), false); });
    std::filesystem::remove(path);
  }

  TQtMainChart Deferred;
  TQtMainChart Immediate;
  int Checks = 0;
};

TChartItem Loaded(TItemKind kind, double x, double y) {
  TChartItem item{};
  item.Kind = kind;
  item.Layer = 1;
  item.LineWidth = 1;
  item.Color = clNavy;
  item.X = x, item.Y = y;
  return item;
}

TEST_F(DeferredComposition, NormalModeAcrossThePacingBands) {
  Run(false, 1, 2300, 37, [](int n, TGChart& c) {
    if (n == 1500) c.SetGridStyle(gsNone), c.ShowGraph();  // " Show Grid" unchecked
    if (n == 1700) c.Resize(600, 380), c.Paint();  // the window resized
    if (n == 1900) c.Scale1X().SetMinTicks(6), c.Scale1Y().SetMinTicks(6);  // DoubleTics
  });
  Run(false, 2, 1200, 53);
  EXPECT_GT(Checks, 80);
}

TEST_F(DeferredComposition, TrendModeAcrossTheFillAndSlideBoundary) {
  Run(true, 1, 300, 7);
  Run(true, 2, 200, 3);
  Run(true, 1, 40, 1000);  // shown only at the end
}

TEST_F(DeferredComposition, ChangesBetweenShowsComposeWhatWaitsFirst) {
  Both([](TGChart& c) {
    c.SetDataColor(clBlue);
    for (int i = 0; i < 50; ++i) c.Line(i * 20, 1 + i % 7, i * 20 + 15, 9 - i % 5);
    c.ShowGraph();
    c.RemoveFirstItem();
    c.UpdateGraph();  // the removed item stays
  });
  Shown("after removal");
  Both([](TGChart& c) {
    c.UpdateGraph();
    c.SetChartColor(clYellow);  // stored only
    c.SetMarginLeft(90);
    c.UpdateGraph();
    c.Line(0, 0, 1000, 10);
    c.UpdateGraph();
    c.SetAutoRedraw(true);
    c.SetGridColor(clRed);
    c.SetCurrentLayer(2);
    c.UpdateGraph();
    c.ClearGraph();
    c.SetCurrentLayer(1);
    c.UpdateGraph();
  });
  Shown("after changes");
}

}  // namespace

// A character mark takes the chart area's font as the last text item left it, so a
// full paint over the first one draws a large glyph over the small one.
TEST_F(DeferredComposition, CharacterMarkBeforeATextItemInTwoFullPaints) {
  TChartItem mark = Loaded(ikMark, 300, 5);
  mark.Style = 'W';
  TChartItem text = Loaded(ikText, 600, 5);
  text.Size = 40;
  text.Text[0] = 1, text.Text[1] = 'T';
  Load({mark, text});  // loading repaints
  Both([](TGChart& c) { c.Paint(); });  // the window uncovered
  Shown("a second full paint");
}

// The cross-hair is drawn into the chart-area picture that later passes draw over, so a
// pass that draws nothing new still leaves it behind for the next one.
TEST_F(DeferredComposition, CrossHairMovedBetweenAFullPaintAndAnUpdate) {
  Both([](TGChart& c) {
    c.SetDataColor(clBlue);
    c.Line(0, 2, 1000, 8);
    c.Line(0, 8, 1000, 2);
    c.UpdateGraph();  // the grid is drawn once, before the first items
    c.CrossHair(1).SetMode(chBoth);
    c.CrossHair(1).SetPosX(300);
    c.CrossHair(1).SetPosY(4);
    c.Paint();
    c.UpdateGraph();
    c.CrossHair(1).SetPosX(700);  // AutoRedraw is off: stored only
    c.UpdateGraph();
  });
  Shown("after the move");
}
