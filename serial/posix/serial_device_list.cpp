#include "serial/posix/serial_device_list.h"

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

std::vector<std::string> ListSerialDevices() {
  std::vector<std::string> devices = Entries("/dev/serial/by-id", "");
  for (const char* prefix : {"ttyUSB", "ttyACM"}) {
    for (std::string& device : Entries("/dev", prefix)) devices.push_back(std::move(device));
  }
  return devices;
}
