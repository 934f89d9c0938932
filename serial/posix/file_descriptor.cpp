#include "serial/posix/file_descriptor.h"

#include <unistd.h>

#include <utility>

TscFileDescriptor::~TscFileDescriptor() {
  // Never retried: after EINTR the descriptor is already released on Linux.
  if (Fd_ >= 0) ::close(Fd_);
}

TscFileDescriptor& TscFileDescriptor::operator=(TscFileDescriptor&& other) noexcept {
  TscFileDescriptor old(std::exchange(Fd_, std::exchange(other.Fd_, -1)));
  return *this;
}
