#include "tools/pacing.h"

#include <time.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int64_t NsPerSecond = 1'000'000'000;

timespec ToTimespec(int64_t ns) { return {time_t(ns / NsPerSecond), long(ns % NsPerSecond)}; }

}  // namespace

TPacer::TPacer(double linesPerSecond)
    : NsPerLine_(double(NsPerSecond) / linesPerSecond),
      BatchLines_(std::max<int64_t>(1, int64_t(std::ceil(linesPerSecond / 1000)))) {
  Restart(1);
}

void TPacer::Restart(int64_t line) {
  StartNs_ = NowNs();
  StartLine_ = line;
}

int64_t TPacer::DeadlineNs(int64_t line) const {
  return StartNs_ + int64_t(std::ceil(double(line - StartLine_) * NsPerLine_));
}

int64_t TPacer::DueAt(int64_t nowNs) const {
  if (nowNs < StartNs_) return StartLine_ - 1;
  int64_t line = StartLine_ + int64_t(double(nowNs - StartNs_) / NsPerLine_);
  // Rounding may put the division one line off its deadline; the deadline decides.
  while (DeadlineNs(line) > nowNs) --line;
  while (DeadlineNs(line + 1) <= nowNs) ++line;
  return line;
}

void TPacer::SleepUntilDue(int64_t line, int64_t maxSleepNs) const {
  const timespec until = ToTimespec(std::min(DeadlineNs(line), NowNs() + maxSleepNs));
  // EINTR ends the sleep: the caller looks at its stop flag and comes back.
  clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
}

int64_t TPacer::NowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * NsPerSecond + now.tv_nsec;
}
