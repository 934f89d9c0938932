#include "tools/pseudo_terminal.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

[[noreturn]] void Fail(const char* what) { throw ESimError(std::string(what) + ": " + std::strerror(errno)); }

}  // namespace

TPseudoTerminal::TPseudoTerminal() {
  try {
    Master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (Master_ < 0) Fail("cannot open a pseudo-terminal");
    if (grantpt(Master_) != 0 || unlockpt(Master_) != 0) Fail("cannot unlock the pseudo-terminal");
    char path[256];
    if (ptsname_r(Master_, path, sizeof path) != 0) Fail("cannot name the pseudo-terminal");
    SlavePath_ = path;
    Slave_ = open(path, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (Slave_ < 0) Fail("cannot open the pseudo-terminal's slave side");
    termios mode{};
    if (tcgetattr(Slave_, &mode) != 0) Fail("cannot read the terminal mode");
    cfmakeraw(&mode);
    if (tcsetattr(Slave_, TCSANOW, &mode) != 0) Fail("cannot set raw mode");
  } catch (...) {
    Close();
    throw;
  }
}

TPseudoTerminal::~TPseudoTerminal() { Close(); }

void TPseudoTerminal::Close() {
  if (Slave_ >= 0) close(Slave_);
  if (Master_ >= 0) close(Master_);
  Slave_ = Master_ = -1;
}

int TPseudoTerminal::Unread() const {
  int count = 0;
  if (ioctl(Slave_, FIONREAD, &count) != 0) return 0;
  return count;
}
