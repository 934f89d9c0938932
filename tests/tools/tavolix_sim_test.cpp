// Runs the tavolix-sim program itself and reads its pseudo-terminal like a receiver would.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "acquisition/acquisition_state.h"
#include "acquisition/line_framing.h"
#include "acquisition/sample_reading.h"
#include "tools/sim_options.h"

extern char** environ;

namespace {

// Guards against a hang; no result depends on it.
constexpr int GuardMs = 20000;

class TSimProcess {
 public:
  explicit TSimProcess(const std::vector<std::string>& args) {
    int out[2], err[2];
    EXPECT_EQ(pipe2(out, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(err, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<char*> argv{const_cast<char*>(TAVOLIX_SIM_PATH)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    EXPECT_EQ(posix_spawn(&Pid_, TAVOLIX_SIM_PATH, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    Out_ = out[0];
    Err_ = err[0];
  }
  ~TSimProcess() {
    if (Pid_ > 0) {
      kill(Pid_, SIGKILL);
      waitpid(Pid_, nullptr, 0);
    }
    close(Out_);
    close(Err_);
  }

  std::string ReadFirstLine() {
    std::string line;
    char c;
    pollfd readable{Out_, POLLIN, 0};
    while (poll(&readable, 1, GuardMs) > 0 && read(Out_, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }
  void Signal(int signal) { kill(Pid_, signal); }
  // The exit status, or -1 when the program did not end of its own accord.
  int Wait() {
    int status = 0;
    for (int waited = 0; waited < GuardMs; waited += 10) {
      if (waitpid(Pid_, &status, WNOHANG) == Pid_) {
        Pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
      usleep(10000);
    }
    return -1;
  }
  static std::string ReadAll(int fd) {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
    return text;
  }
  std::string Stdout() { return ReadAll(Out_); }
  std::string Stderr() { return ReadAll(Err_); }

 private:
  pid_t Pid_ = -1;
  int Out_ = -1;
  int Err_ = -1;
};

class TLineCollector : public TLineReceiver {
 public:
  void ProcessLine(std::string_view line) override { Lines.emplace_back(line); }
  std::vector<std::string> Lines;
};

// Reads the slave until the simulator closes its side (EOF or EIO) or `enough` lines arrived.
std::vector<std::string> ReadLines(int fd, size_t enough = SIZE_MAX) {
  TLineCollector collector;
  TLineFraming framing(collector);
  uint8_t buffer[65536];
  pollfd readable{fd, POLLIN, 0};
  while (collector.Lines.size() < enough) {
    if (poll(&readable, 1, GuardMs) <= 0) {
      ADD_FAILURE() << "no data and no end";
      break;
    }
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      framing.Feed(buffer, size_t(n));
    } else if (n == 0 || errno != EAGAIN) {
      break;
    }
  }
  return collector.Lines;
}

std::string LinkPath(const char* name) { return testing::TempDir() + "/" + name + std::to_string(getpid()); }

bool Exists(const std::string& path) {
  struct stat s {};
  return lstat(path.c_str(), &s) == 0;
}

TEST(TavolixSim, EveryLineArrivesInOrderWithTheGeneratedValues) {
  const std::string link = LinkPath("sim-link-");
  const std::vector<std::string> args = {"--count", "30000", "--rate", "300000", "--channels", "2",
                                         "--wave", "ramp", "--wave2", "noise", "--period", "977",
                                         "--amplitude", "1000", "--offset", "0.5", "--seed", "7",
                                         "--link", link};
  TSimProcess sim(args);
  const std::string path = sim.ReadFirstLine();
  ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;
  char target[256] = {};
  ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
  EXPECT_EQ(target, path);

  const int fd = open(link.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(fd, 0);
  const std::vector<std::string> lines = ReadLines(fd);
  close(fd);

  const TSimOptions options = ParseSimOptions(args);
  const TSignalGenerator one(ChannelSettings(options, 1));
  const TSignalGenerator two(ChannelSettings(options, 2));
  ASSERT_EQ(lines.size(), 30000u);
  TAcquisitionState state;
  state.ChannelMode = 2;
  state.Factor2 = 1;
  for (size_t i = 0; i < lines.size(); ++i) {
    ReadSamples(lines[i], state);
    ASSERT_EQ(state.Value1, one.Value(int64_t(i))) << "line " << i + 1 << ": " << lines[i];
    ASSERT_EQ(state.Value2, two.Value(int64_t(i))) << "line " << i + 1 << ": " << lines[i];
  }
  EXPECT_EQ(sim.Wait(), 0);
  EXPECT_EQ(sim.Stderr(), "tavolix-sim: 30000 lines written\n");
  EXPECT_FALSE(Exists(link)) << "the link is removed at the end";
}

TEST(TavolixSim, StopsOnSignalsEvenWhileNobodyReads) {
  for (int signal : {SIGINT, SIGTERM}) {
    const std::string link = LinkPath("sim-stop-");
    TSimProcess sim({"--rate", "50000", "--wave", "square", "--link", link});
    const std::string path = sim.ReadFirstLine();
    const int fd = open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    // Some lines are read, then the reader stalls and the simulator is held up.
    EXPECT_GE(ReadLines(fd, 100).size(), 100u);
    sim.Signal(signal);
    EXPECT_EQ(sim.Wait(), 0) << signal;
    close(fd);
    const std::string report = sim.Stderr();
    EXPECT_EQ(report.rfind("tavolix-sim: ", 0), 0u) << report;
    EXPECT_NE(report.find(" lines written\n"), std::string::npos) << report;
    EXPECT_GE(std::stoll(report.substr(13)), 100) << report;
    EXPECT_FALSE(Exists(link));
  }
}

TEST(TavolixSim, BadCommandLinesExitWithStatus2) {
  const std::vector<std::vector<std::string>> bad = {
      {"--rate", "0"},        {"--rate", "1,5"},     {"--channels", "3"},   {"--wave", "saw"},
      {"--fault", "smoke"},   {"--fault", "burst@0"}, {"--count", "-1"},    {"--period", "0.5"},
      {"--burst-lines", "0"}, {"--amplitude", "inf"}, {"--quiet=yes"},      {"--rate"},
      {"--frobnicate"},       {"stray"},             {"--amplitude", "3e38", "--offset", "1e38"},
  };
  for (const auto& args : bad) {
    TSimProcess sim(args);
    EXPECT_EQ(sim.Wait(), 2) << args[0];
    EXPECT_EQ(sim.Stdout(), "") << args[0];
    const std::string message = sim.Stderr();
    EXPECT_EQ(message.rfind("tavolix-sim: ", 0), 0u) << message;
    EXPECT_NE(message.find("--help"), std::string::npos) << message;
  }
  TSimProcess help({"--help"});
  EXPECT_EQ(help.Wait(), 0);
  const std::string usage = help.Stdout();
  for (const char* option : {"--rate", "--channels", "--wave2", "--fault-every", "--burst-lines", "--link"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

}  // namespace
