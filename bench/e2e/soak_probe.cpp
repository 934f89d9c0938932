// The soak run's probe: the main window in Trend mode on tavolix-sim at a high rate for
// a set time, reporting the lines counted and the resident memory as it goes, and at the
// end how many lines the simulator wrote against how many the window counted.
//
//   tavolix_soak_probe SECONDS RATE
//
// Output, one record a line: "sample SECONDS COUNT RSS_KIB", then "sent N counted M".

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

#include "bench/e2e/device_feed.h"
#include "bench/e2e/window_run.h"

int main(int argc, char** argv) {
  UseOffscreenPlatform();
  QApplication app(argc, argv);
  const double seconds = argc > 2 ? std::atof(argv[1]) : 0;
  const double rate = argc > 2 ? std::atof(argv[2]) : 0;
  if (seconds < 1 || rate < 1) {
    std::fputs("usage: tavolix_soak_probe SECONDS RATE\n", stderr);
    return 2;
  }
  const auto lines = int64_t(seconds * rate);
  TSimulatorProcess sim({"--rate", QString::number(rate), "--count", QString::number(lines), "--wave", "noise",
                         "--amplitude", "4", "--offset", "5"});
  TWindowRun window(sim.DevicePath(), 1, true);
  if (!window.Start()) return 1;

  // About 120 samples over the run, at least one a second.
  const int64_t intervalMs = std::max<int64_t>(1000, int64_t(seconds * 1000 / 120));
  QElapsedTimer timer;
  timer.start();
  const auto sample = [&] {
    std::printf("sample %.1f %lld %lld\n", double(timer.elapsed()) / 1000, static_cast<long long>(window.Count()),
                static_cast<long long>(ResidentKiB()));
    std::fflush(stdout);
  };
  for (int64_t next = intervalMs; !sim.Finished(); next += intervalMs) {
    RunUntil([&] { return sim.Finished() || timer.elapsed() >= next; }, intervalMs + 1000);
    sample();
  }
  const std::optional<int64_t> written = sim.WaitWritten(30000);
  RunUntil([&] { return window.Count() >= written.value_or(0) || !window.Running(); }, 30000);
  sample();
  std::printf("sent %lld counted %lld\n", static_cast<long long>(written.value_or(-1)),
              static_cast<long long>(window.Count()));
  return window.ErrorShown() ? 1 : 0;
}
