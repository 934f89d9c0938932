#include "serial/handover_ticket.h"

#include <utility>

TscHandoverTicket::TscHandoverTicket(std::function<void()> routine, std::stop_token stop)
    : Routine_(std::move(routine)), Stop_(std::move(stop)) {}

void TscHandoverTicket::Run() {
  {
    std::lock_guard lock(Mutex_);
    if (State_ != stQueued || Stop_.stop_requested()) {
      State_ = stDropped;
      return;
    }
    State_ = stRunning;
  }
  Routine_();
  std::lock_guard lock(Mutex_);
  State_ = stDone;
  Changed_.notify_all();
}

void TscHandoverTicket::Wait() {
  std::unique_lock lock(Mutex_);
  Changed_.wait(lock, Stop_, [this] { return State_ == stDone; });
  if (State_ == stQueued) State_ = stDropped;
}
