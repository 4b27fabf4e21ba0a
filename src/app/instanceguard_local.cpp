#include "instanceguard.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

namespace {

// How long a later start tries to reach the running copy, which may be starting too, and how long
// the running copy waits for a message. Only a later start waits, before it has any window.
constexpr int kClaimMs = 5000;
constexpr int kHandOverMs = 2000;
constexpr int kRetryMs = 50;
constexpr int kMessageMs = 2000;

class LocalInstanceGuard : public InstanceGuard
{
public:
    explicit LocalInstanceGuard(const InstanceChannel &channel)
        : m_channel(channel), m_lock(channel.lockFile)
    {
        // A lock is stale only when its owner is gone, however old it is.
        m_lock.setStaleLockTime(0);
        // Only the user who started the program can connect.
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        connect(&m_server, &QLocalServer::newConnection, this, &LocalInstanceGuard::onConnection);
    }

    Role claim(const QByteArray &message) override
    {
        if (!m_channel.problem.isEmpty())
            return unguarded(m_channel.problem);
        const QDeadlineTimer deadline(kClaimMs);
        do {
            if (m_lock.tryLock(0))
                return listen();
            if (m_lock.error() != QLockFile::LockFailedError)
                return unguarded(QStringLiteral("cannot create %1").arg(m_channel.lockFile));
            // The owner may have taken the lock an instant ago and not be listening yet.
            if (handOver(message))
                return Role::Second;
            QThread::msleep(kRetryMs);
        } while (!deadline.hasExpired());
        return Role::Unanswered;
    }

private:
    Role unguarded(const QString &why)
    {
        qWarning("gaokao-countdown: %s; each start runs a copy of its own.", qUtf8Printable(why));
        return Role::First;
    }

    Role listen()
    {
        // Whatever socket is left behind is a dead copy's: only the lock's holder gets here.
        QLocalServer::removeServer(m_channel.name);
        if (!m_server.listen(m_channel.name))
            unguarded(QStringLiteral("cannot listen on %1: %2")
                          .arg(m_channel.name, m_server.errorString()));
        return Role::First;
    }

    // True once the running copy has taken the message and closed the connection.
    bool handOver(const QByteArray &message)
    {
        QLocalSocket socket;
        socket.connectToServer(m_channel.name);
        if (!socket.waitForConnected(kHandOverMs))
            return false;
        socket.write(message + '\n');
        if (!socket.waitForBytesWritten(kHandOverMs))
            return false;
        return socket.state() == QLocalSocket::UnconnectedState
            || socket.waitForDisconnected(kHandOverMs);
    }

    void onConnection()
    {
        while (QLocalSocket *socket = m_server.nextPendingConnection()) {
            // One short line, sent at once; whatever is longer or slower is dropped unread.
            socket->setReadBufferSize(kMaxMessage + 1);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(*socket); });
            QTimer::singleShot(kMessageMs, socket, [socket] { drop(*socket); });
        }
    }

    void read(QLocalSocket &socket)
    {
        if (!socket.canReadLine()) {
            if (socket.bytesAvailable() > kMaxMessage)
                drop(socket);
            return;
        }
        const QByteArray line = socket.readLine();
        if (line.size() > kMaxMessage + 1)
            return drop(socket);
        emit messageReceived(line.chopped(1));
        socket.disconnectFromServer();
    }

    static void drop(QLocalSocket &socket)
    {
        socket.abort();
        socket.deleteLater();
    }

    InstanceChannel m_channel;
    QLockFile m_lock;
    QLocalServer m_server;
};

} // namespace

std::unique_ptr<InstanceGuard> makeInstanceGuard(const InstanceChannel &channel)
{
    return std::make_unique<LocalInstanceGuard>(channel);
}
