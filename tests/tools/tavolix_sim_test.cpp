// Runs the tavolix-sim program itself and reads its pseudo-terminal as a receiver would.

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>
#include <string>
#include <vector>

#include "acquisition/acquisition_state.h"
#include "acquisition/line_framing.h"
#include "acquisition/sample_reading.h"
#include "tools/sim_options.h"

extern char** environ;

namespace {

constexpr int GuardMs = 20000;  // ends a hang; no result depends on it

// The simulator with its standard output and error on pipes.
class TSimProcess {
 public:
  explicit TSimProcess(std::vector<std::string> args) {
    int out[2], err[2];
    EXPECT_EQ(pipe2(out, O_CLOEXEC) | pipe2(err, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    args.insert(args.begin(), TAVOLIX_SIM_PATH);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    EXPECT_EQ(posix_spawn(&Pid_, TAVOLIX_SIM_PATH, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    Out_ = out[0];
    Err_ = err[0];
  }
  ~TSimProcess() {
    if (Pid_ > 0 && kill(Pid_, SIGKILL) == 0) waitpid(Pid_, nullptr, 0);
    close(Out_);
    close(Err_);
  }
  std::string FirstLine() {
    std::string line;
    pollfd readable{Out_, POLLIN, 0};
    for (char c; poll(&readable, 1, GuardMs) > 0 && read(Out_, &c, 1) == 1 && c != '\n';) line += c;
    return line;
  }
  void Signal(int signal) { kill(Pid_, signal); }
  pid_t Pid() const { return Pid_; }
  // The exit status, or -1 when the program did not end of its own accord.
  int Wait() {
    for (int waited = 0, status = 0; waited < GuardMs; waited += 10, usleep(10000)) {
      if (waitpid(Pid_, &status, WNOHANG) == Pid_) {
        Pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      }
    }
    return -1;
  }
  std::string Stderr() {
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(Err_, buffer, sizeof buffer)) > 0;) text.append(buffer, size_t(n));
    return text;
  }

 private:
  pid_t Pid_ = -1;
  int Out_ = -1, Err_ = -1;
};

class TLineCollector : public TLineReceiver {
 public:
  bool ProcessLine(std::string_view line) override {
    Lines.emplace_back(line);
    return true;
  }
  std::vector<std::string> Lines;
};

// Reads the slave until the simulator closes its side (EOF or EIO) or `enough` lines arrived.
std::vector<std::string> ReadLines(const std::string& path, size_t enough = SIZE_MAX) {
  TLineCollector collector;
  TLineFraming framing(collector);
  const int fd = open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
  EXPECT_GE(fd, 0) << path;
  uint8_t buffer[65536];
  pollfd readable{fd, POLLIN, 0};
  while (fd >= 0 && collector.Lines.size() < enough && poll(&readable, 1, GuardMs) > 0) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) framing.Feed(buffer, size_t(n));
    if (n == 0 || (n < 0 && errno != EAGAIN)) break;
  }
  close(fd);
  return collector.Lines;
}

TEST(TavolixSim, EveryLineArrivesInOrderWithTheGeneratedValues) {
  const std::string link = testing::TempDir() + "/sim-link-" + std::to_string(getpid());
  std::vector<std::string> args;
  std::istringstream words(
      "--count 30000 --rate 300000 --channels 2 --wave ramp --wave2 noise --period 977 --amplitude 1000 "
      "--offset 0.5 --seed 7 --fault burst --fault-every 7000 --burst-lines 5000 --link " +
      link);
  for (std::string word; words >> word;) args.push_back(word);
  TSimProcess sim(args);
  const std::string path = sim.FirstLine();
  char target[256] = {};
  ASSERT_GT(readlink(link.c_str(), target, sizeof target - 1), 0);
  EXPECT_EQ(target, path);
  // All lines, then the port closes: that ends the simulator.
  const std::vector<std::string> lines = ReadLines(link, 30000);

  const TSimOptions options = ParseSimOptions(args);
  const TSignalGenerator one(ChannelSettings(options, 1)), two(ChannelSettings(options, 2));
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
  EXPECT_NE(access(link.c_str(), F_OK), 0) << "the link is removed at the end";
}

TEST(TavolixSim, HoldsOnlyTheControllingSide) {
  // A program holding the device side would share the device with the reader.
  TSimProcess sim({"--rate", "1000"});
  struct stat device {};
  ASSERT_EQ(stat(sim.FirstLine().c_str(), &device), 0);
  const std::string fds = "/proc/" + std::to_string(sim.Pid()) + "/fd";
  DIR* folder = opendir(fds.c_str());
  ASSERT_NE(folder, nullptr);
  int held = 0;
  for (dirent* entry; (entry = readdir(folder));) {
    struct stat opened {};
    held += stat((fds + "/" + entry->d_name).c_str(), &opened) == 0 && S_ISCHR(opened.st_mode) &&
            opened.st_rdev == device.st_rdev;
  }
  closedir(folder);
  EXPECT_EQ(held, 0);
}

TEST(TavolixSim, StopsOnSignalsWhileTheReaderStalls) {
  for (int signal : {SIGINT, SIGTERM}) {
    TSimProcess sim({"--rate", "50000"});
    EXPECT_GE(ReadLines(sim.FirstLine(), 100).size(), 100u);  // then nobody reads, the simulator is held up
    sim.Signal(signal);
    EXPECT_EQ(sim.Wait(), 0) << signal;
    const std::string report = sim.Stderr();
    ASSERT_EQ(report.rfind("tavolix-sim: ", 0), 0u) << report;
    EXPECT_GE(std::stoll(report.substr(13)), 100) << report;
    EXPECT_EQ(report.substr(report.size() - 15), " lines written\n") << report;
  }
}

TEST(TavolixSim, BadCommandLinesExitWithStatus2) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--rate", "0"}, "invalid value '0' for --rate: expected lines per second from 1 to 1000000"},
      {{"--fault", "smoke"},
       "invalid value 'smoke' for --fault: expected garbage, unterminated, overflow or burst, "
       "optionally @LINE"},
      {{"--link"}, "option '--link' needs a value"},
      {{"-r"}, "unexpected argument '-r'"},
      {{"--channels", "17"}, "invalid value '17' for --channels: expected 1 to 16"},
      {{"--channels", "3", "--names", "a,b"}, "--names gives 2 names for 3 channels"},
      {{"--names", "a:b"},
       "invalid value 'a:b' for --names: expected names of 1 to 16 letters, digits or '_', a letter first, "
       "separated by ','"},
  };
  for (const auto& [args, message] : cases) {
    TSimProcess sim(args);
    EXPECT_EQ(sim.FirstLine(), "") << message;
    EXPECT_EQ(sim.Wait(), 2) << message;
    EXPECT_EQ(sim.Stderr(), "tavolix-sim: " + message + "\nTry 'tavolix-sim --help'.\n");
  }
}

}  // namespace
