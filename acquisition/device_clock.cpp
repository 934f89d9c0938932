#include "acquisition/device_clock.h"

#include <cctype>
#include <cmath>

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) return false;
  }
  return true;
}

}  // namespace

double TimestampUnit(std::string_view fieldName) {
  if (SameLetters(fieldName, "t") || SameLetters(fieldName, "time")) return 1;
  if (SameLetters(fieldName, "ms")) return 0.001;
  return 0;
}

void TDeviceClock::Restart() {
  Started_ = false;
  LastStamp_ = 0;
  Latest_ = 0;
}

double TDeviceClock::Take(double stampSeconds, double from) {
  if (!std::isfinite(stampSeconds)) return Started_ ? Latest_ : from;
  if (!Started_) {
    Latest_ = from;
  } else if (stampSeconds > LastStamp_) {
    Latest_ += stampSeconds - LastStamp_;
  }
  Started_ = true;
  LastStamp_ = stampSeconds;
  return Latest_;
}
