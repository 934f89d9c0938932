#pragma once
// A pseudo-terminal for the tests: the component opens its device side by path, the
// test writes to the controlling side as the serial device would.

#include <string>

class TPty {
 public:
  TPty();
  ~TPty();
  TPty(const TPty&) = delete;
  TPty& operator=(const TPty&) = delete;

  const std::string& DevicePath() const { return Path_; }
  // A descriptor of the device side, for looking at its settings.
  int Device() const { return Device_; }
  // The controlling side, for writers of their own.
  int Controller() const { return Controller_; }
  // Writes all bytes, blocking while the device's input queue is full.
  void Write(const std::string& bytes);
  // The stand-in for unplugging the device.
  void CloseController();

 private:
  int Controller_ = -1;
  int Device_ = -1;
  std::string Path_;
};
