#pragma once
// Brings back the port of an acquisition whose device went away (unplugged, reset by a
// flasher, enumerated anew): waits for the same device file, or for the name under
// /dev/serial/by-id that named the device, and opens it again with the same settings.

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>

#include "serial/comm.h"

class TPortReconnect final : public QObject {
 public:
  // reopened: called once the port is open again.
  TPortReconnect(TscComm& comm, std::function<void()> reopened);
  ~TPortReconnect() override;

  // The port closed by itself: wait for its device.
  void Begin();
  // Ends the waiting; true when there was any.
  bool Cancel();
  bool Waiting() const { return Timer_.isActive(); }
  // Tries at once, as when a device has just been plugged in.
  void TryNow();

 private:
  TscComm& Comm_;
  const std::function<void()> Reopened_;
  const int ListenerId_;
  std::string File_;  // the device file open last
  std::string Link_;  // its stable name, found while it was there
  QTimer Timer_;
};
