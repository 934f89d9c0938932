// The per-line routine of the "Auto" mode: each line read into its channels, scaled per
// channel, shown, limited, and drawn as one Line item per channel that has a value, in
// the channel's layer and colour, as the two-channel mode draws.

#include "acquisition/acquisition.h"
#include "acquisition/sample_scaling.h"
#include "acquisition/value_format.h"
#include "chart/gchart.h"

bool TAcquisition::ProcessAutoLine(std::string_view line) {
  TAcquisitionState& s = State;
  // Every line takes its share of the block's time, a sample or not.
  const double seconds = NextLineTime();
  const TAutoLineKind kind = AutoReader_.Read(line, AutoSample_);
  if (AutoReader_.TakeChannelsChanged()) {
    JoinPlacedLayers();
    FindTimeChannel();
    UpdateLegend();
    Host_.ChannelsChanged();
  }
  if (AutoReader_.ChannelsExhausted() && !TooManyChannelsTold_) {
    TooManyChannelsTold_ = true;
    TellHint(fhTooManyChannels);
  }
  if (kind != alSample) return AutoLineWithoutSample(kind);
  ++s.SampleCount;
  if (Recording_.Active()) KeepAutoRawValues();
  // Before scaling: a timestamp beyond the single-precision range is still a time.
  const double x = s.TimeAxis ? AutoSampleX(seconds) : double(s.SampleCount);
  const int32_t items = ScaleAutoSample();
  ShowAutoValues();
  Host_.ShowSampleCount(s.SampleCount);
  if (!s.TrendMode && Chart_.NumItems() + items > kMaxNormalItems) {
    Host_.SampleLimitReached();
    return false;
  }
  if (Recording_.Active()) RecordAutoLine(seconds);
  PlaceSample(x);
  if (!s.TrendMode) AddAutoSegments();
  return FinishLine();
}

bool TAcquisition::AutoLineWithoutSample(TAutoLineKind kind) {
  if (kind == alSkipped) Host_.ShowSkippedLines(AutoReader_.SkippedLines());
  return Host_.ProcessMessages();
}

int32_t TAcquisition::ScaleAutoSample() {
  int32_t items = 0;
  for (int32_t n = 1; n <= Channels_.Count(); ++n) {
    TChannelReading& reading = AutoSample_.Reading[size_t(n)];
    if (reading != crNumber) continue;
    // The fixed modes' single-precision arithmetic; a value beyond its range is a gap
    // in its channel, as an unreadable field is, rather than the end of the acquisition.
    const double number = AutoSample_.Number[size_t(n)];
    float scaled = 0;
    if (!FitsSingle(number) || !TryScaleSample(float(number), Channels_[n].Factor, Channels_[n].Offset, scaled)) {
      reading = crGap;
      continue;
    }
    Traces_[size_t(n)].Value = scaled;
    if (n != TimeChannel_) ++items;
  }
  return items;
}

void TAcquisition::ShowAutoValues() {
  // Every channel's newest value; "-" where the newest was a gap.
  RawValuesText_.assign(1, ' ');
  for (int32_t n = 1; n <= Channels_.Count(); ++n) {
    TTrace& t = Traces_[size_t(n)];
    const TChannelReading reading = AutoSample_.Reading[size_t(n)];
    if (reading != crAbsent) t.Shown = reading == crNumber;
    if (n > 1) RawValuesText_.append(3, ' ');
    if (t.Shown) {
      AppendValueText(RawValuesText_, t.Value, DecimalSeparator_);
    } else {
      RawValuesText_ += '-';
    }
  }
  Host_.ShowRawValues(RawValuesText_);
}

void TAcquisition::AddAutoSegments() {
  const double x = State.NewestX;
  for (int32_t n = 1; n <= Channels_.Count(); ++n) {
    if (n == TimeChannel_) continue;  // it is the x axis
    TTrace& t = Traces_[size_t(n)];
    const TChannelReading reading = AutoSample_.Reading[size_t(n)];
    if (reading == crGap) t.HasLast = false;
    // A channel the line does not mention is joined across it to its next value.
    if (reading != crNumber) continue;
    // A value with nothing to continue from is a flat segment from the sample before,
    // as the first line of the two-channel mode draws.
    const double x1 = t.HasLast ? t.LastX : State.PrevX;
    const float y1 = t.HasLast ? t.LastValue : t.Value;
    Chart_.SetCurrentLayer(n);
    Chart_.SetDataColor(t.Color);
    Chart_.Line(x1, y1, x, t.Value);
    t.HasLast = true;
    t.LastX = x;
    t.LastValue = t.Value;
  }
}

