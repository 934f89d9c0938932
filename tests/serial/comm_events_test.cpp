#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "serial/comm.h"
#include "tests/serial/fake_port.h"
#include "tests/serial/pump.h"

namespace {

struct CommEvents : testing::Test {
  CommEvents() {
    Comm.OnAfterReceive = [this](TscComm&, const void* buffer, uint32_t count) {
      Blocks.emplace_back(static_cast<const char*>(buffer), count);
      if (OnBlock) OnBlock(buffer, count);
    };
    Comm.OnCommError = [this](TscComm&, uint32_t code, uint32_t sysError, TComStateFlags state, bool& flash) {
      CommErrors.push_back(code + sysError);
      LastState = state;
      flash = Flash;
    };
    Comm.OnFatalError = [this](TscComm&, uint32_t code, uint32_t, const std::string& message, bool& raise) {
      Fatal.push_back(std::to_string(code) + ":" + message);
      raise = Raise;
    };
    Comm.ShowException = [this](const std::string& message) { Shown.push_back(message); };
    Comm.OnClose = [this](TscComm&) { CloseThreads.push_back(std::this_thread::get_id()); };
  }
  bool PumpUntilReceived(size_t size) {
    return PumpUntil(Handover, [&] {
      size_t all = 0;
      for (const std::string& b : Blocks) all += b.size();
      return all >= size;
    });
  }

  TFakePlatform Platform;
  TscPumpedHandover Handover;
  std::vector<std::string> Blocks;
  std::function<void(const void*, uint32_t)> OnBlock;
  std::vector<uint32_t> CommErrors;
  TComStateFlags LastState;
  bool Flash = false;
  std::vector<std::string> Fatal;
  bool Raise = true;
  std::vector<std::string> Shown;
  std::vector<std::thread::id> CloseThreads;
  // Last: closed first, while the handlers' state still exists.
  TscComm Comm{Platform, &Handover};
};

TEST_F(CommEvents, LineErrorIsReportedAndItsBytesComeWithTheNextEvent) {
  Platform.HoldFlags = 0x1 | 0x8 | 0x100;  // CTS hold, XOFF hold, a bit beyond the flags
  Comm.SetActive(true);
  Platform.LineError(CE_FRAME | CE_OVERRUN, "ab");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !CommErrors.empty(); }));
  EXPECT_EQ(CommErrors, std::vector<uint32_t>{CE_FRAME | CE_OVERRUN});  // system error 0
  EXPECT_EQ(LastState, (TComStateFlags{fCtlHold, fXoffHold}));
  EXPECT_TRUE(Blocks.empty());
  Platform.Receive("c");
  ASSERT_TRUE(PumpUntilReceived(3));
  EXPECT_EQ(Blocks, std::vector<std::string>{"abc"});
  EXPECT_TRUE(Platform.Purges.empty());
}

TEST_F(CommEvents, FlashBuffersDiscardsWhatHadArrived) {
  Flash = true;
  Comm.SetActive(true);
  Platform.LineError(CE_RXPARITY, "lost");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !CommErrors.empty(); }));
  EXPECT_EQ(Platform.Purges, std::vector<uint32_t>{0x000F});
  Platform.Receive("kept");
  ASSERT_TRUE(PumpUntilReceived(4));
  EXPECT_EQ(Blocks, std::vector<std::string>{"kept"});
}

TEST_F(CommEvents, MoreThanTheBufferComesInBlocksOfOneEventSizedAtTheOpen) {
  std::string data(20000, 0);
  for (size_t i = 0; i < data.size(); ++i) data[i] = char('a' + i % 26);
  Comm.SetActive(true);
  Comm.SetBufferInSize(16384);  // takes effect at the next open
  Platform.Receive(data);
  ASSERT_TRUE(PumpUntilReceived(data.size()));
  ASSERT_EQ(Blocks.size(), 3u);
  EXPECT_EQ(Blocks[0] + Blocks[1] + Blocks[2], data);
  EXPECT_EQ(Blocks[1].size(), 8192u);
  Comm.SetActive(false);
  Comm.SetActive(true);
  Blocks.clear();
  Platform.Receive(data);
  ASSERT_TRUE(PumpUntilReceived(data.size()));
  EXPECT_EQ(Blocks.size(), 2u);
}

TEST_F(CommEvents, ProcessingFailureIsShownOnceAndThePortStaysOpen) {
  OnBlock = [](const void*, uint32_t) { throw std::runtime_error("Gleitkommaüberlauf"); };
  Comm.SetActive(true);
  Platform.Receive("1\r\n");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Shown.empty(); }));
  EXPECT_EQ(Fatal, std::vector<std::string>{"1:Gleitkommaüberlauf"});
  EXPECT_EQ(Shown, std::vector<std::string>{"Gleitkommaüberlauf"});
  EXPECT_TRUE(Comm.Active());
  Raise = false;
  Platform.Receive("2\r\n");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return Fatal.size() == 2; }));
  EXPECT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Blocks, (std::vector<std::string>{"1\r\n", "2\r\n"}));  // neither delivered again
  // A failing line-error handler is a processing failure too.
  Comm.OnCommError = [](TscComm&, uint32_t, uint32_t, TComStateFlags, bool&) { throw std::runtime_error("x"); };
  Platform.LineError(CE_BREAK, "");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return Fatal.size() == 3; }));
  EXPECT_EQ(Fatal.back(), "1:x");
}

