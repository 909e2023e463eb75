#include "single_instance.h"

#include <QLocalSocket>

#include <unistd.h>

namespace {
const QByteArray kActivate = "activate\n";
}

SingleInstance::SingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent), name_(serverName) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
}

QString SingleInstance::defaultServerName() {
    return QStringLiteral("Lorvane-%1").arg(static_cast<qulonglong>(::getuid()));
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
