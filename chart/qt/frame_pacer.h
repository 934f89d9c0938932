#pragma once
// Paces work that only the eye sees to the screen: a job asked for any number of times
// runs at most once per frame interval (60 times a second). The first request after a
// quiet spell runs it at the next turn of the event loop; requests within an interval
// of the last run wait for its end and are served together. Without requests nothing runs.

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

class TFramePacer {
 public:
  static constexpr int kFrameIntervalMs = 16;

  explicit TFramePacer(std::function<void()> job);

  void Request();
  // Whether a job waits for its frame.
  bool Pending() const { return Timer_.isActive(); }
  // Runs a waiting job now.
  void RunPending();

 private:
  void Run();

  std::function<void()> Job_;
  QTimer Timer_;
  QElapsedTimer SinceRun_;
};
