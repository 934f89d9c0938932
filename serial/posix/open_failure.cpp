#include "serial/posix/open_failure.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "serial/posix/device_holders.h"

namespace {

std::string GroupName(gid_t gid) {
  std::vector<char> buffer(16384);
  group entry{};
  group* found = nullptr;
  if (getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return std::to_string(gid);
  return found->gr_name;
}

std::string UserName(uid_t uid) {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return std::to_string(uid);
  return found->pw_name;
}

std::string AccessDeniedText(const std::string& path) {
  struct stat device {};
  if (stat(path.c_str(), &device) != 0) return std::string();
  const bool groupMayUse = (device.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
  return AccessDeniedAdvice(path, GroupName(device.st_gid), groupMayUse, UserName(device.st_uid), UserName(geteuid()));
}

std::string BusyText(const std::string& path) {
  struct stat device {};
  if (stat(path.c_str(), &device) != 0 || !S_ISCHR(device.st_mode)) return std::string();
  const std::string holders = HoldersText(OtherDeviceHolders(device.st_rdev));
  return holders.empty() ? std::string() : path + " " + holders;
}

}  // namespace

std::string OpenFailureDetail(const std::string& path, int error) {
  switch (error) {
    case EBUSY: return BusyText(path);
    case EACCES:
    case EPERM: return AccessDeniedText(path);
    default: return std::string();
  }
}

std::string AccessDeniedAdvice(const std::string& path, const std::string& group, bool groupMayUse,
                               const std::string& owner, const std::string& user) {
  if (!groupMayUse) return "Zugriff verweigert: " + path + " ist nur für " + owner + " freigegeben";
  return "Zugriff verweigert: " + path + " gehört der Gruppe " + group + "; Mitglied werden mit: sudo usermod -aG " +
         group + " " + user + ", dann neu anmelden";
}
