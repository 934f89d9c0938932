#pragma once
// The time at which each line was received, in seconds since Start. A received block
// carries the clock reading of its arrival; its lines share the time since the block
// before evenly, the last line at the block's arrival. The times strictly grow even
// when two blocks carry the same reading, so that a time axis never runs backwards.

#include <cstdint>

class TArrivalTimes {
 public:
  // Start: the block before the first one arrived at 0.
  void Restart();
  // A replay: the lines are taken to arrive at this many per second, whatever the blocks
  // say; 0 goes back to the blocks' arrival.
  void SetLineRate(double linesPerSecond);

  // A block arrived at the given time carrying this many complete lines.
  void BeginBlock(double arrivalSeconds, int64_t lines);
  // The time of the block's next line.
  double NextLine();
  // The newest time handed out (0 before the first line).
  double Latest() const { return Latest_; }

 private:
  double LineRate_ = 0;
  int64_t LinesSinceStart_ = 0;
  double BlockStart_ = 0;  // arrival of the block before
  double BlockEnd_ = 0;
  int64_t BlockLines_ = 0;
  int64_t LineInBlock_ = 0;
  double Latest_ = 0;
};
