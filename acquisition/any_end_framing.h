#pragma once
// Cuts the received byte stream into lines the way boards end them: LF alone (Zephyr,
// ESP-IDF, MicroPython, printf("...\n")), CR LF, or CR alone. A CR followed by LF is
// one end, also when the two arrive in different blocks. Each completed line goes,
// without its end, to a line receiver.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "acquisition/line_framing.h"

class TAnyEndFraming {
 public:
  explicit TAnyEndFraming(TLineReceiver& receiver) : Receiver_(receiver) {}

  // Frames the bytes in order. An error raised while a line is processed leaves here
  // with that line's text discarded; the rest of the block is not framed, nor is it
  // when the receiver declines further lines of the block.
  void Feed(const uint8_t* data, size_t count);

  // Forgets the line begun so far (the device went away).
  void DropPendingLine() {
    PendingLine_.Clear();
    AfterCr_ = false;
  }

  std::string_view PendingLine() const { return PendingLine_.Text(); }

 private:
  TLineReceiver& Receiver_;
  TPendingLine PendingLine_;
  bool AfterCr_ = false;  // the last byte ended a line with CR: an LF now belongs to it
};
