#include "acquisition/arrival_times.h"

#include <cmath>
#include <limits>

void TArrivalTimes::Restart() {
  LinesSinceStart_ = 0;
  BlockStart_ = 0;
  BlockEnd_ = 0;
  BlockLines_ = 0;
  LineInBlock_ = 0;
  Latest_ = 0;
}

void TArrivalTimes::SetLineRate(double linesPerSecond) { LineRate_ = linesPerSecond > 0 ? linesPerSecond : 0; }

void TArrivalTimes::BeginBlock(double arrivalSeconds, int64_t lines) {
  BlockStart_ = BlockEnd_;
  // A clock that stepped back must not draw the curve backwards.
  BlockEnd_ = arrivalSeconds > BlockStart_ ? arrivalSeconds : BlockStart_;
  BlockLines_ = lines;
  LineInBlock_ = 0;
}

double TArrivalTimes::NextLine() {
  ++LinesSinceStart_;
  ++LineInBlock_;
  double t = 0;
  if (LineRate_ > 0) {
    t = double(LinesSinceStart_) / LineRate_;
  } else if (LineInBlock_ >= BlockLines_) {
    t = BlockEnd_;
  } else {
    t = BlockStart_ + (BlockEnd_ - BlockStart_) * double(LineInBlock_) / double(BlockLines_);
  }
  // Equal readings (a coarse clock, two blocks at once) still give growing times.
  if (t <= Latest_) t = std::nextafter(Latest_, std::numeric_limits<double>::infinity());
  Latest_ = t;
  return t;
}
