#include "acquisition/auto_reader.h"

namespace {

// Boards print their names in UTF-8 ("°C", "Höhe"); the chart's texts are single bytes
// of the Windows code page. Calls back with each byte of the name in the code page, at
// most kMaxChannelNameLength of them; bytes that are not such UTF-8 stay as they are.
template <typename Byte>
void ForEachNameByte(std::string_view name, Byte byte) {
  size_t count = 0;
  for (size_t i = 0; i < name.size() && count < kMaxChannelNameLength; ++i, ++count) {
    const auto lead = static_cast<unsigned char>(name[i]);
    const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
    if ((lead == 0xC2 || lead == 0xC3) && (next & 0xC0) == 0x80) {
      byte(char((lead & 0x03) << 6 | (next & 0x3F)));
      ++i;
    } else {
      byte(char(lead));
    }
  }
}

void AssignName(std::string& out, std::string_view name) {
  out.clear();
  ForEachNameByte(name, [&](char c) { out += c; });
}

bool NameMatches(std::string_view stored, std::string_view name) {
  size_t i = 0;
  bool same = true;
  ForEachNameByte(name, [&](char c) { same = same && i < stored.size() && stored[i++] == c; });
  return same && i == stored.size();
}

}  // namespace

TAutoReader::TAutoReader(TChannelTable& channels) : Channels_(channels) {
  for (std::string& name : HeaderNames_) name.reserve(kMaxChannelNameLength);
  LastSkippedLine_.reserve(kMaxSkippedLineLength);
}

TAutoLineKind TAutoReader::Read(std::string_view line, TAutoSample& sample) {
  const TAutoLineKind kind = SplitAutoLine(line, Fields_);
  if (kind == alHeader) TakeHeader();
  if (kind == alSkipped) Skip(line);
  if (kind != alSample) return kind;
  sample.Reading.fill(crAbsent);
  const bool mayPlace = LooksLikeData(Fields_);
  bool anyNumber = false;
  for (int32_t i = 0; i < Fields_.Count; ++i) {
    const TAutoField& f = Fields_.Fields[size_t(i)];
    const int32_t n = ChannelOf(f, mayPlace);
    if (n == 0) continue;
    sample.Reading[size_t(n)] = f.IsNumber ? crNumber : crGap;
    sample.Number[size_t(n)] = f.Number;
    anyNumber = anyNumber || f.IsNumber;
  }
  if (anyNumber) return alSample;
  Skip(line);
  return alSkipped;
}

int32_t TAutoReader::ChannelOf(const TAutoField& f, bool mayPlace) {
  int32_t n = f.Name.empty() ? ChannelAtPosition_[size_t(f.Position)] : NamedChannel(f.Name);
  // A channel is placed by its first number, never by a gap alone.
  if (n != 0 || !f.IsNumber || !mayPlace) return n;
  return f.Name.empty() ? PlaceChannel(HeaderNames_[size_t(f.Position)], f.Position) : PlaceChannel(f.Name, 0);
}

int32_t TAutoReader::NamedChannel(std::string_view name) const {
  for (int32_t n = 1; n <= Channels_.Count(); ++n) {
    if (NameMatches(Channels_[n].DeviceName, name)) return n;
  }
  return 0;
}

int32_t TAutoReader::PlaceChannel(std::string_view deviceName, int32_t position) {
  if (!Channels_.Place()) {
    ChannelsExhausted_ = true;
    return 0;
  }
  const int32_t n = Channels_.Count();
  AssignName(Channels_[n].DeviceName, deviceName);
  if (position > 0) ChannelAtPosition_[size_t(position)] = n;
  ChannelsChanged_ = true;
  return n;
}

void TAutoReader::TakeHeader() {
  for (int32_t i = 0; i < Fields_.Count; ++i) {
    const TAutoField& f = Fields_.Fields[size_t(i)];
    const std::string_view name = f.Text;
    std::string& stored = HeaderNames_[size_t(f.Position)];
    if (stored == name) continue;  // boards often repeat their header; nothing changes then
    stored.assign(name);
    const int32_t n = ChannelAtPosition_[size_t(f.Position)];
    if (n != 0) AssignName(Channels_[n].DeviceName, name);
    ChannelsChanged_ = true;
  }
}

void TAutoReader::Skip(std::string_view line) {
  ++SkippedLines_;
  LastSkippedLine_.assign(line.substr(0, kMaxSkippedLineLength));
}

bool TAutoReader::TakeChannelsChanged() {
  const bool changed = ChannelsChanged_;
  ChannelsChanged_ = false;
  return changed;
}

void TAutoReader::ResetCounts() {
  SkippedLines_ = 0;
  LastSkippedLine_.clear();
  ChannelsExhausted_ = false;
}

void TAutoReader::ForgetChannels() {
  Channels_.ForgetPlacement();
  ChannelAtPosition_.fill(0);
  for (std::string& name : HeaderNames_) name.clear();
  ChannelsChanged_ = true;
}
