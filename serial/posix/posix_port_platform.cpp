#include "serial/posix/posix_port_platform.h"

#include <cstdlib>
#include <cstring>

#include "serial/posix/port_names.h"
#include "serial/posix/posix_port_device.h"

std::string TPosixPortPlatform::DevicePath(uint16_t portNo) {
  return ComDevicePath(portNo, [](const char* name) { return std::getenv(name); });
}

std::unique_ptr<TscPortDevice> TPosixPortPlatform::Open(const std::string& path, TscOpenFailure& failure) {
  return TPosixPortDevice::Open(path, failure);
}

std::string TPosixPortPlatform::ErrorText(int error) {
  char text[256];
  return strerror_r(error, text, sizeof text);  // the GNU form returns the text
}

bool TPosixPortPlatform::SoftwareRts() {
  // The driver switches RTS for RS-485 where it can.
  return false;
}

TDcb TPosixPortPlatform::DefaultDcb() {
  // There is no system default for a port: what no property sets stays zero.
  return TDcb{};
}

TscPortPlatform& PosixPortPlatform() {
  static TPosixPortPlatform platform;
  return platform;
}
