#include "acquisition/line_recording.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

// Rows that waited this long (seconds) are handed to the disk at the end of a block.
constexpr double kMaxRowAge = 0.25;

}  // namespace

void TLineRecording::Open(const std::string& path, const TCsvFile& file, std::span<const std::string> channelNames) {
  Close();
  Writer_ = std::make_unique<TRecordingWriter>(path);
  Format_ = file.Format;
  LastHandOver_ = 0;
  if (file.Utf8Mark) Writer_->Text() += "\xEF\xBB\xBF";
  NameChannels(channelNames);
}

void TLineRecording::NameChannels(std::span<const std::string> channelNames) {
  // An "Auto" device that has placed no channel yet (a header line names channels before
  // any number places them) heads the file once it does.
  if (!Writer_ || channelNames.empty()) return;
  std::string& out = Writer_->Text();
  const char separator = Format_.Separator;
  out += "Zeit [s]";
  out += separator;
  out += "Sample";
  for (const std::string& name : channelNames) {
    out += separator;
    AppendCsvText(out, name + " roh", Format_);
  }
  for (const std::string& name : channelNames) {
    out += separator;
    AppendCsvText(out, name, Format_);
  }
  out += "\r\n";
  Writer_->RowAdded();
}

void TLineRecording::AddRow(double seconds, int64_t sample, std::span<const double> raw, std::span<const double> scaled) {
  std::string& out = Writer_->Text();
  AppendCsvSeconds(out, seconds, Format_);
  out += Format_.Separator;
  char count[24];
  out.append(count, std::to_chars(count, count + sizeof count, sample).ptr);
  // Where each raw field's text begins and ends: a scaled value equal to its raw value
  // (factor 1, offset 0, as most channels are) repeats that text rather than format it.
  std::array<size_t, kMaxRecordedChannels + 1> rawText{};
  const size_t channels = std::min(raw.size(), kMaxRecordedChannels);
  for (size_t i = 0; i < channels; ++i) {
    out += Format_.Separator;
    rawText[i] = out.size();
    AppendCsvNumber(out, raw[i], Format_);
  }
  rawText[channels] = out.size() + 1;
  for (size_t i = 0; i < channels && i < scaled.size(); ++i) {
    out += Format_.Separator;
    if (scaled[i] == raw[i]) {
      out.append(out, rawText[i], rawText[i + 1] - 1 - rawText[i]);
    } else {
      AppendCsvNumber(out, scaled[i], Format_);
    }
  }
  out += "\r\n";
  Writer_->RowAdded();
}

void TLineRecording::BlockEnded(double seconds) {
  if (seconds - LastHandOver_ < kMaxRowAge) return;
  LastHandOver_ = seconds;
  Writer_->HandOver();
}

void TLineRecording::Flush() {
  if (Writer_) Writer_->HandOver();
}

std::string TLineRecording::Close() {
  if (!Writer_) return {};
  std::string error = Writer_->Close();
  Writer_.reset();
  return error;
}
