#include <gtest/gtest.h>

#include <dirent.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <thread>

#include "serial/comm.h"
#include "serial/posix/linux_ioctls.h"
#include "serial/posix/posix_port_platform.h"
#include "tests/serial/pty.h"
#include "tests/serial/pump.h"

namespace {

// Another program that has one side of the pseudo-terminal open, without any lock.
class THolder {
 public:
  THolder(int keep, int drop) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, keep, 0);
    posix_spawn_file_actions_addclose(&actions, drop);
    char* argv[] = {const_cast<char*>("sleep"), const_cast<char*>("600"), nullptr};
    EXPECT_EQ(posix_spawnp(&Pid, "sleep", &actions, nullptr, argv, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
  }
  ~THolder() {
    kill(Pid, SIGKILL);
    waitpid(Pid, nullptr, 0);
  }
  pid_t Pid = 0;
};

bool Exclusive(int fd) {
  int exclusive = -1;
  return ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive != 0;
}

size_t EntriesIn(const char* dir) {
  size_t n = 0;
  DIR* d = opendir(dir);
  while (readdir(d)) ++n;
  closedir(d);
  return n;
}

struct CommPty : testing::Test {
  CommPty() {
    setenv("TAVOLIX_COM42", Pty.DevicePath().c_str(), 1);
    Comm.SetComPortNo(42);
    Comm.OnAfterReceive = [this](TscComm&, const void* buffer, uint32_t count) {
      EXPECT_EQ(++Depth, 1) << "a delivery overlaps another";
      Blocks.emplace_back(static_cast<const char*>(buffer), count);
      Received.append(static_cast<const char*>(buffer), count);
      if (OnBlock) OnBlock(buffer, count);
      --Depth;
    };
    Comm.OnFatalError = [this](TscComm&, uint32_t code, uint32_t detail, const std::string& message, bool& raise) {
      Fatal.push_back(std::to_string(code) + "/" + std::to_string(detail) + ":" + message);
      raise = Raise;
    };
    Comm.OnCommError = [this](TscComm&, uint32_t, uint32_t, TComStateFlags, bool&) { ++CommErrors; };
    Comm.OnClose = [this](TscComm&) { ++Closes; };
  }
  bool ReceiveUntil(size_t size) {
    return PumpUntil(Handover, [&] { return Received.size() >= size; });
  }

  TPty Pty;
  TscPumpedHandover Handover;
  std::vector<std::string> Blocks;
  std::string Received;
  std::function<void(const void*, uint32_t)> OnBlock;
  int Depth = 0;
  std::vector<std::string> Fatal;
  bool Raise = true;
  int CommErrors = 0;
  int Closes = 0;
  // Last: closed first, while the handlers' state still exists.
  TscComm Comm{PosixPortPlatform(), &Handover};
};

TEST_F(CommPty, LinesArriveInOrderCompleteAndInBlocksOfAtMostTheBuffer) {
  std::string sent;
  for (int i = 0; i < 20000; ++i) sent += std::to_string(i) + ";" + std::to_string(i * 7 % 1000) + "\r\n";
  Comm.SetActive(true);
  std::jthread writer([&] {
    for (size_t at = 0, chunk = 1; at < sent.size(); at += chunk, chunk = chunk * 3 % 5000 + 1) {
      Pty.Write(sent.substr(at, chunk));
    }
  });
  ASSERT_TRUE(ReceiveUntil(sent.size()));
  EXPECT_EQ(Received, sent);
  for (const std::string& b : Blocks) ASSERT_LE(b.size(), TscComm::MinReceiveBufferSize);
  EXPECT_EQ(CommErrors, 0);
}

TEST_F(CommPty, BytesArrivingDuringTheHandlerComeInALaterCall) {
  OnBlock = [&](const void*, uint32_t) {
    if (Blocks.size() > 1) return;
    Pty.Write("later");
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  };
  Comm.SetActive(true);
  Pty.Write("first");
  ASSERT_TRUE(ReceiveUntil(10));
  EXPECT_EQ(Blocks[0], std::string("first").substr(0, Blocks[0].size()));  // nothing of "later"
  EXPECT_EQ(Received, "firstlater");
}

TEST_F(CommPty, WithoutATakerBytesStayInTheDriverAndNewOnesAreStillSeen) {
  Comm.OnAfterReceive = nullptr;
  Comm.SetActive(true);
  Pty.Write("12");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return Comm.ReceivedBytes() == 2; }));
  Pty.Write("3");
  // Each event counts everything waiting: the two old bytes and the new one.
  ASSERT_TRUE(PumpUntil(Handover, [&] { return Comm.ReceivedBytes() == 5; }));
  int waiting = 0;
  ASSERT_EQ(ioctl(Pty.Device(), FIONREAD, &waiting), 0);
  EXPECT_EQ(waiting, 3);
}

