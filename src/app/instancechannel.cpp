#include "app/instancechannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace {
const QByteArray kTaken = "ok\n";
}

InstanceChannel::InstanceChannel(const QString &backupRoot, QObject *parent)
    : QObject(parent)
    , m_name(serverName(backupRoot))
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::takeConnection);
}

QString InstanceChannel::serverName(const QString &backupRoot)
{
    // A short name: socket paths are limited to about a hundred characters.
    const QByteArray key = QDir::cleanPath(QDir(backupRoot).absolutePath()).toUtf8();
    return QStringLiteral("lumivue-")
        + QString::fromLatin1(
               QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

bool InstanceChannel::listen()
{
    QLocalServer::removeServer(m_name);
    return m_server->listen(m_name);
}

void InstanceChannel::takeConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray line = socket->readLine().chopped(1);
            const QString file = QString::fromUtf8(QByteArray::fromPercentEncoding(line));
            socket->write(kTaken);
            socket->flush();
            emit fileHandedOver(file);
        });
    }
}

bool InstanceChannel::handOver(const QString &backupRoot, const QString &filePath, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(serverName(backupRoot));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    // Percent-encoded, so that any character of a file name fits on the one line.
    socket.write(QDir(filePath).absolutePath().toUtf8().toPercentEncoding() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine() == kTaken;
}
