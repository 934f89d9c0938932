#pragma once
// Paces work that only the eye sees to the screen: a job asked for any number of times
// runs at most once per frame interval, 30 times a second. That is smooth for a curve
// that moves on, while a frame of the whole window costs about a millisecond of a core:
// 60 frames would double that for little a line plot gains. All pacers of the program
// share one frame clock, so the chart, the labels and the analysis windows are served in
// one wake-up and their repaints reach the window system together. The first request
// after a quiet spell runs at the next turn of the event loop; requests within an
// interval of the last frame wait for its end. Without requests nothing runs.

#include <functional>

class TFramePacer {
 public:
  static constexpr int kFrameIntervalMs = 33;

  explicit TFramePacer(std::function<void()> job);
  ~TFramePacer();
  TFramePacer(const TFramePacer&) = delete;
  TFramePacer& operator=(const TFramePacer&) = delete;

  void Request();
  // Whether a job waits for its frame.
  bool Pending() const { return Pending_; }
  // Runs a waiting job now.
  void RunPending();

 private:
  friend class TFrameClock;

  std::function<void()> Job_;
  bool Pending_ = false;
};
