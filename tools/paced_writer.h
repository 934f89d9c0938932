#pragma once
// Writes the lines of a line source to a descriptor at the pacer's rate. A reader that
// falls behind holds the writer up (nothing is dropped); the stop flag is still looked at
// every few tenths of a second.

#include <atomic>
#include <cstdint>
#include <vector>

#include "tools/line_source.h"
#include "tools/pacing.h"

class TPacedWriter {
 public:
  // fd is non-blocking. burstLines: lines written at once from a line that starts a burst.
  TPacedWriter(int fd, const TLineSource& source, double linesPerSecond, int64_t burstLines,
               const std::atomic<bool>& stop);

  // Writes lines 1 to count (count 0: no end) until done or stopped and returns how many
  // were written in full. Throws ESimError when the descriptor fails.
  int64_t Run(int64_t count);

 private:
  // Composes lines from first on, up to last or the line before a burst, into the buffer.
  void Compose(int64_t first, int64_t last);
  // Writes the composed lines; returns false when stopped before all were written.
  bool WriteComposed(int64_t first);

  const int Fd_;
  const TLineSource& Source_;
  TPacer Pacer_;
  const int64_t BurstLines_;
  const std::atomic<bool>& Stop_;
  std::vector<char> Buffer_;
  std::vector<size_t> LineEnds_;  // end offset in Buffer_ of each composed line
  int64_t Written_ = 0;
  bool Stalled_ = false;  // the last write had to wait for the reader
};
