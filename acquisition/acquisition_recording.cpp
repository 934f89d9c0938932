// The times at which lines arrive, and the live recording that keeps every line.

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
  if (!Recording_.Active()) return;
  const TAcquisitionState& s = State;
  const float raw[] = {s.RawValue1, s.RawValue2};
  const float scaled[] = {s.Value1, s.Value2};
  const size_t channels = s.ChannelMode == 2 ? 2 : 1;
  Recording_.AddRow(seconds, s.SampleCount, std::span(raw, channels), std::span(scaled, channels));
}
