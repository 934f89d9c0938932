#include "serial/comm.h"

void TscComm::DoFatalError(uint32_t ErrorCode, uint32_t Detail, const std::string& ErrorMsg, bool show) {
  bool RaiseException = true;
  if (OnFatalError) OnFatalError(*this, ErrorCode, Detail, ErrorMsg, RaiseException);
  if (!RaiseException) return;
  if (!show) throw EscCommError(ErrorMsg);
  if (ShowException) ShowException(ErrorMsg);
}

void TscComm::DoCommError(uint32_t CommCode, uint32_t SysError, TComStateFlags State) {
  DropSoftwareRts();
  bool flFlashBuffers = false;
  if (OnCommError) OnCommError(*this, CommCode, SysError, State, flFlashBuffers);
  if (flFlashBuffers) PurgeAll();
}

void TscComm::DoTraceState(TTraceStates Event) {
  const TModemSignals signals = ModemSignals();
  if (MonitorCTS_) MonitorCTS_->SetChecked(signals.Contains(msCTS));
  if (MonitorDSR_) MonitorDSR_->SetChecked(signals.Contains(msDSR));
  if (MonitorRLSD_) MonitorRLSD_->SetChecked(signals.Contains(msRLSD));
  // Ring is only ever switched on.
  if (Event.Contains(tsRing) && MonitorRing_) MonitorRing_->SetChecked(true);
  if (OnTraceState) OnTraceState(*this, Event);
}
