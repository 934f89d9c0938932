#pragma once
// A main-thread hand-over without a window system: routines wait in a queue until the
// thread that plays the main thread pumps it.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "serial/handover_ticket.h"
#include "serial/main_thread_handover.h"

class TscPumpedHandover final : public TscMainThreadHandover {
 public:
  TscPumpedHandover() = default;
  // queued runs on the handing thread each time a routine has been queued, under the
  // queue's lock, before the thread waits: it tells an event loop to pump. It must not
  // use this hand-over.
  explicit TscPumpedHandover(std::function<void()> queued) : Queued_(std::move(queued)) {}

  void Synchronize(std::function<void()> routine, std::stop_token stop) override;

  // Runs queued routines in order on the calling thread until none is queued; returns
  // how many were taken from the queue (dropped ones included).
  size_t RunPending();
  // The same after waiting up to timeout for at least one routine.
  size_t RunPending(std::chrono::milliseconds timeout);

 private:
  const std::function<void()> Queued_;
  std::mutex Mutex_;
  std::condition_variable Arrived_;
  std::deque<std::shared_ptr<TscHandoverTicket>> Tickets_;
};
