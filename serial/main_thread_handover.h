#pragma once
// How a worker thread has a routine run on the main thread and waits for it.

#include <functional>
#include <stop_token>

class TscMainThreadHandover {
 public:
  virtual ~TscMainThreadHandover() = default;

  // Runs routine on the main thread the next time it processes its queue, and blocks
  // until the routine has returned. A stop requested through stop ends the wait at once,
  // also while the routine runs (it was then stopped from inside itself); a routine not
  // yet started when the stop comes is dropped and never runs. The routine must not throw.
  virtual void Synchronize(std::function<void()> routine, std::stop_token stop) = 0;
};
