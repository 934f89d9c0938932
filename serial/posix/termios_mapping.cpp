#include "serial/posix/termios_mapping.h"

namespace {

struct TBaud {
  uint32_t Rate;
  speed_t Constant;
};

constexpr TBaud StandardRates[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
};

void ApplyByteSize(uint8_t byteSize, tcflag_t& cflag) {
  tcflag_t size = 0;
  switch (byteSize) {
    case 5: size = CS5; break;
    case 6: size = CS6; break;
    case 7: size = CS7; break;
    case 8: size = CS8; break;
    default: return;
  }
  cflag = (cflag & ~CSIZE) | size;
}

void ApplyParity(const TDcb& dcb, termios& t) {
  tcflag_t bits = 0;
  switch (dcb.Parity) {
    case pNone: break;
    case pOdd: bits = PARENB | PARODD; break;
    case pEven: bits = PARENB; break;
    case pMark: bits = PARENB | CMSPAR | PARODD; break;
    case pSpace: bits = PARENB | CMSPAR; break;
    default: return;
  }
  t.c_cflag = (t.c_cflag & ~(PARENB | PARODD | CMSPAR)) | bits;
  if (dcb.Flags & fParity) {
    t.c_iflag |= INPCK;
  } else {
    t.c_iflag &= ~INPCK;
  }
}

void ApplyStopBits(uint8_t stopBits, tcflag_t& cflag) {
  switch (stopBits) {
    case sbOne: cflag &= ~CSTOPB; break;
    // The line's one and a half stop bits are what two give at 5 data bits.
    case sbOneAndHalf:
    case sbTwo: cflag |= CSTOPB; break;
    default: break;
  }
}

void ApplyFlowControl(const TDcb& dcb, termios& t) {
  if ((dcb.Flags & fOutxCtsFlow) || RtsControl(dcb) == 2) {
    t.c_cflag |= CRTSCTS;
  } else {
    t.c_cflag &= ~CRTSCTS;
  }
  t.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (dcb.Flags & fOutX) t.c_iflag |= IXON;
  if (dcb.Flags & fInX) t.c_iflag |= IXOFF;
  t.c_cc[VSTART] = cc_t(dcb.XonChar);
  t.c_cc[VSTOP] = cc_t(dcb.XoffChar);
}

}  // namespace

std::optional<speed_t> BaudConstant(uint32_t baudRate) {
  for (const TBaud& b : StandardRates) {
    if (b.Rate == baudRate) return b.Constant;
  }
  return std::nullopt;
}

bool NeedsCustomBaudRate(uint32_t baudRate) { return baudRate != 0 && !BaudConstant(baudRate); }

void ApplyDcb(const TDcb& dcb, termios& t) {
  t.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IMAXBEL);
  t.c_oflag &= ~OPOST;
  t.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ICANON | ISIG | IEXTEN);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  ApplyByteSize(dcb.ByteSize, t.c_cflag);
  ApplyParity(dcb, t);
  ApplyStopBits(dcb.StopBits, t.c_cflag);
  ApplyFlowControl(dcb, t);
  if (const std::optional<speed_t> speed = BaudConstant(dcb.BaudRate)) {
    cfsetispeed(&t, *speed);
    cfsetospeed(&t, *speed);
    // A custom rate set before leaves its own input speed in place, which the standard
    // constant does not replace: the input then follows the output speed.
    t.c_cflag &= ~CIBAUD;
  }
}

TscModemLines ModemLinesFor(const TDcb& dcb) {
  const uint32_t rts = RtsControl(dcb);
  return {DtrControl(dcb) != 0, rts == 1 || rts == 2, rts == 3};
}
