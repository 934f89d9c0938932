#pragma once
// The real main window on the offscreen platform, reading COM5 from a pseudo-terminal.

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "app/user_dialogs.h"

// Before the application object exists: windows go to the offscreen platform unless
// the environment names another.
void UseOffscreenPlatform();

// Lets the event loop run until the condition holds or the time is up.
bool RunUntil(const std::function<bool()>& condition, int64_t timeoutMs);

// The resident memory of this process.
int64_t ResidentKiB();

// Messages to stderr; the save dialog names the recording's file (none: cancelled).
class TBenchDialogs final : public TUserDialogs {
 public:
  explicit TBenchDialogs(const QString& recordTo) : RecordTo_(recordTo) {}
  void ShowInformation(const QString& text) override { Stderr.ShowInformation(text); }
  void ShowError(const QString& text) override { Stderr.ShowError(text); }
  QString SaveFileName(const QString&, const QString&) override { return RecordTo_; }
  QString OpenFileName(const QString&, const QString&) override { return {}; }
  std::optional<QColor> ChooseColor(const QColor&) override { return {}; }
  TStderrDialogs Stderr;

 private:
  const QString RecordTo_;
};

class TWindowRun {
 public:
  // The window with COM5 mapped to devicePath, shown, set to the channels and mode;
  // more than two channels are read in "Auto". With recordTo, "Aufzeichnen" is checked
  // and every Start records into that file.
  TWindowRun(const QString& devicePath, int channels, bool trend, const QString& recordTo = {});
  ~TWindowRun();

  // Presses Start; false when the window did not start (it said why on stderr).
  bool Start();
  // Lines taken in since Start.
  int64_t Count() { return Form_->AcquisitionState().SampleCount; }
  int32_t NumItems() { return Form_->Chart().NumItems(); }
  bool Running() const { return Form_->Running(); }
  bool ErrorShown() const { return Dialogs_.Stderr.ErrorShown; }
  TForm1& Form() { return *Form_; }
  QWidget& ChartWidget();

 private:
  TBenchDialogs Dialogs_;
  std::unique_ptr<TForm1> Form_;
};
