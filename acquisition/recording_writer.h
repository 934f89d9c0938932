#pragma once
// Writes a recording's text to its file on a worker thread, so that the receive path
// never waits on the disk. Rows are appended to the text being collected; a full chunk,
// or one that has waited for a while, is handed to the worker, which writes it and gives
// it back for reuse. Once warm, nothing is allocated unless the disk falls behind.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "chart/record_file.h"

class TRecordingWriter {
 public:
  // Text handed to the worker at a time.
  static constexpr size_t kChunkSize = 256 * 1024;
  // The disk may fall this far behind (chunks written out late) before the recording
  // gives up rather than take ever more memory.
  static constexpr size_t kMaxChunks = 256;
  // Longer than any row, so that appending a row never grows a chunk.
  static constexpr size_t kRowRoom = 16 * 1024;

  // Creates or truncates the file; raises EGChartError with the reason.
  explicit TRecordingWriter(const std::string& path);
  // Closes as Close does; an error then goes unreported.
  ~TRecordingWriter();
  TRecordingWriter(const TRecordingWriter&) = delete;
  TRecordingWriter& operator=(const TRecordingWriter&) = delete;

  // The text being collected: append whole rows, then call RowAdded.
  std::string& Text() { return *Collecting_; }
  void RowAdded() {
    if (Collecting_->size() >= kChunkSize) HandOver();
  }
  // Hands over what has been collected, so that a slow stream reaches the disk too.
  void HandOver();

  // Writing has failed (or the disk fell too far behind); rows added since are dropped.
  bool Failed() const { return Failed_.load(std::memory_order_acquire); }
  // Writes what is left, ends the worker and closes the file. Returns why the recording
  // failed, in German, or an empty text when every row reached the file.
  std::string Close();

 private:
  std::unique_ptr<std::string> NewChunk() const;
  void Fail(const std::string& reason);
  void WriteChunks();

  const std::string Path_;
  TFileWriter File_;
  std::unique_ptr<std::string> Collecting_;

  std::mutex Mutex_;
  std::condition_variable Wake_;
  std::vector<std::unique_ptr<std::string>> Full_;  // oldest first
  std::vector<std::unique_ptr<std::string>> Free_;
  size_t Chunks_ = 0;  // chunks made so far
  bool Closing_ = false;
  std::string Error_;  // set before Failed_
  std::atomic<bool> Failed_{false};
  std::thread Worker_;
};
