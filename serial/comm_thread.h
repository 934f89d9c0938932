#pragma once
// The event-wait thread of an open port: waits for port events and posts each one to
// the message thread.

#include <stop_token>
#include <thread>

#include "serial/message_queue.h"

class TscComm;
class TscPortDevice;
class TMsgThread;

class TCommThread {
 public:
  TCommThread(TscComm& comm, TscPortDevice& port, TMsgThread& target);
  // Stops and joins.
  ~TCommThread() { RequestStop(); }

  void RequestStop();

 private:
  void Run(std::stop_token stop);
  // Retries every millisecond while the target refuses; false when stopped or closed.
  bool Post(TscMessage message, const std::stop_token& stop);

  TscComm& Comm_;
  TscPortDevice& Port_;
  TMsgThread& Target_;
  std::jthread Thread_;  // last: runs once the members above exist
};
