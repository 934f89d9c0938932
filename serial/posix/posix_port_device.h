#pragma once
// An open serial device over termios: the stand-in for the driver's port events is poll
// on the device and on a wake-up descriptor.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "serial/port_device.h"
#include "serial/posix/file_descriptor.h"
#include "serial/posix/line_errors.h"
#include "serial/posix/rs485_keeper.h"

// Keeps every other opener but root out of a terminal while it lives. The kernel keeps
// the mark on the terminal past our close for as long as anyone else holds it, so it is
// lifted before the descriptor goes.
class TscExclusiveUse {
 public:
  TscExclusiveUse() = default;
  explicit TscExclusiveUse(int fd);
  ~TscExclusiveUse();
  TscExclusiveUse(TscExclusiveUse&& other) noexcept : Fd_(std::exchange(other.Fd_, -1)) {}
  TscExclusiveUse& operator=(TscExclusiveUse&&) = delete;

  bool Taken() const { return Fd_ >= 0; }

 private:
  int Fd_ = -1;
};

class TPosixPortDevice final : public TscPortDevice {
 public:
  // Opens a terminal device for exclusive use: a second opener fails with EBUSY, and so
  // does this open while another program holds the device without a lock.
  static std::unique_ptr<TscPortDevice> Open(const std::string& path, TscOpenFailure& failure);

  TPosixPortDevice(TscFileDescriptor device, TscExclusiveUse exclusive, TscFileDescriptor wake,
                   TscFileDescriptor readDone);

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
  // Sleeps while the burst whose first bytes are waiting comes in.
  TscWaitResult GatherBurst(int firstWaiting);

  // Released in the reverse order: the board's RS-485 mode and the exclusive mark are
  // given back before the descriptor closes.
  const TscFileDescriptor Device_;
  const TscExclusiveUse Exclusive_;
  TscRs485Keeper Rs485_;
  const TscFileDescriptor Wake_;  // readable once CancelWait ran
  const TscFileDescriptor ReadDone_;  // readable after a read: the wait looks again
  bool HasLineCounts_ = false;
  TscLineCounts LineCounts_;  // as of the last status query
  // Bytes waiting that an event has reported already: poll reports waiting bytes for as
  // long as they wait, a port event only once, when they arrive.
  std::mutex ReportedMutex_;
  uint32_t Reported_ = 0;
};
