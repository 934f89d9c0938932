#include "app/one_instance.h"

#include <QFileInfo>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcInstance, "tavolix.instance", QtWarningMsg)

const QByteArray kActivationRequest = QByteArrayLiteral("activate\n");
constexpr int kConnectTimeoutMs = 1000;

}  // namespace

TInstanceRegistry::TInstanceRegistry(const QString& programPath, QObject* parent) : QObject(parent) {
  Name_ = QStringLiteral("%1-%2").arg(QFileInfo(programPath).fileName().toUpper()).arg(getuid());
  Server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
  // A failed listen means another copy took the name first (or took it just now).
  if (ConnectToRunningInstance(false) || !Server_.listen(Name_)) {
    AnotherInstanceRunning_ = true;
    return;
  }
  connect(&Server_, &QLocalServer::newConnection, this, &TInstanceRegistry::AcceptRequests);
}

bool TInstanceRegistry::ActivatePreviousInstance() const { return ConnectToRunningInstance(true); }

bool TInstanceRegistry::ConnectToRunningInstance(bool sendRequest) const {
  QLocalSocket socket;
  socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  socket.connectToServer(Name_);
  if (!socket.waitForConnected(kConnectTimeoutMs)) return false;
  if (sendRequest) {
    socket.write(kActivationRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
  }
  socket.disconnectFromServer();
  return true;
}

void TInstanceRegistry::AcceptRequests() {
  while (QLocalSocket* client = Server_.nextPendingConnection()) {
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    connect(client, &QLocalSocket::readyRead, this, [this, client] {
      if (!client->readAll().contains(kActivationRequest)) return;
      qCInfo(lcInstance) << "activation request from a later start";
      if (OnActivationRequest_) OnActivationRequest_();
    });
  }
}

void ActivateWindow(QWidget& window) {
  if (window.isMinimized()) window.showNormal();
  window.raise();
  window.activateWindow();
}

bool TOneInstance::Check(const QString& applicationTitle) const {
  if (!Enabled || !Registry_.AnotherInstanceRunning()) return false;
  switch (Mode) {
    case oiDefaultMessage:
      if (ShowMessage) ShowMessage(QStringLiteral("Die Anwendung läuft bereits: \"%1\"").arg(applicationTitle));
      Registry_.ActivatePreviousInstance();
      break;
    case oiCustom:
      if (OnCustom) {
        OnCustom();
      } else {
        Registry_.ActivatePreviousInstance();
      }
      break;
    case oiActivateOnly:
      Registry_.ActivatePreviousInstance();
      break;
  }
  return true;
}
