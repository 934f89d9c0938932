#include "app/one_instance.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

Q_LOGGING_CATEGORY(lcInstance, "tavolix.instance", QtWarningMsg)

const QByteArray kActivationRequest = QByteArrayLiteral("activate\n");
const QByteArray kPresenceRequest = QByteArrayLiteral("present?\n");
const QByteArray kAnswer = QByteArrayLiteral("tavolix\n");
constexpr int kTimeoutMs = 2000;

// The graphical session of this process: its Wayland display, else its X display
// without the screen number.
QString GraphicalSession() {
  const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
  if (!wayland.isEmpty()) return QStringLiteral("wayland ") + wayland;
  QString display = qEnvironmentVariable("DISPLAY");
  const qsizetype colon = display.lastIndexOf(QLatin1Char(':'));
  const qsizetype screen = colon < 0 ? -1 : display.indexOf(QLatin1Char('.'), colon);
  if (screen >= 0) display.truncate(screen);
  return display;
}

// A digest keeps the socket name short: the system refuses long names.
QString InstanceName(const QString& programPath) {
  const QString key = QStringLiteral("%1\n%2\n%3")
                          .arg(QFileInfo(programPath).fileName().toUpper())
                          .arg(getuid())
                          .arg(GraphicalSession());
  const QByteArray digest = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
  return QStringLiteral("tavolix-") + QString::fromLatin1(digest);
}

// The name space of the sockets is shared by all users: only a peer of this user counts.
bool PeerIsThisUser(const QLocalSocket& socket) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(int(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
         peer.uid == getuid();
}

}  // namespace

TInstanceRegistry::TInstanceRegistry(const QString& programPath, QObject* parent)
    : QObject(parent), Name_(InstanceName(programPath)) {
  Server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
  if (Ask(kPresenceRequest)) {
    AnotherInstanceRunning_ = true;
    return;
  }
  // The name may be taken by a copy starting at this very moment, which answers
  // once it runs.
  if (!Server_.listen(Name_)) {
    AnotherInstanceRunning_ = Ask(kPresenceRequest);
    if (!AnotherInstanceRunning_) {
      qCWarning(lcInstance) << "no other copy answers, and the name cannot be taken:" << Server_.errorString();
    }
    return;
  }
  connect(&Server_, &QLocalServer::newConnection, this, &TInstanceRegistry::AcceptRequests);
}

bool TInstanceRegistry::ActivatePreviousInstance() const { return Ask(kActivationRequest); }

bool TInstanceRegistry::Ask(const QByteArray& request) const {
  QLocalSocket socket;
  socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
  socket.connectToServer(Name_);
  if (!socket.waitForConnected(kTimeoutMs) || !PeerIsThisUser(socket)) return false;
  socket.write(request);
  if (!socket.waitForBytesWritten(kTimeoutMs)) return false;
  while (socket.bytesAvailable() < kAnswer.size() && socket.waitForReadyRead(kTimeoutMs)) {
  }
  return socket.read(kAnswer.size()) == kAnswer;
}

void TInstanceRegistry::AcceptRequests() {
  while (QLocalSocket* client = Server_.nextPendingConnection()) {
    connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    if (!PeerIsThisUser(*client)) {
      client->disconnectFromServer();
      continue;
    }
    connect(client, &QLocalSocket::readyRead, this, [this, client] { Answer(*client); });
  }
}

void TInstanceRegistry::Answer(QLocalSocket& client) {
  while (client.canReadLine()) {
    const QByteArray request = client.readLine();
    if (request != kActivationRequest && request != kPresenceRequest) continue;
    client.write(kAnswer);
    if (request == kActivationRequest) {
      qCInfo(lcInstance) << "activation request from a later start";
      if (OnActivationRequest_) OnActivationRequest_();
    }
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
