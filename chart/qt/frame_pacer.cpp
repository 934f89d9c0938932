#include "chart/qt/frame_pacer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <utility>
#include <vector>

// The one clock behind every pacer: a single timer, and the pacers waiting for it in the
// order they asked. It lives as long as the application object.
class TFrameClock : public QObject {
 public:
  explicit TFrameClock(QObject* parent) : QObject(parent) {
    Timer_.setSingleShot(true);
    Timer_.setTimerType(Qt::PreciseTimer);
    connect(&Timer_, &QTimer::timeout, this, [this] { Tick(); });
    Waiting_.reserve(8);
    Serving_.reserve(8);
  }

  static TFrameClock* Instance() {
    static QPointer<TFrameClock> clock;
    if (!clock && QCoreApplication::instance()) clock = new TFrameClock(QCoreApplication::instance());
    return clock;
  }

  void Add(TFramePacer* pacer) {
    Waiting_.push_back(pacer);
    if (Timer_.isActive()) return;
    const qint64 since = SinceTick_.isValid() ? SinceTick_.elapsed() : TFramePacer::kFrameIntervalMs;
    Timer_.start(int(std::max<qint64>(0, TFramePacer::kFrameIntervalMs - since)));
  }

  void Remove(TFramePacer* pacer) {
    for (std::vector<TFramePacer*>* list : {&Waiting_, &Serving_}) {
      list->erase(std::remove(list->begin(), list->end(), pacer), list->end());
    }
    if (Waiting_.empty()) Timer_.stop();
  }

 private:
  void Tick() {
    SinceTick_.start();
    // A job may ask for the next frame, or end another pacer, while the frame is served.
    std::swap(Waiting_, Serving_);
    while (!Serving_.empty()) {
      TFramePacer* pacer = Serving_.front();
      Serving_.erase(Serving_.begin());
      pacer->Pending_ = false;
      pacer->Job_();
    }
  }

  QTimer Timer_;
  QElapsedTimer SinceTick_;
  std::vector<TFramePacer*> Waiting_;
  std::vector<TFramePacer*> Serving_;
};

TFramePacer::TFramePacer(std::function<void()> job) : Job_(std::move(job)) {}

TFramePacer::~TFramePacer() {
  if (!Pending_) return;
  if (TFrameClock* clock = TFrameClock::Instance()) clock->Remove(this);
}

void TFramePacer::Request() {
  if (Pending_) return;
  TFrameClock* clock = TFrameClock::Instance();
  if (!clock) return;  // no event loop to serve it
  Pending_ = true;
  clock->Add(this);
}

void TFramePacer::RunPending() {
  if (!Pending_) return;
  if (TFrameClock* clock = TFrameClock::Instance()) clock->Remove(this);
  Pending_ = false;
  Job_();
}
