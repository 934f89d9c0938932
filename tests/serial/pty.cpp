#include "tests/serial/pty.h"

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

TPty::TPty() {
  termios raw{};
  cfmakeraw(&raw);
  char name[256] = {};
  if (openpty(&Controller_, &Device_, name, &raw, nullptr) != 0) throw std::runtime_error("openpty failed");
  Path_ = name;
}

TPty::~TPty() {
  CloseController();
  ::close(Device_);
}

void TPty::Write(const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(Controller_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw std::runtime_error("write to the pseudo-terminal failed");
    done += size_t(n);
  }
}

void TPty::CloseController() {
  if (Controller_ >= 0) ::close(Controller_);
  Controller_ = -1;
}
