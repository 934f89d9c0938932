#pragma once
// A live recording: every processed line of an acquisition as a CSV row, with the seconds
// since Start (to the microsecond), the sample number, and each channel's raw and scaled
// value. It streams to its file while the acquisition runs, for hours if need be.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "acquisition/chart_csv_export.h"
#include "acquisition/recording_writer.h"

class TLineRecording {
 public:
  // Channels a row holds at most: the "Auto" mode's sixteen.
  static constexpr size_t kMaxRecordedChannels = 16;

  // Starts recording into path, headed by the channel names (UTF-8); without names the
  // header waits for NameChannels. Raises EGChartError when the file cannot be created.
  void Open(const std::string& path, const TCsvFile& file, std::span<const std::string> channelNames);
  bool Active() const { return Writer_ != nullptr; }
  // The channels changed while recording: a new header line names them.
  void NameChannels(std::span<const std::string> channelNames);

  // A NaN value is a gap: its field stays empty. Single-precision values are written as
  // the float they are; raw numbers of the "Auto" mode keep the digits the device sent.
  void AddRow(double seconds, int64_t sample, std::span<const double> raw, std::span<const double> scaled);
  // At the end of each received block: rows that have waited for a while go to the disk,
  // so that a slow stream is on the disk too, not only in memory.
  void BlockEnded(double seconds);
  // What is collected goes to the disk now.
  void Flush();

  // Writing failed; the acquisition goes on, the recording does not.
  bool Failed() const { return Writer_ && Writer_->Failed(); }
  // Writes the rest and closes the file. Returns why the recording failed, in German,
  // or an empty text.
  std::string Close();

 private:
  std::unique_ptr<TRecordingWriter> Writer_;
  TCsvFormat Format_;
  double LastHandOver_ = 0;
};
