#include "acquisition/recording_writer.h"

#include <algorithm>

namespace {

// Chunks made when the recording opens; more only when the disk falls behind.
constexpr size_t kInitialChunks = 4;

}  // namespace

TRecordingWriter::TRecordingWriter(const std::string& path) : Path_(path), File_(path) {
  Full_.reserve(kMaxChunks);
  Free_.reserve(kMaxChunks);
  Collecting_ = NewChunk();
  for (size_t i = 1; i < kInitialChunks; ++i) Free_.push_back(NewChunk());
  Chunks_ = kInitialChunks;
  Worker_ = std::thread([this] { WriteChunks(); });
}

TRecordingWriter::~TRecordingWriter() {
  if (Worker_.joinable()) Close();
}

std::unique_ptr<std::string> TRecordingWriter::NewChunk() const {
  auto chunk = std::make_unique<std::string>();
  chunk->reserve(kChunkSize + kRowRoom);
  return chunk;
}

void TRecordingWriter::HandOver() {
  if (Collecting_->empty()) return;
  if (Failed()) {
    Collecting_->clear();
    return;
  }
  std::unique_ptr<std::string> next;
  {
    std::lock_guard lock(Mutex_);
    if (!Free_.empty()) {
      next = std::move(Free_.back());
      Free_.pop_back();
    } else if (Chunks_ < kMaxChunks) {
      ++Chunks_;
    } else {
      // Waiting for the disk would stall the plot; taking more memory would not end.
      Error_ = "Die Aufzeichnung in \"" + Path_ + "\" wurde beendet: der Datenträger schreibt langsamer, als die Daten kommen";
      Failed_.store(true, std::memory_order_release);
      Collecting_->clear();
      return;
    }
    Full_.push_back(std::move(Collecting_));
  }
  Wake_.notify_one();
  Collecting_ = next ? std::move(next) : NewChunk();
}

void TRecordingWriter::Fail(const std::string& reason) {
  std::lock_guard lock(Mutex_);
  if (Failed()) return;
  Error_ = "Die Aufzeichnung in \"" + Path_ + "\" wurde beendet: " + reason;
  Failed_.store(true, std::memory_order_release);
}

void TRecordingWriter::WriteChunks() {
  std::unique_lock lock(Mutex_);
  for (;;) {
    Wake_.wait(lock, [this] { return !Full_.empty() || Closing_; });
    if (Full_.empty()) return;
    std::unique_ptr<std::string> chunk = std::move(Full_.front());
    Full_.erase(Full_.begin());
    lock.unlock();
    if (!Failed()) {
      try {
        File_.Write(chunk->data(), chunk->size());
      } catch (const EGChartError& e) {
        Fail(e.what());
      }
    }
    chunk->clear();
    lock.lock();
    Free_.push_back(std::move(chunk));
  }
}

std::string TRecordingWriter::Close() {
  if (!Worker_.joinable()) return Error_;
  HandOver();
  {
    std::lock_guard lock(Mutex_);
    Closing_ = true;
  }
  Wake_.notify_one();
  Worker_.join();
  try {
    File_.Close();
  } catch (const EGChartError& e) {
    Fail(e.what());
  }
  return Error_;
}
