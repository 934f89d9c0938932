#include "tools/paced_writer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

TEST(Pacer, DeadlinesDecideWhichLinesAreDue) {
  for (double rate : {1.0, 3.0, 7.5, 999.0, 1000.0, 48000.0, 500000.0, 1e6}) {
    TPacer pacer(rate);
    for (int64_t line : {1, 2, 3, 10, 999, 1000, 1001, 123457, 10'000'000}) {
      ASSERT_EQ(pacer.DueAt(pacer.DeadlineNs(line)), line) << rate << " " << line;
      ASSERT_EQ(pacer.DueAt(pacer.DeadlineNs(line) - 1), line - 1) << rate << " " << line;
    }
    // Absolute deadlines: line k is due (k - 1) / rate after the start, however it got there.
    EXPECT_NEAR(double(pacer.DeadlineNs(1'000'001) - pacer.DeadlineNs(1)), 1e6 / rate * 1e9, 1);
    EXPECT_EQ(pacer.DueAt(pacer.DeadlineNs(1) - 1'000'000'000), 0);
  }
  TPacer pacer(100);
  pacer.Restart(501);
  EXPECT_EQ(pacer.DueAt(pacer.DeadlineNs(501)), 501);
  EXPECT_EQ(pacer.DeadlineNs(601) - pacer.DeadlineNs(501), 1'000'000'000);
}

TEST(Pacer, BatchesAboutAMillisecondAtHighRates) {
  EXPECT_EQ(TPacer(1).BatchLines(), 1);
  EXPECT_EQ(TPacer(1000).BatchLines(), 1);
  EXPECT_EQ(TPacer(1001).BatchLines(), 2);
  EXPECT_EQ(TPacer(500000).BatchLines(), 500);
}

struct TPipe {
  TPipe() {
    EXPECT_EQ(pipe2(Fd, O_NONBLOCK | O_CLOEXEC), 0);
  }
  ~TPipe() {
    close(Fd[0]);
    close(Fd[1]);
  }
  int Fd[2] = {-1, -1};
};

// Reads what is in the pipe now, waiting up to 10 s for the first byte.
std::string Drain(int fd) {
  std::string got;
  char buffer[65536];
  pollfd readable{fd, POLLIN, 0};
  while (poll(&readable, 1, got.empty() ? 10000 : 0) > 0) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, size_t(n));
  }
  return got;
}

std::string Expected(const TLineSource& source, int64_t first, int64_t last) {
  std::string bytes;
  char out[TLineSource::MaxLineBytes];
  for (int64_t line = first; line <= last; ++line) bytes.append(out, source.Write(line, out));
  return bytes;
}

const TSignalGenerator Ramp({wfRamp, 100, 0, 1000, 0, 1});

TEST(PacedWriter, WritesEveryLineInOrderThroughBurstsAndFaults) {
  const TLineSource source(2, Ramp, Ramp,
                           TFaultInjector({{fkBurst, 0, 7}, {fkBurst, 2500, 0}, {fkGarbage, 333, 0}}, 1));
  TPipe pipe;
  const std::atomic<bool> stop{false};
  std::string got;
  std::thread reader([&] {
    for (std::string part; !(part = Drain(pipe.Fd[0])).empty();) got += part;
  });
  TPacedWriter writer(pipe.Fd[1], source, 1e6, 3000, stop);
  EXPECT_EQ(writer.Run(12000), 12000);
  close(pipe.Fd[1]);
  pipe.Fd[1] = -1;
  reader.join();
  EXPECT_EQ(got, Expected(source, 1, 12000));
}

TEST(PacedWriter, StalledReaderHoldsTheWriterUpAndStopCountsOnlyWholeLines) {
  const TLineSource source(1, Ramp, Ramp, TFaultInjector());
  TPipe pipe;
  std::atomic<bool> stop{false};
  int64_t written = -1;
  TPacedWriter writer(pipe.Fd[1], source, 1e6, 1, stop);
  std::thread writing([&] { written = writer.Run(0); });
  // Wait until the pipe is full: nothing more arrives for a while (the guard ends a hang).
  int queued = 0;
  for (int i = 0, unchanged = 0; i < 1000 && unchanged < 20; ++i) {
    usleep(10000);
    const int before = queued;
    ioctl(pipe.Fd[0], FIONREAD, &queued);
    unchanged = queued > 0 && queued == before ? unchanged + 1 : 0;
  }
  stop = true;
  writing.join();
  const std::string got = Drain(pipe.Fd[0]);
  ASSERT_GT(written, 0);
  // What arrived is the lines counted, then at most a part of the next one.
  const std::string whole = Expected(source, 1, written);
  ASSERT_GE(got.size(), whole.size());
  EXPECT_LT(got.size() - whole.size(), Expected(source, written + 1, written + 1).size());
  EXPECT_EQ(got, Expected(source, 1, written + 1).substr(0, got.size()));
}

}  // namespace
