#include "autostart.h"

#include <QDir>
#include <QSettings>

namespace {

const char kRunKey[] = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

QString valueName()
{
    return QStringLiteral("gaokao-countdown");
}

// The command the session runs: the program's path in quotes, then the arguments (dates and
// on/off words, which need no quoting).
QString command(const QString &program, const QStringList &arguments)
{
    QStringList parts{ u'"' + QDir::toNativeSeparators(program) + u'"' };
    parts << arguments;
    return parts.join(u' ');
}

QString where()
{
    return QLatin1String(kRunKey) + u'\\' + valueName();
}

AutostartResult finish(QSettings &settings, const QString &done, const QString &failed)
{
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return { false, failed.arg(where()) };
    return { true, done.arg(where()) };
}

} // namespace

AutostartResult enableAutostart(const QString &program, const QStringList &arguments)
{
    QSettings run(QLatin1String(kRunKey), QSettings::NativeFormat);
    run.setValue(valueName(), command(program, arguments));
    return finish(
        run, QStringLiteral("Starts with the desktop: %1"), QStringLiteral("Cannot write %1"));
}

AutostartResult disableAutostart()
{
    QSettings run(QLatin1String(kRunKey), QSettings::NativeFormat);
    if (!run.contains(valueName()))
        return { true, QStringLiteral("Was not starting with the desktop: no %1").arg(where()) };
    run.remove(valueName());
    return finish(run, QStringLiteral("No longer starts with the desktop: removed %1"),
        QStringLiteral("Cannot remove %1"));
}
