#pragma once
// The kinds, sets and records of the serial component: line settings, port status and the
// event, error and purge words of the driver interface, with the driver's bit values.

#include <cstdint>

#include "serial/enum_set.h"

enum TParity : uint8_t { pNone, pOdd, pEven, pMark, pSpace };
enum TStopBits : uint8_t { sbOne, sbOneAndHalf, sbTwo };
enum TStreamProtocol : uint8_t { spNone, spXonXoff, spHardware };
enum TComPort : uint8_t { cpCOM1, cpCOM2, cpCOM3, cpCOM4, cpCOM5, cpCOM6, cpCOM7, cpCOM8, cpCOMxx };
enum TTerminalUsage : uint8_t { tuNone, tuSend, tuReceive, tuBoth };
enum TscEnumPorts : uint8_t { epQuickAll, epFullInfo, epFullPresent };

enum TTraceState : uint8_t {
  tsRxChar, tsRxFlag, tsTxEmpty, tsCTS, tsDSR, tsRLSD,
  tsBreak, tsErr, tsRing, tsRx80Full, tsEvent1, tsEvent2
};
using TTraceStates = TEnumSet<TTraceState, uint16_t>;

enum TModemSignal : uint8_t { msCTS, msDSR, msRing, msRLSD };
using TModemSignals = TEnumSet<TModemSignal, uint8_t>;

enum TComStateFlag : uint8_t { fCtlHold, fDsrHold, fRlsHold, fXoffHold, fXOffSent, fEof, fTxim };
using TComStateFlags = TEnumSet<TComStateFlag, uint8_t>;

// Port events (the event mask).
constexpr uint32_t EV_RXCHAR = 0x0001;
constexpr uint32_t EV_RXFLAG = 0x0002;
constexpr uint32_t EV_TXEMPTY = 0x0004;
constexpr uint32_t EV_CTS = 0x0008;
constexpr uint32_t EV_DSR = 0x0010;
constexpr uint32_t EV_RLSD = 0x0020;
constexpr uint32_t EV_BREAK = 0x0040;
constexpr uint32_t EV_ERR = 0x0080;
constexpr uint32_t EV_RING = 0x0100;
constexpr uint32_t EV_RX80FULL = 0x0400;
constexpr uint32_t EV_EVENT1 = 0x0800;
constexpr uint32_t EV_EVENT2 = 0x1000;

// Line errors (the error word of the status query).
constexpr uint32_t CE_RXOVER = 0x0001;
constexpr uint32_t CE_OVERRUN = 0x0002;
constexpr uint32_t CE_RXPARITY = 0x0004;
constexpr uint32_t CE_FRAME = 0x0008;
constexpr uint32_t CE_BREAK = 0x0010;

// Purge flags.
constexpr uint32_t PURGE_TXABORT = 0x0001;
constexpr uint32_t PURGE_RXABORT = 0x0002;
constexpr uint32_t PURGE_TXCLEAR = 0x0004;
constexpr uint32_t PURGE_RXCLEAR = 0x0008;

// The device-control record: the line settings handed to the driver as one piece.
struct TDcb {
  uint32_t DCBlength = 0;
  uint32_t BaudRate = 0;
  uint32_t Flags = 0;  // the bit fields below
  uint16_t wReserved = 0;
  uint16_t XonLim = 0;
  uint16_t XoffLim = 0;
  uint8_t ByteSize = 0;
  uint8_t Parity = 0;  // TParity ordinal
  uint8_t StopBits = 0;  // TStopBits ordinal
  char XonChar = 0;
  char XoffChar = 0;
  char ErrorChar = 0;
  char EofChar = 0;
  char EvtChar = 0;
  uint16_t wReserved1 = 0;

  friend bool operator==(const TDcb&, const TDcb&) = default;
};
static_assert(sizeof(TDcb) == 28);

// Bits of TDcb::Flags.
constexpr uint32_t fBinary = 0x0001;
constexpr uint32_t fParity = 0x0002;
constexpr uint32_t fOutxCtsFlow = 0x0004;
constexpr uint32_t fOutxDsrFlow = 0x0008;
constexpr uint32_t fDtrControlMask = 0x0030;  // 0 off, 1 on, 2 handshake
constexpr unsigned fDtrControlShift = 4;
constexpr uint32_t fDsrSensitivity = 0x0040;
constexpr uint32_t fTXContinueOnXoff = 0x0080;
constexpr uint32_t fOutX = 0x0100;
constexpr uint32_t fInX = 0x0200;
constexpr uint32_t fErrorChar = 0x0400;
constexpr uint32_t fNull = 0x0800;
constexpr uint32_t fRtsControlMask = 0x3000;  // 0 off, 1 on, 2 handshake, 3 toggle while sending
constexpr unsigned fRtsControlShift = 12;
constexpr uint32_t fAbortOnError = 0x4000;

constexpr uint32_t DtrControl(const TDcb& dcb) { return (dcb.Flags & fDtrControlMask) >> fDtrControlShift; }
constexpr uint32_t RtsControl(const TDcb& dcb) { return (dcb.Flags & fRtsControlMask) >> fRtsControlShift; }

struct TCommTimeouts {
  uint32_t ReadIntervalTimeout = 0;
  uint32_t ReadTotalTimeoutMultiplier = 0;
  uint32_t ReadTotalTimeoutConstant = 0;
  uint32_t WriteTotalTimeoutMultiplier = 0;
  uint32_t WriteTotalTimeoutConstant = 0;

  friend bool operator==(const TCommTimeouts&, const TCommTimeouts&) = default;
};

// Port status: hold flags (TComStateFlags in the low byte) and the queue counts.
struct TComStat {
  uint32_t Flags = 0;
  uint32_t cbInQue = 0;  // bytes waiting in the input queue
  uint32_t cbOutQue = 0;  // bytes waiting in the output queue
};
