#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/ioctl.h>

#include <cstdlib>
#include <thread>

#include "serial/comm.h"
#include "serial/posix/linux_ioctls.h"
#include "serial/posix/posix_port_platform.h"
#include "tests/serial/pty.h"
#include "tests/serial/pump.h"

namespace {

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
    EXPECT_STREQ(e.what(), "Device \"COM42\" Open Error !!!\rDevice or resource busy");
  }
  EXPECT_FALSE(second.Active());
  EXPECT_TRUE(Comm.Active());
}

TEST_F(CommPty, NonexistentPortReportsAndStaysClosed) {
  setenv("TAVOLIX_COM43", "/dev/tavolix-no-such-device", 1);
  const std::string report = "1/0:Device \"COM43\" Open Error !!!\rNo such file or directory";
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

TEST_F(CommPty, AnyBaudRateReachesTheDevice) {
  Comm.SetBaudRate(128000);  // installed at the open
  Comm.SetActive(true);
  uint32_t rate = 0;
  ASSERT_TRUE(ReadBaudRate(Pty.Device(), rate));
  EXPECT_EQ(rate, 128000u);
  for (uint32_t wanted : {110u, 14400u, 56000u, 115200u, 256000u, 1000000u}) {
    Comm.SetBaudRate(wanted);
    ASSERT_TRUE(ReadBaudRate(Pty.Device(), rate));
    EXPECT_EQ(rate, wanted);
  }
  Comm.SetBaudRate(0);  // refused: the line keeps its speed
  ASSERT_TRUE(ReadBaudRate(Pty.Device(), rate));
  EXPECT_EQ(rate, 1000000u);
}

}  // namespace
