#pragma once

#include <QString>
#include <QStringList>

// Starting with the desktop session, for the current user: an XDG autostart entry on Linux, the
// Run key on Windows (CMake picks the body).
struct AutostartResult
{
    bool ok;
    QString message; // what was done, or what failed and where
};

// Registers `program` with `arguments` to start with the session, replacing an earlier entry.
AutostartResult enableAutostart(const QString &program, const QStringList &arguments);
AutostartResult disableAutostart();
