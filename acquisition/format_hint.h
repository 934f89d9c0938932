#pragma once
// In "1 Ch" and "2 Ch's" a board that prints another format plots nothing, or wrong
// values, without a word. The first kilobytes and lines after Start are looked at for
// the signs of the formats that "Auto" reads; the first sign found is told once. The
// fixed modes' results do not change.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "acquisition/auto_line_split.h"

enum TFormatHint : uint8_t {
  fhNone,
  fhLineEnds,  // lines end with LF or CR alone
  fhSeparators,  // several numbers separated by commas, spaces or tabs
  fhNamedValues,  // name:value or name=value
  fhDecimalComma,  // "4,75;3,5" in two-channel mode
  fhCommaBetweenDigits,  // "4,75" in one-channel mode: a decimal comma or two values
  fhTooManyChannels,  // "Auto": more than 16 channels
};

// The plain German text of a hint; empty for fhNone.
std::string_view FormatHintText(TFormatHint hint);

class TFormatSniffer {
 public:
  // Bytes and lines looked at after Start.
  static constexpr size_t kBytesLookedAt = 4096;
  static constexpr int32_t kLinesLookedAt = 32;
  // Line ends other than CR LF that make the sign.
  static constexpr int32_t kOtherEndsForHint = 3;

  // At Start: look again.
  void Restart();
  bool Done() const { return HintGiven_ || (BytesDone_ && LinesDone_); }

  // The bytes as received, before framing.
  TFormatHint InspectBytes(const uint8_t* data, size_t count);
  // A line as the fixed modes frame it.
  TFormatHint InspectLine(std::string_view line, int32_t channelMode);

 private:
  TFormatHint Give(TFormatHint hint);

  bool HintGiven_ = false;
  bool BytesDone_ = false;
  bool LinesDone_ = false;
  size_t BytesSeen_ = 0;
  int32_t LinesSeen_ = 0;
  int32_t OtherEnds_ = 0;
  bool AfterCr_ = false;
  TAutoFields Fields_;
};
