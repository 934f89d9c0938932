#include "analysis/frequency_unit.h"

#include <cmath>

#include "analysis/analysis_error.h"
#include "analysis/number_text.h"

void CheckSampleRate(double sampleRate) {
  if (sampleRate == 0) return;
  if (!(std::isfinite(sampleRate) && sampleRate > 0)) {
    throw EAnalysisError("Die Abtastrate muss größer als 0 Hz sein, nicht " +
                         ShortestText(sampleRate));
  }
}

double CyclesPerSample(double frequency, double sampleRate) {
  return sampleRate > 0 ? frequency / sampleRate : frequency;
}

std::string FrequencyText(double frequency, double sampleRate) {
  return ShortestText(frequency) + (sampleRate > 0 ? " Hz" : " pro Abtastwert");
}
