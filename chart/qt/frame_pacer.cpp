#include "chart/qt/frame_pacer.h"

#include <algorithm>
#include <utility>

TFramePacer::TFramePacer(std::function<void()> job) : Job_(std::move(job)) {
  Timer_.setSingleShot(true);
  Timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&Timer_, &QTimer::timeout, &Timer_, [this] { Run(); });
}

void TFramePacer::Request() {
  if (Timer_.isActive()) return;
  const qint64 since = SinceRun_.isValid() ? SinceRun_.elapsed() : kFrameIntervalMs;
  Timer_.start(int(std::max<qint64>(0, kFrameIntervalMs - since)));
}

void TFramePacer::RunPending() {
  if (!Timer_.isActive()) return;
  Timer_.stop();
  Run();
}

void TFramePacer::Run() {
  SinceRun_.start();
  Job_();
}
