#include "serial/posix/rs485_keeper.h"

void TscRs485Keeper::Want(bool rtsOnSend) {
  if (!rtsOnSend) {
    Restore();
    return;
  }
  if (!Saved_ && !Driver_.Read(Found_)) return;
  Saved_ = true;
  Driver_.Write(WithRtsOnSend(Found_));
}

void TscRs485Keeper::Restore() {
  if (!Saved_) return;
  Driver_.Write(Found_);
  Saved_ = false;
}
