#pragma once
// The channels of the "Auto" mode: up to 16, one per chart layer (channel n in layer n),
// numbered in the order the device first sends them. Each has a name, a colour, a
// visibility and its own scale factor and offset, which the user may set before the
// device has sent anything; the device's own names fill in the names left empty.

#include <array>
#include <cstdint>
#include <string>

#include "chart/colors.h"

constexpr int32_t kMaxChannels = 16;
// Names longer than this are cut: a legend entry, not a paragraph.
constexpr size_t kMaxChannelNameLength = 24;

struct TChannel {
  std::string Name;  // set by the user; empty: the device's name or "Kanal n"
  std::string DeviceName;  // from a name:value field or a header line; may be empty
  TColor Color = clBlack;
  bool Visible = true;
  float Factor = 1;
  float Offset = 0;
};

// Channel 1 blue and 2 maroon as in the fixed modes, then clearly distinct colours.
TColor DefaultChannelColor(int32_t channel);

class TChannelTable {
 public:
  TChannelTable();

  // Channel n, 1..kMaxChannels.
  TChannel& operator[](int32_t n) { return Channels_[size_t(n - 1)]; }
  const TChannel& operator[](int32_t n) const { return Channels_[size_t(n - 1)]; }
  // Channels placed so far: 1..Count carry data.
  int32_t Count() const { return Count_; }
  // Places the next channel; false when all are placed.
  bool Place();
  // The device's channels are forgotten (count 0, no device names); what the user set stays.
  void ForgetPlacement();

  // The user's name, else the device's, else "Kanal n"; Windows-1252 bytes.
  std::string DisplayName(int32_t n) const;

 private:
  std::array<TChannel, kMaxChannels> Channels_;
  int32_t Count_ = 0;
};
