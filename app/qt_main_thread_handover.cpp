#include "app/qt_main_thread_handover.h"

#include <QMetaObject>
#include <QThread>

#include <memory>

#include "serial/handover_ticket.h"

void TQtMainThreadHandover::Synchronize(std::function<void()> routine, std::stop_token stop) {
  if (QThread::currentThread() == Receiver_.thread()) {
    // Already on the main thread: waiting for the loop would wait for ourselves.
    if (!stop.stop_requested()) routine();
    return;
  }
  auto ticket = std::make_shared<TscHandoverTicket>(std::move(routine), std::move(stop));
  // The queued call keeps the ticket alive: after a stop it may run long after this wait
  // has ended, and then finds the routine dropped.
  QMetaObject::invokeMethod(&Receiver_, [ticket] { ticket->Run(); }, Qt::QueuedConnection);
  ticket->Wait();
}
