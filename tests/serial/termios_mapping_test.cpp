#include "serial/posix/termios_mapping.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

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

termios Mapped(const TDcb& dcb) {
  termios t{};
  ApplyDcb(dcb, t);
  return t;
}

TEST(TermiosMapping, ThisSystemsLine) {
  const termios t = Mapped(LineOf(115200));
  EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
  EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD));
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF | INPCK), 0u);
  EXPECT_EQ(cfgetospeed(&t), speed_t(B115200));
  EXPECT_EQ(cfgetispeed(&t), speed_t(B115200));
  EXPECT_EQ(t.c_cc[VMIN], 0);
  EXPECT_EQ(t.c_cc[VTIME], 0);
}

TEST(TermiosMapping, RawModeClearsEveryTranslation) {
  termios t;
  std::memset(&t, 0xFF, sizeof t);
  ApplyDcb(LineOf(9600), t);
  EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IGNBRK | BRKINT | PARMRK | IGNPAR | IXANY), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CMSPAR | CSTOPB), 0u);
}

TEST(TermiosMapping, ParityStopBitsAndDataBits) {
  TDcb dcb = LineOf(9600);
  const std::map<uint8_t, tcflag_t> parities = {{pNone, 0u}, {pOdd, PARENB | PARODD}, {pEven, PARENB},
                                                {pMark, PARENB | PARODD | CMSPAR}, {pSpace, PARENB | CMSPAR}};
  for (const auto& [parity, bits] : parities) {
    dcb.Parity = parity;
    EXPECT_EQ(Mapped(dcb).c_cflag & (PARENB | PARODD | CMSPAR), bits) << int(parity);
  }
  dcb.Flags |= fParity;
  EXPECT_TRUE(Mapped(dcb).c_iflag & INPCK);
  for (uint8_t stop : {sbOneAndHalf, sbTwo}) {
    dcb.StopBits = stop;
    EXPECT_TRUE(Mapped(dcb).c_cflag & CSTOPB);
  }
  for (auto [size, bits] : {std::pair{5, CS5}, {6, CS6}, {7, CS7}}) {
    dcb.ByteSize = uint8_t(size);
    EXPECT_EQ(Mapped(dcb).c_cflag & CSIZE, tcflag_t(bits));
  }
  // What the line cannot take leaves the setting as it was.
  termios t{};
  t.c_cflag = CS7 | PARENB | CSTOPB;
  dcb.ByteSize = 4;
  dcb.Parity = 9;
  dcb.StopBits = 7;
  ApplyDcb(dcb, t);
  EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB), tcflag_t(CS7 | PARENB | CSTOPB));
}

TEST(TermiosMapping, FlowControl) {
  EXPECT_TRUE(Mapped(LineOf(9600, spHardware)).c_cflag & CRTSCTS);
  const termios x = Mapped(LineOf(9600, spXonXoff));
  EXPECT_EQ(x.c_iflag & (IXON | IXOFF), tcflag_t(IXON | IXOFF));
  EXPECT_EQ(x.c_cc[VSTART], 0x11);
  EXPECT_EQ(x.c_cc[VSTOP], 0x13);
  EXPECT_FALSE(x.c_cflag & CRTSCTS);
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
  EXPECT_EQ(BaudConstant(230400), speed_t(B230400));
  EXPECT_EQ(BaudConstant(4000000), speed_t(B4000000));
  EXPECT_FALSE(BaudConstant(115201));
}

TEST(TermiosMapping, ModemLines) {
  const TscModemLines plain = ModemLinesFor(LineOf(9600, spNone));
  EXPECT_TRUE(plain.DtrOn && plain.RtsOn && !plain.RtsByDriver);
  TDcb rs485 = LineOf(9600);
  RebuildDcb(rs485, true, spNone);
  EXPECT_TRUE(ModemLinesFor(rs485).RtsByDriver);
  EXPECT_FALSE(ModemLinesFor(TDcb{}).DtrOn || ModemLinesFor(TDcb{}).RtsOn);
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
  const auto none = [](const char*) -> const char* { return nullptr; };
  EXPECT_EQ(ComDevicePath(1, none), "/dev/ttyS0");
  EXPECT_EQ(ComDevicePath(20, none), "/dev/ttyS19");
  EXPECT_EQ(ComDevicePath(0, none), "");
  const auto mapped = [](const char* name) -> const char* {
    if (std::string(name) == "TAVOLIX_COM5") return "/dev/ttyACM0";
    if (std::string(name) == "TAVOLIX_COM6") return "";
    return nullptr;
  };
  EXPECT_EQ(ComDevicePath(5, mapped), "/dev/ttyACM0");
  EXPECT_EQ(ComDevicePath(6, mapped), "/dev/ttyS5");
  EXPECT_EQ(ComDevicePath(50, mapped), "/dev/ttyS49");
}

}  // namespace
