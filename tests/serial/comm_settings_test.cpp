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

TEST_F(CommSettings, CreationValues) {
  EXPECT_FALSE(Comm.Active());
  EXPECT_EQ(Comm.BaudRate(), 19200u);
  EXPECT_EQ(Comm.ByteSize(), 8);
  EXPECT_EQ(Comm.Parity(), pNone);
  EXPECT_EQ(Comm.StopBits(), sbOne);
  EXPECT_EQ(Comm.StreamProtocol(), spHardware);
  EXPECT_EQ(Comm.ComPortNo(), 1);
  EXPECT_EQ(Comm.ComPort(), cpCOM1);
  EXPECT_EQ(Comm.PortName(), "COM1");
  EXPECT_EQ(Comm.BufferInSize(), 8192);
  EXPECT_EQ(Comm.BufferOutSize(), 8192);
  EXPECT_TRUE(Comm.UseMainThread());
  EXPECT_TRUE(Comm.TraceStates().Empty());
  EXPECT_TRUE(Comm.ModemSignals().Empty());
  EXPECT_FALSE(Comm.HasReceiver());
}

TEST_F(CommSettings, ByteSizeOutsideFourToEightIsEight) {
  for (uint8_t v : {0, 3, 9, 255}) {
    Comm.SetByteSize(v);
    EXPECT_EQ(Comm.ByteSize(), 8) << int(v);
  }
  for (uint8_t v : {4, 5, 7, 8}) {
    Comm.SetByteSize(v);
    EXPECT_EQ(Comm.ByteSize(), v);
  }
}

TEST_F(CommSettings, ComPortIsAViewOfTheNumber) {
  Comm.SetComPortNo(12);
  EXPECT_EQ(Comm.ComPort(), cpCOMxx);
  Comm.SetComPort(cpCOMxx);
  EXPECT_EQ(Comm.ComPortNo(), 12);
  Comm.SetComPort(cpCOM3);
  EXPECT_EQ(Comm.ComPortNo(), 3);
  Comm.SetComPortNo(8);
  EXPECT_EQ(Comm.ComPort(), cpCOM8);
  Comm.SetComPortNo(9);
  EXPECT_EQ(Comm.ComPort(), cpCOMxx);
  Comm.SetComPortNo(0);
  EXPECT_EQ(Comm.ComPort(), cpCOMxx);
}

TEST_F(CommSettings, LineSettingsReachTheDriverAtOnceWhenOpenAndAtTheNextOpenWhenClosed) {
  Comm.SetBaudRate(9600);
  Comm.SetParity(pEven);
  EXPECT_TRUE(Platform.States.empty());
  Comm.SetActive(true);
  ASSERT_EQ(Platform.States.size(), 1u);
  EXPECT_EQ(Platform.States[0].BaudRate, 9600u);
  EXPECT_EQ(Platform.States[0].Parity, pEven);
  EXPECT_EQ(Platform.States[0].Flags, 0x2015u | fParity);
  EXPECT_EQ(Platform.States[0].DCBlength, 28u);

  Comm.SetBaudRate(57600);
  ASSERT_EQ(Platform.States.size(), 2u);
  EXPECT_EQ(Platform.States[1].BaudRate, 57600u);
  Comm.SetStreamProtocol(spNone);
  EXPECT_EQ(Platform.States.back().Flags, 0x1011u | fParity);
  Comm.SetParity(pNone);
  EXPECT_EQ(Platform.States.back().Flags, 0x1011u);
  Comm.SetStreamProtocol(spXonXoff);
  EXPECT_EQ(Platform.States.back().Flags, 0x1311u);
  Comm.SetRS485Mode(true);
  EXPECT_EQ(Platform.States.back().Flags, 0x3011u);
  Comm.SetStreamProtocol(spHardware);  // no effect in RS-485 mode
  EXPECT_EQ(Platform.States.back().Flags, 0x3011u);
  Comm.SetStopBits(sbTwo);
  Comm.SetByteSize(7);
  Comm.SetEventChar('\n');
  EXPECT_EQ(Platform.States.back().StopBits, sbTwo);
  EXPECT_EQ(Platform.States.back().ByteSize, 7);
  EXPECT_EQ(Platform.States.back().EvtChar, '\n');
}

TEST_F(CommSettings, OpenSequenceHandsEverySettingOver) {
  Comm.SetBufferInSize(32768);
  Comm.SetTimeoutRead(7);
  Comm.SetTraceStates({tsRxFlag, tsErr});
  EXPECT_TRUE(Platform.Queues.empty() && Platform.Timeouts.empty() && Platform.Masks.empty());
  Comm.SetActive(true);
  ASSERT_EQ(Platform.Opened, std::vector<std::string>{"fake1"});
  EXPECT_EQ(Platform.Queues.back(), std::make_pair(32768u, 8192u));
  EXPECT_EQ(Platform.Timeouts.back().ReadIntervalTimeout, 7u);
  EXPECT_EQ(Platform.Masks.back(), EV_RXCHAR | EV_RXFLAG | EV_ERR);

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
  const int id = Comm.AddListener([&](TscComm&, int code) { codes.push_back(code); });
  Comm.SetComPortNo(5);
  EXPECT_TRUE(Platform.Opened.empty());
  EXPECT_EQ(codes, std::vector<int>{3});
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

  Comm.RemoveListener(id);
  Platform.OpenError = ENOENT;
  EXPECT_THROW(Comm.SetComPortNo(3), EscCommError);
  EXPECT_FALSE(Comm.Active());
  EXPECT_EQ(Platform.OpenDevices, 0);
  EXPECT_EQ(codes.size(), 11u);
}

TEST_F(CommSettings, PurgesOnlyWhenOpen) {
  Comm.PurgeAll();
  Comm.PurgeIn();
  Comm.PurgeOut();
  EXPECT_TRUE(Platform.Purges.empty());
  Comm.SetActive(true);
  Comm.PurgeAll();
  Comm.PurgeIn();
  Comm.PurgeOut();
  EXPECT_EQ(Platform.Purges, (std::vector<uint32_t>{0x000F, 0x000A, 0x0005}));
  EXPECT_TRUE(Platform.Rts.empty());
}

TEST(CommSoftwareRts, Rs485DropsRtsOnPurgesAndAsksForOutputEmpty) {
  TFakePlatform platform;
  platform.UseSoftwareRts = true;
  TscComm comm(platform, nullptr);
  comm.SetRS485Mode(true);
  comm.SetActive(true);
  EXPECT_EQ(platform.Masks.back(), EV_RXCHAR | EV_TXEMPTY);
  comm.PurgeAll();
  comm.PurgeIn();
  comm.PurgeOut();
  EXPECT_EQ(platform.Rts, (std::vector<bool>{false, false}));
}

}  // namespace
