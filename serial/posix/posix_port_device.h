#pragma once
// An open serial device over termios: the stand-in for the driver's port events is poll
// on the device and on a wake-up descriptor.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "serial/port_device.h"
#include "serial/posix/file_descriptor.h"
#include "serial/posix/line_errors.h"

class TPosixPortDevice final : public TscPortDevice {
 public:
  // Opens a terminal device for exclusive use: a second opener fails with EBUSY.
  // On failure null, and error holds the errno of the failing step.
  static std::unique_ptr<TscPortDevice> Open(const std::string& path, int& error);

  TPosixPortDevice(TscFileDescriptor device, TscFileDescriptor wake, TscFileDescriptor readDone);

  bool ClearCommError(uint32_t& errors, TComStat& stat) override;
  void SetupComm(uint32_t inQueue, uint32_t outQueue) override;
  void SetCommTimeouts(const TCommTimeouts& timeouts) override;
  void SetCommState(const TDcb& dcb) override;
  void SetCommMask(uint32_t eventMask) override;
  TscWaitResult WaitCommEvent(uint32_t& eventMask) override;
  void CancelWait() override;
  bool Read(uint8_t* buffer, uint32_t count, uint32_t& read) override;
  void PurgeComm(uint32_t purgeFlags) override;
  void SetRts(bool on) override;
  TModemSignals ModemStatus() override;

 private:
  const TscFileDescriptor Device_;
  const TscFileDescriptor Wake_;  // readable once CancelWait ran
  const TscFileDescriptor ReadDone_;  // readable after a read: the wait looks again
  bool HasLineCounts_ = false;
  TscLineCounts LineCounts_;  // as of the last status query
  // Bytes waiting that an event has reported already: poll reports waiting bytes for as
  // long as they wait, a port event only once, when they arrive.
  std::mutex ReportedMutex_;
  uint32_t Reported_ = 0;
};
