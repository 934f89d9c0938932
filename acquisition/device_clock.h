#pragma once
// The device's own timestamp as the time axis of the "Auto" mode: a field named "t" or
// "time" counts seconds, one named "ms" milliseconds. The axis counts from the first
// timestamp since Start, so that the curve begins at the left edge as with arrival
// times, and it never runs backwards: a timestamp below the one before (a device that
// restarted and counts from 0 again) adds no time.

#include <string_view>

// Seconds per unit of a timestamp field of this name (case ignored); 0 for other names.
double TimestampUnit(std::string_view fieldName);

class TDeviceClock {
 public:
  // Start: no timestamp seen yet.
  void Restart();
  // A timestamp read from a line, in seconds; returns the time axis's x for it. The
  // first timestamp since Start sits at from: the x the curve has reached so far.
  double Take(double stampSeconds, double from);

 private:
  bool Started_ = false;
  double LastStamp_ = 0;
  double Latest_ = 0;
};
