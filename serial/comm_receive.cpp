#include <algorithm>
#include <cerrno>
#include <exception>

#include "serial/comm.h"
#include "serial/comm_state.h"

namespace {

// The message of an exception that is not a standard one.
constexpr const char* UnknownExceptionText = "Unbekannte Ausnahme";

}  // namespace

bool TscComm::HasReceiver() const { return Terminal_ || OnAfterReceive || DataProcessor_; }

void TscComm::ProcessComEvent(uint32_t eventMask) noexcept {
  if (!Port_) return;
  const uint64_t session = Session_;
  ++Delivering_;
  try {
    uint32_t errors = 0;
    TComStat stat;
    if (Port_->ClearCommError(errors, stat)) {
      if (errors != 0) {
        // The bytes of this event wait for the next one.
        DoCommError(errors, 0, TComStateFlags::FromBits(uint8_t(stat.Flags)));
      } else {
        if ((eventMask & EV_RXCHAR) && stat.cbInQue > 0) ReadWaiting(session, stat);
        if ((eventMask & EV_TXEMPTY) && IsSession(session)) {
          DropSoftwareRts();
          if (TraceStates_.Contains(tsTxEmpty) && !(DataProcessor_ && DataProcessor_->HasDataToSend()) &&
              OnAfterSend) {
            OnAfterSend(*this);
          }
        }
        const TTraceStates traced = TraceStatesOf(eventMask);
        if (!traced.Empty() && IsSession(session)) DoTraceState(traced);
      }
    }
  } catch (const std::exception& e) {
    ReportProcessingFailure(e.what());
  } catch (...) {
    ReportProcessingFailure(UnknownExceptionText);
  }
  if (--Delivering_ == 0) RetiredBuffers_.clear();
}

void TscComm::ReportProcessingFailure(const std::string& message) noexcept {
  const uint32_t detail = uint32_t(errno);
  try {
    DoFatalError(1, detail, message, true);
  } catch (const std::exception& e) {
    ContainFailedReport(e.what());
  } catch (...) {
    ContainFailedReport(UnknownExceptionText);
  }
}

void TscComm::ContainFailedReport(const std::string& message) noexcept {
  // The handlers that were to deal with the failure failed themselves: no one can say
  // whether the acquisition is still sound, so the port closes, and the user is told.
  try {
    ClosePort();
  } catch (...) {
    // Only a trace-state handler raises here, once the port is closed.
  }
  try {
    if (ShowException) ShowException(message);
  } catch (...) {
    // Even the error box failed; the closed port is all that is left to do.
  }
}

void TscComm::CloseFailedDevice() noexcept {
  try {
    ShutdownPort(false);
  } catch (...) {
    // Only a listener raises here, after the port has been released; the silent close of
    // a device that went away lets no failure out.
  }
}

void TscComm::ReadWaiting(uint64_t session, TComStat stat) {
  ReceivedBytes_ += stat.cbInQue;
  // Without a taker the bytes stay in the driver's queue.
  if (!TraceStates_.Contains(tsRxChar) && !HasReceiver()) return;
  uint8_t* const buffer = Buffer_.get();
  uint32_t errors = 0;
  do {
    uint32_t read = 0;
    if (!Port_->Read(buffer, std::min(stat.cbInQue, BufferSize_), read)) return;
    if (read > 0) DoReceive(buffer, read);
    // A handler that closed the port ends the event; its block stayed readable.
    if (!IsSession(session)) return;
    if (!Port_->ClearCommError(errors, stat)) return;
  } while (stat.cbInQue > 0);
}

void TscComm::DoReceive(const uint8_t* data, uint32_t count) {
  bool consumed = false;
  if (DataProcessor_) DataProcessor_->DataReceived(*this, data, count, consumed);
  if (Terminal_ && !consumed) Terminal_->ShowReceived(data, count);
  if (OnAfterReceive) OnAfterReceive(*this, data, count);
}
