#pragma once
// The per-line updates of the window during an acquisition: the raw values, the line
// counter and the processing of pending messages. At tens of thousands of lines per
// second, setting a label or letting the window system repaint for every line costs
// more than the line itself, while nobody can see more than the screen shows: so the
// texts are kept and written to their labels at most once per frame, and pending
// messages are processed at most once per interval while a block is read.

#include <QLabel>
#include <QElapsedTimer>
#include <cstdint>
#include <string>
#include <string_view>

#include "chart/qt/frame_pacer.h"

class TLiveDisplay {
 public:
  static constexpr int kIntervalMs = 15;

  TLiveDisplay(QLabel*& rawValues, QLabel*& sampleCount, QLabel*& skippedLines)
      : RawValues_(rawValues), SampleCount_(sampleCount), SkippedLines_(skippedLines) {}

  void SetRawValues(std::string_view text);
  void SetSampleCount(int64_t count);
  // Shown as a link that asks for the last skipped line; nothing for 0.
  void SetSkippedLines(int64_t count);
  // Writes what changed to the labels at the next frame.
  void FlushSoon() { Frames_.Request(); }
  // Writes what changed to the labels now.
  void Flush();
  // Processes pending messages when the interval has passed since the last time.
  void ProcessMessagesWhenDue();
  // Flushes and processes pending messages now.
  void ProcessMessages();

 private:
  QLabel*& RawValues_;
  QLabel*& SampleCount_;
  QLabel*& SkippedLines_;
  std::string RawValuesText_;
  bool RawValuesChanged_ = false;
  int64_t Count_ = 0;
  bool CountChanged_ = false;
  int64_t Skipped_ = 0;
  bool SkippedChanged_ = false;
  QElapsedTimer SinceMessages_;
  TFramePacer Frames_{[this] { Flush(); }};
};
