#pragma once
// One routine handed to the main thread: the state that the handing thread and the main
// thread share, owned by both, so that either may return first.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>

class TscHandoverTicket {
 public:
  TscHandoverTicket(std::function<void()> routine, std::stop_token stop);

  // On the main thread: runs the routine unless the hand-over was given up or stopped.
  void Run();
  // On the handing thread: blocks until the routine has returned or a stop is requested;
  // a routine not yet started is then dropped.
  void Wait();

 private:
  enum TState : unsigned char { stQueued, stRunning, stDone, stDropped };

  std::mutex Mutex_;
  std::condition_variable_any Changed_;
  TState State_ = stQueued;
  std::function<void()> Routine_;
  const std::stop_token Stop_;
};
