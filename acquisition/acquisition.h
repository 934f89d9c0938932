#pragma once
// The per-line routine of an acquisition: counts each received line, reads and scales
// its values, shows them through the host (the main window), applies the Normal-mode
// sample limit and plots the sample into the chart with the redraw pacing and, in Trend
// mode, the sliding window. In the "Auto" mode the lines may end with LF, CR LF or CR,
// and each names or places up to 16 channels, drawn in layers 1 to 16 with a legend.

#include <array>
#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "acquisition/acquisition_state.h"
#include "acquisition/any_end_framing.h"
#include "acquisition/arrival_times.h"
#include "acquisition/auto_reader.h"
#include "acquisition/channel_table.h"
#include "acquisition/device_clock.h"
#include "acquisition/format_hint.h"
#include "acquisition/line_framing.h"
#include "acquisition/line_recording.h"
#include "chart/chart_legend.h"

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
  // "Auto": lines without a number since Start.
  virtual void ShowSkippedLines(int64_t) {}
  // "Auto": a channel was placed or named by the device.
  virtual void ChannelsChanged() {}
  // Why the lines do not plot as they should, in plain German; told once per Start.
  virtual void ShowFormatHint(std::string_view) {}
};

// Lines between two incremental drawings in Normal mode, growing with the sample count.
int32_t PaintIntervalFor(int64_t sampleCount);

class TAcquisition final : public TLineReceiver {
 public:
  TAcquisition(TAcquisitionHost& host, TGChart& chart, char decimalSeparator);

  // The received-data handler: frames the bytes into lines (CR LF in the fixed modes,
  // any line end in "Auto") and processes them. The block's arrival time is shared among
  // the lines it completes, and the recording learns what to hand to the disk.
  void Receive(const uint8_t* data, size_t count);
  // Forgets the line begun so far: the stream it came from has ended (a device that went
  // away), and what follows is no continuation of it.
  void DropPendingLine() {
    Framing_.DropPendingLine();
    AnyEndFraming_.DropPendingLine();
  }

  // False when the line crossed the sample limit or the messages processed after it
  // stopped the acquisition: the rest of its block is dropped.
  bool ProcessLine(std::string_view line) override;

  // Start: the time since Start counts from now.
  void BeginLineTimes();
  // A replay: the lines are taken to arrive at this many per second; 0 goes back to the
  // blocks' arrival.
  void SetLineRate(double linesPerSecond) { Times_.SetLineRate(linesPerSecond); }
  // Live recording: from now on every processed line becomes a CSV row with its time
  // since Start, its number, and each channel's raw and scaled value, headed by the
  // channel names. Raises EGChartError when the file cannot be created.
  void StartRecording(const std::string& path, const TCsvFile& file, std::span<const std::string> channelNames);
  // The device placed or named channels while recording: a new header line names them.
  void NameRecordingChannels(std::span<const std::string> channelNames) { Recording_.NameChannels(channelNames); }
  // Writes the rest and closes the file; returns why the recording failed, or "".
  std::string StopRecording();
  bool Recording() const { return Recording_.Active(); }
  // The device went away for a while: what is collected goes to the disk now.
  void FlushRecording();

  // The state when the window is first shown: one channel, Normal mode, counters at 0.
  void Reset();
  // 1 or 2 values per line, or kChannelModeAuto; sets the Normal-mode limit with it.
  // In "Auto" the layers of the channels follow the ranges of layer 1 and a legend is
  // shown; leaving it makes every layer independent and visible again.
  void SetChannelMode(int32_t mode);
  void SetTrendMode(bool trend) { State.TrendMode = trend; }
  // The x axis "Zeit" (true) or the sample count; with deviceTime, "Auto" takes a field
  // named "t", "time" or "ms" as the time, and that channel is not drawn as a curve.
  void SetTimeAxis(bool time, bool deviceTime);
  // The channel whose field is the device's time; 0 when the arrival times are used.
  int32_t TimeChannel() const { return TimeChannel_; }
  // Start: the counters and previous values from zero.
  void BeginAcquisition();
  // Stop: no incremental drawing pending, Normal mode.
  void EndAcquisition();
  void SetFixedScaling(const TFixedScaling& scaling);
  void SetAxisRanges(const TAxisRanges& ranges);
  // The port number and baud rate handed to the serial component.
  void SetPortValues(int32_t comPortNumber, int32_t baudRate);

