#include "instanceguard.h"

#include <QDeadlineTimer>
#include <QLockFile>
#include <QThread>

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
        : m_channel(channel), m_lock(channel.lockFile), m_server(kMaxMessage, kMessageMs)
    {
        // A lock is stale only when its owner is gone, however old it is.
        m_lock.setStaleLockTime(0);
        connect(&m_server, &LineServer::lineReceived, this, &InstanceGuard::messageReceived);
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
            if (sendLine(m_channel.name, message, kHandOverMs))
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
        // Whatever is left on the channel is a dead copy's: only the lock's holder gets here.
        const QString problem = m_server.listen(m_channel.name);
        if (!problem.isEmpty())
            unguarded(QStringLiteral("cannot listen on %1: %2").arg(m_channel.name, problem));
        return Role::First;
    }

    InstanceChannel m_channel;
    QLockFile m_lock;
    LineServer m_server;
};

} // namespace

std::unique_ptr<InstanceGuard> makeInstanceGuard(const InstanceChannel &channel)
{
    return std::make_unique<LocalInstanceGuard>(channel);
}
