#pragma once
// What a digital filter is to be: its kind and parameters, as the filter dialog and the
// command line give them.

#include <cstdint>
#include <string>

// fkLowPass1 and fkHighPass1 are the first-order sections (an RC network) designed like
// the Butterworth filters, so their -3 dB point lies exactly at the cutoff as well.
enum TFilterKind : uint8_t {
  fkMovingAverage,
  fkMedian,
  fkLowPass1,
  fkHighPass1,
  fkButterLowPass,
  fkButterHighPass,
  fkButterBandPass,
};

struct TFilterDesign {
  TFilterKind Kind = fkButterLowPass;
  int Length = 0;  // moving average 2..100000 samples, median odd 3..101
  // Butterworth 2..8. The band pass's order is that of its low-pass prototype: order n
  // gives 2n poles in n second-order sections, falling by n * 20 dB per decade on either
  // side far from the band.
  int Order = 0;
  double Cutoff = 0;      // -3 dB point of a low or high pass, lower edge of the band pass
  double CutoffHigh = 0;  // upper -3 dB edge of the band pass
  double SampleRate = 0;  // Hz; 0: the cutoffs are in cycles per sample
};

constexpr int MinMovingAverageLength = 2;
constexpr int MaxMovingAverageLength = 100000;
constexpr int MinMedianLength = 3;
constexpr int MaxMedianLength = 101;
constexpr int MinButterworthOrder = 2;
constexpr int MaxButterworthOrder = 8;

// Throws EAnalysisError with a German message naming the parameter that is out of range.
void CheckFilterDesign(const TFilterDesign& design);

// True for the kinds made of second-order sections (all but moving average and median).
bool IsRecursive(TFilterKind kind);

// "Butterworth-Tiefpass 4. Ordnung, Grenzfrequenz 50 Hz", "Median über 5 Werte", for
// captions and the C code's comment.
std::string FilterDescription(const TFilterDesign& design);
