#include "serial/posix/port_names.h"

std::string ComDevicePath(uint16_t portNo, const std::function<const char*(const char* name)>& environment) {
  const std::string variable = "TAVOLIX_COM" + std::to_string(portNo);
  const char* mapped = environment(variable.c_str());
  if (mapped && *mapped) return mapped;
  if (portNo == 0) return std::string();
  return "/dev/ttyS" + std::to_string(portNo - 1);
}
