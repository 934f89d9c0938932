#include "analysis/filter_design.h"

#include <cmath>

#include "analysis/analysis_error.h"
#include "analysis/frequency_unit.h"
#include "analysis/number_text.h"

namespace {

std::string Number(double value) { return ShortestText(value); }

void CheckLength(const TFilterDesign& d) {
  if (d.Kind == fkMovingAverage &&
      (d.Length < MinMovingAverageLength || d.Length > MaxMovingAverageLength)) {
    throw EAnalysisError("Die Länge des gleitenden Mittelwerts muss zwischen " +
                         Number(MinMovingAverageLength) + " und " + Number(MaxMovingAverageLength) +
                         " liegen, nicht " + Number(d.Length));
  }
  if (d.Kind == fkMedian &&
      (d.Length < MinMedianLength || d.Length > MaxMedianLength || d.Length % 2 == 0)) {
    throw EAnalysisError("Die Länge des Medians muss ungerade sein und zwischen " +
                         Number(MinMedianLength) + " und " + Number(MaxMedianLength) +
                         " liegen, nicht " + Number(d.Length));
  }
}

void CheckCutoff(double cutoff, double sampleRate) {
  const double cycles = CyclesPerSample(cutoff, sampleRate);
  if (!(cycles > 0 && cycles < 0.5)) {
    const double nyquist = sampleRate > 0 ? sampleRate / 2 : 0.5;
    throw EAnalysisError("Die Grenzfrequenz muss zwischen 0 und " +
                         FrequencyText(nyquist, sampleRate) + " liegen, nicht " +
                         FrequencyText(cutoff, sampleRate));
  }
}

bool FirstOrder(TFilterKind kind) { return kind == fkLowPass1 || kind == fkHighPass1; }

const char* KindName(TFilterKind kind) {
  switch (kind) {
    case fkMovingAverage:
      return "Gleitender Mittelwert";
    case fkMedian:
      return "Median";
    case fkLowPass1:
      return "Tiefpass";
    case fkHighPass1:
      return "Hochpass";
    case fkButterLowPass:
      return "Butterworth-Tiefpass";
    case fkButterHighPass:
      return "Butterworth-Hochpass";
    case fkButterBandPass:
      break;
  }
  return "Butterworth-Bandpass";
}

}  // namespace

bool IsRecursive(TFilterKind kind) { return kind != fkMovingAverage && kind != fkMedian; }

void CheckFilterDesign(const TFilterDesign& d) {
  CheckSampleRate(d.SampleRate);
  if (!IsRecursive(d.Kind)) {
    CheckLength(d);
    return;
  }
  if (!FirstOrder(d.Kind) && (d.Order < MinButterworthOrder || d.Order > MaxButterworthOrder)) {
    throw EAnalysisError("Die Ordnung muss zwischen " + Number(MinButterworthOrder) + " und " +
                         Number(MaxButterworthOrder) + " liegen, nicht " + Number(d.Order));
  }
  CheckCutoff(d.Cutoff, d.SampleRate);
  if (d.Kind != fkButterBandPass) return;
  CheckCutoff(d.CutoffHigh, d.SampleRate);
  if (!(d.Cutoff < d.CutoffHigh)) {
    throw EAnalysisError("Die untere Grenzfrequenz muss unter der oberen liegen");
  }
}

std::string FilterDescription(const TFilterDesign& d) {
  std::string text = KindName(d.Kind);
  if (!IsRecursive(d.Kind)) return text + " über " + Number(d.Length) + " Werte";
  const int order = FirstOrder(d.Kind) ? 1 : d.Order;
  text += " " + Number(order) + ". Ordnung";
  if (d.Kind == fkButterBandPass) {
    return text + " (" + Number(2 * order) + " Pole), Grenzfrequenzen " +
           FrequencyText(d.Cutoff, d.SampleRate) + " und " +
           FrequencyText(d.CutoffHigh, d.SampleRate);
  }
  return text + ", Grenzfrequenz " + FrequencyText(d.Cutoff, d.SampleRate);
}