TEST_F(CommEvents, FailingReportHandlersAreShownAndThePortClosed) {
  // The handlers that deal with a failure fail themselves: nothing may end the program.
  OnBlock = [](const void*, uint32_t) { throw std::runtime_error("Gleitkommaüberlauf"); };
  Comm.OnFatalError = [](TscComm&, uint32_t, uint32_t, const std::string&, bool&) {
    throw std::runtime_error("Stop fehlgeschlagen");
  };
  Comm.SetActive(true);
  Platform.Receive("1\r\n");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Comm.Active(); }));
  EXPECT_EQ(Shown, std::vector<std::string>{"Stop fehlgeschlagen"});
  EXPECT_EQ(Platform.OpenDevices, 0);

  Comm.OnFatalError = nullptr;
  Comm.ShowException = [](const std::string&) { throw std::runtime_error("kein Fenster"); };
  Comm.SetActive(true);
  Platform.Receive("2\r\n");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Comm.Active(); }));
  EXPECT_EQ(Platform.OpenDevices, 0);

  // A listener failing while an unplugged device is closed.
  Comm.AddListener([](TscComm&, int code) {
    if (code == 1) throw std::runtime_error("Liste");
  });
  Comm.SetActive(true);
  Platform.FailWait();
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Comm.Active(); }));
  EXPECT_EQ(Platform.OpenDevices, 0);
}

TEST_F(CommEvents, ClosingInsideTheHandlerKeepsTheBlockAndEndsTheEvent) {
  std::string seen;
  OnBlock = [&](const void* buffer, uint32_t count) {
    Comm.SetActive(false);
    seen.assign(static_cast<const char*>(buffer), count);  // still readable
  };
  Comm.SetActive(true);
  Platform.Receive(std::string(9000, 'x'));
  ASSERT_TRUE(PumpUntilReceived(1));
  PumpFor(Handover, std::chrono::milliseconds(20));
  EXPECT_EQ(Blocks.size(), 1u);
  EXPECT_EQ(seen, std::string(8192, 'x'));
  EXPECT_EQ(CloseThreads, std::vector<std::thread::id>{std::this_thread::get_id()});
}

TEST_F(CommEvents, FailedWaitClosesOnTheMainThreadWithoutReport) {
  Comm.SetActive(true);
  Platform.FailWait();
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Comm.Active(); }));
  EXPECT_EQ(CloseThreads, std::vector<std::thread::id>{std::this_thread::get_id()});
  EXPECT_TRUE(Fatal.empty() && CommErrors.empty());
  EXPECT_EQ(Platform.OpenDevices, 0);
}

TEST_F(CommEvents, WithoutTheMainThreadTheMessageThreadDeliversAndMayClose) {
  std::atomic<bool> closed = false;
  std::thread::id handlerThread;
  Comm.SetUseMainThread(false);
  OnBlock = [&](const void*, uint32_t) {
    handlerThread = std::this_thread::get_id();
    Comm.SetActive(false);
    closed = true;
  };
  Comm.SetActive(true);
  Platform.Receive("1");
  while (!closed) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(Handover.RunPending(), 0u);
  Comm.SetActive(true);  // waits for the stopped message thread first
  EXPECT_NE(handlerThread, std::this_thread::get_id());
  EXPECT_TRUE(Comm.Active());
}

TEST(CommHandover, EventQueuedWhenThePortClosesIsDropped) {
  struct TCountingHandover : TscMainThreadHandover {
    void Synchronize(std::function<void()> routine, std::stop_token stop) override {
      ++Calls;
      Inner.Synchronize(std::move(routine), std::move(stop));
    }
    TscPumpedHandover Inner;
    std::atomic<int> Calls = 0;
  } handover;
  TFakePlatform platform;
  TscComm comm(platform, &handover);
  int delivered = 0;
  comm.OnAfterReceive = [&](TscComm&, const void*, uint32_t) { ++delivered; };
  comm.SetActive(true);
  platform.Receive("late");
  while (handover.Calls == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  comm.SetActive(false);  // must not wait for the hand-over that is still queued
  EXPECT_EQ(handover.Inner.RunPending(), 1u);
  EXPECT_EQ(delivered, 0);
}

TEST(CommTraceState, MonitorsMirrorTheModemLines) {
  struct TCheck : TscMonitorControl {
    void SetChecked(bool c) override { Checked = c; }
    bool Checked = true;
  } cts, dsr;
  std::vector<uint16_t> events;
  TFakePlatform platform;
  TscPumpedHandover handover;
  TscComm comm(platform, &handover);
  comm.OnTraceState = [&](TscComm&, TTraceStates e) { events.push_back(e.Bits()); };
  comm.SetMonitorCTS(&cts);
  comm.SetMonitorDSR(&dsr);
  comm.ClosePort();  // closed already: reported anyway, with no line on
  EXPECT_EQ(events, std::vector<uint16_t>{TTraceStates{tsTxEmpty}.Bits()});
  EXPECT_FALSE(cts.Checked || dsr.Checked);
  platform.Modem = {msCTS};
  comm.SetActive(true);
  platform.Signal(EV_CTS | EV_RING | EV_RXCHAR);
  ASSERT_TRUE(PumpUntil(handover, [&] { return events.size() == 3; }));
  EXPECT_EQ(events.back(), (TTraceStates{tsCTS, tsRing}.Bits()));
  EXPECT_TRUE(cts.Checked && !dsr.Checked);
}

}  // namespace