  // The "Auto" channels; after changing names or visibility call ChannelsEdited, which
  // shows them at once. Colours, factors and offsets take effect at the next Start, so
  // that the legend always shows the colours the curves are drawn in.
  TChannelTable& Channels() { return Channels_; }
  const TChannelTable& Channels() const { return Channels_; }
  void ChannelsEdited();
  // The device's channels are placed anew by the next lines.
  void ForgetChannels();
  int64_t SkippedLines() const { return AutoReader_.SkippedLines(); }
  std::string_view LastSkippedLine() const { return AutoReader_.LastSkippedLine(); }
  bool ChannelsExhausted() const { return AutoReader_.ChannelsExhausted(); }
  const TChartLegend& Legend() const { return Legend_; }

  // Read by the window; the window changes it only through the calls above. Tests and
  // benchmarks set up the corners they need directly.
  TAcquisitionState State;

 private:
  // What a channel's curve continues from in "Auto".
  struct TTrace {
    bool HasLast = false;  // false at Start and after a gap: the next value starts anew
    double LastX = 0;
    float LastValue = 0;
    float Value = 0;  // scaled value of the newest line
    bool Shown = false;  // whether the raw-value display has a value for the channel
    TColor Color = clBlack;  // the channel's colour at Start
  };

  void ShowValues();
  void AddNormalSample();
  void AddSegments();
  void PaceRedraw();
  // Redraw pacing, layer 1 selected, painting resumed, pending messages processed.
  bool FinishLine();
  void TrendStep();
  void SlideLayer(int32_t layer);
  void SlideTimeWindow();
  // The newest sample's x: its count, or its time on the time axis.
  void PlaceSample(double x);
  void BeginBlock(const uint8_t* data, size_t count);
  void EndBlock();
  bool LineTimesNeeded() const { return Recording_.Active() || State.TimeAxis; }
  double NextLineTime() { return LineTimesNeeded() ? Times_.NextLine() : 0; }
  void RecordLine(double seconds);
  void KeepAutoRawValues();
  void RecordAutoLine(double seconds);
  void TellHint(TFormatHint hint);

  bool ProcessAutoLine(std::string_view line);
  bool AutoLineWithoutSample(TAutoLineKind kind);
  int32_t ScaleAutoSample();
  void ShowAutoValues();
  void AddAutoSegments();
  void SlideAutoWindow();
  void JoinAutoLayers(bool join);
  void JoinPlacedLayers();
  void TakeChannelColors();
  void UpdateLegend();
  void FindTimeChannel();
  double AutoSampleX(double arrivalSeconds);

  TAcquisitionHost& Host_;
  TGChart& Chart_;
  const char DecimalSeparator_;
  std::string RawValuesText_;  // reused for every line
  TLineRecording Recording_;
  TArrivalTimes Times_;
  std::chrono::steady_clock::time_point StartTime_;
  bool BlockAfterCr_ = false;  // the block before ended with CR
  TLineFraming Framing_{*this};
  TAnyEndFraming AnyEndFraming_{*this};
  TFormatSniffer Sniffer_;
  TChannelTable Channels_;
  TAutoReader AutoReader_{Channels_};
  TAutoSample AutoSample_;
  std::array<TTrace, kMaxChannels + 1> Traces_{};  // index 1..16
  TChartLegend Legend_;
  bool TooManyChannelsTold_ = false;  // since Start
  int32_t TimeChannel_ = 0;
  double TimeUnit_ = 0;  // seconds per unit of the time channel's numbers
  TDeviceClock DeviceClock_;
  // A recorded line's values per channel (index n - 1), NaN where it has none.
  std::array<double, kMaxChannels> RecordRaw_{};
  std::array<double, kMaxChannels> RecordScaled_{};
};
