#pragma once
// Which device a port number names: the one the environment variable TAVOLIX_COM<n>
// maps it to (COM5 to /dev/ttyACM0, say), else the n-th on-board serial device.

#include <cstdint>
#include <functional>
#include <string>

// environment: looks a variable up, null when it is not set. Empty for port 0.
std::string ComDevicePath(uint16_t portNo, const std::function<const char*(const char* name)>& environment);
