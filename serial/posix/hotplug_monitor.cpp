#include "serial/posix/hotplug_monitor.h"

#include <libudev.h>

#include <cstring>

TscHotplugMonitor::TscHotplugMonitor() : Udev_(udev_new()) {
  if (!Udev_) return;
  Monitor_ = udev_monitor_new_from_netlink(Udev_, "udev");
  if (!Monitor_) return;
  if (udev_monitor_filter_add_match_subsystem_devtype(Monitor_, "tty", nullptr) < 0 ||
      udev_monitor_enable_receiving(Monitor_) < 0) {
    Monitor_ = udev_monitor_unref(Monitor_);
  }
}

TscHotplugMonitor::~TscHotplugMonitor() {
  udev_monitor_unref(Monitor_);
  udev_unref(Udev_);
}

int TscHotplugMonitor::Fd() const { return Monitor_ ? udev_monitor_get_fd(Monitor_) : -1; }

bool TscHotplugMonitor::TakeEvents() {
  if (!Monitor_) return false;
  bool changed = false;
  while (udev_device* device = udev_monitor_receive_device(Monitor_)) {
    const char* action = udev_device_get_action(device);
    changed |= action && (std::strcmp(action, "add") == 0 || std::strcmp(action, "remove") == 0);
    udev_device_unref(device);
  }
  return changed;
}
