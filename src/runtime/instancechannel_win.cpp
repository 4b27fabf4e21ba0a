#include "instancechannel.h"
#include "win32/session_win32.h"

#include <QDir>
#include <QStandardPaths>

InstanceChannel instanceChannel(const QString &appId)
{
    // A pipe's name is global to the machine: the user's security identifier and the desktop
    // session's number make it the current session's own. The lock lies among the user's files.
    const QString sid = QString::fromStdWString(win32::currentUserSid());
    if (sid.isEmpty())
        return { {}, {}, QStringLiteral("the user's security identifier is unknown") };
    const QString tag = appId + u'-' + sid + u'-' + QString::number(win32::currentSessionId());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return { {}, {}, QStringLiteral("there is no folder for the lock file") };
    return { tag, folder + u'/' + tag + QStringLiteral(".lock"), {} };
}
