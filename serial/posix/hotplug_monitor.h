#pragma once
// Tells when terminal devices come and go (a board plugged in or out, reset by a flasher),
// through the device manager's events.

struct udev;
struct udev_monitor;

class TscHotplugMonitor {
 public:
  // Without a device manager to listen to there are no events, and Fd is negative.
  TscHotplugMonitor();
  ~TscHotplugMonitor();
  TscHotplugMonitor(const TscHotplugMonitor&) = delete;
  TscHotplugMonitor& operator=(const TscHotplugMonitor&) = delete;

  // Readable when events wait; never blocks.
  int Fd() const;
  // Takes every waiting event; true when a device was added or removed.
  bool TakeEvents();

 private:
  udev* Udev_ = nullptr;
  udev_monitor* Monitor_ = nullptr;
};
