#include "app/qt_main_thread_handover.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

#include "serial/comm.h"
#include "serial/posix/posix_port_platform.h"
#include "tests/serial/pty.h"

namespace {

QCoreApplication& Application() {
  static int argc = 1;
  static char name[] = "qt_handover_test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication application(argc, argv);
  return application;
}

bool ProcessEventsUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

struct QtHandover : testing::Test {
  QtHandover() { Application(); }
  TQtMainThreadHandover Handover;
};

TEST_F(QtHandover, RunsInTheEventLoopOfTheMainThread) {
  std::thread::id ranOn;
  std::atomic<bool> returned = false;
  std::jthread worker([&](std::stop_token stop) {
    Handover.Synchronize([&] { ranOn = std::this_thread::get_id(); }, stop);
    returned = true;
  });
  ASSERT_TRUE(ProcessEventsUntil([&] { return returned.load(); }));
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(QtHandover, StopDropsTheQueuedCall) {
  bool ran = false;
  std::jthread worker([&](std::stop_token stop) { Handover.Synchronize([&] { ran = true; }, stop); });
  worker.request_stop();
  worker.join();  // returns without the event loop having run
  QCoreApplication::processEvents();
  EXPECT_FALSE(ran);
}

TEST_F(QtHandover, PortDeliversThroughTheEventLoopAndClosesFromTheHandler) {
  TPty pty;
  TscComm comm(PosixPortPlatform(), &Handover);
  comm.SetDevicePath(pty.DevicePath());
  std::string received;
  comm.OnAfterReceive = [&](TscComm& com, const void* buffer, uint32_t count) {
    received.append(static_cast<const char*>(buffer), count);
    if (received.find('\n') != std::string::npos) com.SetActive(false);
  };
  comm.SetActive(true);
  pty.Write("1.5\r\n");
  ASSERT_TRUE(ProcessEventsUntil([&] { return !comm.Active(); }));
  EXPECT_EQ(received, "1.5\r\n");
}

}  // namespace
