#include "serial/pumped_handover.h"

#include <utility>

void TscPumpedHandover::Synchronize(std::function<void()> routine, std::stop_token stop) {
  auto ticket = std::make_shared<TscHandoverTicket>(std::move(routine), std::move(stop));
  {
    std::lock_guard lock(Mutex_);
    Tickets_.push_back(ticket);
    if (Queued_) Queued_();
  }
  Arrived_.notify_all();
  ticket->Wait();
}

size_t TscPumpedHandover::RunPending() {
  size_t taken = 0;
  for (;;) {
    std::shared_ptr<TscHandoverTicket> ticket;
    {
      std::lock_guard lock(Mutex_);
      if (Tickets_.empty()) return taken;
      ticket = std::move(Tickets_.front());
      Tickets_.pop_front();
    }
    // Run outside the lock: a routine may pump again or stop the thread that handed it.
    ticket->Run();
    ++taken;
  }
}

size_t TscPumpedHandover::RunPending(std::chrono::milliseconds timeout) {
  {
    std::unique_lock lock(Mutex_);
    Arrived_.wait_for(lock, timeout, [this] { return !Tickets_.empty(); });
  }
  return RunPending();
}
