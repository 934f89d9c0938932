#include "serial/posix/serial_device_list.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Entries(const fs::path& folder, const std::string& prefix) {
  std::vector<std::string> found;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) == 0) found.push_back(it->path().string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace

std::string StableDeviceLink(const std::string& deviceFile, const std::string& stableNames) {
  struct stat device {};
  if (stat(deviceFile.c_str(), &device) != 0 || !S_ISCHR(device.st_mode)) return std::string();
  for (const std::string& link : Entries(stableNames, "")) {
    struct stat named {};
    if (stat(link.c_str(), &named) == 0 && named.st_rdev == device.st_rdev) return link;
  }
  return std::string();
}

std::vector<std::string> ListSerialDevices() {
  std::vector<std::string> devices = Entries("/dev/serial/by-id", "");
  for (const char* prefix : {"ttyUSB", "ttyACM"}) {
    for (std::string& device : Entries("/dev", prefix)) devices.push_back(std::move(device));
  }
  return devices;
}
