// What plotting costs at the rates boards send: the real main window, 1024 x 768, reads
// COM5 from a pseudo-terminal that tavolix-sim feeds at a fixed rate, and the process's
// CPU time (all its threads, from /proc/self/stat) is read over a stretch of steady
// plotting. Each case reports CPU seconds per second of wall time and per 100,000 lines,
// the median of the repetitions, and whether every line written was counted. "idle" has
// the port open and nothing arriving. The "Realtime Fourier" cases plot with that window
// open over its newest 4096 samples: their difference to the same case without it is what
// the window costs.
//
// Then, in Trend mode at 1,000 lines/s, screenshots of the chart 50 ms apart: how many
// successive ones differ (a picture that moves with the data differs every time).
//
//   bench_cpu [--seconds S] [--repetitions N] [--only TEXT] [--platform NAME]
//
// Without --platform it runs once on the offscreen platform and, where xvfb-run is
// installed, once more under Xvfb on the xcb platform, each in a process of its own.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>
#include <unistd.h>

#include "app/analysis_windows.h"
#include "bench/e2e/device_feed.h"
#include "bench/e2e/window_run.h"
#include "tools/pseudo_terminal.h"

namespace {

constexpr double kWarmUpSeconds = 1.5;

struct TOptions {
  double Seconds = 5;
  int Repetitions = 3;
  QString Platform;
  std::string Only;  // runs the cases whose name holds it
};

struct TCase {
  const char* Name;
  int Channels;
  bool Trend;
  double Rate;  // lines per second; 0 is the idle case
  bool RealtimeFourier = false;  // "Realtime Fourier Analyse" open, over its default 4096 samples
};

struct TSample {
  double CpuPerSecond = 0;
  double CpuPer100k = 0;  // 0 when no line arrived
  bool AllCounted = true;
};

// User and system time of every thread of this process.
double ProcessCpuSeconds() {
  std::ifstream stat("/proc/self/stat");
  std::string field;
  // The name (field 2) holds no blanks here: the program's file name has none.
  for (int i = 1; i < 14; ++i) stat >> field;
  long long utime = 0, stime = 0;
  stat >> utime >> stime;
  return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

// Runs the event loop as the program does, without polling, for the given time.
void RunFor(double seconds) {
  QEventLoop loop;
  QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
  loop.exec();
}

// The window resized to the size the figures are given for.
void Resize(TWindowRun& window) {
  window.Form().resize(1024, 768);
  RunFor(0.2);
}

// The stretch measured: at most `seconds`, and within Normal mode's sample limit.
double MeasuredSeconds(const TCase& c, double seconds) {
  if (c.Trend || c.Rate <= 0) return seconds;
  const double limit = c.Channels == 1 ? 100000 : 50000;
  return std::min(seconds, limit / c.Rate - kWarmUpSeconds - 0.5);
}

TSample RunIdle(double seconds) {
  TPseudoTerminal pty;
  TWindowRun window(QString::fromStdString(pty.SlavePath()), 1, false);
  Resize(window);
  TSample s;
  if (!window.Start()) return {0, 0, false};
  RunFor(kWarmUpSeconds);
  const double cpu = ProcessCpuSeconds();
  QElapsedTimer wall;
  wall.start();
  RunFor(seconds);
  s.CpuPerSecond = (ProcessCpuSeconds() - cpu) / (double(wall.nsecsElapsed()) / 1e9);
  return s;
}

TSample RunPaced(const TCase& c, double seconds) {
  const double measured = MeasuredSeconds(c, seconds);
  const auto lines = int64_t(c.Rate * (kWarmUpSeconds + measured + 0.3));
  TSimulatorProcess sim({"--channels", QString::number(c.Channels), "--rate", QString::number(c.Rate), "--count",
                         QString::number(lines), "--amplitude", "4", "--offset", "5"});
  TWindowRun window(sim.DevicePath(), c.Channels, c.Trend);
  Resize(window);
  if (c.RealtimeFourier) window.Form().Analysis().ShowRealtimeFourier();
  if (!window.Start()) return {0, 0, false};
  RunFor(kWarmUpSeconds);
  const double cpu = ProcessCpuSeconds();
  const int64_t counted = window.Count();
  QElapsedTimer wall;
  wall.start();
  RunFor(measured);
  TSample s;
  const double used = ProcessCpuSeconds() - cpu;
  const int64_t arrived = window.Count() - counted;
  s.CpuPerSecond = used / (double(wall.nsecsElapsed()) / 1e9);
  s.CpuPer100k = arrived > 0 ? used / double(arrived) * 1e5 : 0;
  // The simulator ends once the window has read every line.
  QElapsedTimer drain;
  drain.start();
  while (!sim.Finished() && drain.elapsed() < 30000) RunFor(0.05);
  const std::optional<int64_t> written = sim.WaitWritten(5000);
  while (written && window.Count() < *written && drain.elapsed() < 40000) RunFor(0.05);
  s.AllCounted = written && window.Count() == *written && !window.ErrorShown();
  if (!s.AllCounted) {
    std::fprintf(stderr, "%s: tavolix-sim wrote %lld, the window counted %lld\n", c.Name,
                 static_cast<long long>(written.value_or(-1)), static_cast<long long>(window.Count()));
  }
  return s;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Successive screenshots of the chart in Trend mode at 1,000 lines/s, 50 ms apart: how
// many of them differ from the one before.
void Smoothness() {
  TSimulatorProcess sim({"--rate", "1000", "--count", "6000", "--amplitude", "4", "--offset", "5"});
  TWindowRun window(sim.DevicePath(), 1, true);
  Resize(window);
  if (!window.Start()) return;
  RunFor(kWarmUpSeconds);
  QScreen* screen = window.Form().screen();
  QWidget& chart = window.ChartWidget();
  const QPoint at = chart.mapTo(&window.Form(), QPoint(0, 0));
  QImage before;
  int differing = 0, pairs = 0;
  for (int i = 0; i < 41; ++i) {
    const QImage shot = screen->grabWindow(window.Form().winId(), at.x(), at.y(), chart.width(), chart.height()).toImage();
    if (!before.isNull()) {
      ++pairs;
      differing += shot != before;
    }
    before = shot;
    RunFor(0.05);
  }
  std::printf("Trend, 1 channel, 1,000 lines/s: %d of %d successive screenshots 50 ms apart differ\n", differing,
              pairs);
}

int RunCases(const TOptions& o) {
  const TCase cases[] = {
      {"idle, port open, no data", 1, false, 0},
      {"Normal, 1 channel, 100 lines/s", 1, false, 100},
      {"Normal, 1 channel, 1,000 lines/s", 1, false, 1000},
      {"Normal, 1 channel, 10,000 lines/s", 1, false, 10000},
      {"Normal, 2 channels, 100 lines/s", 2, false, 100},
      {"Normal, 2 channels, 1,000 lines/s", 2, false, 1000},
      {"Normal, 2 channels, 10,000 lines/s", 2, false, 10000},
      {"Trend, 1 channel, 100 lines/s", 1, true, 100},
      {"Trend, 1 channel, 1,000 lines/s", 1, true, 1000},
      {"Trend, 1 channel, 10,000 lines/s", 1, true, 10000},
      {"Trend, 2 channels, 100 lines/s", 2, true, 100},
      {"Trend, 2 channels, 1,000 lines/s", 2, true, 1000},
      {"Trend, 2 channels, 10,000 lines/s", 2, true, 10000},
      {"Normal, 1 channel, 1,000 lines/s, Realtime Fourier", 1, false, 1000, true},
      {"Trend, 1 channel, 1,000 lines/s, Realtime Fourier", 1, true, 1000, true},
  };
  std::printf("platform: %s, window 1024 x 768, median of %d\n", qPrintable(QGuiApplication::platformName()),
              o.Repetitions);
  std::printf("%-52s %14s %16s %s\n", "case", "CPU s per s", "CPU s per 100k", "every line counted");
  bool allCounted = true;
  for (const TCase& c : cases) {
    if (std::string(c.Name).find(o.Only) == std::string::npos) continue;
    std::vector<double> perSecond, per100k;
    bool counted = true;
    for (int i = 0; i < o.Repetitions; ++i) {
      const TSample s = c.Rate > 0 ? RunPaced(c, o.Seconds) : RunIdle(o.Seconds);
      perSecond.push_back(s.CpuPerSecond);
      per100k.push_back(s.CpuPer100k);
      counted = counted && s.AllCounted;
    }
    if (c.Rate > 0) {
      std::printf("%-52s %14.4f %16.3f %s\n", c.Name, Median(perSecond), Median(per100k), counted ? "yes" : "NO");
    } else {
      std::printf("%-52s %14.4f %16s %s\n", c.Name, Median(perSecond), "-", counted ? "-" : "NO (no start)");
    }
    std::fflush(stdout);
    allCounted = allCounted && counted;
  }
  if (o.Only.empty()) Smoothness();
  return allCounted ? 0 : 1;
}

// The same program on another platform, in a process of its own.
int RunChild(const QString& program, const QStringList& arguments) {
  QProcess child;
  child.setProcessChannelMode(QProcess::ForwardedChannels);
  child.start(program, arguments);
  child.waitForFinished(-1);
  return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions o;
  QStringList passOn;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--seconds") o.Seconds = std::max(1.0, std::atof(argv[i + 1]));
    if (arg == "--repetitions") o.Repetitions = std::max(1, std::atoi(argv[i + 1]));
    if (arg == "--only") o.Only = argv[i + 1];
    if (arg == "--platform") o.Platform = QString::fromLocal8Bit(argv[i + 1]);
    if (arg != "--platform") passOn << QString::fromLocal8Bit(argv[i]) << QString::fromLocal8Bit(argv[i + 1]);
  }
  if (o.Platform.isEmpty()) {
    const QString self = QString::fromLocal8Bit(argv[0]);
    int result = RunChild(self, passOn + QStringList{"--platform", "offscreen"});
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (!xvfb.isEmpty()) {
      std::fflush(stdout);
      result |= RunChild(xvfb, QStringList{"-a", "-s", "-screen 0 1280x1024x24", self} + passOn +
                                   QStringList{"--platform", "xcb"});
    }
    return result;
  }
  qputenv("QT_QPA_PLATFORM", o.Platform.toLocal8Bit());
  QApplication app(argc, argv);
  return RunCases(o);
}
