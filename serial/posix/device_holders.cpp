#include "serial/posix/device_holders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

namespace fs = std::filesystem;

bool ProcessId(const std::string& name, pid_t& pid) {
  const char* end = name.data() + name.size();
  const auto [at, error] = std::from_chars(name.data(), end, pid);
  return error == std::errc() && at == end;
}

// A pseudo-terminal's controlling side: its links name the multiplexer, not the device.
bool IsPtyController(const fs::path& link) {
  std::error_code error;
  const fs::path target = fs::read_symlink(link, error);
  return !error && (target == "/dev/ptmx" || target == "/dev/pts/ptmx");
}

bool HoldsDevice(const fs::path& fdFolder, dev_t device) {
  std::error_code error;
  for (fs::directory_iterator it(fdFolder, error), end; !error && it != end; it.increment(error)) {
    struct stat opened {};
    if (stat(it->path().c_str(), &opened) != 0 || !S_ISCHR(opened.st_mode) || opened.st_rdev != device) continue;
    if (!IsPtyController(it->path())) return true;
  }
  return false;
}

std::string ProgramName(const fs::path& processFolder) {
  std::ifstream comm(processFolder / "comm");
  std::string name;
  std::getline(comm, name);
  return name.empty() ? "?" : name;
}

}  // namespace

std::vector<TscDeviceHolder> OtherDeviceHolders(dev_t device) {
  std::vector<TscDeviceHolder> holders;
  const pid_t self = getpid();
  std::error_code error;
  for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
    pid_t pid = 0;
    if (!ProcessId(it->path().filename().string(), pid) || pid == self) continue;
    // Another user's processes cannot be looked into and stay unnamed.
    if (HoldsDevice(it->path() / "fd", device)) holders.push_back({pid, ProgramName(it->path())});
  }
  std::sort(holders.begin(), holders.end(), [](const auto& a, const auto& b) { return a.Pid < b.Pid; });
  return holders;
}

std::string HoldersText(const std::vector<TscDeviceHolder>& holders) {
  std::string text;
  for (const TscDeviceHolder& holder : holders) {
    text += text.empty() ? "belegt von " : ", ";
    text += holder.Name + " (PID " + std::to_string(holder.Pid) + ")";
  }
  return text;
}
