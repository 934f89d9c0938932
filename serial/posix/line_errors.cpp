#include "serial/posix/line_errors.h"

#include "serial/serial_types.h"

uint32_t LineErrorBits(const TscLineCounts& before, const TscLineCounts& now) {
  uint32_t errors = 0;
  if (now.Frame != before.Frame) errors |= CE_FRAME;
  if (now.Parity != before.Parity) errors |= CE_RXPARITY;
  if (now.Overrun != before.Overrun) errors |= CE_OVERRUN;
  if (now.Break != before.Break) errors |= CE_BREAK;
  if (now.BufferOverrun != before.BufferOverrun) errors |= CE_RXOVER;
  return errors;
}
