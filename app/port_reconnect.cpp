#include "app/port_reconnect.h"

#include "serial/posix/serial_device_list.h"

namespace {

// How often a device that went away is looked for.
constexpr int kRetryMs = 250;

}  // namespace

TPortReconnect::TPortReconnect(TscComm& comm, std::function<void()> reopened)
    : Comm_(comm),
      Reopened_(std::move(reopened)),
      ListenerId_(comm.AddListener([this](TscComm& c, int code) {
        // The stable name can only be found while the device is there.
        if (code != 2) return;
        File_ = c.OpenedFile();
        Link_ = StableDeviceLink(File_);
      })) {
  Timer_.setInterval(kRetryMs);
  connect(&Timer_, &QTimer::timeout, this, &TPortReconnect::TryNow);
}

TPortReconnect::~TPortReconnect() { Comm_.RemoveListener(ListenerId_); }

void TPortReconnect::Begin() { Timer_.start(); }

bool TPortReconnect::Cancel() {
  const bool waiting = Waiting();
  Timer_.stop();
  return waiting;
}

void TPortReconnect::TryNow() {
  if (!Waiting()) return;
  for (const std::string& file : {File_, Link_}) {
    // A device that is there but not ready yet (being probed, its access not yet set)
    // is tried again at the next round.
    if (file.empty() || !Comm_.Reopen(file)) continue;
    Timer_.stop();
    Reopened_();
    return;
  }
}
