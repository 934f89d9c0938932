#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
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
      CommErrors.push_back(code);
      EXPECT_EQ(sysError, 0u);
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
  std::string Received() const {
    std::string all;
    for (const std::string& b : Blocks) all += b;
    return all;
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
  EXPECT_EQ(CommErrors, std::vector<uint32_t>{CE_FRAME | CE_OVERRUN});
  EXPECT_EQ(LastState, (TComStateFlags{fCtlHold, fXoffHold}));
  EXPECT_TRUE(Blocks.empty());
  Platform.Receive("c");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Blocks.empty(); }));
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
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Blocks.empty(); }));
  EXPECT_EQ(Received(), "kept");
}

TEST_F(CommEvents, MoreThanTheBufferComesInSeveralBlocksOfOneEvent) {
  std::string data(20000, 0);
  for (size_t i = 0; i < data.size(); ++i) data[i] = char('a' + i % 26);
  Comm.SetActive(true);
  Platform.Receive(data);
  ASSERT_TRUE(PumpUntil(Handover, [&] { return Received().size() == data.size(); }));
  EXPECT_EQ(Received(), data);
  ASSERT_EQ(Blocks.size(), 3u);
  EXPECT_EQ(Blocks[0].size(), 8192u);
  EXPECT_EQ(Blocks[2].size(), 20000u - 2 * 8192u);

  // A new input size takes effect at the next open.
  Comm.SetBufferInSize(16384);
  Blocks.clear();
  Platform.Receive(data);
  ASSERT_TRUE(PumpUntil(Handover, [&] { return Received().size() == data.size(); }));
  EXPECT_EQ(Blocks.size(), 3u);
  Comm.SetActive(false);
  Comm.SetActive(true);
  Blocks.clear();
  Platform.Receive(data);
  ASSERT_TRUE(PumpUntil(Handover, [&] { return Received().size() == data.size(); }));
  EXPECT_EQ(Blocks.size(), 2u);
}

TEST_F(CommEvents, WithoutATakerBytesStayQueued) {
  Comm.OnAfterReceive = nullptr;
  Comm.SetActive(true);
  Platform.Receive("12");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return Comm.ReceivedBytes() == 2; }));
  EXPECT_EQ(Platform.Input, "12");
  // Asking for received characters reads them even with no one to take them.
  Comm.SetTraceStates({tsRxChar});
  Platform.Receive("3");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return Platform.Input.empty(); }));
}

TEST_F(CommEvents, FailingHandlerIsShownOnceAndThePortStaysOpen) {
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
}

TEST_F(CommEvents, FailingErrorHandlerIsAProcessingFailure) {
  Comm.OnCommError = [](TscComm&, uint32_t, uint32_t, TComStateFlags, bool&) { throw std::runtime_error("x"); };
  Comm.SetActive(true);
  Platform.LineError(CE_BREAK, "");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Shown.empty(); }));
  EXPECT_EQ(Fatal, std::vector<std::string>{"1:x"});
}

TEST_F(CommEvents, ClosingInsideTheHandlerKeepsTheBlockAndEndsDelivery) {
  std::string seen;
  OnBlock = [&](const void* buffer, uint32_t count) {
    Comm.SetActive(false);
    EXPECT_FALSE(Comm.Active());
    seen.assign(static_cast<const char*>(buffer), count);  // still readable
  };
  Comm.SetActive(true);
  Platform.Receive(std::string(9000, 'x'));
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Blocks.empty(); }));
  PumpFor(Handover, std::chrono::milliseconds(20));
  EXPECT_EQ(Blocks.size(), 1u);
  EXPECT_EQ(seen, std::string(8192, 'x'));
  EXPECT_EQ(CloseThreads, std::vector<std::thread::id>{std::this_thread::get_id()});
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

TEST_F(CommEvents, FailedWaitClosesOnTheMainThreadWithoutReport) {
  Comm.SetActive(true);
  Platform.FailWait();
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Comm.Active(); }));
  EXPECT_EQ(CloseThreads, std::vector<std::thread::id>{std::this_thread::get_id()});
  EXPECT_TRUE(Fatal.empty() && CommErrors.empty());
  EXPECT_EQ(Platform.OpenDevices, 0);
}

