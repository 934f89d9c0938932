#pragma once
// A legend in the top right corner of the chart area: one row per curve, a short line in
// the curve's colour and its name, on a white box. Drawn over the items at every
// composition, so that new items never cover it.

#include <cstdint>
#include <string>
#include <vector>

#include "chart/canvas.h"
#include "chart/colors.h"

class TGChart;

struct TLegendEntry {
  std::string Name;  // Windows-1252 bytes
  TColor Color = clBlack;
};

class TChartLegend {
 public:
  // Shown in this order; none: nothing is drawn.
  std::vector<TLegendEntry> Entries;

  // top and left as the chart's render events give them: MarginTop and MarginLeft less
  // the offsets at which the pass draws the chart area.
  void Draw(TCanvas& canvas, const TGChart& chart, int32_t top, int32_t left) const;
};
