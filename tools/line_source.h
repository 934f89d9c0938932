#pragma once
// Everything the simulated device sends for one sample line: a header line before the
// first one when asked for, the fault lines that go before it, then its values.

#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "tools/fault_injector.h"
#include "tools/line_formatter.h"
#include "tools/signal_generator.h"

class TLineSource {
 public:
  static constexpr size_t MaxLineBytes = MaxHeaderLength + TFaultInjector::MaxPrefixLength + MaxSampleLineLength;

  // One generator per channel, 1 to MaxSimChannels; the format names as many channels.
  TLineSource(TLineFormat format, std::vector<TSignalGenerator> channels, TFaultInjector faults, bool header = false)
      : Format_(std::move(format)), Channels_(std::move(channels)), Faults_(std::move(faults)), Header_(header) {}

  // Writes the bytes of sample line `line` (1-based; it carries sample line - 1) to out,
  // which has room for MaxLineBytes, and returns their count.
  size_t Write(int64_t line, char* out) const {
    size_t n = line == 1 && Header_ ? FormatHeader(out, Format_) : 0;
    n += Faults_.WritePrefix(line, out + n);
    std::array<float, MaxSimChannels> values{};
    for (size_t i = 0; i < Channels_.size(); ++i) values[i] = Channels_[i].Value(line - 1);
    return n + FormatLine(out + n, Format_, {values.data(), Channels_.size()}, !Faults_.Unterminated(line));
  }
  bool StartsBurst(int64_t line) const { return Faults_.StartsBurst(line); }
  // The most bytes Write gives for one line of this source.
  size_t LineBytes() const {
    size_t names = 0;
    for (const std::string& name : Format_.Names) names += name.size() + 1;
    const size_t values = Channels_.size() * (MaxValueLength + 1) + (Format_.Named ? names : 0);
    return (Header_ ? names + 2 : 0) + TFaultInjector::MaxPrefixLength + values + 2;
  }

 private:
  TLineFormat Format_;
  std::vector<TSignalGenerator> Channels_;
  TFaultInjector Faults_;
  bool Header_;
};
