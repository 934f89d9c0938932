#pragma once
// Filtered copies of channels in the main chart: each copy is a layer of its own, in a
// colour of its own, that follows its channel's x and y ranges. A copy is made of the
// channel's curve as it stands (a finished or loaded one) and, while an acquisition runs,
// grows with every sample of its channel.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "analysis/filter.h"
#include "chart/gchart.h"

struct TFilteredCopy {
  int32_t Source = 0;  // the channel's layer
  int32_t Layer = 0;   // the copy's
  TColor Color = clBlack;
  TFilterDesign Design;
  std::unique_ptr<TFilter> Filter;  // its state follows the newest sample
  bool HasLast = false;             // the next sample continues the curve
  double LastX = 0, LastY = 0;
};

class TFilteredCopies {
 public:
  explicit TFilteredCopies(TGChart& chart) : Chart_(chart) {}

  // Adds a copy of the source layer's curve, filtered from rest, in the highest layer
  // that holds nothing. Returns that layer. Throws EAnalysisError for a bad design and
  // when every layer is taken; a source without samples gives an empty copy that grows
  // with the next acquisition.
  int32_t Add(int32_t source, const TFilterDesign& design);
  // Takes the copy in the layer away, items and all.
  void Remove(int32_t layer);
  const std::vector<std::unique_ptr<TFilteredCopy>>& Copies() const { return Copies_; }
  bool IsCopy(int32_t layer) const;

  // Start of an acquisition: every filter back to rest, no curve to continue.
  void Restart();
  // A sample of the channel in layer source was plotted at x: each of its copies steps
  // its filter and draws the next segment. The chart's current layer and colour stay as
  // they were. Allocates nothing.
  void Sample(int32_t source, double x, double y);
  // Trend: the copies' items that have left the window at the front of the list go, as
  // the acquisition removes its own oldest items.
  void TrimWindow();

 private:
  int32_t FreeLayer() const;
  void Sample(TFilteredCopy& copy, double x, double y);

  TGChart& Chart_;
  std::vector<std::unique_ptr<TFilteredCopy>> Copies_;
};
