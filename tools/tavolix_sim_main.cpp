// tavolix-sim: a pseudo-terminal that behaves like a measuring device on a serial line.

#include <signal.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <string>

#include "tools/paced_writer.h"
#include "tools/pseudo_terminal.h"
#include "tools/sim_options.h"

namespace {

std::atomic<bool> StopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void RequestStop(int) { StopRequested = true; }

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = RequestStop;
  sigemptyset(&action.sa_mask);
  // Without SA_RESTART a sleep, poll or write that is waiting returns as soon as a signal comes.
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

// A symbolic link to the slave side, removed at the end if it still points there.
class TSlaveLink {
 public:
  TSlaveLink(std::string path, std::string target) : Path_(std::move(path)), Target_(std::move(target)) {
    struct stat existing {};
    // A link left behind by an earlier run is replaced; anything else is not ours to remove.
    if (lstat(Path_.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode)) unlink(Path_.c_str());
    if (symlink(Target_.c_str(), Path_.c_str()) != 0) {
      throw ESimError("cannot create the link " + Path_ + ": " + std::strerror(errno));
    }
  }
  ~TSlaveLink() {
    char target[256];
    const ssize_t n = readlink(Path_.c_str(), target, sizeof target);
    if (n >= 0 && std::string(target, size_t(n)) == Target_) unlink(Path_.c_str());
  }
  TSlaveLink(const TSlaveLink&) = delete;
  TSlaveLink& operator=(const TSlaveLink&) = delete;

 private:
  std::string Path_;
  std::string Target_;
};

// Closing the master discards what the reader has not taken yet, and the master cannot
// see how much that is; so the end waits until the reader has closed the port. A reader
// that keeps it open is told about once; Ctrl-C ends the wait.
void WaitForTheReaderToClose(const TPseudoTerminal& pty, bool quiet) {
  const timespec pause{0, 10'000'000};
  for (int checks = 0; !pty.ReaderGone() && !StopRequested.load(); ++checks) {
    if (checks == 200 && !quiet) std::fputs("tavolix-sim: waiting until the port is closed (Ctrl-C ends)\n", stderr);
    nanosleep(&pause, nullptr);
  }
}

int Run(TSimOptions options) {
  if (!options.SeedGiven) options.Seed = std::random_device()();
  TPseudoTerminal pty;
  std::optional<TSlaveLink> link;
  if (!options.Link.empty()) link.emplace(options.Link, pty.SlavePath());
  std::printf("%s\n", pty.SlavePath().c_str());
  std::fflush(stdout);

  const TLineSource source = LineSourceFor(options);
  TPacedWriter writer(pty.Master(), source, options.Rate, options.BurstLines, StopRequested);
  const int64_t written = writer.Run(options.Count);
  if (!options.Quiet) {
    std::fprintf(stderr, "tavolix-sim: %lld %s written\n", static_cast<long long>(written),
                 written == 1 ? "line" : "lines");
  }
  if (options.Count > 0 && written == options.Count) WaitForTheReaderToClose(pty, options.Quiet);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TSimOptions options;
  try {
    options = ParseSimOptions({argv + 1, argv + argc});
  } catch (const ESimUsage& e) {
    std::fprintf(stderr, "tavolix-sim: %s\nTry 'tavolix-sim --help'.\n", e.what());
    return 2;
  }
  if (options.Help) {
    std::fputs(SimUsageText, stdout);
    return 0;
  }
  CatchStopSignals();
  try {
    return Run(options);
  } catch (const ESimError& e) {
    std::fprintf(stderr, "tavolix-sim: %s\n", e.what());
    return 1;
  }
}
