#pragma once
// Display aids, off by default, applied at most once per frame and never per sample:
// "Auto-Y" fits the y range of the curves' layers to the items in view, with a small
// margin rounded out to a tick-like step so that the axis stays calm while the data
// move; "Mitlaufen" keeps the newest samples of a Normal acquisition in view, Xmax wide,
// so that the curve does not stop at the right edge.

#include <array>
#include <cstdint>
#include <optional>

#include "acquisition/acquisition_state.h"

class TGChart;

struct TValueSpan {
  double Low = 0;
  double High = 0;
};

// The y extent of the visible items of the given layers (bit n - 1 for layer n) that lie
// within x low..high; segments are cut at the edges. None when no item is in view.
std::optional<TValueSpan> VisibleYExtent(const TGChart& chart, uint32_t layers, double xLow, double xHigh);

// The y range shown for an extent: a margin of a twentieth of the span on each side,
// rounded out to a multiple of a 1, 2 or 5 step; a flat extent gets a span of its own.
TValueSpan AutoYRange(TValueSpan extent);

class TViewFollower {
 public:
  bool AutoY = false;
  bool FollowNewest = false;

  // Changes the ranges the aids call for; true when it changed any. Skips the work when
  // neither the items nor the ranges changed since the last call.
  bool Apply(TGChart& chart, const TAcquisitionState& state, bool running);

 private:
  bool FollowNewestSamples(TGChart& chart, const TAcquisitionState& state);
  bool FitY(TGChart& chart, int32_t layer, uint32_t layers);

  // What the last fit looked at.
  struct TSeen {
    int32_t NumItems = -1;
    double FirstX = 0;
    double LastX = 0;
    double XLow = 0;
    double XHigh = 0;
    uint32_t Visible = 0;
    friend bool operator==(const TSeen&, const TSeen&) = default;
  };
  std::array<TSeen, 2> Seen_{};  // per fitted layer: 1 and 2
};
