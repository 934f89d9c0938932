#pragma once
// What a user needs to know when a device cannot be opened, beyond the system's reason:
// who holds it, or which group may use it.

#include <string>

// For "busy": the other programs holding the device. For "permission denied": the group
// that may use it and how to join it. Empty when there is nothing to add.
std::string OpenFailureDetail(const std::string& path, int error);

// The advice for a device the user may not open. groupMayUse: the device's group may read
// and write it, so joining that group helps.
std::string AccessDeniedAdvice(const std::string& path, const std::string& group, bool groupMayUse,
                               const std::string& owner, const std::string& user);
