#include "serial/posix/linux_ioctls.h"

// Instead of <termios.h>: termios2 and BOTHER, TCGETS2 and TCSETS2.
#include <asm/termbits.h>
#include <linux/serial.h>
#include <sys/ioctl.h>

#include <cstring>
#include <type_traits>

static_assert(sizeof(TscRs485Record) == sizeof(serial_rs485) && std::is_trivially_copyable_v<TscRs485Record>);
static_assert(Rs485Enabled == SER_RS485_ENABLED && Rs485RtsOnSend == SER_RS485_RTS_ON_SEND &&
              Rs485RtsAfterSend == SER_RS485_RTS_AFTER_SEND);

bool SetCustomBaudRate(int fd, uint32_t baudRate) {
  struct termios2 t {};
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  t.c_ispeed = baudRate;
  t.c_ospeed = baudRate;
  return ioctl(fd, TCSETS2, &t) == 0;
}

bool ReadBaudRates(int fd, uint32_t& input, uint32_t& output) {
  struct termios2 t {};
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  input = t.c_ispeed;
  output = t.c_ospeed;
  return true;
}

bool ReadLineCounts(int fd, TscLineCounts& counts) {
  serial_icounter_struct c{};
  if (ioctl(fd, TIOCGICOUNT, &c) != 0) return false;
  counts = {uint32_t(c.frame), uint32_t(c.parity), uint32_t(c.overrun), uint32_t(c.brk), uint32_t(c.buf_overrun)};
  return true;
}

bool ReadRs485(int fd, TscRs485Record& record) {
  serial_rs485 rs485{};
  if (ioctl(fd, TIOCGRS485, &rs485) != 0) return false;
  std::memcpy(static_cast<void*>(&record), &rs485, sizeof rs485);
  return true;
}

bool WriteRs485(int fd, const TscRs485Record& record) {
  serial_rs485 rs485{};
  std::memcpy(&rs485, &record, sizeof rs485);
  return ioctl(fd, TIOCSRS485, &rs485) == 0;
}

TscRs485Record WithRtsOnSend(TscRs485Record record) {
  record.Flags |= Rs485Enabled | Rs485RtsOnSend;
  record.Flags &= ~Rs485RtsAfterSend;
  return record;
}
