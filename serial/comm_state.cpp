#include "serial/comm_state.h"

namespace {

struct TEventBit {
  TTraceState State;
  uint32_t Bit;
};

// The members that map onto an event bit of their own, both ways.
constexpr TEventBit TracedEvents[] = {
    {tsRxFlag, EV_RXFLAG}, {tsCTS, EV_CTS},     {tsDSR, EV_DSR},
    {tsRLSD, EV_RLSD},     {tsBreak, EV_BREAK}, {tsErr, EV_ERR},
    {tsRing, EV_RING},     {tsRx80Full, EV_RX80FULL}, {tsEvent1, EV_EVENT1},
    {tsEvent2, EV_EVENT2},
};

uint32_t ModeFlags(bool rs485Mode, TStreamProtocol protocol) {
  constexpr uint32_t dtrOn = 1u << fDtrControlShift;
  if (rs485Mode) return fBinary | dtrOn | (3u << fRtsControlShift);
  switch (protocol) {
    case spNone: return fBinary | dtrOn | (1u << fRtsControlShift);
    case spXonXoff: return fBinary | dtrOn | (1u << fRtsControlShift) | fOutX | fInX;
    case spHardware: break;
  }
  return fBinary | fOutxCtsFlow | dtrOn | (2u << fRtsControlShift);
}

}  // namespace

void RebuildDcb(TDcb& dcb, bool rs485Mode, TStreamProtocol protocol) {
  dcb.DCBlength = sizeof(TDcb);
  dcb.Flags = (dcb.Flags & KeptDcbFlags) | ModeFlags(rs485Mode, protocol);
  dcb.XonLim = 80;
  dcb.XoffLim = 200;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
}

uint32_t EventMaskOf(TTraceStates traceStates, bool softwareRtsToggle) {
  uint32_t mask = EV_RXCHAR;
  if (traceStates.Contains(tsTxEmpty) || softwareRtsToggle) mask |= EV_TXEMPTY;
  for (const TEventBit& e : TracedEvents) {
    if (traceStates.Contains(e.State)) mask |= e.Bit;
  }
  return mask;
}

TTraceStates TraceStatesOf(uint32_t eventMask) {
  TTraceStates states;
  for (const TEventBit& e : TracedEvents) {
    if (eventMask & e.Bit) states.Include(e.State);
  }
  return states;
}
