#pragma once
// A pseudo-terminal whose slave side stands in for a serial device, in raw mode so that CR
// and LF pass unchanged. Only the master side is held here: a program holding the slave
// side would share the device with its reader. What is written before a reader opens the
// slave, or while none has it open, waits in the slave's queue.

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
  // True once a reader has opened the slave side and no one holds it any more.
  bool ReaderGone() const;

 private:
  void Close();

  int Master_ = -1;
  std::string SlavePath_;
};
