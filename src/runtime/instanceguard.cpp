#include "instanceguard.h"

#include <QDeadlineTimer>
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
        : m_channel(channel), m_lock(channel.lock), m_server(kMaxMessage, kMessageMs)
    {
        connect(&m_server, &LineServer::lineReceived, this, &InstanceGuard::messageReceived);
    }

    Role claim(const QByteArray &message) override
    {
        if (!m_channel.problem.isEmpty())
            return unguarded(m_channel.problem);
        const QDeadlineTimer deadline(kClaimMs);
        do {
            QString why;
            switch (m_lock.tryTake(why)) {
            case InstanceLock::Result::Taken:
                return listen();
            case InstanceLock::Result::Failed:
                return unguarded(
                    QStringLiteral("cannot take the lock %1: %2").arg(m_channel.lock, why));
            case InstanceLock::Result::HeldElsewhere:
                break;
            }
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
        if (problem.isEmpty())
            return Role::First;
        // A copy that nobody can reach lets go of the lock, so that later starts run as it does.
        m_lock.release();
        return unguarded(QStringLiteral("cannot listen on %1: %2").arg(m_channel.name, problem));
    }

    InstanceChannel m_channel;
    InstanceLock m_lock;
    LineServer m_server;
};

} // namespace

std::unique_ptr<InstanceGuard> makeInstanceGuard(const InstanceChannel &channel)
{
    return std::make_unique<LocalInstanceGuard>(channel);
}
