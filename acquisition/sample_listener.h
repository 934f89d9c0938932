#pragma once
// What follows the plotted samples besides the chart: the live analysis (the realtime
// spectra, the filtered copies). It is called on the main thread within the per-line
// routine, so it must not allocate once warm.

#include <cstdint>
#include <span>

struct TPlottedValue {
  int32_t Layer;  // the channel's layer
  double Value;   // as plotted
};

class TSampleListener {
 public:
  virtual ~TSampleListener() = default;
  // An acquisition starts: nothing before it continues.
  virtual void AcquisitionStarted() = 0;
  // The line's samples are in the chart at x, one value per channel that has one. With
  // slidingWindow (Trend) the window moves on after the call, dropping the oldest items.
  virtual void SamplesPlotted(double x, std::span<const TPlottedValue> values, bool slidingWindow) = 0;
};
