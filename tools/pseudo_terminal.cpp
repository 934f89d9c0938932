#include "tools/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
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
    // The master side reaches the slave's terminal mode, which stays for every reader.
    termios mode{};
    if (tcgetattr(Master_, &mode) != 0) Fail("cannot read the terminal mode");
    cfmakeraw(&mode);
    if (tcsetattr(Master_, TCSANOW, &mode) != 0) Fail("cannot set raw mode");
  } catch (...) {
    Close();
    throw;
  }
}

TPseudoTerminal::~TPseudoTerminal() { Close(); }

void TPseudoTerminal::Close() {
  if (Master_ >= 0) close(Master_);
  Master_ = -1;
}

bool TPseudoTerminal::ReaderGone() const {
  // The master hangs up when the last slave descriptor closes, not before the first opens.
  pollfd master{Master_, 0, 0};
  return poll(&master, 1, 0) > 0 && (master.revents & POLLHUP);
}
