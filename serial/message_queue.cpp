#include "serial/message_queue.h"

void TscMessageQueue::Open() {
  std::lock_guard lock(Mutex_);
  Open_ = true;
}

bool TscMessageQueue::Post(TscMessage message) {
  {
    std::lock_guard lock(Mutex_);
    if (!Open_ || Count_ == Capacity) return false;
    Ring_[(Head_ + Count_) % Capacity] = message;
    ++Count_;
  }
  Posted_.notify_one();
  return true;
}

bool TscMessageQueue::Take(TscMessage& message, std::stop_token stop) {
  std::unique_lock lock(Mutex_);
  if (!Posted_.wait(lock, stop, [this] { return Count_ > 0; })) return false;
  message = Ring_[Head_];
  Head_ = (Head_ + 1) % Capacity;
  --Count_;
  return true;
}
