// The times at which lines arrive, and the live recording that keeps every line.

#include <cmath>

#include "acquisition/acquisition.h"
#include "acquisition/line_end_count.h"

void TAcquisition::BeginLineTimes() {
  StartTime_ = std::chrono::steady_clock::now();
  Times_.Restart();
  BlockAfterCr_ = false;
}

void TAcquisition::BeginBlock(const uint8_t* data, size_t count) {
  if (!LineTimesNeeded()) return;
  const std::chrono::duration<double> since = std::chrono::steady_clock::now() - StartTime_;
  const bool anyEnd = State.ChannelMode == kChannelModeAuto;
  Times_.BeginBlock(since.count(), anyEnd ? CountAnyEnds(data, count, BlockAfterCr_)
                                          : CountCrLfEnds(data, count, BlockAfterCr_));
}

void TAcquisition::EndBlock() {
  if (!Recording_.Active()) return;
  if (Recording_.Failed()) {
    Host_.RecordingFailed(Recording_.Close());
    return;
  }
  Recording_.BlockEnded(Times_.Latest());
}

void TAcquisition::StartRecording(const std::string& path, const TCsvFile& file,
                                  std::span<const std::string> channelNames) {
  Recording_.Open(path, file, channelNames);
}

std::string TAcquisition::StopRecording() { return Recording_.Close(); }

void TAcquisition::FlushRecording() {
  Recording_.Flush();
}

void TAcquisition::RecordLine(double seconds) {
  const TAcquisitionState& s = State;
  const double raw[] = {s.RawValue1, s.RawValue2};
  const double scaled[] = {s.Value1, s.Value2};
  const size_t channels = s.ChannelMode == 2 ? 2 : 1;
  Recording_.AddRow(seconds, s.SampleCount, std::span(raw, channels), std::span(scaled, channels));
}

void TAcquisition::KeepAutoRawValues() {
  // The number as the device sent it, also where it is too large to scale.
  for (int32_t n = 1; n <= Channels_.Count(); ++n) {
    const size_t i = size_t(n);
    RecordRaw_[i - 1] = AutoSample_.Reading[i] == crNumber ? AutoSample_.Number[i] : std::nan("");
  }
}

void TAcquisition::RecordAutoLine(double seconds) {
  // Every placed channel has its column, the time channel too; a channel the line does
  // not bring a value for leaves its fields empty.
  const size_t channels = size_t(Channels_.Count());
  for (size_t i = 1; i <= channels; ++i) {
    RecordScaled_[i - 1] = AutoSample_.Reading[i] == crNumber ? double(Traces_[i].Value) : std::nan("");
  }
  Recording_.AddRow(seconds, State.SampleCount, std::span(RecordRaw_).first(channels),
                    std::span(RecordScaled_).first(channels));
}
