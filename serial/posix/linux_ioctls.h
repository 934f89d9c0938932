#pragma once
// The terminal operations that need Linux's own kernel headers, which clash with
// <termios.h>; only linux_ioctls.cpp includes them.

#include <cstdint>

#include "serial/posix/line_errors.h"

// Sets input and output speed to any rate in bits per second. False when refused.
bool SetCustomBaudRate(int fd, uint32_t baudRate);
// The input and output speed in bits per second, whether custom or standard ones.
bool ReadBaudRates(int fd, uint32_t& input, uint32_t& output);
// The driver's line-error counters; false where the device keeps none (pseudo-terminals).
bool ReadLineCounts(int fd, TscLineCounts& counts);

// The driver's RS-485 record, kept whole so that it can be given back as it was.
struct TscRs485Record {
  uint32_t Flags = 0;
  uint32_t Rest[7] = {};
};
constexpr uint32_t Rs485Enabled = 1;
constexpr uint32_t Rs485RtsOnSend = 2;
constexpr uint32_t Rs485RtsAfterSend = 4;

// False where the driver has no RS-485 mode.
bool ReadRs485(int fd, TscRs485Record& record);
bool WriteRs485(int fd, const TscRs485Record& record);
// The record with RS-485 on and RTS raised only while sending.
TscRs485Record WithRtsOnSend(TscRs485Record record);
