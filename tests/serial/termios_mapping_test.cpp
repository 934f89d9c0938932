#include "serial/posix/termios_mapping.h"

#include <gtest/gtest.h>

#include <cstring>

#include "serial/comm_state.h"
#include "serial/posix/line_errors.h"
#include "serial/posix/port_names.h"

namespace {

TDcb LineOf(uint32_t baud, TStreamProtocol protocol = spNone) {
  TDcb dcb;
  dcb.BaudRate = baud;
  dcb.ByteSize = 8;
  RebuildDcb(dcb, false, protocol);
  return dcb;
}

tcflag_t CflagOf(const TDcb& dcb, tcflag_t mask) {
  termios t{};
  ApplyDcb(dcb, t);
  return t.c_cflag & mask;
}

TEST(TermiosMapping, ThisSystemsLineIsRaw) {
  termios t;
  std::memset(&t, 0xFF, sizeof t);
  ApplyDcb(LineOf(115200), t);
  EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS | CLOCAL | CREAD), tcflag_t(CS8 | CLOCAL | CREAD));
  EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | BRKINT | PARMRK | IGNPAR | IXON | IXOFF | INPCK), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(cfgetospeed(&t), speed_t(B115200));
  EXPECT_EQ(cfgetispeed(&t), speed_t(B115200));
  EXPECT_EQ(t.c_cc[VMIN] + t.c_cc[VTIME], 0);
}

TEST(TermiosMapping, ParityStopBitsDataBitsAndFlow) {
  TDcb dcb = LineOf(9600);
  const tcflag_t parityBits = PARENB | PARODD | CMSPAR;
  dcb.Parity = pOdd;
  EXPECT_EQ(CflagOf(dcb, parityBits), tcflag_t(PARENB | PARODD));
  dcb.Parity = pEven;
  EXPECT_EQ(CflagOf(dcb, parityBits), tcflag_t(PARENB));
  dcb.Parity = pMark;
  EXPECT_EQ(CflagOf(dcb, parityBits), parityBits);
  dcb.Parity = pSpace;
  EXPECT_EQ(CflagOf(dcb, parityBits), tcflag_t(PARENB | CMSPAR));
  dcb.StopBits = sbOneAndHalf;
  EXPECT_EQ(CflagOf(dcb, CSTOPB), tcflag_t(CSTOPB));
  dcb.ByteSize = 5;
  EXPECT_EQ(CflagOf(dcb, CSIZE), tcflag_t(CS5));
  EXPECT_EQ(CflagOf(LineOf(9600, spHardware), CRTSCTS), tcflag_t(CRTSCTS));
  termios x{};
  ApplyDcb(LineOf(9600, spXonXoff), x);
  EXPECT_EQ(x.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
  EXPECT_EQ(x.c_cc[VSTART], 0x11);
  EXPECT_EQ(x.c_cc[VSTOP], 0x13);
  // What the line cannot take leaves the setting as it was.
  termios t{};
  t.c_cflag = CS7 | PARENB | CSTOPB;
  dcb.ByteSize = 4;
  dcb.Parity = 9;
  dcb.StopBits = 7;
  ApplyDcb(dcb, t);
  EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB), tcflag_t(CS7 | PARENB | CSTOPB));
}

TEST(TermiosMapping, RatesWithoutAConstantKeepTheSpeed) {
  for (uint32_t rate : {0u, 14400u, 56000u, 128000u, 256000u}) {
    termios t{};
    cfsetospeed(&t, B300);
    ApplyDcb(LineOf(rate), t);
    EXPECT_EQ(cfgetospeed(&t), speed_t(B300)) << rate;
    EXPECT_EQ(NeedsCustomBaudRate(rate), rate != 0);
  }
  EXPECT_EQ(BaudConstant(110), speed_t(B110));
  EXPECT_EQ(BaudConstant(4000000), speed_t(B4000000));
  EXPECT_FALSE(BaudConstant(115201));
}

TEST(LineErrors, EachChangedCounterSetsItsBit) {
  const TscLineCounts before{1, 2, 3, 4, 5};
  EXPECT_EQ(LineErrorBits(before, before), 0u);
  EXPECT_EQ(LineErrorBits(before, {2, 2, 3, 4, 5}), CE_FRAME);
  EXPECT_EQ(LineErrorBits(before, {1, 3, 4, 4, 5}), CE_RXPARITY | CE_OVERRUN);
  EXPECT_EQ(LineErrorBits(before, {1, 2, 3, 5, 6}), CE_BREAK | CE_RXOVER);
  EXPECT_EQ(LineErrorBits({0xFFFFFFFF, 0, 0, 0, 0}, {0, 0, 0, 0, 0}), CE_FRAME);  // wrapped
}

TEST(PortNames, EnvironmentThenOnBoardDevices) {
  const auto env = [](const char* name) -> const char* {
    if (std::string(name) == "TAVOLIX_COM5") return "/dev/ttyACM0";
    return std::string(name) == "TAVOLIX_COM6" ? "" : nullptr;
  };
  EXPECT_EQ(ComDevicePath(5, env), "/dev/ttyACM0");
  EXPECT_EQ(ComDevicePath(6, env), "/dev/ttyS5");
  EXPECT_EQ(ComDevicePath(1, env), "/dev/ttyS0");
  EXPECT_EQ(ComDevicePath(0, env), "");
}

}  // namespace
