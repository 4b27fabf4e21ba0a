#include "instanceguard.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

// How long a later start waits for the running copy to take its message. Only the later start
// waits, before it has any window.
constexpr int kHandOverMs = 2000;

class LocalInstanceGuard : public InstanceGuard
{
public:
    explicit LocalInstanceGuard(const QString &name) : m_name(name)
    {
        // Only the user who started the program can connect.
        m_server.setSocketOptions(QLocalServer::UserAccessOption);
        connect(&m_server, &QLocalServer::newConnection, this, &LocalInstanceGuard::onConnection);
    }

    Role claim(const QByteArray &message) override
    {
        if (handOver(message))
            return Role::Second;
        // A copy that crashed leaves its socket behind; nobody answers on it, so it is stale.
        if (!m_server.listen(m_name) && m_server.serverError() == QAbstractSocket::AddressInUseError
            && QLocalServer::removeServer(m_name))
            m_server.listen(m_name);
        return Role::First;
    }

private:
    bool handOver(const QByteArray &message)
    {
        QLocalSocket socket;
        socket.connectToServer(m_name);
        if (!socket.waitForConnected(kHandOverMs))
            return false;
        socket.write(message + '\n');
        socket.waitForBytesWritten(kHandOverMs);
        socket.disconnectFromServer();
        if (socket.state() != QLocalSocket::UnconnectedState)
            socket.waitForDisconnected(kHandOverMs);
        return true;
    }

    void onConnection()
    {
        while (QLocalSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                emit messageReceived(socket->readLine().chopped(1));
                socket->disconnectFromServer();
            });
        }
    }

    QString m_name;
    QLocalServer m_server;
};

} // namespace

QString instanceChannelName(const QString &appId)
{
    // The runtime folder is the user's own ($XDG_RUNTIME_DIR, mode 0700, on Linux; the local
    // application data folder on Windows, where the name becomes a named pipe's). The display
    // tells desktop sessions of the same user apart.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    QString session = qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"));
    session.replace(u'/', u'_');
    return folder + u'/' + appId + (session.isEmpty() ? QString() : u'-' + session)
        + QStringLiteral(".socket");
}

std::unique_ptr<InstanceGuard> makeInstanceGuard(const QString &channelName)
{
    return std::make_unique<LocalInstanceGuard>(channelName);
}
