#pragma once
// The message thread of an open port: takes the port events from its queue one at a
// time and has each processed, on the main thread through the hand-over when there is
// one, else on itself.

#include <functional>
#include <stop_token>
#include <thread>

#include "serial/message_queue.h"

class TscComm;
class TscMainThreadHandover;

class TMsgThread {
 public:
  TMsgThread(TscComm& comm, TscMainThreadHandover* handover);
  // Stops and joins.
  ~TMsgThread() = default;

  // False while the thread has not started taking messages, or its queue is full.
  bool Post(TscMessage message) { return Queue_.Post(message); }
  // Ends the wait for a message and a pending hand-over; a hand-over not yet run is dropped.
  void RequestStop() { Thread_.request_stop(); }
  bool IsCurrentThread() const { return std::this_thread::get_id() == Thread_.get_id(); }

 private:
  void Run(std::stop_token stop);
  void Process(std::function<void()> routine, const std::stop_token& stop);

  TscComm& Comm_;
  TscMainThreadHandover* const Handover_;
  TscMessageQueue Queue_;
  std::jthread Thread_;  // last: runs once the members above exist
};
