#pragma once
// Paces lines at a fixed rate against absolute deadlines on the monotonic clock, so that
// wake-up delays never add up: line k of the schedule is due (k - 1) / rate seconds after
// its start. At high rates the writer wakes about once a millisecond and writes every
// line that has fallen due since.

#include <cstdint>

class TPacer {
 public:
  // linesPerSecond > 0.
  explicit TPacer(double linesPerSecond);

  // Lines sent per wake-up: 1 up to 1000 lines per second, then a millisecond's worth.
  int64_t BatchLines() const { return BatchLines_; }

  // Starts the schedule now with `line` as its first line (after a stall, so that the
  // lines that could not be sent do not follow all at once).
  void Restart(int64_t line);
  // The last line due by now.
  int64_t DueNow() const { return DueAt(NowNs()); }
  // Sleeps until `line` is due, or for at most maxSleepNs; a signal ends it early.
  void SleepUntilDue(int64_t line, int64_t maxSleepNs) const;

  // The schedule as arithmetic on monotonic-clock nanoseconds.
  int64_t DeadlineNs(int64_t line) const;
  int64_t DueAt(int64_t nowNs) const;

  static int64_t NowNs();

 private:
  double NsPerLine_;
  int64_t BatchLines_;
  int64_t StartNs_ = 0;
  int64_t StartLine_ = 1;
};
