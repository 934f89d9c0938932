#pragma once
// A scripted stand-in for the serial platform: the test feeds bytes, line errors, port
// events and failures into one line, and reads back what the component asked of it.
// Everything but the wait is called on the test thread.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "serial/port_device.h"

class TFakePlatform final : public TscPortPlatform {
 public:
  // Script, from the test thread.
  void Receive(const std::string& bytes, uint32_t eventMask = EV_RXCHAR);
  void Signal(uint32_t eventMask);
  void LineError(uint32_t errors, const std::string& bytes);
  void FailWait();

  // Setup.
  int OpenError = 0;  // an errno that makes Open fail
  std::string OpenDetail;  // what the failing Open adds
  TModemSignals Modem;
  uint32_t HoldFlags = 0;

  // What the component did.
  std::vector<std::string> Opened;  // device paths
  int OpenDevices = 0;
  std::vector<TDcb> States;
  std::vector<uint32_t> Masks;
  std::vector<uint32_t> Purges;
  std::vector<bool> Rts;
  std::vector<std::pair<uint32_t, uint32_t>> Queues;
  std::vector<TCommTimeouts> Timeouts;
  std::string Input;  // bytes waiting in the driver; read it only while no worker reads

  std::string DevicePath(uint16_t portNo) override { return "fake" + std::to_string(portNo); }
  std::unique_ptr<TscPortDevice> Open(const std::string& path, TscOpenFailure& failure) override;
  std::string ErrorText(int error) override { return "Fehler " + std::to_string(error) + ". \r\n"; }
  bool SoftwareRts() override { return false; }
  TDcb DefaultDcb() override { return TDcb{}; }

 private:
  friend class TFakeDevice;

  std::mutex Mutex_;  // guards Input and the wait's state below
  std::condition_variable Changed_;
  std::deque<uint32_t> Events_;
  bool Failed_ = false;
  bool Cancelled_ = false;
  uint32_t Errors_ = 0;
};
