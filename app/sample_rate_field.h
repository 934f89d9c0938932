#pragma once
// The field for the sample rate in Hz that the analysis windows share: empty while it is
// unknown (frequencies then count cycles per sample). What one window takes, all show.

#include <QLineEdit>
#include <functional>

class TAnalysisFeed;

class TSampleRateField final : public QLineEdit {
 public:
  // error shows why a text is no sample rate.
  TSampleRateField(TAnalysisFeed& feed, std::function<void(const QString&)> error, QWidget* parent);
  // Shows the feed's rate unless the user is typing.
  void ShowRate();

 private:
  void Take();

  TAnalysisFeed& Feed_;
  std::function<void(const QString&)> Error_;
};
