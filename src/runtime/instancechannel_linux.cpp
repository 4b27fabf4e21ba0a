#include "instancechannel.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// A folder that exists, is the user's own and that nobody else may enter.
bool isPrivateFolder(const QString &folder)
{
    struct stat status;
    return ::lstat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode)
        && status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

// Qt's per-user stand-in for a runtime folder: runtime-<user> in the temporary folder.
QString fallbackRuntimeFolder()
{
    const passwd *user = ::getpwuid(::geteuid());
    const QString folder = QDir::tempPath() + QStringLiteral("/runtime-")
        + (user ? QFile::decodeName(user->pw_name) : QString::number(::geteuid()));
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    return folder;
}

} // namespace

void settleRuntimeFolder()
{
    // Only the user's own runtime folder: in one that others may enter, another user could stand
    // in for the running copy. Qt, which reads it too, is given the same.
    const QString given = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(given) && isPrivateFolder(given))
        return;
    const QString folder = fallbackRuntimeFolder();
    if (!isPrivateFolder(folder))
        return;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder));
    qWarning("gaokao-countdown: %s; using %s.",
        qUtf8Printable(given.isEmpty()
                ? QStringLiteral("XDG_RUNTIME_DIR is not set")
                : QStringLiteral("XDG_RUNTIME_DIR (%1) is not an absolute path to a folder of "
                                 "your own that only you may enter")
                      .arg(given)),
        qUtf8Printable(folder));
}

InstanceChannel instanceChannel(const QString &appId)
{
    const QString folder = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!QDir::isAbsolutePath(folder) || !isPrivateFolder(folder))
        return { {}, {}, QStringLiteral("there is no runtime folder of your own") };
    // The program's own folder in it; the display tells desktop sessions of the same user apart.
    const QString own = folder + u'/' + appId;
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    if (!isPrivateFolder(own))
        return { {}, {}, QStringLiteral("%1 is not a folder of your own").arg(own) };
    QString session = qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"));
    session.replace(u'/', u'_');
    const QString base = own + u'/' + (session.isEmpty() ? QStringLiteral("session") : session);
    return { base + QStringLiteral(".socket"), base + QStringLiteral(".lock"), {} };
}

InstanceLock::Result InstanceLock::tryTake(QString &why)
{
    const QByteArray path = QFile::encodeName(m_name);
    for (int attempt = 0; attempt < 3; ++attempt) {
        // Never through a link: whatever is at the path and is no regular file is replaced.
        const int file = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        struct stat held;
        if (file < 0 || ::fstat(file, &held) != 0 || !S_ISREG(held.st_mode)) {
            const int error = errno;
            if (file >= 0)
                ::close(file);
            if ((file >= 0 || error == ELOOP) && ::unlink(path.constData()) == 0)
                continue;
            why = qt_error_string(file >= 0 ? EINVAL : error);
            return Result::Failed;
        }
        if (::flock(file, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(file);
            if (error == EWOULDBLOCK)
                return Result::HeldElsewhere;
            why = qt_error_string(error);
            return Result::Failed;
        }
        // A holder that let go an instant ago removed the file this start had opened: take the one
        // at the path now.
        struct stat now;
        if (::lstat(path.constData(), &now) == 0 && now.st_dev == held.st_dev
            && now.st_ino == held.st_ino) {
            m_handle = file;
            return Result::Taken;
        }
        ::close(file);
    }
    why = QStringLiteral("the file keeps changing");
    return Result::Failed;
}

void InstanceLock::release()
{
    if (m_handle < 0)
        return;
    // Removed while still held, so that no later start takes a file on its way out.
    ::unlink(QFile::encodeName(m_name).constData());
    ::close(int(m_handle));
    m_handle = -1;
}

namespace {

// A relative name lies in the temporary folder, as Qt's local sockets place it.
QByteArray socketPath(const QString &name)
{
    return QFile::encodeName(QDir::isAbsolutePath(name) ? name : QDir::temp().filePath(name));
}

// The address of the socket at `path`. A path too long for an address is reached through its
// folder, opened as `folder` for the caller to close: /proc/self/fd/<folder>/<name> always fits.
sockaddr_un addressOf(const QByteArray &path, int &folder)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QByteArray reached = path;
    if (path.size() >= qsizetype(sizeof address.sun_path)) {
        const qsizetype slash = path.lastIndexOf('/');
        folder = ::open(
            path.left(std::max<qsizetype>(slash, 1)).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        reached = "/proc/self/fd/" + QByteArray::number(folder) + path.mid(slash);
    }
    std::memcpy(address.sun_path, reached.constData(),
        std::min<qsizetype>(reached.size(), sizeof address.sun_path - 1));
    return address;
}

// The user the process at the other end of `socket` runs as.
bool sameUser(int socket)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0
        && peer.uid == ::geteuid();
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
    const QByteArray path = socketPath(name);
    int folder = -1;
    const sockaddr_un address = addressOf(path, folder);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    ::unlink(path.constData());
    // The runtime folder is the user's alone; the socket itself is too.
    const bool listening = socket >= 0
        && ::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0
        && ::chmod(path.constData(), 0600) == 0 && ::listen(socket, 16) == 0;
    const int error = errno;
    if (folder >= 0)
        ::close(folder);
    if (!listening) {
        if (socket >= 0)
            ::close(socket);
        return qt_error_string(error);
    }
    m_listener->socket = socket;
    m_listener->path = path;
    auto *notifier = new QSocketNotifier(socket, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        int connection;
        while ((connection = ::accept4(
                    m_listener->socket, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC))
            >= 0) {
            if (sameUser(connection))
                new LineReader(connection, m_maxLength, m_timeoutMs, *this);
            else
                ::close(connection);
        }
    });
    return {};
}

bool sendLine(const QString &name, const QByteArray &line, int timeoutMs)
{
    int folder = -1;
    const sockaddr_un address = addressOf(socketPath(name), folder);
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
        ::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0
        && sameUser(socket)
        && ::send(socket, sent.constData(), sent.size(), MSG_NOSIGNAL) == sent.size()
        && ::recv(socket, &answer, 1, 0) == 0;
    ::close(socket);
    if (folder >= 0)
        ::close(folder);
    return taken;
}
