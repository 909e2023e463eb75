#include "single_instance.h"

#include <QLocalSocket>

#include <QCryptographicHash>
#include <QDir>

namespace {
const QByteArray kActivate = "activate\n";
}

SingleInstance::SingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent), name_(serverName) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

QString SingleInstance::defaultServerName() {
    // Per user: the home folder names the user on every desktop platform.
    const QByteArray home = QDir::homePath().toUtf8();
    return QStringLiteral("Lorvane-") +
           QString::fromLatin1(
               QCryptographicHash::hash(home, QCryptographicHash::Sha1).toHex().left(12));
}

bool SingleInstance::ActivatePrevInstance() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (socket.waitForConnected(500)) {
        socket.write(kActivate);
        socket.waitForBytesWritten(500);
        socket.disconnectFromServer();
        return true;
    }
    // Nobody answers: any socket file left by a crash is stale.
    QLocalServer::removeServer(name_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(name_);
    return false;
}

void SingleInstance::onNewConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket]() {
            if (socket->readAll().contains("activate"))
                emit activationRequested();
        });
        if (socket->bytesAvailable() > 0 && socket->readAll().contains("activate"))
            emit activationRequested();
    }
}
