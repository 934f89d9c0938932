#pragma once
// The driver's RS-485 mode belongs to the board: it is often configured at boot, and a
// port that is merely opened must leave it as it is. The port switches it on only when
// its own RS-485 setting asks for it, and gives back what it found once it no longer does.

#include <functional>

#include "serial/posix/linux_ioctls.h"

class TscRs485Keeper {
 public:
  struct TDriver {
    std::function<bool(TscRs485Record& record)> Read;  // false: the driver has no RS-485 mode
    std::function<bool(const TscRs485Record& record)> Write;
  };

  explicit TscRs485Keeper(TDriver driver) : Driver_(std::move(driver)) {}
  ~TscRs485Keeper() { Restore(); }
  TscRs485Keeper(const TscRs485Keeper&) = delete;
  TscRs485Keeper& operator=(const TscRs485Keeper&) = delete;

  // rtsOnSend: the driver raises RTS only while sending. False: what the board had.
  void Want(bool rtsOnSend);
  // Gives back the mode found before the port first switched it.
  void Restore();

 private:
  TDriver Driver_;
  bool Saved_ = false;
  TscRs485Record Found_{};
};
