#pragma once

#include <QObject>
#include <QString>
#include <memory>

// Where the copies of the program meet, per user and desktop session: the local server the running
// copy listens on and the lock it holds while it lives. On Linux a socket and a lock file in a
// folder of the program's own in the user's runtime folder; on Windows a named pipe and a mutex of
// the session.
struct InstanceChannel
{
    QString name; // a socket's path, or a named pipe's name
    QString lock; // a lock file's path, or a mutex's name
    QString problem; // not empty: there is no usable place for the channel, and this says why
};

InstanceChannel instanceChannel(const QString &appId);

// Before Qt reads it: where $XDG_RUNTIME_DIR is no absolute path to a folder of the user's own that
// nobody else may enter, it becomes Qt's per-user stand-in for the program and what it starts, and
// standard error says so once. Nothing to do on Windows.
void settleRuntimeFolder();

// Held by one live process at a time, and let go by the system when that process ends however it
// ends: nothing a dead copy leaves behind (an empty or unreadable file, a symbolic link) keeps a
// later start out. On Linux an flock on a file the holder removes when it lets go; on Windows a
// mutex in the session's own namespace.
class InstanceLock
{
public:
    enum class Result { Taken, HeldElsewhere, Failed };

    explicit InstanceLock(const QString &name) : m_name(name) { }
    ~InstanceLock() { release(); }
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    // Failed: there is no such lock to take, and `why` says why.
    Result tryTake(QString &why);
    void release();

private:
    QString m_name;
    qintptr m_handle = -1; // a file descriptor, or a mutex's handle, while held
};

// Takes one short line from each connection on a channel, reachable by the current user only. A
// connection that sends more than `maxLength` bytes before its newline, or takes longer than
// `timeoutMs`, is closed unread; so is one of another user. The system's own local socket on Linux
// (so that starting needs no network library), Qt Network's local server on Windows.
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

// Sends `line` and a newline on the channel `name`; true once the listener, a process of the same
// user, has read it and closed the connection. Each step waits at most `timeoutMs`.
bool sendLine(const QString &name, const QByteArray &line, int timeoutMs);
