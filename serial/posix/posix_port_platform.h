#pragma once
// The serial platform of a POSIX system: devices named by port number or path, opened
// over termios.

#include "serial/port_device.h"

class TPosixPortPlatform final : public TscPortPlatform {
 public:
  std::string DevicePath(uint16_t portNo) override;
  std::unique_ptr<TscPortDevice> Open(const std::string& path, TscOpenFailure& failure) override;
  std::string ErrorText(int error) override;
  bool SoftwareRts() override;
  TDcb DefaultDcb() override;
};

// The one platform object of the program.
TscPortPlatform& PosixPortPlatform();
