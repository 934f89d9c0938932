// What Start, Stop, Reset and the window's mode switches change in the acquisition state.

#include "acquisition/acquisition.h"

void TAcquisition::Reset() {
  TAcquisitionState& s = State;
  s.TrendMode = false;
  s.PaintCounter = 0;
  s.PaintInterval = 0;
  s.Factor1 = 1;
  s.Offset1 = 0;
  s.Offset2 = 0;
  s.TrendWindowCount = 0;
  SetChannelMode(1);
}

void TAcquisition::SetChannelMode(int32_t mode) {
  const bool wasAuto = State.ChannelMode == kChannelModeAuto;
  State.ChannelMode = mode;
  State.MaxSamples = MaxSamplesFor(mode);
  FindTimeChannel();
  if (wasAuto != (mode == kChannelModeAuto)) JoinAutoLayers(!wasAuto);
}

void TAcquisition::BeginAcquisition() {
  TAcquisitionState& s = State;
  s.SampleCount = 0;
  s.NewestX = 0;
  s.PrevX = 0;
  s.PrevValue1 = 0;
  s.PrevValue2 = 0;
  s.TrendWindowCount = 0;
  s.PaintCounter = 0;
  Sniffer_.Restart();
  AutoReader_.ResetCounts();
  TooManyChannelsTold_ = false;
  Traces_.fill(TTrace());
  DeviceClock_.Restart();
  FindTimeChannel();
  TakeChannelColors();
}

void TAcquisition::EndAcquisition() {
  State.PaintCounter = 0;
  State.TrendMode = false;
}

void TAcquisition::SetFixedScaling(const TFixedScaling& scaling) {
  State.Factor1 = scaling.Factor1;
  State.Offset1 = scaling.Offset1;
  State.Factor2 = scaling.Factor2;
  State.Offset2 = scaling.Offset2;
}

void TAcquisition::SetAxisRanges(const TAxisRanges& ranges) {
  State.Xmax = ranges.Xmax;
  State.Ymin1 = ranges.Ymin1;
  State.Ymax1 = ranges.Ymax1;
  State.Ymin2 = ranges.Ymin2;
  State.Ymax2 = ranges.Ymax2;
}

void TAcquisition::SetPortValues(int32_t comPortNumber, int32_t baudRate) {
  State.ComPortNumber = comPortNumber;
  State.BaudRateValue = baudRate;
}
