#pragma once
// Only one copy of the program runs at a time. The first copy listens on a local socket
// named after its upper-cased program file name and the user; a later copy finds it
// there, asks it to bring its window to the front and ends. The socket lives in the
// abstract namespace, so it disappears with the process that holds it, also when that
// process is killed.

#include <QLocalServer>
#include <QObject>
#include <QWidget>
#include <functional>

class TInstanceRegistry : public QObject {
 public:
  // programPath: the program's own file name (the first command-line item).
  explicit TInstanceRegistry(const QString& programPath, QObject* parent = nullptr);

  bool AnotherInstanceRunning() const { return AnotherInstanceRunning_; }
  const QString& Name() const { return Name_; }
  // Asks the running copy to bring its window to the front; false when it is gone.
  bool ActivatePreviousInstance() const;
  // Called in the first copy when a later copy asks for the window.
  void SetOnActivationRequest(std::function<void()> handler) { OnActivationRequest_ = std::move(handler); }

 private:
  bool ConnectToRunningInstance(bool sendRequest) const;
  void AcceptRequests();

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
