#pragma once
// Cuts the received byte stream into lines ended by a terminator (CR LF here) and hands
// each completed line, without its terminator, to a line receiver.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class TLineReceiver {
 public:
  virtual ~TLineReceiver() = default;
  // The view is valid only during the call. Returning false drops the rest of the block
  // the line came in.
  virtual bool ProcessLine(std::string_view line) = 0;
};

// The text received since the last completed line.
class TPendingLine {
 public:
  // A stream that never ends a line (wrong baud rate, binary data) must not grow memory
  // without end: the pending text is dropped when it reaches this length.
  static constexpr size_t MaxLength = 64 * 1024;

  TPendingLine() { Text_.reserve(256); }
  void Append(const uint8_t* bytes, size_t count);
  // Hands the text to the receiver and empties it afterwards, also when the receiver
  // throws: a failed line must not become the prefix of the next one.
  bool HandTo(TLineReceiver& receiver);
  std::string_view Text() const { return Text_; }
  void Clear() { Text_.clear(); }

 private:
  std::string Text_;
};

class TLineFraming {
 public:
  static constexpr size_t MaxPendingLine = TPendingLine::MaxLength;

  explicit TLineFraming(TLineReceiver& receiver, std::string_view terminator = "\r\n");

  // Frames the bytes in order. An error raised while a line is processed leaves here;
  // that line's text is discarded first and matching restarts at the terminator's
  // first character, and the rest of the block is not framed. A receiver that declines
  // further lines of the block has the rest of the block dropped the same way.
  void Feed(const uint8_t* data, size_t count);

  // Forgets the line begun so far: the stream it came from has ended (a device that went
  // away), and what follows is no continuation of it.
  void DropPendingLine();

  std::string_view PendingLine() const { return PendingLine_.Text(); }
  // 1-based index of the terminator character expected next.
  int TerminatorPos() const { return int(TerminatorPos_) + 1; }

 private:
  TLineReceiver& Receiver_;
  const std::string Terminator_;
  size_t TerminatorPos_ = 0;  // 0-based here
  TPendingLine PendingLine_;
};
