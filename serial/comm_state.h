#pragma once
// The pure rules that turn the component's settings into what the driver is given:
// the rebuilt line-settings record and the event mask, and the port events read back
// as trace states.

#include <cstdint>

#include "serial/serial_types.h"

// Flag bits a rebuild keeps from the record: parity check, DSR flow, the high DTR bit,
// DSR sensitivity, continue on XOFF, error character, null stripping, abort on error.
constexpr uint32_t KeptDcbFlags = 0x4CEA;

// Rebuilds the length, the mode bits and the XON/XOFF fields of the record; every other
// field keeps its value.
void RebuildDcb(TDcb& dcb, bool rs485Mode, TStreamProtocol protocol);

// The mask the driver signals: received characters always, and one bit per further
// member. Output-empty is also asked for when RTS is switched by the component itself.
uint32_t EventMaskOf(TTraceStates traceStates, bool softwareRtsToggle);

// The members of a port event that are reported as trace states; received characters
// and output-empty have none.
TTraceStates TraceStatesOf(uint32_t eventMask);
