// The second half of the per-line routine: the new sample's items, the redraw pacing and
// the sliding window of Trend mode.

#include <limits>

#include "acquisition/acquisition.h"
#include "chart/gchart.h"

namespace {

constexpr TColor kChannel1Color = 0xFF0000;  // blue
constexpr TColor kChannel2Color = 128;  // maroon

}  // namespace

int32_t PaintIntervalFor(int64_t sampleCount) {
  if (sampleCount <= 1000) return 1;
  if (sampleCount <= 2000) return 2;
  if (sampleCount <= 5000) return 5;
  if (sampleCount <= 10000) return 50;
  if (sampleCount <= 20000) return 100;
  if (sampleCount <= 50000) return 200;
  return 400;
}

void TAcquisition::PlaceSample(double x) {
  State.PrevX = State.NewestX;
  State.NewestX = x;
}

void TAcquisition::AddNormalSample() {
  TAcquisitionState& s = State;
  if (s.ChannelMode != 2) {
    // On the sample axis the first sample sits at x = 0, the later ones at their count;
    // on the time axis each sits at its time.
    if (s.SampleCount == 1) {
      Chart_.MoveTo(s.TimeAxis ? s.NewestX : 0, s.Value1);
    } else {
      Chart_.DrawTo(s.NewestX, s.Value1);
    }
    return;
  }
  // One chain point serves all layers, so two curves are drawn as separate segments.
  AddSegments();
}

void TAcquisition::AddSegments() {
  TAcquisitionState& s = State;
  // The first sample has no predecessor: its segments start where they end.
  if (s.SampleCount == 1) {
    s.PrevValue1 = s.Value1;
    s.PrevValue2 = s.Value2;
  }
  Chart_.SetCurrentLayer(1);
  Chart_.SetDataColor(kChannel1Color);
  Chart_.Line(s.PrevX, s.PrevValue1, s.NewestX, s.Value1);
  s.PrevValue1 = s.Value1;
  if (s.ChannelMode != 2) return;
  Chart_.SetCurrentLayer(2);
  Chart_.SetDataColor(kChannel2Color);
  Chart_.Line(s.PrevX, s.PrevValue2, s.NewestX, s.Value2);
  s.PrevValue2 = s.Value2;
}

void TAcquisition::PaceRedraw() {
  TAcquisitionState& s = State;
  if (s.TrendMode) {
    s.PaintInterval = 0;
  } else {
    ++s.PaintCounter;
    s.PaintInterval = PaintIntervalFor(s.SampleCount);
  }
  if (s.PaintCounter != s.PaintInterval) return;
  s.PaintCounter = 0;
  Chart_.UpdateGraph();
  if (s.TrendMode) TrendStep();
}

void TAcquisition::TrendStep() {
  TAcquisitionState& s = State;
  const bool autoMode = s.ChannelMode == kChannelModeAuto;
  Chart_.SetPaintSuspended(true);
  if (autoMode) {
    AddAutoSegments();
  } else {
    AddSegments();
  }
  if (s.TimeAxis) {
    SlideTimeWindow();
    return;
  }
  // The window slides only once it holds Xmax - 19 samples: the newest sample then stays
  // 19 samples left of the right edge, where the curve is seen arriving.
  if (double(s.Xmax) - 20 >= double(s.TrendWindowCount)) {
    ++s.TrendWindowCount;
    return;
  }
  if (autoMode) {
    SlideAutoWindow();
    return;
  }
  SlideLayer(1);
  if (s.ChannelMode == 2) SlideLayer(2);
}

void TAcquisition::SlideLayer(int32_t layer) {
  // Each layer moves on from its own present range; the y range stays.
  Chart_.RemoveFirstItem();
  const TScalePropsHoriz& x = Chart_.ScaleX(layer);
  const TScalePropsVert& y = Chart_.ScaleY(layer);
  Chart_.SetRange(layer, x.RangeLow() + 1, y.RangeLow(), x.RangeHigh() + 1, y.RangeHigh());
}

void TAcquisition::SlideTimeWindow() {
  const TAcquisitionState& s = State;
  // As the sample window leaves 20 of its 1000 samples free at the right, the newest
  // time stays a fiftieth of the window left of the right edge.
  const double right = s.NewestX + double(s.Xmax) / 50;
  double left = -std::numeric_limits<double>::infinity();
  if (right > double(s.Xmax)) {
    left = right - double(s.Xmax);
    // Layers 2 to 16 of "Auto" follow layer 1; the y ranges stay.
    for (int32_t layer = 1; layer <= (s.ChannelMode == 2 ? 2 : 1); ++layer) {
      const TScalePropsVert& y = Chart_.ScaleY(layer);
      Chart_.SetRange(layer, left, y.RangeLow(), right, y.RangeHigh());
    }
  }
  // The samples are in time order: what ends left of the window is older than it.
  while (Chart_.NumItems() > 0 && (Chart_.NumItems() > kMaxTimeWindowItems || Chart_.Items()[0].X2 <= left)) {
    Chart_.RemoveFirstItem();
  }
}
