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

void TLiveDisplay::SetSkippedLines(int64_t count) {
  SkippedChanged_ = SkippedChanged_ || count != Skipped_;
  Skipped_ = count;
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
  if (SkippedChanged_) {
    SkippedLines_->setText(Skipped_ == 0 ? QString()
                                         : QStringLiteral("<a href=\"skipped\">%1 %2 übersprungen</a>")
                                               .arg(Skipped_)
                                               .arg(Skipped_ == 1 ? QStringLiteral("Zeile") : QStringLiteral("Zeilen")));
    SkippedChanged_ = false;
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
