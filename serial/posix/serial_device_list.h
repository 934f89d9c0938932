#pragma once
// The serial devices present on this machine, for the port field's list.

#include <string>
#include <vector>

// The stable names under /dev/serial/by-id first, then /dev/ttyUSB* and /dev/ttyACM*;
// each group sorted.
std::vector<std::string> ListSerialDevices();
