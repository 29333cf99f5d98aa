#include "platform/qt/single_instance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace zeph {
namespace {

constexpr const char* kActivateMessage = "Zephlora2Activate";
constexpr int kConnectWaitMs = 1000;

// Local socket names become file names; keep them to safe characters.
QString SocketName(const std::string& instance_name) {
  QByteArray digest = QCryptographicHash::hash(QByteArray::fromStdString(instance_name), QCryptographicHash::Md5);
  return QStringLiteral("zephlora-") + QString::fromLatin1(digest.toHex());
}

}  // namespace

std::string InstanceName(const std::string& user_name, const std::string& application_folder) {
  QByteArray folder = QString::fromStdString(application_folder).toLower().toUtf8();
  QByteArray digest = QCryptographicHash::hash(folder, QCryptographicHash::Md5).toHex();
  return "Zephlora2MainWindow " + user_name + " " + digest.toStdString();
}

TSingleInstance::TSingleInstance(std::string instance_name) : name_(std::move(instance_name)) {}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::Acquire() {
  QString name = SocketName(name_);
  QLocalSocket other;
  other.connectToServer(name);
  if (other.waitForConnected(kConnectWaitMs)) {
    other.write(kActivateMessage);
    other.waitForBytesWritten(kConnectWaitMs);
    return false;
  }
  // Nobody answers: a socket file left by a crashed copy is stale.
  QLocalServer::removeServer(name);
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name)) return true;  // no guard, but never refuse to start
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
      connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
        if (peer->readAll().contains(kActivateMessage) && on_activate) on_activate();
        peer->disconnectFromServer();
      });
      connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
  });
  return true;
}

}  // namespace zeph
