#include "platform.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>

namespace platform {

Runtime::ShutdownResult powerOff(bool)
{
    // logind powers the machine off; it has no forcing of its own, as it asks the session's
    // applications through their inhibitors anyway.
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return { false, QStringLiteral("无法连接系统总线（%1）").arg(bus.lastError().message()) };
    QDBusInterface login(QStringLiteral("org.freedesktop.login1"),
        QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
        bus);
    if (!login.isValid())
        return { false, QStringLiteral("找不到 logind（%1）").arg(login.lastError().message()) };

    const QDBusReply<QString> allowed = login.call(QStringLiteral("CanPowerOff"));
    if (!allowed.isValid())
        return { false, allowed.error().message() };
    // "challenge": the system asks the user to authenticate first.
    if (allowed.value() != QLatin1String("yes") && allowed.value() != QLatin1String("challenge"))
        return { false, QStringLiteral("系统不允许关机（CanPowerOff: %1）").arg(allowed.value()) };

    // Interactive, so that the system may ask for a password; give the user time to type it.
    login.setTimeout(5 * 60 * 1000);
    const QDBusReply<void> done = login.call(QStringLiteral("PowerOff"), true);
    if (!done.isValid())
        return { false, done.error().message() };
    return { true, {} };
}

} // namespace platform
