#include "tests/serial/fake_port.h"

#include <algorithm>
#include <cstring>
#include <utility>

class TFakeDevice final : public TscPortDevice {
 public:
  explicit TFakeDevice(TFakePlatform& line) : Line_(line) { ++Line_.OpenDevices; }
  ~TFakeDevice() override { --Line_.OpenDevices; }

  bool ClearCommError(uint32_t& errors, TComStat& stat) override {
    std::lock_guard lock(Line_.Mutex_);
    errors = std::exchange(Line_.Errors_, 0);
    stat = {Line_.HoldFlags, uint32_t(Line_.Input.size()), 0};
    return true;
  }
  void SetupComm(uint32_t in, uint32_t out) override { Line_.Queues.emplace_back(in, out); }
  void SetCommTimeouts(const TCommTimeouts& t) override { Line_.Timeouts.push_back(t); }
  void SetCommState(const TDcb& dcb) override { Line_.States.push_back(dcb); }
  void SetCommMask(uint32_t mask) override { Line_.Masks.push_back(mask); }
  TscWaitResult WaitCommEvent(uint32_t& mask) override {
    std::unique_lock lock(Line_.Mutex_);
    Line_.Changed_.wait(lock, [this] { return Line_.Cancelled_ || Line_.Failed_ || !Line_.Events_.empty(); });
    if (Line_.Cancelled_) return wrCancelled;
    if (Line_.Failed_) return wrFailed;
    mask = Line_.Events_.front();
    Line_.Events_.pop_front();
    return wrEvent;
  }
  void CancelWait() override {
    std::lock_guard lock(Line_.Mutex_);
    Line_.Cancelled_ = true;
    Line_.Changed_.notify_all();
  }
  bool Read(uint8_t* buffer, uint32_t count, uint32_t& read) override {
    std::lock_guard lock(Line_.Mutex_);
    read = std::min<uint32_t>(count, uint32_t(Line_.Input.size()));
    std::memcpy(buffer, Line_.Input.data(), read);
    Line_.Input.erase(0, read);
    return true;
  }
  void PurgeComm(uint32_t flags) override {
    Line_.Purges.push_back(flags);
    std::lock_guard lock(Line_.Mutex_);
    if (flags & PURGE_RXCLEAR) Line_.Input.clear();
  }
  void SetRts(bool on) override { Line_.Rts.push_back(on); }
  TModemSignals ModemStatus() override { return Line_.Modem; }

 private:
  TFakePlatform& Line_;
};

std::unique_ptr<TscPortDevice> TFakePlatform::Open(const std::string& path, TscOpenFailure& failure) {
  if (OpenError != 0) {
    failure = {OpenError, OpenDetail};
    return nullptr;
  }
  Opened.push_back(path);
  std::lock_guard lock(Mutex_);
  Cancelled_ = Failed_ = false;
  Events_.clear();
  return std::make_unique<TFakeDevice>(*this);
}

void TFakePlatform::Receive(const std::string& bytes, uint32_t eventMask) {
  {
    std::lock_guard lock(Mutex_);
    Input += bytes;
  }
  Signal(eventMask);
}

void TFakePlatform::Signal(uint32_t eventMask) {
  std::lock_guard lock(Mutex_);
  Events_.push_back(eventMask);
  Changed_.notify_all();
}

void TFakePlatform::LineError(uint32_t errors, const std::string& bytes) {
  {
    std::lock_guard lock(Mutex_);
    Errors_ |= errors;
  }
  Receive(bytes);
}

void TFakePlatform::FailWait() {
  std::lock_guard lock(Mutex_);
  Failed_ = true;
  Changed_.notify_all();
}
