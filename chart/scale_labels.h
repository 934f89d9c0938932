#pragma once
// Tick label texts: numbers with automatic or fixed decimal places, scientific
// notation, decade exponents, user texts, durations and dates, and the label pattern.

#include <cstdint>
#include <string>
#include <string_view>

#include "chart/scale_ticks.h"
#include "chart/scale_types.h"

struct TLabelOptions {
  TFigType LabelType = ftNum;
  int DecPlaces = -2;
  bool Decades = false;  // a logarithmic axis drawn decade by decade
  double RangeLow = 0;
  double RangeHigh = 1;
  std::string_view ScaleInscript;
  std::string_view UserTickText;
  TDTLabel DateFormat;
};

// What a run of labels remembers from one label to the next; start each axis afresh.
struct TLabelRun {
  int64_t PreviousDay = INT64_MIN;  // day of the last date label, for dtOnePerDay
};

// Decimal places of the labels; -1 is scientific notation with two significant digits.
// On a linear axis DecPlaces -2 and -3 choose from the span; on a decade axis only -2.
int EffectiveDecPlaces(int decPlaces, bool decades, double lo, double hi);

// Fixed-point text with `places` decimals and "." whatever the locale, or, for a negative
// `places`, scientific text (" 1.2E+03"; "********" when the exponent has three digits).
void FormatNumber(double value, int places, std::string& out);

// The label of a labelled tick (tkMajor or tkDecade) into `out`, reusing its capacity.
// `labelIndex` counts the labelled ticks of the axis from 1 (the item of UserTickText).
void TickLabelText(const TLabelOptions& options, const TTick& tick, int labelIndex, TLabelRun& run,
                   std::string& out);
