#include "tools/paced_writer.h"

#include <poll.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "tools/sim_error.h"

namespace {

// Lines a single write holds at most outside a burst; more are due only after a stall.
constexpr int64_t MaxBatchLines = 4096;
// How long a wait (sleep or a full reader) lasts before the stop flag is looked at again.
constexpr int64_t StopCheckNs = 100'000'000;
// How often a full device without a reader is looked at again.
constexpr timespec NoReaderPause{0, 10'000'000};

}  // namespace

TPacedWriter::TPacedWriter(int fd, const TLineSource& source, double linesPerSecond, int64_t burstLines,
                           const std::atomic<bool>& stop)
    : Fd_(fd), Source_(source), Pacer_(linesPerSecond), BurstLines_(burstLines), Stop_(stop) {
  const size_t lines = size_t(std::max(MaxBatchLines, burstLines));
  Buffer_.resize(lines * source.LineBytes());
  LineEnds_.reserve(lines);
}

int64_t TPacedWriter::Run(int64_t count) {
  const int64_t end = count > 0 ? count : INT64_MAX;
  Pacer_.Restart(Written_ + 1);
  while (Written_ < end && !Stop_.load()) {
    const int64_t due = std::min(Pacer_.DueNow(), end);
    if (due <= Written_) {
      Pacer_.SleepUntilDue(std::min(Written_ + Pacer_.BatchLines(), end), StopCheckNs);
      continue;
    }
    const int64_t first = Written_ + 1;
    const int64_t last =
        Source_.StartsBurst(first) ? std::min(end, first + BurstLines_ - 1) : std::min(due, first + MaxBatchLines - 1);
    Compose(first, last);
    if (!WriteComposed(first)) break;
    // Lines held up by a slow reader are not made up for in a rush once it reads again.
    if (Stalled_) Pacer_.Restart(Written_ + 1);
  }
  return Written_;
}

void TPacedWriter::Compose(int64_t first, int64_t last) {
  LineEnds_.clear();
  size_t size = 0;
  for (int64_t line = first; line <= last; ++line) {
    // A burst starts a write of its own.
    if (line > first && Source_.StartsBurst(line)) return;
    size += Source_.Write(line, Buffer_.data() + size);
    LineEnds_.push_back(size);
  }
}

bool TPacedWriter::WriteComposed(int64_t first) {
  Stalled_ = false;
  const size_t size = LineEnds_.empty() ? 0 : LineEnds_.back();
  size_t done = 0;
  size_t lines = 0;
  bool completed = true;
  while (done < size) {
    const ssize_t n = write(Fd_, Buffer_.data() + done, size - done);
    if (n > 0) {
      done += size_t(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) {
      throw ESimError(std::string("cannot write to the pseudo-terminal: ") + std::strerror(errno));
    }
    if (Stop_.load()) {
      completed = false;
      break;
    }
    if (n < 0 && errno == EINTR) continue;
    Stalled_ = true;
    pollfd waitFor{Fd_, POLLOUT, 0};
    poll(&waitFor, 1, int(StopCheckNs / 1'000'000));
    // With no reader a pseudo-terminal reports its hang-up at once, full as it is: wait
    // for one to come instead of spinning.
    if (waitFor.revents & POLLHUP) nanosleep(&NoReaderPause, nullptr);
  }
  while (lines < LineEnds_.size() && LineEnds_[lines] <= done) ++lines;
  Written_ = first - 1 + int64_t(lines);
  return completed;
}