TEST_F(CommEvents, WithoutTheMainThreadTheMessageThreadDelivers) {
  std::mutex m;
  std::condition_variable cv;
  std::thread::id handlerThread;
  Comm.SetUseMainThread(false);
  OnBlock = [&](const void*, uint32_t) {
    std::lock_guard lock(m);
    handlerThread = std::this_thread::get_id();
    cv.notify_all();
  };
  Comm.SetActive(true);
  Platform.Receive("1");
  std::unique_lock lock(m);
  ASSERT_TRUE(cv.wait_for(lock, std::chrono::seconds(10), [&] { return handlerThread != std::thread::id(); }));
  lock.unlock();
  EXPECT_NE(handlerThread, std::this_thread::get_id());
  EXPECT_EQ(Handover.RunPending(), 0u);
  Comm.SetActive(false);
}

TEST_F(CommEvents, ClosingFromAHandlerOnTheMessageThread) {
  std::atomic<bool> closed = false;
  Comm.SetUseMainThread(false);
  OnBlock = [&](const void*, uint32_t) {
    Comm.SetActive(false);
    closed = true;
  };
  Comm.SetActive(true);
  Platform.Receive("1");
  while (!closed) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_FALSE(Comm.Active());
  Comm.SetActive(true);  // joins the stopped thread
  EXPECT_TRUE(Comm.Active());
}

TEST(CommTraceState, MonitorsMirrorTheModemLines) {
  struct TCheck : TscMonitorControl {
    void SetChecked(bool c) override { Checked = c; }
    bool Checked = false;
  } cts, dsr, ring;
  dsr.Checked = true;
  std::vector<uint16_t> events;
  TFakePlatform platform;
  TscPumpedHandover handover;
  TscComm Comm(platform, &handover);
  Comm.OnTraceState = [&](TscComm&, TTraceStates e) { events.push_back(e.Bits()); };
  Comm.SetMonitorCTS(&cts);
  Comm.SetMonitorDSR(&dsr);
  Comm.SetMonitorRing(&ring);
  Comm.ClosePort();  // closed already: reported anyway
  EXPECT_EQ(events, std::vector<uint16_t>{TTraceStates{tsTxEmpty}.Bits()});
  EXPECT_FALSE(dsr.Checked);
  platform.Modem = {msCTS};
  Comm.SetActive(true);
  platform.Signal(EV_CTS | EV_RING | EV_RXCHAR);
  ASSERT_TRUE(PumpUntil(handover, [&] { return events.size() == 3; }));
  EXPECT_EQ(events.back(), (TTraceStates{tsCTS, tsRing}.Bits()));
  EXPECT_TRUE(cts.Checked && ring.Checked);
  EXPECT_FALSE(dsr.Checked);
}

TEST_F(CommEvents, OutputEmptyRaisesAfterSendUnlessTheProcessorHasMore) {
  struct TProcessor : TscCustomDataProcessor {
    void DataReceived(TscComm&, const uint8_t* data, uint32_t count, bool& consumed) override {
      Taken.append(reinterpret_cast<const char*>(data), count);
      consumed = true;
    }
    bool HasDataToSend() const override { return More; }
    std::string Taken;
    bool More = true;
  } processor;
  struct TTerm : TscTerminal {
    void ShowReceived(const uint8_t*, uint32_t count) override { Shown += count; }
    uint32_t Shown = 0;
  } terminal;
  int sent = 0;
  Comm.OnAfterSend = [&](TscComm&) { ++sent; };
  Comm.SetDataProcessor(&processor);
  Comm.SetTerminal(&terminal);
  Comm.SetTraceStates({tsTxEmpty});
  Comm.SetActive(true);
  Platform.Receive("ab", EV_RXCHAR | EV_TXEMPTY);
  ASSERT_TRUE(PumpUntil(Handover, [&] { return !Blocks.empty(); }));
  EXPECT_EQ(processor.Taken, "ab");
  EXPECT_EQ(terminal.Shown, 0u);  // consumed by the processor
  EXPECT_EQ(sent, 0);
  processor.More = false;
  Platform.Signal(EV_TXEMPTY);
  ASSERT_TRUE(PumpUntil(Handover, [&] { return sent == 1; }));
}

}  // namespace