TEST_F(CommPty, ClosingInsideTheHandlerKeepsTheBlockAndDeliversNothingMore) {
  std::string seen;
  OnBlock = [&](const void* buffer, uint32_t count) {
    Comm.SetActive(false);
    Pty.Write("never");
    seen.assign(static_cast<const char*>(buffer), count);
  };
  Comm.SetActive(true);
  Pty.Write("abc");
  ASSERT_TRUE(ReceiveUntil(1));
  PumpFor(Handover, std::chrono::milliseconds(30));
  EXPECT_EQ(Blocks, std::vector<std::string>{seen});
  EXPECT_FALSE(Comm.Active());
  EXPECT_EQ(Closes, 1);
}

TEST_F(CommPty, OpenAndClose200TimesLeavesNoDescriptorOrThread) {
  Comm.SetActive(true);
  Comm.SetActive(false);
  const size_t descriptors = EntriesIn("/proc/self/fd");
  const size_t threads = EntriesIn("/proc/self/task");
  for (int i = 0; i < 200; ++i) {
    Comm.SetActive(true);
    ASSERT_TRUE(Comm.Active());
    Pty.Write("x");  // an event may be on its way to the main thread when the port closes
    Comm.SetActive(false);
    ASSERT_FALSE(Comm.Active());
    // The kernel keeps the exclusive mark past our close while anyone holds the
    // terminal; left there it locks out every later open but root's.
    ASSERT_FALSE(Exclusive(Pty.Device()));
  }
  EXPECT_EQ(EntriesIn("/proc/self/fd"), descriptors);
  // A leak would show 200 or 400 more; a sanitizer may start one thread of its own.
  EXPECT_LE(EntriesIn("/proc/self/task"), threads + 1);
  EXPECT_TRUE(Fatal.empty());
}

TEST_F(CommPty, SecondOpenerFailsWithTheOpenError) {
  TscComm second(PosixPortPlatform(), &Handover);
  second.SetComPortNo(42);
  Comm.SetActive(true);
  try {
    second.SetActive(true);
    ADD_FAILURE() << "no exception";
  } catch (const EscCommError& e) {
    EXPECT_EQ(e.what(), "Device \"COM42\" Open Error !!!\rDevice or resource busy: " + Pty.DevicePath());
  }
  EXPECT_FALSE(second.Active());
  EXPECT_TRUE(Comm.Active());
}

