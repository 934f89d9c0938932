#include "acquisition/any_end_framing.h"

void TAnyEndFraming::Feed(const uint8_t* data, size_t count) {
  const uint8_t* p = data;
  const uint8_t* const end = data + count;
  while (p < end) {
    if (AfterCr_) {
      AfterCr_ = false;
      if (*p == '\n') {
        ++p;
        continue;
      }
    }
    const uint8_t* stop = p;
    while (stop < end && *stop != '\r' && *stop != '\n') ++stop;
    PendingLine_.Append(p, size_t(stop - p));
    if (stop == end) return;
    AfterCr_ = *stop == '\r';
    p = stop + 1;
    if (!PendingLine_.HandTo(Receiver_)) return;
  }
}
