#include "analysis/filter_notation.h"

#include <charconv>
#include <string>
#include <vector>

#include "analysis/analysis_error.h"
#include "analysis/frequency_unit.h"

namespace {

// Each form is written as the user writes it; a parameter's first letter says what it is:
// L a length, N an order, F a frequency.
struct TNotationForm {
  std::string_view Form;
  TFilterKind Kind;
};

constexpr TNotationForm Forms[] = {
    {"ma:L", fkMovingAverage},
    {"median:L", fkMedian},
    {"lp1:F", fkLowPass1},
    {"hp1:F", fkHighPass1},
    {"butter-lp:N:F", fkButterLowPass},
    {"butter-hp:N:F", fkButterHighPass},
    {"butter-bp:N:F1:F2", fkButterBandPass},
};

std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  for (size_t colon; (colon = text.find(':')) != std::string_view::npos;
       text.remove_prefix(colon + 1)) {
    fields.push_back(text.substr(0, colon));
  }
  fields.push_back(text);
  return fields;
}

[[noreturn]] void NotANumber(std::string_view field, std::string_view text) {
  throw EAnalysisError("'" + std::string(field) + "' ist keine gültige Zahl in '" +
                       std::string(text) + "'");
}

int Integer(std::string_view field, std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size()) NotANumber(field, text);
  return value;
}

// The frequency as written, and whether it carries the suffix "Hz".
std::pair<double, bool> Frequency(std::string_view field, std::string_view text) {
  const bool hertz = field.ends_with("Hz");
  const std::string_view number = hertz ? field.substr(0, field.size() - 2) : field;
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (number.empty() || error != std::errc() || end != number.data() + number.size()) {
    NotANumber(field, text);
  }
  return {value, hertz};
}

const TNotationForm& Form(std::string_view name) {
  std::string known;
  for (const TNotationForm& form : Forms) {
    if (Fields(form.Form)[0] == name) return form;
    known += (known.empty() ? "" : ", ") + std::string(form.Form);
  }
  throw EAnalysisError("Unbekannter Filter '" + std::string(name) + "'; möglich sind " + known);
}

}  // namespace

TFilterDesign ParseFilterNotation(std::string_view text, double sampleRate) {
  CheckSampleRate(sampleRate);
  const std::vector<std::string_view> fields = Fields(text);
  const TNotationForm& form = Form(fields[0]);
  const std::vector<std::string_view> parameters = Fields(form.Form);
  if (fields.size() != parameters.size()) {
    throw EAnalysisError("'" + std::string(text) + "' passt nicht zur Form " +
                         std::string(form.Form));
  }
  TFilterDesign design;
  design.Kind = form.Kind;
  double* cutoff = &design.Cutoff;
  int hertzCount = 0, frequencyCount = 0;
  for (size_t i = 1; i < fields.size(); ++i) {
    const std::string_view field = fields[i];
    switch (parameters[i][0]) {
      case 'L':
        design.Length = Integer(field, text);
        break;
      case 'N':
        design.Order = Integer(field, text);
        break;
      default: {
        const auto [value, hertz] = Frequency(field, text);
        *cutoff = value;
        cutoff = &design.CutoffHigh;
        hertzCount += hertz;
        ++frequencyCount;
      }
    }
  }
  if (hertzCount > 0 && hertzCount < frequencyCount) {
    throw EAnalysisError("Die Frequenzen in '" + std::string(text) +
                         "' sind alle in Hz anzugeben oder alle ohne Einheit");
  }
  if (hertzCount > 0) {
    if (sampleRate == 0)
      throw EAnalysisError("Frequenzen in Hz brauchen eine Abtastrate: '" + std::string(text) +
                           "'");
    design.SampleRate = sampleRate;
  }
  CheckFilterDesign(design);
  return design;
}
