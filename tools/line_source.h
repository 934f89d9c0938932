#pragma once
// Everything the simulated device sends for one sample line: the fault lines that go
// before it, then its one or two values.

#include <cstddef>
#include <cstdint>
#include <utility>

#include "tools/fault_injector.h"
#include "tools/line_formatter.h"
#include "tools/signal_generator.h"

class TLineSource {
 public:
  static constexpr size_t MaxLineBytes = TFaultInjector::MaxPrefixLength + MaxSampleLineLength;

  // channels is 1 or 2; channel2 is used only with two channels.
  TLineSource(int channels, const TSignalGenerator& channel1, const TSignalGenerator& channel2, TFaultInjector faults)
      : Channels_(channels), Channel1_(channel1), Channel2_(channel2), Faults_(std::move(faults)) {}

  // Writes the bytes of sample line `line` (1-based; it carries sample line - 1) to out,
  // which has room for MaxLineBytes, and returns their count.
  size_t Write(int64_t line, char* out) const {
    const size_t prefix = Faults_.WritePrefix(line, out);
    const int64_t sample = line - 1;
    return prefix + FormatLine(out + prefix, Channels_, Channel1_.Value(sample),
                               Channels_ == 2 ? Channel2_.Value(sample) : 0, !Faults_.Unterminated(line));
  }
  bool StartsBurst(int64_t line) const { return Faults_.StartsBurst(line); }

 private:
  int Channels_;
  TSignalGenerator Channel1_;
  TSignalGenerator Channel2_;
  TFaultInjector Faults_;
};
