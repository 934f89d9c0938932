#include "serial/comm_thread.h"

#include <chrono>

#include "serial/comm.h"
#include "serial/msg_thread.h"

TCommThread::TCommThread(TscComm& comm, TscPortDevice& port, TMsgThread& target)
    : Comm_(comm), Port_(port), Target_(target), Thread_([this](std::stop_token stop) { Run(stop); }) {}

void TCommThread::RequestStop() {
  Thread_.request_stop();
  Port_.CancelWait();
}

void TCommThread::Run(std::stop_token stop) {
  while (!stop.stop_requested() && Comm_.Active()) {
    uint32_t mask = 0;
    switch (Port_.WaitCommEvent(mask)) {
      case wrCancelled: return;
      case wrFailed:
        // The device is gone: the port closes without a report.
        Post({mkPortFailed, 0}, stop);
        return;
      case wrEvent: break;
    }
    if (mask != 0 && !Post({mkComEvent, mask}, stop)) return;
  }
}

bool TCommThread::Post(TscMessage message, const std::stop_token& stop) {
  while (!stop.stop_requested() && Comm_.Active()) {
    if (Target_.Post(message)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}
