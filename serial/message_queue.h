#pragma once
// The message thread's queue: bounded, and refusing posts until its thread runs, so that
// a poster retries as it would with a thread whose queue is not there yet or is full.

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <stop_token>

enum TscMessageKind : uint8_t {
  mkComEvent,  // a port event, with its mask
  mkPortFailed  // the event wait failed: close the port
};

struct TscMessage {
  TscMessageKind Kind = mkComEvent;
  uint32_t EventMask = 0;
};

class TscMessageQueue {
 public:
  static constexpr size_t Capacity = 10000;

  // Called by the receiving thread once it runs; posts fail before.
  void Open();
  // False when the queue is not open yet or full.
  bool Post(TscMessage message);
  // Waits for the next message; false when a stop is requested first.
  bool Take(TscMessage& message, std::stop_token stop);

 private:
  std::mutex Mutex_;
  std::condition_variable_any Posted_;
  bool Open_ = false;
  std::array<TscMessage, Capacity> Ring_{};
  size_t Head_ = 0;  // next to take
  size_t Count_ = 0;
};
