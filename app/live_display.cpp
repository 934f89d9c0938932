#include "app/live_display.h"

#include <QCoreApplication>

void TLiveDisplay::SetRawValues(std::string_view text) {
  RawValuesText_.assign(text);
  RawValuesChanged_ = true;
}

void TLiveDisplay::SetSampleCount(int64_t count) {
  Count_ = count;
  CountChanged_ = true;
}

void TLiveDisplay::Flush() {
  if (RawValuesChanged_) {
    RawValues_->setText(QString::fromLatin1(RawValuesText_.data(), qsizetype(RawValuesText_.size())));
    RawValuesChanged_ = false;
  }
  if (CountChanged_) {
    SampleCount_->setText(QString::number(Count_));
    CountChanged_ = false;
  }
}

void TLiveDisplay::ProcessMessagesWhenDue() {
  if (SinceMessages_.isValid() && SinceMessages_.elapsed() < kIntervalMs) return;
  FlushSoon();
  QCoreApplication::processEvents();
  SinceMessages_.start();
}

void TLiveDisplay::ProcessMessages() {
  Flush();
  QCoreApplication::processEvents();
  SinceMessages_.start();
}
