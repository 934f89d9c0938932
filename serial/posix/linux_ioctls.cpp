#include "serial/posix/linux_ioctls.h"

// Instead of <termios.h>: termios2 and BOTHER, TCGETS2 and TCSETS2.
#include <asm/termbits.h>
#include <linux/serial.h>
#include <sys/ioctl.h>

bool SetCustomBaudRate(int fd, uint32_t baudRate) {
  struct termios2 t {};
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
  t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
  t.c_ispeed = baudRate;
  t.c_ospeed = baudRate;
  return ioctl(fd, TCSETS2, &t) == 0;
}

bool ReadBaudRate(int fd, uint32_t& baudRate) {
  struct termios2 t {};
  if (ioctl(fd, TCGETS2, &t) != 0) return false;
  baudRate = t.c_ospeed;
  return true;
}

bool ReadLineCounts(int fd, TscLineCounts& counts) {
  serial_icounter_struct c{};
  if (ioctl(fd, TIOCGICOUNT, &c) != 0) return false;
  counts = {uint32_t(c.frame), uint32_t(c.parity), uint32_t(c.overrun), uint32_t(c.brk), uint32_t(c.buf_overrun)};
  return true;
}

void SetRs485(int fd, bool enabled) {
  serial_rs485 rs485{};
  if (ioctl(fd, TIOCGRS485, &rs485) != 0) return;  // the driver has no RS-485 mode
  if (enabled) {
    rs485.flags |= SER_RS485_ENABLED | SER_RS485_RTS_ON_SEND;
    rs485.flags &= ~SER_RS485_RTS_AFTER_SEND;
  } else {
    rs485.flags &= ~SER_RS485_ENABLED;
  }
  ioctl(fd, TIOCSRS485, &rs485);
}
