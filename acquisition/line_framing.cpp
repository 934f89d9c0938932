#include "acquisition/line_framing.h"

#include <cstring>

TLineFraming::TLineFraming(TLineReceiver& receiver, std::string_view terminator)
    : Receiver_(receiver), Terminator_(terminator) {
  PendingLine_.reserve(256);
}

void TLineFraming::Feed(const uint8_t* data, size_t count) {
  const uint8_t* p = data;
  const uint8_t* const end = data + count;
  const uint8_t first = uint8_t(Terminator_[0]);
  while (p < end) {
    if (TerminatorPos_ == 0) {
      // Fast path: everything up to the next first terminator character is line text.
      const void* hit = std::memchr(p, first, size_t(end - p));
      const uint8_t* stop = hit ? static_cast<const uint8_t*>(hit) : end;
      Append(p, size_t(stop - p));
      p = stop;
      if (p == end) break;
    }
    const uint8_t b = *p++;
    if (b == uint8_t(Terminator_[TerminatorPos_])) {
      if (TerminatorPos_ + 1 >= Terminator_.size()) {
        if (!CompleteLine()) return;
      } else {
        ++TerminatorPos_;
      }
    } else {
      // A partial terminator match is lost; the byte is taken as it is, without
      // comparing it again against the first terminator character.
      TerminatorPos_ = 0;
      Append(&b, 1);
    }
  }
}

void TLineFraming::DropPendingLine() {
  PendingLine_.clear();
  TerminatorPos_ = 0;
}

void TLineFraming::Append(const uint8_t* bytes, size_t count) {
  while (count > 0) {
    const size_t room = MaxPendingLine - PendingLine_.size();
    const size_t take = count < room ? count : room;
    PendingLine_.append(reinterpret_cast<const char*>(bytes), take);
    bytes += take;
    count -= take;
    if (PendingLine_.size() == MaxPendingLine) PendingLine_.clear();
  }
}

bool TLineFraming::CompleteLine() {
  bool goOn = true;
  try {
    goOn = Receiver_.ProcessLine(PendingLine_);
  } catch (...) {
    // The failed line must not become the prefix of the next one.
    PendingLine_.clear();
    TerminatorPos_ = 0;
    throw;
  }
  PendingLine_.clear();
  TerminatorPos_ = 0;
  return goOn;
}
