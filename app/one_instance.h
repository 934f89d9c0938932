#pragma once
// Only one copy of the program runs at a time for a user on one display. The first copy
// listens on a local socket whose name is made from its upper-cased program file name,
// the user and the graphical session; a later copy asks there, and only when a copy of
// the same user answers does it ask that copy to bring its window to the front and end.
// Any other failure (no answer, a name the system cannot take) lets it run as the only
// copy. The socket lives in the abstract namespace, so it disappears with the process
// that holds it, also when that process is killed.

#include <QLocalServer>
#include <QObject>
#include <QWidget>
#include <functional>

class QLocalSocket;

class TInstanceRegistry : public QObject {
 public:
  // programPath: the program's own file name (the first command-line item). Copies of
  // the same file started by one user in one graphical session (DISPLAY ":0" and ":0.0"
  // are one) meet, however long the file name is.
  explicit TInstanceRegistry(const QString& programPath, QObject* parent = nullptr);

  bool AnotherInstanceRunning() const { return AnotherInstanceRunning_; }
  const QString& Name() const { return Name_; }
  // Asks the running copy to bring its window to the front; false when it did not answer.
  bool ActivatePreviousInstance() const;
  // Called in the first copy when a later copy asks for the window.
  void SetOnActivationRequest(std::function<void()> handler) { OnActivationRequest_ = std::move(handler); }

 private:
  bool Ask(const QByteArray& request) const;
  void AcceptRequests();
  void Answer(QLocalSocket& client);

  QString Name_;
  bool AnotherInstanceRunning_ = false;
  QLocalServer Server_;
  std::function<void()> OnActivationRequest_;
};

// Restores the window when it is minimised and brings it to the front.
void ActivateWindow(QWidget& window);

enum TOneInstanceMode : uint8_t { oiActivateOnly, oiDefaultMessage, oiCustom };

// The window's single-instance check.
class TOneInstance {
 public:
  explicit TOneInstance(TInstanceRegistry& registry) : Registry_(registry) {}

  bool Enabled = true;
  TOneInstanceMode Mode = oiActivateOnly;
  std::function<void()> OnCustom;
  // Shows the standard "already running" text in mode oiDefaultMessage.
  std::function<void(const QString&)> ShowMessage;

  // True when another copy runs: it has been dealt with as the mode says, and this
  // copy must end without showing its window.
  bool Check(const QString& applicationTitle) const;

 private:
  TInstanceRegistry& Registry_;
};