void TAcquisition::SlideAutoWindow() {
  // Layers 2 to 16 follow layer 1; the items that end at or left of the new left edge
  // are out of the window.
  const TScalePropsHoriz& x = Chart_.ScaleX(1);
  const TScalePropsVert& y = Chart_.ScaleY(1);
  Chart_.SetRange(1, x.RangeLow() + 1, y.RangeLow(), x.RangeHigh() + 1, y.RangeHigh());
  const double left = Chart_.ScaleX(1).RangeLow();
  while (Chart_.NumItems() > 0 && Chart_.Items()[0].X2 <= left) Chart_.RemoveFirstItem();
}

void TAcquisition::JoinPlacedLayers() {
  // Only the layers that carry a channel: each joined layer costs a mapping per range
  // change, and Trend changes the range every line.
  for (int32_t layer = 2; layer <= Channels_.Count(); ++layer) {
    if (Chart_.LxControlledBy(layer) == 1) continue;
    Chart_.SetLxControlledBy(layer, 1);
    Chart_.SetLyControlledBy(layer, 1);
  }
}

void TAcquisition::JoinAutoLayers(bool join) {
  if (join) JoinPlacedLayers();
  for (int32_t layer = 2; layer <= kNumLayers && !join; ++layer) {
    Chart_.SetLxControlledBy(layer, layer);
    Chart_.SetLyControlledBy(layer, layer);
    Chart_.SetLayerVisible(layer, true);
  }
  if (join) {
    Chart_.OnDataRendered = [this](TGChart& chart, TCanvas& canvas, int32_t top, int32_t left) {
      Legend_.Draw(canvas, chart, top, left);
    };
    TakeChannelColors();
    ChannelsEdited();
  } else {
    Chart_.OnDataRendered = nullptr;
    Chart_.SetLayerVisible(1, true);
  }
}

void TAcquisition::TakeChannelColors() {
  for (int32_t n = 1; n <= kMaxChannels; ++n) Traces_[size_t(n)].Color = Channels_[n].Color;
  UpdateLegend();
}

void TAcquisition::ChannelsEdited() {
  for (int32_t n = 1; n <= kMaxChannels; ++n) Chart_.SetLayerVisible(n, Channels_[n].Visible);
  UpdateLegend();
}

void TAcquisition::ForgetChannels() {
  AutoReader_.ForgetChannels();
  AutoReader_.TakeChannelsChanged();
  UpdateLegend();
}

void TAcquisition::UpdateLegend() {
  Legend_.Entries.clear();
  for (int32_t n = 1; n <= Channels_.Count(); ++n) {
    if (!Channels_[n].Visible || n == TimeChannel_) continue;
    Legend_.Entries.push_back({Channels_.DisplayName(n), Traces_[size_t(n)].Color});
  }
}

void TAcquisition::SetTimeAxis(bool time, bool deviceTime) {
  State.TimeAxis = time;
  State.DeviceTime = deviceTime;
  FindTimeChannel();
  UpdateLegend();
}

void TAcquisition::FindTimeChannel() {
  TimeChannel_ = 0;
  TimeUnit_ = 0;
  if (!State.TimeAxis || !State.DeviceTime || State.ChannelMode != kChannelModeAuto) return;
  for (int32_t n = 1; n <= Channels_.Count() && TimeChannel_ == 0; ++n) {
    TimeUnit_ = TimestampUnit(Channels_[n].DeviceName);
    if (TimeUnit_ > 0) TimeChannel_ = n;
  }
}

double TAcquisition::AutoSampleX(double arrivalSeconds) {
  // Until the device has named a time field, its lines are placed by their arrival.
  if (TimeChannel_ == 0) return arrivalSeconds;
  const size_t n = size_t(TimeChannel_);
  // A line without its timestamp sits where the curve has reached.
  if (AutoSample_.Reading[n] != crNumber) return State.NewestX;
  return DeviceClock_.Take(AutoSample_.Number[n] * TimeUnit_, State.NewestX);
}
