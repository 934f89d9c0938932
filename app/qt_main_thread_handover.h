#pragma once
// The serial component's main-thread hand-over over Qt's event loop: a routine is posted
// to the main thread as a queued call and runs the next time the loop processes events.

#include <QObject>

#include "serial/main_thread_handover.h"

class TQtMainThreadHandover final : public TscMainThreadHandover {
 public:
  // Create on the main thread: the routines run on the thread that created it.
  TQtMainThreadHandover() = default;

  void Synchronize(std::function<void()> routine, std::stop_token stop) override;

 private:
  QObject Receiver_;  // lives in the main thread; its queued calls run there
};
