#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// A second start of Lumivue with a project file hands that file to the
// Lumivue already running instead of opening a window of its own. The
// channel is a local socket named after the backup root, so that it is the
// running copy's own, like its instance lock.
class InstanceChannel : public QObject
{
    Q_OBJECT
public:
    explicit InstanceChannel(const QString &backupRoot, QObject *parent = nullptr);

    // Running side: takes the channel (a name left by a copy that crashed is
    // taken over; the caller holds the instance lock). False when it cannot.
    bool listen();

    // Second start: hands filePath to the running copy and waits, at most
    // timeoutMs, until it has taken it. False when nobody took it.
    static bool handOver(const QString &backupRoot, const QString &filePath, int timeoutMs = 3000);

signals:
    // A second start handed over this file (absolute path).
    void fileHandedOver(const QString &filePath);

private:
    static QString serverName(const QString &backupRoot);
    void takeConnection();

    QString m_name;
    QLocalServer *m_server = nullptr;
};
