#pragma once

#include <QString>
#include <QStringList>

// Starting with the desktop session, for the current user: an XDG autostart entry on Linux, the
// Run key on Windows (CMake picks the body).
struct AutostartResult
{
    enum class Outcome { Started, Stopped, WasStopped, Failed };
    Outcome outcome;
    QString where; // the entry, or the registry value
    QString failure; // Failed: what could not be done, and the system's reason
};

// Registers `program` with `arguments` to start with the session, replacing an earlier entry.
AutostartResult enableAutostart(const QString &program, const QStringList &arguments);
AutostartResult disableAutostart();
