#include "serial/comm_state.h"

#include <gtest/gtest.h>

#include "serial/open_error.h"

namespace {

uint32_t RebuiltFlags(uint32_t flags, bool rs485, TStreamProtocol protocol) {
  TDcb dcb;
  dcb.Flags = flags;
  RebuildDcb(dcb, rs485, protocol);
  return dcb.Flags;
}

TEST(RebuildDcb, ModeBitsOverTheKeptOnes) {
  EXPECT_EQ(RebuiltFlags(0, false, spNone), 0x1011u);
  EXPECT_EQ(RebuiltFlags(0, false, spXonXoff), 0x1311u);
  EXPECT_EQ(RebuiltFlags(0, false, spHardware), 0x2015u);
  EXPECT_EQ(RebuiltFlags(0, true, spHardware), 0x3011u);
  EXPECT_EQ(RebuiltFlags(0xFFFFFFFF, false, spNone), 0x4CEAu | 0x1011u);
  // A mode change leaves no bit of the previous mode behind.
  EXPECT_EQ(RebuiltFlags(RebuiltFlags(0, false, spXonXoff), false, spHardware), 0x2015u);
  TDcb dcb;
  dcb.EofChar = 0x1A;
  RebuildDcb(dcb, false, spNone);
  EXPECT_EQ(dcb.DCBlength, 28u);
  EXPECT_EQ(dcb.XonLim, 80);
  EXPECT_EQ(dcb.XoffLim, 200);
  EXPECT_EQ(dcb.XonChar, 0x11);
  EXPECT_EQ(dcb.XoffChar, 0x13);
  EXPECT_EQ(dcb.EofChar, 0x1A);
}

TEST(EventMask, FromTraceStatesAndBack) {
  EXPECT_EQ(EventMaskOf({}, false), EV_RXCHAR);
  EXPECT_EQ(EventMaskOf({tsRxChar}, false), EV_RXCHAR);
  EXPECT_EQ(EventMaskOf({}, true), EV_RXCHAR | EV_TXEMPTY);
  EXPECT_EQ(EventMaskOf({tsTxEmpty, tsRing, tsEvent2}, false), EV_RXCHAR | EV_TXEMPTY | EV_RING | EV_EVENT2);
  EXPECT_EQ(EventMaskOf({tsRxFlag, tsCTS, tsDSR, tsRLSD, tsBreak, tsErr, tsRx80Full, tsEvent1}, false), 0x0CFBu);
  EXPECT_TRUE(TraceStatesOf(EV_RXCHAR | EV_TXEMPTY | 0x0200).Empty());
  EXPECT_EQ(TraceStatesOf(EV_BREAK | EV_RX80FULL | EV_EVENT1), (TTraceStates{tsBreak, tsRx80Full, tsEvent1}));
}

TEST(OpenError, MessageAndSystemText) {
  // The file a port number stood for is named; a path that is the port's name is not repeated.
  EXPECT_EQ(OpenErrorMessage("COM3", "No such file or directory", "/dev/ttyS2", ""),
            "Device \"COM3\" Open Error !!!\rNo such file or directory: /dev/ttyS2");
  EXPECT_EQ(OpenErrorMessage("/dev/ttyUSB0", "No such file or directory.\n", "/dev/ttyUSB0", ""),
            "Device \"/dev/ttyUSB0\" Open Error !!!\rNo such file or directory");
  EXPECT_EQ(OpenErrorMessage("COM0", "No such device", "", ""), "Device \"COM0\" Open Error !!!\rNo such device");
  EXPECT_EQ(OpenErrorMessage("COM5", "Device or resource busy", "/dev/ttyACM0",
                             "/dev/ttyACM0 belegt von ModemManager (PID 812)"),
            "Device \"COM5\" Open Error !!!\rDevice or resource busy - /dev/ttyACM0 belegt von ModemManager (PID 812)");
  EXPECT_EQ(TrimSystemText("Zugriff verweigert. \r\n"), "Zugriff verweigert");
  EXPECT_EQ(TrimSystemText("v1.0 ..\t\x7f"), "v1.0");
  EXPECT_EQ(TrimSystemText(" . "), "");
  EXPECT_EQ(TrimSystemText(std::string(254, 'a') + ". b"), std::string(254, 'a'));
}

}  // namespace
