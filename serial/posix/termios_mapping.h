#pragma once
// The line-settings record turned into terminal settings and modem line levels: pure
// functions, apart from the descriptor.

#include <termios.h>

#include <cstdint>
#include <optional>

#include "serial/serial_types.h"

// The speed constant of a standard rate; none for other rates, which need a custom speed.
std::optional<speed_t> BaudConstant(uint32_t baudRate);

// Raw 8-bit input and output, no waiting for bytes, receiver on, modem status lines
// ignored, and the record's data bits, parity, stop bits, flow control and XON/XOFF
// characters. A setting the line cannot take (4 data bits, a rate of 0, an unknown
// parity or stop-bit value) leaves the one in t as it was. The speed is set here, for
// input and output alike, only when a constant fits. Null stripping, the error character, DSR flow and abort on error
// have no counterpart and are not mapped.
void ApplyDcb(const TDcb& dcb, termios& t);

// True when the rate needs a custom speed.
bool NeedsCustomBaudRate(uint32_t baudRate);

struct TscModemLines {
  bool DtrOn = false;
  bool RtsOn = false;  // meaningless when the driver switches RTS
  bool RtsByDriver = false;  // RTS on only while sending
};

TscModemLines ModemLinesFor(const TDcb& dcb);