TEST_F(CommPty, ProgramHoldingTheDeviceIsNamedAndRefused) {
  {
    const THolder reader(Pty.Device(), Pty.Controller());
    // It shows up in the process table once it runs; until then the open may succeed.
    for (int attempt = 0; attempt < 1000 && Fatal.empty(); ++attempt) {
      try {
        Comm.SetActive(true);
        Comm.SetActive(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      } catch (const EscCommError&) {
      }
    }
    ASSERT_EQ(Fatal.size(), 1u);
    EXPECT_EQ(Fatal[0], "1/0:Device \"COM42\" Open Error !!!\rDevice or resource busy - " + Pty.DevicePath() +
                            " belegt von sleep (PID " + std::to_string(reader.Pid) + ")");
    EXPECT_FALSE(Comm.Active());
    EXPECT_FALSE(Exclusive(Pty.Device()));
  }
  // Whoever holds the other side is the device itself.
  const THolder device(Pty.Controller(), Pty.Device());
  Comm.SetActive(true);
  EXPECT_TRUE(Comm.Active());
  EXPECT_EQ(Fatal.size(), 1u);
}

TEST_F(CommPty, DeviceTheUserMayNotOpenSaysWhoMay) {
  if (geteuid() == 0) GTEST_SKIP() << "root opens every device";
  ASSERT_EQ(chmod(Pty.DevicePath().c_str(), 0), 0);
  Raise = false;
  Comm.SetActive(true);
  ASSERT_EQ(Fatal.size(), 1u);
  EXPECT_EQ(Fatal[0], "1/0:Device \"COM42\" Open Error !!!\rPermission denied - Zugriff verweigert: " +
                          Pty.DevicePath() + " ist nur für " + getpwuid(geteuid())->pw_name + " freigegeben");
}

TEST_F(CommPty, NonexistentPortReportsAndStaysClosed) {
  setenv("TAVOLIX_COM43", "/dev/tavolix-no-such-device", 1);
  const std::string report = "1/0:Device \"COM43\" Open Error !!!\rNo such file or directory: /dev/tavolix-no-such-device";
  Comm.SetComPortNo(43);
  try {
    Comm.SetActive(true);
    ADD_FAILURE() << "no exception";
  } catch (const EscCommError& e) {
    EXPECT_EQ(report, "1/0:" + std::string(e.what()));
  }
  EXPECT_FALSE(Comm.Active());
  Raise = false;
  EXPECT_NO_THROW(Comm.SetActive(true));
  EXPECT_FALSE(Comm.Active());
  EXPECT_EQ(Fatal, (std::vector<std::string>{report, report}));

  unsetenv("TAVOLIX_COM0");
  Comm.SetComPortNo(0);
  Comm.SetActive(true);
  EXPECT_EQ(Fatal.back(), "1/0:Device \"COM0\" Open Error !!!\rNo such device");
  Comm.SetDevicePath("/dev/null");  // not a terminal
  Comm.SetActive(true);
  EXPECT_EQ(Fatal.back(), "1/0:Device \"/dev/null\" Open Error !!!\rInappropriate ioctl for device");
}

TEST_F(CommPty, UnpluggingClosesWithoutAnErrorEvent) {
  Comm.SetActive(true);
  Pty.Write("1\r\n");
  ASSERT_TRUE(ReceiveUntil(3));
  Pty.CloseController();
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Comm.Active(); }));
  EXPECT_EQ(Closes, 1);
  EXPECT_TRUE(Fatal.empty());
  EXPECT_EQ(CommErrors, 0);
}

TEST_F(CommPty, AnyBaudRateReachesTheDeviceInBothDirections) {
  Comm.SetBaudRate(128000);  // installed at the open
  Comm.SetActive(true);
  uint32_t input = 0, output = 0;
  ASSERT_TRUE(ReadBaudRates(Pty.Device(), input, output));
  EXPECT_EQ(input, 128000u);
  EXPECT_EQ(output, 128000u);
  // Standard rates after custom ones, and the reverse.
  for (uint32_t wanted : {110u, 14400u, 57600u, 56000u, 115200u, 256000u, 460800u, 921600u, 1000000u, 3000000u}) {
    Comm.SetBaudRate(wanted);
    ASSERT_TRUE(ReadBaudRates(Pty.Device(), input, output));
    EXPECT_EQ(input, wanted);
    EXPECT_EQ(output, wanted);
  }
  Comm.SetBaudRate(0);  // refused: the line keeps its speed
  ASSERT_TRUE(ReadBaudRates(Pty.Device(), input, output));
  EXPECT_EQ(output, 3000000u);
}

}  // namespace
