#pragma once
// Where an axis gets its ticks: the nice step of a linear axis and the decades of a
// logarithmic one. Pure arithmetic on the range and the tick options.

#include <cstdint>
#include <vector>

// Step of a linear axis: majors at First + k * Step (k = 0, 1, ...), each major interval
// divided into MinorIntervals. Step carries the axis direction (negative on a reversed
// axis) and is 0 when the range is empty.
struct TLinearTickStep {
  double First = 0;
  double Step = 0;
  int MinorIntervals = 1;
};

enum TTickKind : uint8_t {
  tkMinor,   // short tick, no label
  tkMajor,   // long tick with a label
  tkDecade,  // long tick at a power of ten on a logarithmic axis, labelled
};

struct TTick {
  double Value = 0;
  TTickKind Kind = tkMinor;
  friend bool operator==(const TTick&, const TTick&) = default;
};

struct TTickOptions {
  double RangeLow = 0;
  double RangeHigh = 1;
  int MinTicks = 3;
  bool ShortTicks = true;
  bool Logarithmic = false;
};

// Neither pass of a linear axis draws more ticks than this: a fixed step of 1 over a
// huge range would otherwise never finish.
constexpr int kMaxTicksPerPass = 10000;

// MinTicks as the axis uses it: 0 stays 0 (fixed step of 1), anything else 2..10.
int ClampMinTicks(int minTicks);

TLinearTickStep NiceTickStep(double lo, double hi, int minTicks);

// True when a logarithmic axis over lo..hi is drawn by decades; a span of less than
// one decade, or a bound that is not positive, is drawn as a linear axis.
bool DrawsDecades(double lo, double hi, bool logarithmic);

// All ticks in drawing order: on a linear axis the minor pass (if ShortTicks) and then
// the major pass; on a logarithmic axis decade by decade. Clears `ticks` first and keeps
// its capacity.
void ComputeTicks(const TTickOptions& options, std::vector<TTick>& ticks);
