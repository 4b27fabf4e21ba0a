#include "instancechannel.h"

#include <QDir>
#include <QStandardPaths>

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
