#pragma once
// What the main window's tests share: an offscreen application, dialogs that answer
// without a modal loop, and a pseudo-terminal standing in for the device on COM5.

#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/main_window.h"
#include "app/user_dialogs.h"
#include "tests/serial/pty.h"

class TScriptedDialogs final : public TUserDialogs {
 public:
  void ShowInformation(const QString& text) override { Informations << text; }
  void ShowError(const QString& text) override { Errors << text; }
  QString SaveFileName(const QString& filter, const QString& suffix) override { return Answer(filter, suffix); }
  QString OpenFileName(const QString& filter, const QString& suffix) override { return Answer(filter, suffix); }
  std::optional<QColor> ChooseColor(const QColor&) override { return NextColor; }

  QStringList Informations;
  QStringList Errors;
  QStringList Filters;  // "filter|suffix" of every file dialog shown
  QString NextFileName;  // empty: the user cancels
  std::optional<QColor> NextColor;  // none: the user cancels

 private:
  QString Answer(const QString& filter, const QString& suffix) {
    Filters << filter + QLatin1Char('|') + suffix;
    return NextFileName;
  }
};

// Lets the event loop run until the condition holds or the time is up. The time only ends
// a hang: a sanitizer build on a busy machine takes a megabyte burst in slowly.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = std::chrono::seconds(60));

// The window on COM5 mapped to a fresh pseudo-terminal, shown, in a comma locale.
struct TWindowFixture {
  TWindowFixture();
  ~TWindowFixture();
  // Writes from a thread of its own, so that the window reads while the device writes.
  void Send(std::string bytes);
  // Runs the event loop until everything sent is on its way to the port; false when
  // the window stopped reading before.
  bool WaitSent(std::chrono::milliseconds timeout = std::chrono::seconds(60));
  // Ends the writer and discards what the port has not read: the device's old output,
  // which a closed serial port would not have kept.
  void DropUnread();
  // The line counter in the status bar.
  int64_t Count() const;
  // Start enabled, Stop and the activity indicator not, the port closed.
  bool Idle() const;

  TPty Device;
  TScriptedDialogs Dialogs;
  std::unique_ptr<TForm1> Form;

 private:
  void StopWriter();

  std::thread Writer_;
  std::atomic<bool> Written_ = false;
  std::atomic<bool> Cancel_ = false;
};

// count lines, "<first + i>\r\n" or "<v>;<v>\r\n" with two channels.
std::string NumberLines(int count, int channels, int first = 1);
