#pragma once
// The per-line routine of an acquisition: counts each received line, reads and scales
// its values, shows them through the host (the main window), applies the Normal-mode
// sample limit and plots the sample into the chart with the redraw pacing and, in Trend
// mode, the sliding window.

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "acquisition/acquisition_state.h"
#include "acquisition/arrival_times.h"
#include "acquisition/line_framing.h"
#include "acquisition/line_recording.h"

class TGChart;

class TAcquisitionHost {
 public:
  virtual ~TAcquisitionHost() = default;
  // The raw-value display (Label10).
  virtual void ShowRawValues(std::string_view text) = 0;
  // The line counter in the status bar.
  virtual void ShowSampleCount(int64_t count) = 0;
  // A Normal acquisition went past its limit: stop it and tell the user.
  virtual void SampleLimitReached() = 0;
  // Lets the window system process pending messages (user commands, repaints). False
  // when they stopped the acquisition: the rest of the received block is not meant for it.
  virtual bool ProcessMessages() = 0;
  // The live recording ended because its file could not be written; the acquisition
  // goes on. The reason is German text for the user. Hosts that never record ignore it.
  virtual void RecordingFailed(const std::string& /*reason*/) {}
};

// Lines between two incremental drawings in Normal mode, growing with the sample count.
int32_t PaintIntervalFor(int64_t sampleCount);

class TAcquisition final : public TLineReceiver {
 public:
  TAcquisition(TAcquisitionHost& host, TGChart& chart, char decimalSeparator);

  // False when the line crossed the sample limit or the messages processed after it
  // stopped the acquisition: the rest of its block is dropped.
  bool ProcessLine(std::string_view line) override;

  // Start: the time since Start counts from now.
  void BeginLineTimes();
  // Around the framing of each received block: its arrival time is shared among the
  // lines it completes, and the recording learns what to hand to the disk.
  void BeginBlock(const uint8_t* data, size_t count);
  void EndBlock();

  // Live recording: from now on every processed line becomes a CSV row with its time
  // since Start, its number, and each channel's raw and scaled value, headed by the
  // channel names. Raises EGChartError when the file cannot be created.
  void StartRecording(const std::string& path, const TCsvFile& file, std::span<const std::string> channelNames);
  // Writes the rest and closes the file; returns why the recording failed, or "".
  std::string StopRecording();
  bool Recording() const { return Recording_.Active(); }
  // The device went away for a while: what is collected goes to the disk now.
  void FlushRecording();

  TAcquisitionState State;

 private:
  void ShowValues();
  void AddNormalSample();
  void AddSegments();
  void PaceRedraw();
  void TrendStep();
  void SlideLayer(int32_t layer);
  bool LineTimesNeeded() const { return Recording_.Active(); }
  void RecordLine(double seconds);

  TAcquisitionHost& Host_;
  TGChart& Chart_;
  const char DecimalSeparator_;
  std::string RawValuesText_;  // reused for every line
  TLineRecording Recording_;
  TArrivalTimes Times_;
  std::chrono::steady_clock::time_point StartTime_;
  bool BlockAfterCr_ = false;  // the block before ended with CR
};
