#include "instancechannel.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

InstanceChannel instanceChannel(const QString &appId)
{
    // The runtime folder is the user's own ($XDG_RUNTIME_DIR, mode 0700; without it Qt makes one
    // in /tmp). The display tells desktop sessions of the same user apart.
    const QString given = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!given.isEmpty() && QDir::isRelativePath(given))
        return { {}, {}, QStringLiteral("XDG_RUNTIME_DIR is not an absolute path") };
    const QString folder =
        given.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) : given;
    if (folder.isEmpty())
        return { {}, {}, QStringLiteral("there is no runtime folder") };
    QString session = qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"));
    session.replace(u'/', u'_');
    const QString base = folder + u'/' + appId + (session.isEmpty() ? QString() : u'-' + session);
    return { base + QStringLiteral(".socket"), base + QStringLiteral(".lock"), {} };
}

namespace {

// A relative name lies in the temporary folder, as Qt's local sockets place it.
QByteArray socketPath(const QString &name)
{
    return QFile::encodeName(QDir::isAbsolutePath(name) ? name : QDir::temp().filePath(name));
}

bool fill(sockaddr_un &address, const QByteArray &path)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), path.size());
    return true;
}

// One connection: reads up to its newline, at most maxLength + 1 bytes, then closes.
class LineReader : public QObject
{
public:
    LineReader(int socket, int maxLength, int timeoutMs, LineServer &server)
        : QObject(&server), m_socket(socket), m_maxLength(maxLength),
          m_notifier(socket, QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this, &server] { read(server); });
        QTimer::singleShot(timeoutMs, this, &LineReader::close);
    }
    ~LineReader() override { ::close(m_socket); }

private:
    void read(LineServer &server)
    {
        char chunk[512];
        const ssize_t count = ::read(
            m_socket, chunk, std::min<qsizetype>(sizeof chunk, m_maxLength + 1 - m_line.size()));
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (count > 0)
            m_line.append(chunk, count);
        const qsizetype end = m_line.indexOf('\n');
        if (end >= 0)
            emit server.lineReceived(m_line.left(end));
        if (count <= 0 || end >= 0 || m_line.size() > m_maxLength)
            close();
    }
    void close()
    {
        m_notifier.setEnabled(false);
        deleteLater();
    }

    int m_socket;
    int m_maxLength;
    QSocketNotifier m_notifier;
    QByteArray m_line;
};

} // namespace

struct LineServer::Listener
{
    int socket = -1;
    QByteArray path;
    ~Listener()
    {
        if (socket >= 0) {
            ::close(socket);
            ::unlink(path.constData());
        }
    }
};

LineServer::LineServer(int maxLength, int timeoutMs)
    : m_listener(new Listener), m_maxLength(maxLength), m_timeoutMs(timeoutMs)
{
}

LineServer::~LineServer() = default;

QString LineServer::listen(const QString &name)
{
    sockaddr_un address;
    const QByteArray path = socketPath(name);
    if (!fill(address, path))
        return QStringLiteral("the path is too long");
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    ::unlink(path.constData());
    // The runtime folder is the user's alone; the socket itself is too.
    if (socket < 0 || ::bind(socket, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0
        || ::chmod(path.constData(), 0600) != 0 || ::listen(socket, 16) != 0) {
        const QString why = qt_error_string(errno);
        if (socket >= 0)
            ::close(socket);
        return why;
    }
    m_listener->socket = socket;
    m_listener->path = path;
    auto *notifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        int connection;
        while ((connection = ::accept4(
                    m_listener->socket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC))
            >= 0)
            new LineReader(connection, m_maxLength, m_timeoutMs, *this);
    });
    return {};
}

bool sendLine(const QString &name, const QByteArray &line, int timeoutMs)
{
    sockaddr_un address;
    if (!fill(address, socketPath(name)))
        return false;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    // Blocking with time limits: only a later start sends, before it has any window.
    const timeval limit{ timeoutMs / 1000, (timeoutMs % 1000) * 1000 };
    ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    ::setsockopt(socket, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    const QByteArray sent = line + '\n';
    char answer;
    const bool taken =
        ::connect(socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::send(socket, sent.constData(), sent.size(), MSG_NOSIGNAL) == sent.size()
        && ::recv(socket, &answer, 1, 0) == 0;
    ::close(socket);
    return taken;
}
