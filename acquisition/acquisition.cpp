#include "acquisition/acquisition.h"

#include "acquisition/sample_reading.h"
#include "acquisition/value_format.h"
#include "chart/gchart.h"

TAcquisition::TAcquisition(TAcquisitionHost& host, TGChart& chart, char decimalSeparator)
    : Host_(host), Chart_(chart), DecimalSeparator_(decimalSeparator) {
  RawValuesText_.reserve(64 + kMaxChannels * 24);
}

void TAcquisition::Receive(const uint8_t* data, size_t count) {
  BeginBlock(data, count);
  // The recording hears of the block's end also when one of its lines failed.
  struct TEndBlock {
    TAcquisition& Acquisition;
    ~TEndBlock() { Acquisition.EndBlock(); }
  } endBlock{*this};
  if (State.ChannelMode == kChannelModeAuto) {
    AnyEndFraming_.Feed(data, count);
    return;
  }
  if (!Sniffer_.Done()) TellHint(Sniffer_.InspectBytes(data, count));
  Framing_.Feed(data, count);
}

bool TAcquisition::ProcessLine(std::string_view line) {
  TAcquisitionState& s = State;
  if (s.ChannelMode == kChannelModeAuto) return ProcessAutoLine(line);
  if (!Sniffer_.Done()) TellHint(Sniffer_.InspectLine(line, s.ChannelMode));
  // Counted before it is read: an unreadable or overflowing line still counts.
  ++s.SampleCount;
  ReadSamples(line, s);
  ShowValues();
  Host_.ShowSampleCount(s.SampleCount);
  if (!s.TrendMode && s.SampleCount > s.MaxSamples) {
    Host_.SampleLimitReached();
    return false;
  }
  const double seconds = NextLineTime();
  if (Recording_.Active()) RecordLine(seconds);
  PlaceSample(s.TimeAxis ? seconds : double(s.SampleCount));
  if (!s.TrendMode) AddNormalSample();
  return FinishLine();
}

bool TAcquisition::FinishLine() {
  PaceRedraw();
  Chart_.SetCurrentLayer(1);
  Chart_.SetPaintSuspended(false);
  return Host_.ProcessMessages();
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

void TAcquisition::TellHint(TFormatHint hint) {
  if (hint != fhNone) Host_.ShowFormatHint(FormatHintText(hint));
}
