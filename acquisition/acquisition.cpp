#include "acquisition/acquisition.h"

#include "acquisition/sample_reading.h"
#include "acquisition/value_format.h"

TAcquisition::TAcquisition(TAcquisitionHost& host, char decimalSeparator)
    : Host_(host), DecimalSeparator_(decimalSeparator) {
  RawValuesText_.reserve(64);
}

void TAcquisition::ProcessLine(std::string_view line) {
  // Counted before it is read: an unreadable or overflowing line still counts.
  ++State.SampleCount;
  ReadSamples(line, State);
  ShowValues();
}

void TAcquisition::ShowValues() {
  RawValuesText_.assign(1, ' ');
  AppendValueText(RawValuesText_, State.Value1, DecimalSeparator_);
  if (State.ChannelMode == 2) {
    RawValuesText_.append(6, ' ');
    AppendValueText(RawValuesText_, State.Value2, DecimalSeparator_);
  }
  Host_.ShowRawValues(RawValuesText_);
}
