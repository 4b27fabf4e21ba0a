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

// Written through to the registry, or what failed.
AutostartResult finish(QSettings &settings, AutostartResult::Outcome done)
{
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return { AutostartResult::Outcome::Failed, where(), where() };
    return { done, where(), {} };
}

} // namespace

AutostartResult enableAutostart(const QString &program, const QStringList &arguments)
{
    QSettings run(QLatin1String(kRunKey), QSettings::NativeFormat);
    run.setValue(valueName(), command(program, arguments));
    return finish(run, AutostartResult::Outcome::Started);
}

AutostartResult disableAutostart()
{
    QSettings run(QLatin1String(kRunKey), QSettings::NativeFormat);
    if (!run.contains(valueName()))
        return { AutostartResult::Outcome::WasStopped, where(), {} };
    run.remove(valueName());
    return finish(run, AutostartResult::Outcome::Stopped);
}
