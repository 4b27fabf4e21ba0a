#pragma once

#include <QObject>
#include <QString>
#include <memory>

// Where the copies of the program meet: the local server's name and the lock file the running copy
// holds while it lives, both per user and desktop session: a socket in the runtime folder on Linux,
// a named pipe on Windows.
struct InstanceChannel
{
    QString name; // a socket's path, or a named pipe's name
    QString lockFile;
    QString problem; // not empty: there is no usable place for the channel, and this says why
};

InstanceChannel instanceChannel(const QString &appId);

// Takes one short line from each connection on a channel, reachable by the current user only. A
// connection that sends more than `maxLength` bytes before its newline, or takes longer than
// `timeoutMs`, is closed unread. The system's own local socket on Linux (so that starting needs no
// network library), Qt Network's local server on Windows.
class LineServer : public QObject
{
    Q_OBJECT
public:
    LineServer(int maxLength, int timeoutMs);
    ~LineServer() override;

    // Listens on `name`, in place of whatever a dead listener left there; empty, or why it cannot.
    QString listen(const QString &name);

signals:
    void lineReceived(const QByteArray &line);

private:
    struct Listener;
    std::unique_ptr<Listener> m_listener;
    int m_maxLength;
    int m_timeoutMs;
};

// Sends `line` and a newline on the channel `name`; true once the listener has read it and closed
// the connection. Each step waits at most `timeoutMs`.
bool sendLine(const QString &name, const QByteArray &line, int timeoutMs);
