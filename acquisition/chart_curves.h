#pragma once
// The channels' curves as the chart holds them: for each layer the samples that its curve
// items stand for, in the order they were drawn, and the part of them that lies in the
// layer's x range (what the user sees). It reads the display list alone, so it serves a
// running acquisition, a finished one and a loaded session alike. The vectors keep their
// capacity from one reading to the next, and items appended since the last reading are
// the only ones read, so that following a Normal acquisition costs what it adds.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "chart/gchart.h"

struct TCurvePoint {
  double X;
  double Y;
  int32_t Layer;
};

// The sample a curve item stands for: the vertex of a MoveTo or DrawTo, the end of a
// Line (its start repeats the sample before). Other kinds, and layers outside 1..16, are
// not samples.
std::optional<TCurvePoint> CurvePoint(const TChartItem& item);

struct TChannelCurve {
  int32_t Layer = 0;
  TColor Color = clBlack;  // of its newest item
  bool Shown = false;      // the layer is visible
  std::vector<double> X, Y;                // every sample
  std::vector<double> VisibleX, VisibleY;  // those with x in the layer's x range
  bool VisibleAscending = true;            // VisibleX never falls (false after appended sessions)
};

class TChartCurves {
 public:
  TChartCurves();
  // Reads the display list again when it changed since the last call, and selects the
  // visible parts again when it or a layer's x range or visibility changed. True when
  // anything changed.
  bool Update(const TGChart& chart);
  // The layers that hold curve samples, ascending.
  const std::vector<const TChannelCurve*>& Curves() const { return Used_; }

 private:
  struct TListStamp {
    int32_t NumItems = -1;
    std::optional<TChartItem> First, Last;
  };
  struct TViewStamp {
    double Low = 0, High = 0;
    bool Shown = false;
    bool operator==(const TViewStamp&) const = default;
  };
  enum TListChange : uint8_t { lcNone, lcAppended, lcOther };
  TListChange ListChange(const TGChart& chart) const;
  // Adds the samples of items from..NumItems - 1.
  void ReadItems(const TGChart& chart, size_t from);
  // Adds the samples from..size - 1 that lie in the view to the visible part.
  static void Select(TChannelCurve& curve, size_t from, const TViewStamp& view);

  std::array<TChannelCurve, kNumLayers> Layers_;
  std::array<TViewStamp, kNumLayers> Views_;
  std::vector<const TChannelCurve*> Used_;
  TListStamp Stamp_;
  bool Read_ = false;
};
