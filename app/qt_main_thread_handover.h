#pragma once
// The serial component's main-thread hand-over over Qt's event loop: a routine waits in
// a queue, and an event posted to the main thread has the loop run it.

#include <QObject>

#include "serial/main_thread_handover.h"
#include "serial/pumped_handover.h"

class TQtMainThreadHandover final : public TscMainThreadHandover {
 public:
  // Create on the main thread: the routines run on the thread that created it.
  TQtMainThreadHandover();

  void Synchronize(std::function<void()> routine, std::stop_token stop) override;

 private:
  class TReceiver final : public QObject {
   public:
    explicit TReceiver(TscPumpedHandover& queue) : Queue_(queue) {}

   protected:
    void customEvent(QEvent*) override { Queue_.RunPending(); }

   private:
    TscPumpedHandover& Queue_;
  };

  TscPumpedHandover Queue_;
  TReceiver Receiver_{Queue_};  // lives in the main thread; its events are handled there
};
