#include <gtest/gtest.h>

#include "serial/comm.h"
#include "serial/pumped_handover.h"
#include "tests/serial/fake_port.h"
#include "tests/serial/pump.h"

namespace {

struct CommSettings : testing::Test {
  TFakePlatform Platform;
  TscPumpedHandover Handover;
  TscComm Comm{Platform, &Handover};
};

TEST_F(CommSettings, ByteSizeAndPortNumberViews) {
  for (uint8_t v : {0, 3, 9, 255}) {
    Comm.SetByteSize(v);
    EXPECT_EQ(Comm.ByteSize(), 8) << int(v);
  }
  Comm.SetByteSize(4);
  EXPECT_EQ(Comm.ByteSize(), 4);
  Comm.SetComPortNo(12);
  EXPECT_EQ(Comm.ComPort(), cpCOMxx);
  Comm.SetComPort(cpCOMxx);
  EXPECT_EQ(Comm.ComPortNo(), 12);
  Comm.SetComPort(cpCOM3);
  EXPECT_EQ(Comm.ComPortNo(), 3);
  Comm.SetComPortNo(8);
  EXPECT_EQ(Comm.ComPort(), cpCOM8);
  Comm.SetComPortNo(0);
  EXPECT_EQ(Comm.ComPort(), cpCOMxx);
}

TEST_F(CommSettings, SettingsReachTheDriverAtOnceWhenOpenAndAtTheNextOpenWhenClosed) {
  Comm.SetBaudRate(9600);
  Comm.SetParity(pEven);
  Comm.SetBufferInSize(32768);
  Comm.SetTimeoutRead(7);
  Comm.SetTraceStates({tsRxFlag, tsErr});
  EXPECT_TRUE(Platform.States.empty() && Platform.Queues.empty() && Platform.Timeouts.empty());
  Comm.SetActive(true);
  ASSERT_EQ(Platform.States.size(), 1u);
  EXPECT_EQ(Platform.States[0].BaudRate, 9600u);
  EXPECT_EQ(Platform.States[0].Parity, pEven);
  EXPECT_EQ(Platform.States[0].Flags, 0x2015u | fParity);
  EXPECT_EQ(Platform.Queues.back(), std::make_pair(32768u, 8192u));
  EXPECT_EQ(Platform.Timeouts.back().ReadIntervalTimeout, 7u);
  EXPECT_EQ(Platform.Masks.back(), EV_RXCHAR | EV_RXFLAG | EV_ERR);

  Comm.SetBaudRate(57600);
  EXPECT_EQ(Platform.States.back().BaudRate, 57600u);
  Comm.SetStreamProtocol(spNone);
  Comm.SetParity(pNone);
  EXPECT_EQ(Platform.States.back().Flags, 0x1011u);
  Comm.SetRS485Mode(true);
  Comm.SetStreamProtocol(spXonXoff);  // no effect in RS-485 mode
  EXPECT_EQ(Platform.States.back().Flags, 0x3011u);
  EXPECT_EQ(Platform.States.size(), 6u);
  Comm.SetBufferOutSize(1024);
  EXPECT_EQ(Platform.Queues.back(), std::make_pair(32768u, 1024u));
  Comm.SetTimeoutWrite(50);
  EXPECT_EQ(Platform.Timeouts.back().WriteTotalTimeoutConstant, 50u);
  Comm.SetTraceStates({tsRxChar});
  EXPECT_EQ(Platform.Masks.back(), EV_RXCHAR);
}

TEST_F(CommSettings, ActivatingAnOpenPortNeitherReopensNorResetsTheCount) {
  Comm.OnAfterReceive = [](TscComm&, const void*, uint32_t) {};
  Comm.SetActive(true);
  Platform.Receive("12\r\n");
  ASSERT_TRUE(PumpUntil(Handover, [&] { return Comm.ReceivedBytes() == 4; }));
  Comm.SetActive(true);
  EXPECT_EQ(Platform.Opened.size(), 1u);
  EXPECT_EQ(Comm.ReceivedBytes(), 4u);
}

TEST_F(CommSettings, ChangingThePortReopensOnlyWhenOpen) {
  std::vector<int> codes;
  Comm.AddListener([&](TscComm&, int code) { codes.push_back(code); });
  Comm.SetComPortNo(5);
  EXPECT_TRUE(Platform.Opened.empty());
  Comm.SetActive(true);
  Comm.SetComPortNo(6);
  EXPECT_TRUE(Comm.Active());
  EXPECT_EQ(Platform.Opened, (std::vector<std::string>{"fake5", "fake6"}));
  EXPECT_EQ(Platform.OpenDevices, 1);
  EXPECT_EQ(codes, (std::vector<int>{3, 2, 1, 2, 3}));

  Comm.SetDevicePath("/dev/ttyUSB0");
  EXPECT_EQ(Platform.Opened.back(), "/dev/ttyUSB0");
  EXPECT_EQ(Comm.PortName(), "/dev/ttyUSB0");
  Comm.SetComPortNo(2);  // a number replaces the path
  EXPECT_EQ(Platform.Opened.back(), "fake2");
  EXPECT_EQ(Comm.PortName(), "COM2");

  Platform.OpenError = ENOENT;
  EXPECT_THROW(Comm.SetComPortNo(3), EscCommError);
  EXPECT_FALSE(Comm.Active());
  EXPECT_EQ(Platform.OpenDevices, 0);
}

TEST_F(CommSettings, PurgesOnlyWhenOpen) {
  Comm.PurgeAll();
  Comm.SetActive(true);
  Comm.PurgeAll();
  Comm.PurgeIn();
  Comm.PurgeOut();
  EXPECT_EQ(Platform.Purges, (std::vector<uint32_t>{0x000F, 0x000A, 0x0005}));
  EXPECT_TRUE(Platform.Rts.empty());
}

}  // namespace
