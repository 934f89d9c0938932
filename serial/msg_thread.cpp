#include "serial/msg_thread.h"

#include "serial/comm.h"

TMsgThread::TMsgThread(TscComm& comm, TscMainThreadHandover* handover)
    : Comm_(comm), Handover_(handover), Thread_([this](std::stop_token stop) { Run(stop); }) {}

void TMsgThread::Run(std::stop_token stop) {
  Queue_.Open();
  TscMessage message;
  while (Comm_.Active() && Queue_.Take(message, stop)) {
    // The routines capture the component, not this thread: a routine that stops the
    // port from inside itself outlives the thread that handed it over.
    TscComm* comm = &Comm_;
    const uint32_t mask = message.EventMask;
    switch (message.Kind) {
      case mkComEvent: Process([comm, mask] { comm->ProcessComEvent(mask); }, stop); break;
      // Closed where deliveries run, so that the close never overlaps one.
      case mkPortFailed: Process([comm] { comm->CloseFailedDevice(); }, stop); break;
    }
  }
}

void TMsgThread::Process(std::function<void()> routine, const std::stop_token& stop) {
  if (Comm_.UseMainThread() && Handover_) {
    Handover_->Synchronize(std::move(routine), stop);
  } else if (!stop.stop_requested()) {
    routine();
  }
}
