#include "acquisition/channel_table.h"

namespace {

// After blue and maroon: green, orange, purple, cyan, red, pink, olive, brown, grey,
// black, dark green, gold, dark cyan, indigo (0x00BBGGRR).
constexpr std::array<TColor, kMaxChannels> kChannelColors = {
    0xFF0000, 0x000080, 0x2CA02C, 0x0E7FFF, 0xBD6794, 0xCFBE17, 0x2827D6, 0xC277E3,
    0x22BDBC, 0x4B568C, 0x7F7F7F, 0x000000, 0x006400, 0x20A5DA, 0x8B8B00, 0x82004B,
};

}  // namespace

TColor DefaultChannelColor(int32_t channel) { return kChannelColors[size_t(channel - 1) % kChannelColors.size()]; }

TChannelTable::TChannelTable() {
  for (int32_t n = 1; n <= kMaxChannels; ++n) {
    TChannel& c = (*this)[n];
    c.Color = DefaultChannelColor(n);
    // Names are replaced while lines arrive: room for them once, not per line.
    c.Name.reserve(kMaxChannelNameLength);
    c.DeviceName.reserve(kMaxChannelNameLength);
  }
}

bool TChannelTable::Place() {
  if (Count_ == kMaxChannels) return false;
  ++Count_;
  return true;
}

void TChannelTable::ForgetPlacement() {
  Count_ = 0;
  for (TChannel& c : Channels_) c.DeviceName.clear();
}

std::string TChannelTable::DisplayName(int32_t n) const {
  const TChannel& c = (*this)[n];
  if (!c.Name.empty()) return c.Name;
  if (!c.DeviceName.empty()) return c.DeviceName;
  return "Kanal " + std::to_string(n);
}
