#pragma once
// What the serial component needs of the platform: opening a device, and the operations
// on an open device. serial/posix/ implements it over termios; tests use a scripted fake.

#include <cstdint>
#include <memory>
#include <string>

#include "serial/serial_types.h"

enum TscWaitResult : uint8_t {
  wrEvent,  // the mask holds what happened
  wrCancelled,  // CancelWait was called
  wrFailed  // the device is gone or broken (unplugged adapter, hang-up)
};

// One open device. Every operation may be called while another thread is blocked in
// WaitCommEvent; all others come from one thread at a time.
class TscPortDevice {
 public:
  virtual ~TscPortDevice() = default;

  // Fills the status record and returns the line errors (CE_ bits) seen since the last
  // query, clearing them. False when the device no longer answers.
  virtual bool ClearCommError(uint32_t& errors, TComStat& stat) = 0;
  // Recommended driver queue sizes in bytes.
  virtual void SetupComm(uint32_t inQueue, uint32_t outQueue) = 0;
  virtual void SetCommTimeouts(const TCommTimeouts& timeouts) = 0;
  // Installs the whole line-settings record; what the driver refuses is kept as it was.
  virtual void SetCommState(const TDcb& dcb) = 0;
  virtual void SetCommMask(uint32_t eventMask) = 0;
  // Blocks until a port event (reported once per arrival, not again for bytes already
  // reported), a cancellation or a failure.
  virtual TscWaitResult WaitCommEvent(uint32_t& eventMask) = 0;
  // Ends the pending wait and every later one; callable from any thread.
  virtual void CancelWait() = 0;
  // Reads up to count bytes that are already waiting; false on failure.
  virtual bool Read(uint8_t* buffer, uint32_t count, uint32_t& read) = 0;
  virtual void PurgeComm(uint32_t purgeFlags) = 0;
  virtual void SetRts(bool on) = 0;
  virtual TModemSignals ModemStatus() = 0;
};

// Why a device could not be opened.
struct TscOpenFailure {
  int Error = 0;  // the system's code
  std::string Detail;  // what the user needs beyond the system's reason; names the device
};

class TscPortPlatform {
 public:
  virtual ~TscPortPlatform() = default;

  // The device path of port number n; empty when the number names no device.
  virtual std::string DevicePath(uint16_t portNo) = 0;
  // Opens the device for exclusive use; on failure null, with the reason in failure.
  virtual std::unique_ptr<TscPortDevice> Open(const std::string& path, TscOpenFailure& failure) = 0;
  // The system's text for an error code from Open.
  virtual std::string ErrorText(int error) = 0;
  // True where RS-485 RTS must be switched by the component, the driver not doing it.
  virtual bool SoftwareRts() = 0;
  // The line-settings record the platform proposes before any property is set.
  virtual TDcb DefaultDcb() = 0;
};
