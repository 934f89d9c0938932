// From the serial line to the screen: the device writes as fast as the pseudo-terminal
// takes it (or at a set rate) while the real main window reads COM5, plots and paints
// on the offscreen platform. Each case times Start to the last line counted and checks
// that the window counted every line the device reports having written.
//
//   bench_e2e [--feed sim|thread] [--only TEXT] [repetitions]
//
// The device is tavolix-sim (the default) or a writer thread sending the same lines
// composed beforehand (device_feed.h); the paced cases always use tavolix-sim. --only
// runs the cases whose name holds TEXT. The table gives the median of the repetitions
// (default 3). The "recording" cases record every line with "Aufzeichnen" and check that
// the file holds a row for each.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "bench/e2e/device_feed.h"
#include "bench/e2e/window_run.h"

namespace {

struct TCase {
  const char* Name;
  int Channels;
  bool Trend;
  int64_t Lines;
  double Rate;  // lines per second the simulator paces to; 1e6 is as fast as it goes
  double Hint;  // samples per second the window's label promises; 0 where it promises none
  bool Record = false;  // "Aufzeichnen" into a file in the temporary folder
};

// The rows a recording holds: every line that reached the file, its header not counted.
int64_t RecordedRows(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  int64_t lines = 0;
  char buffer[1 << 16];
  for (qint64 n; (n = file.read(buffer, sizeof buffer)) > 0;) lines += std::count(buffer, buffer + n, '\n');
  return lines - 1;
}

struct TOutcome {
  double Seconds = 0;
  bool AllCounted = false;
};

TOutcome RunCase(const TCase& c, bool thread) {
  QStringList arguments{"--channels", QString::number(c.Channels), "--rate", QString::number(c.Rate),
                        "--count", QString::number(c.Lines), "--amplitude", "400", "--offset", "500"};
  // "Auto" reads what boards print most: values separated by commas, lines ended by LF.
  if (c.Channels > 2) arguments << "--format" << "comma" << "--line-end" << "lf";
  std::unique_ptr<TDeviceFeed> device;
  if (thread && c.Rate >= 1e6) {
    device = std::make_unique<TWriterThread>(arguments);
  } else {
    device = std::make_unique<TSimulatorProcess>(arguments);
  }
  const QString recording = QDir::temp().filePath(QStringLiteral("tavolix_e2e_%1.csv").arg(QCoreApplication::applicationPid()));
  QFile::remove(recording);
  TWindowRun window(device->DevicePath(), c.Channels, c.Trend, c.Record ? recording : QString());
  QElapsedTimer timer;
  timer.start();
  if (!window.Start()) throw std::runtime_error("the window did not start");
  const int64_t timeoutMs = int64_t(c.Lines / std::min(c.Rate, 10000.0) * 1000) + 60000;
  RunUntil([&] { return window.Count() >= c.Lines || !window.Running(); }, timeoutMs);
  TOutcome outcome;
  outcome.Seconds = double(timer.nsecsElapsed()) / 1e9;
  const std::optional<int64_t> written = device->WaitWritten(30000);
  const int64_t items = c.Trend ? window.NumItems() : c.Lines * c.Channels;
  outcome.AllCounted = written && *written == c.Lines && window.Count() == c.Lines &&
                       window.NumItems() == items && !window.ErrorShown();
  if (c.Record) {
    window.Form().StopButton->click();
    const int64_t rows = RecordedRows(recording);
    QFile::remove(recording);
    if (rows != c.Lines) std::fprintf(stderr, "%s: %lld rows recorded\n", c.Name, static_cast<long long>(rows));
    outcome.AllCounted = outcome.AllCounted && rows == c.Lines;
  }
  if (!outcome.AllCounted) {
    std::fprintf(stderr, "%s: simulator wrote %lld, window counted %lld, %d items\n", c.Name,
                 static_cast<long long>(written.value_or(-1)), static_cast<long long>(window.Count()),
                 window.NumItems());
  }
  return outcome;
}

}  // namespace

int main(int argc, char** argv) {
  UseOffscreenPlatform();
  QApplication app(argc, argv);
  bool thread = false;
  std::string_view only;
  int repetitions = 3;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--feed" && i + 1 < argc) {
      thread = std::string_view(argv[++i]) == "thread";
    } else if (arg == "--only" && i + 1 < argc) {
      only = argv[++i];
    } else {
      repetitions = std::max(1, std::atoi(argv[i]));
    }
  }
  const TCase cases[] = {
      {"Normal, 1 channel, 100,000 lines to the limit", 1, false, 100000, 1e6, 2000},
      {"Normal, 2 channels, 50,000 lines to the limit", 2, false, 50000, 1e6, 200},
      {"Trend, 1 channel, 2,000,000 lines unpaced", 1, true, 2000000, 1e6, 200},
      {"Trend, 2 channels, 1,000,000 lines unpaced", 2, true, 1000000, 1e6, 50},
      {"Trend, 1 channel, 10 s paced at 10,000 lines/s", 1, true, 100000, 10000, 200},
      {"Auto, 4 channels, 25,000 lines to the limit", 4, false, 25000, 1e6, 0},
      {"Auto Trend, 4 channels, 10 s paced at 100,000 lines/s", 4, true, 1000000, 100000, 0},
      {"Normal, 1 channel, 100,000 lines to the limit, recording", 1, false, 100000, 1e6, 2000, true},
      {"Trend, 1 channel, 2,000,000 lines unpaced, recording", 1, true, 2000000, 1e6, 200, true},
      {"Auto, 4 channels, 25,000 lines to the limit, recording", 4, false, 25000, 1e6, 0, true},
  };
  std::printf("device: %s\n", thread ? "writer thread (tavolix-sim for the paced cases)" : "tavolix-sim");
  std::printf("%-55s %10s %12s %10s %s\n", "case", "seconds", "lines/s", "x hint", "every line counted");
  bool allCounted = true;
  for (const TCase& c : cases) {
    if (std::string_view(c.Name).find(only) == std::string_view::npos) continue;
    std::vector<double> seconds;
    bool counted = true;
    for (int i = 0; i < repetitions; ++i) {
      const TOutcome o = RunCase(c, thread);
      seconds.push_back(o.Seconds);
      counted = counted && o.AllCounted;
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    const double rate = double(c.Lines) / median;
    std::printf("%-55s %10.3f %12.0f %10.0f %s\n", c.Name, median, rate, c.Hint > 0 ? rate / c.Hint : 0.0,
                counted ? "yes" : "NO");
    std::fflush(stdout);
    allCounted = allCounted && counted;
  }
  return allCounted ? 0 : 1;
}
