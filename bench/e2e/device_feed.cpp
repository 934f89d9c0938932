#include "bench/e2e/device_feed.h"

#include <QElapsedTimer>
#include <QRegularExpression>
#include <cerrno>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>
#include <vector>

#include "tools/line_source.h"
#include "tools/sim_options.h"

TSimulatorProcess::TSimulatorProcess(const QStringList& arguments) {
  Process_.start(QStringLiteral(TAVOLIX_SIM), arguments);
  if (!Process_.waitForStarted(5000)) {
    throw std::runtime_error("tavolix-sim does not start: " + Process_.errorString().toStdString());
  }
  while (!Process_.canReadLine()) {
    if (!Process_.waitForReadyRead(5000)) throw std::runtime_error("tavolix-sim names no pseudo-terminal");
  }
  DevicePath_ = QString::fromLocal8Bit(Process_.readLine()).trimmed();
  Process_.setReadChannel(QProcess::StandardError);
}

TSimulatorProcess::~TSimulatorProcess() {
  if (Process_.state() == QProcess::NotRunning) return;
  Process_.terminate();  // the simulator ends on SIGTERM
  if (!Process_.waitForFinished(5000)) Process_.kill();
}

std::optional<int64_t> TSimulatorProcess::Written() {
  Report_ += QString::fromLocal8Bit(Process_.readAllStandardError());
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("(\\d+) lines? written")).match(Report_);
  if (!m.hasMatch()) return std::nullopt;
  return m.captured(1).toLongLong();
}

bool TSimulatorProcess::Finished() { return Written() || Process_.state() == QProcess::NotRunning; }

std::optional<int64_t> TSimulatorProcess::WaitWritten(int timeoutMs) {
  // The simulator reports when it has written everything, then waits for the port to close.
  QElapsedTimer timer;
  timer.start();
  while (!Finished() && timer.elapsed() < timeoutMs) Process_.waitForReadyRead(100);
  return Written();
}

TWriterThread::TWriterThread(const QStringList& arguments) : DevicePath_(QString::fromStdString(Pty_.SlavePath())) {
  std::vector<std::string> args;
  for (const QString& a : arguments) args.push_back(a.toStdString());
  const TSimOptions o = ParseSimOptions(args);
  if (o.Count <= 0) throw std::runtime_error("the writer thread needs --count");
  const TLineSource source = LineSourceFor(o);
  char line[TLineSource::MaxLineBytes];
  for (int64_t n = 1; n <= o.Count; ++n) Bytes_.append(line, source.Write(n, line));
  Lines_ = o.Count;
  Thread_ = std::thread([this] { Write(); });
}

TWriterThread::~TWriterThread() {
  Cancel_ = true;
  Thread_.join();
}

void TWriterThread::Write() {
  size_t done = 0;
  while (done < Bytes_.size() && !Cancel_) {
    const ssize_t n = ::write(Pty_.Master(), Bytes_.data() + done, Bytes_.size() - done);
    if (n > 0) {
      done += size_t(n);
    } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
      break;
    } else {
      pollfd p{Pty_.Master(), POLLOUT, 0};
      poll(&p, 1, 50);
    }
  }
  Complete_ = done == Bytes_.size();
  Ended_ = true;
}

bool TWriterThread::Finished() { return Ended_; }

std::optional<int64_t> TWriterThread::WaitWritten(int timeoutMs) {
  QElapsedTimer timer;
  timer.start();
  while (!Ended_ && timer.elapsed() < timeoutMs) usleep(1000);
  if (!Ended_ || !Complete_) return std::nullopt;
  return Lines_;
}
