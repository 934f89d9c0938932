#include "acquisition/line_framing.h"

#include <cstring>

void TPendingLine::Append(const uint8_t* bytes, size_t count) {
  while (count > 0) {
    const size_t room = MaxLength - Text_.size();
    const size_t take = count < room ? count : room;
    Text_.append(reinterpret_cast<const char*>(bytes), take);
    bytes += take;
    count -= take;
    if (Text_.size() == MaxLength) Text_.clear();
  }
}

bool TPendingLine::HandTo(TLineReceiver& receiver) {
  struct TClearAtEnd {
    std::string& Text;
    ~TClearAtEnd() { Text.clear(); }
  } clear{Text_};
  return receiver.ProcessLine(Text_);
}

TLineFraming::TLineFraming(TLineReceiver& receiver, std::string_view terminator)
    : Receiver_(receiver), Terminator_(terminator) {}

void TLineFraming::Feed(const uint8_t* data, size_t count) {
  const uint8_t* p = data;
  const uint8_t* const end = data + count;
  const uint8_t first = uint8_t(Terminator_[0]);
  while (p < end) {
    if (TerminatorPos_ == 0) {
      // Fast path: everything up to the next first terminator character is line text.
      const void* hit = std::memchr(p, first, size_t(end - p));
      const uint8_t* stop = hit ? static_cast<const uint8_t*>(hit) : end;
      PendingLine_.Append(p, size_t(stop - p));
      p = stop;
      if (p == end) break;
    }
    const uint8_t b = *p++;
    if (b == uint8_t(Terminator_[TerminatorPos_])) {
      if (TerminatorPos_ + 1 >= Terminator_.size()) {
        // Matching restarts at the first character whether or not the line fails.
        TerminatorPos_ = 0;
        if (!PendingLine_.HandTo(Receiver_)) return;
      } else {
        ++TerminatorPos_;
      }
    } else {
      // A partial terminator match is lost; the byte is taken as it is, without
      // comparing it again against the first terminator character.
      TerminatorPos_ = 0;
      PendingLine_.Append(&b, 1);
    }
  }
}

void TLineFraming::DropPendingLine() {
  PendingLine_.Clear();
  TerminatorPos_ = 0;
}
