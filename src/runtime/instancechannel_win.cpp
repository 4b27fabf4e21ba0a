#include "instancechannel.h"
#include "win32/session_win32.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

InstanceChannel instanceChannel(const QString &appId)
{
    // A pipe's name is global to the machine: the user's security identifier and the desktop
    // session's number make it the current session's own. The lock is a mutex of the session.
    const QString sid = QString::fromStdWString(win32::currentUserSid());
    if (sid.isEmpty())
        return { {}, {}, QStringLiteral("the user's security identifier is unknown") };
    const QString tag = appId + u'-' + sid + u'-' + QString::number(win32::currentSessionId());
    return { tag, tag, {} };
}

void settleRuntimeFolder() { }

InstanceLock::Result InstanceLock::tryTake(QString &why)
{
    const win32::SessionMutex mutex = win32::takeSessionMutex(m_name.toStdWString());
    if (mutex.handle) {
        m_handle = qintptr(mutex.handle);
        return Result::Taken;
    }
    if (mutex.heldElsewhere)
        return Result::HeldElsewhere;
    why = qt_error_string(int(mutex.error));
    return Result::Failed;
}

void InstanceLock::release()
{
    if (m_handle < 0)
        return;
    win32::closeSessionMutex(reinterpret_cast<void *>(m_handle));
    m_handle = -1;
}

// The channel is a named pipe, through Qt Network's local server.
struct LineServer::Listener
{
    QLocalServer server;
};

namespace {

void drop(QLocalSocket &socket)
{
    socket.abort();
    socket.deleteLater();
}

void read(QLocalSocket &socket, int maxLength, LineServer &server)
{
    if (!socket.canReadLine()) {
        if (socket.bytesAvailable() > maxLength)
            drop(socket);
        return;
    }
    const QByteArray line = socket.readLine();
    if (line.size() > maxLength + 1)
        return drop(socket);
    emit server.lineReceived(line.chopped(1));
    socket.disconnectFromServer();
}

} // namespace

LineServer::LineServer(int maxLength, int timeoutMs)
    : m_listener(new Listener), m_maxLength(maxLength), m_timeoutMs(timeoutMs)
{
    // Only the user who started the program can connect.
    m_listener->server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_listener->server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_listener->server.nextPendingConnection()) {
            // One short line, sent at once; whatever is longer or slower is dropped unread.
            socket->setReadBufferSize(m_maxLength + 1);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this,
                [this, socket] { read(*socket, m_maxLength, *this); });
            QTimer::singleShot(m_timeoutMs, socket, [socket] { drop(*socket); });
        }
    });
}

LineServer::~LineServer() = default;

QString LineServer::listen(const QString &name)
{
    QLocalServer::removeServer(name);
    return m_listener->server.listen(name) ? QString() : m_listener->server.errorString();
}

bool sendLine(const QString &name, const QByteArray &line, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(line + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    return socket.state() == QLocalSocket::UnconnectedState
        || socket.waitForDisconnected(timeoutMs);
}
