#pragma once
// Which other processes have a terminal device open. A program that reads the device
// without taking a lock (a terminal left open, cat, a script, ModemManager probing a new
// modem) silently takes bytes meant for us.

#include <sys/types.h>

#include <string>
#include <vector>

struct TscDeviceHolder {
  pid_t Pid = 0;
  std::string Name;  // the program's name as the process table gives it

  friend bool operator==(const TscDeviceHolder&, const TscDeviceHolder&) = default;
};

// The processes other than this one that hold the character device through one of their
// descriptors; only those whose descriptors this user may look at are seen. Holding the
// controlling side of a pseudo-terminal does not count. Ordered by process id, each once.
std::vector<TscDeviceHolder> OtherDeviceHolders(dev_t device);

// "belegt von NAME (PID n), NAME (PID m)"; empty for none.
std::string HoldersText(const std::vector<TscDeviceHolder>& holders);
