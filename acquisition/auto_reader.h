#pragma once
// Reads the lines of the "Auto" mode into channels. A named field goes to the channel of
// that name, a field without a name to the channel placed at its position; a number for
// which no channel is placed yet places one, while fewer than 16 are placed and the line
// looks like data. A header line names the channels by position. A line that brings no
// channel a number is not a sample: it is counted as skipped, and the last one is kept
// to be shown on demand.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "acquisition/auto_line_split.h"
#include "acquisition/channel_table.h"

enum TChannelReading : uint8_t {
  crAbsent,  // the line does not mention the channel
  crGap,  // the channel's field is there but is not a number
  crNumber,
};

// What one line brought each channel, index 1..kMaxChannels.
struct TAutoSample {
  std::array<TChannelReading, kMaxChannels + 1> Reading{};
  std::array<double, kMaxChannels + 1> Number{};
};

class TAutoReader {
 public:
  // Longest skipped line kept; longer ones are kept cut.
  static constexpr size_t kMaxSkippedLineLength = 200;

  explicit TAutoReader(TChannelTable& channels);

  // For a sample, fills in what each channel got.
  TAutoLineKind Read(std::string_view line, TAutoSample& sample);

  int64_t SkippedLines() const { return SkippedLines_; }
  std::string_view LastSkippedLine() const { return LastSkippedLine_; }
  // Whether a field found no channel because all 16 are placed.
  bool ChannelsExhausted() const { return ChannelsExhausted_; }
  // Whether a channel was placed or named since the last call; clears the mark.
  bool TakeChannelsChanged();
  // At Start: no line skipped yet.
  void ResetCounts();
  // The device's channels are forgotten: the next lines place them anew.
  void ForgetChannels();

 private:
  int32_t ChannelOf(const TAutoField& field, bool mayPlace);
  int32_t NamedChannel(std::string_view name) const;
  int32_t PlaceChannel(std::string_view deviceName, int32_t position);
  void TakeHeader();
  void Skip(std::string_view line);

  TChannelTable& Channels_;
  TAutoFields Fields_;
  // Channel placed for the fields at position p (index p); 0 when none.
  std::array<int32_t, kMaxAutoFields + 1> ChannelAtPosition_{};
  // Names a header line gave to positions whose channel is not placed yet.
  std::array<std::string, kMaxAutoFields + 1> HeaderNames_;
  int64_t SkippedLines_ = 0;
  std::string LastSkippedLine_;
  bool ChannelsExhausted_ = false;
  bool ChannelsChanged_ = false;
};
