#pragma once
// The terminal operations that need Linux's own kernel headers, which clash with
// <termios.h>; only linux_ioctls.cpp includes them.

#include <cstdint>

#include "serial/posix/line_errors.h"

// Sets input and output speed to any rate in bits per second. False when refused.
bool SetCustomBaudRate(int fd, uint32_t baudRate);
// The output speed in bits per second, whether a custom or a standard one.
bool ReadBaudRate(int fd, uint32_t& baudRate);
// The driver's line-error counters; false where the device keeps none (pseudo-terminals).
bool ReadLineCounts(int fd, TscLineCounts& counts);
// Lets the driver raise RTS only while sending, where it can.
void SetRs485(int fd, bool enabled);
