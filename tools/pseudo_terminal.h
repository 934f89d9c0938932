#pragma once
// A pseudo-terminal whose slave side stands in for a serial device: raw mode, so CR and
// LF pass unchanged, and a slave descriptor of our own kept open, so that what is written
// before a reader opens the slave waits for it and the master never sees a hang-up.

#include <string>

#include "tools/sim_error.h"

class TPseudoTerminal {
 public:
  // Throws ESimError with the system's reason when no pseudo-terminal can be had.
  TPseudoTerminal();
  ~TPseudoTerminal();
  TPseudoTerminal(const TPseudoTerminal&) = delete;
  TPseudoTerminal& operator=(const TPseudoTerminal&) = delete;

  const std::string& SlavePath() const { return SlavePath_; }
  // Non-blocking descriptor that the device's bytes are written to.
  int Master() const { return Master_; }
  // Bytes written but not yet read by whoever opened the slave. Bytes still on their way
  // inside the kernel are not counted, so a 0 must be seen more than once to mean "all read".
  int Unread() const;

 private:
  void Close();

  int Master_ = -1;
  int Slave_ = -1;
  std::string SlavePath_;
};
