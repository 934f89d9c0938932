#pragma once
// The serial devices present on this machine, for the port field's list.

#include <string>
#include <vector>

// The stable names under /dev/serial/by-id first, then /dev/ttyUSB* and /dev/ttyACM*;
// each group sorted.
std::vector<std::string> ListSerialDevices();

// The name in the folder of stable names (/dev/serial/by-id) that names the same device as
// deviceFile, while both are there; empty when there is none. It names the device again
// once the device is back, whatever /dev/tty name it then gets.
std::string StableDeviceLink(const std::string& deviceFile, const std::string& stableNames = "/dev/serial/by-id");
