#pragma once
// The device at the far end of COM5's pseudo-terminal, in two kinds: tavolix-sim as a
// child process, the device a user runs; or a writer thread of this program that sends
// the same lines, composed before the run, as fast as the pseudo-terminal takes them.
// The thread measures the window alone: no pacing, no formatting while it runs and no
// second process competing for the cores.

#include <QProcess>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "tools/pseudo_terminal.h"

class TDeviceFeed {
 public:
  virtual ~TDeviceFeed() = default;
  virtual const QString& DevicePath() const = 0;
  // Whether all lines are written.
  virtual bool Finished() = 0;
  // Waits until all are written; then the lines it wrote, none when it cannot say.
  virtual std::optional<int64_t> WaitWritten(int timeoutMs) = 0;
};

// Both take tavolix-sim's arguments, --count among them, start writing at once, and
// throw std::runtime_error when the device cannot be had.
class TSimulatorProcess final : public TDeviceFeed {
 public:
  explicit TSimulatorProcess(const QStringList& arguments);
  ~TSimulatorProcess() override;

  const QString& DevicePath() const override { return DevicePath_; }
  bool Finished() override;
  std::optional<int64_t> WaitWritten(int timeoutMs) override;

 private:
  // The count from the simulator's report, once it has given it.
  std::optional<int64_t> Written();

  QProcess Process_;
  QString DevicePath_;
  QString Report_;
};

class TWriterThread final : public TDeviceFeed {
 public:
  explicit TWriterThread(const QStringList& arguments);
  ~TWriterThread() override;

  const QString& DevicePath() const override { return DevicePath_; }
  bool Finished() override;
  std::optional<int64_t> WaitWritten(int timeoutMs) override;

 private:
  void Write();

  TPseudoTerminal Pty_;
  QString DevicePath_;
  std::string Bytes_;
  int64_t Lines_ = 0;
  std::atomic<bool> Ended_ = false;
  std::atomic<bool> Complete_ = false;  // every byte written
  std::atomic<bool> Cancel_ = false;
  std::thread Thread_;
};
