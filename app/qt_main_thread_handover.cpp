#include "app/qt_main_thread_handover.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

TQtMainThreadHandover::TQtMainThreadHandover()
    : Queue_([this] {
        // Posted under the queue's lock, which the main thread takes before the event is
        // deleted: that orders the two for thread checkers that cannot see into Qt.
        QCoreApplication::postEvent(&Receiver_, new QEvent(QEvent::User));
      }) {}

void TQtMainThreadHandover::Synchronize(std::function<void()> routine, std::stop_token stop) {
  if (QThread::currentThread() == Receiver_.thread()) {
    // Already on the main thread: waiting for the loop would wait for ourselves.
    if (!stop.stop_requested()) routine();
    return;
  }
  Queue_.Synchronize(std::move(routine), std::move(stop));
}
