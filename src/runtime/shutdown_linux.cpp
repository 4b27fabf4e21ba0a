#include "desktopruntime.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace {

QDBusMessage loginManagerCall(const QString &method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
        method);
}

// Sends `call` and hands its reply (or error) to `then` once the bus has delivered it.
void whenAnswered(const QDBusConnection &bus, const QDBusMessage &call, int timeout,
    std::function<void(const QDBusMessage &)> then)
{
    // The application's own, so that a call still waiting when the program ends goes with it.
    auto *watcher =
        new QDBusPendingCallWatcher(bus.asyncCall(call, timeout), QCoreApplication::instance());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
        [then = std::move(then)](QDBusPendingCallWatcher *finished) {
            finished->deleteLater();
            then(finished->reply());
        });
}

bool isError(const QDBusMessage &reply)
{
    return reply.type() == QDBusMessage::ErrorMessage;
}

} // namespace

void DesktopRuntime::shutDown(bool, ShutdownDone done)
{
    // logind powers the machine off; it has no forcing of its own, as it asks the session's
    // applications through their inhibitors anyway. Both calls are asynchronous: PowerOff may
    // wait for as long as a password prompt stays open.
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) {
        done({ false, QStringLiteral("无法连接系统总线（%1）").arg(bus.lastError().message()) });
        return;
    }
    whenAnswered(bus, loginManagerCall(QStringLiteral("CanPowerOff")), -1,
        [bus, done](const QDBusMessage &allowed) {
            if (isError(allowed)) {
                done({ false, allowed.errorMessage() });
                return;
            }
            // "challenge": the system asks the user to authenticate first.
            const QString answer = allowed.arguments().value(0).toString();
            if (answer != QLatin1String("yes") && answer != QLatin1String("challenge")) {
                done({ false, QStringLiteral("系统不允许关机（CanPowerOff: %1）").arg(answer) });
                return;
            }
            // Interactive, so that the system may ask for a password; give the user time to type
            // it.
            QDBusMessage call = loginManagerCall(QStringLiteral("PowerOff"));
            call << true;
            whenAnswered(bus, call, 5 * 60 * 1000, [done](const QDBusMessage &reply) {
                if (isError(reply))
                    done({ false, reply.errorMessage() });
                else
                    done({ true, {} });
            });
        });
}
