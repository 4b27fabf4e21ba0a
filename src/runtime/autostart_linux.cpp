#include "autostart.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

QString entryPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/") + QStringLiteral(COUNTDOWN_APP_ID)
        + QStringLiteral(".desktop");
}

// An argument of an Exec line: quoted where it holds anything but plain characters, with the
// characters the desktop entry format reserves escaped inside the quotes, and % doubled.
QString execArgument(QString argument)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./:=+,@-]+$"));
    if (plain.match(argument).hasMatch())
        return argument;
    argument.replace(u'\\', QLatin1String("\\\\\\\\"));
    for (const char reserved : { '"', '`', '$' })
        argument.replace(QLatin1Char(reserved), QLatin1String("\\\\") + QLatin1Char(reserved));
    argument.replace(u'%', QLatin1String("%%"));
    return u'"' + argument + u'"';
}

// The program's own desktop entry, its [Desktop Entry] group only (the menu's actions stay in
// the menu), with the Exec line starting this program with these arguments.
QByteArray autostartEntry(const QString &program, const QStringList &arguments)
{
    QFile source(QStringLiteral(":/assets/") + QStringLiteral(COUNTDOWN_APP_ID)
        + QStringLiteral(".desktop"));
    source.open(QIODevice::ReadOnly);
    const QString entry = QString::fromUtf8(source.readAll());

    QStringList exec{ execArgument(program) };
    for (const QString &argument : arguments)
        exec << execArgument(argument);
    QStringList lines;
    for (const QString &line : entry.split(u'\n')) {
        if (line.startsWith(u'[') && !lines.isEmpty())
            break;
        if (line.startsWith(QLatin1String("Actions=")))
            continue;
        lines << (line.startsWith(QLatin1String("Exec="))
                ? QStringLiteral("Exec=") + exec.join(u' ')
                : line);
    }
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return (lines.join(u'\n') + u'\n').toUtf8();
}

} // namespace

AutostartResult enableAutostart(const QString &program, const QStringList &arguments)
{
    const QString path = entryPath();
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder))
        return { false, QStringLiteral("Cannot create the folder %1").arg(folder) };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(autostartEntry(program, arguments)) < 0
        || !file.commit())
        return { false, QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()) };
    return { true, QStringLiteral("Starts with the desktop: %1").arg(path) };
}

AutostartResult disableAutostart()
{
    const QString path = entryPath();
    QFile file(path);
    if (!file.exists())
        return { true, QStringLiteral("Was not starting with the desktop: no %1").arg(path) };
    if (!file.remove())
        return { false, QStringLiteral("Cannot remove %1: %2").arg(path, file.errorString()) };
    return { true, QStringLiteral("No longer starts with the desktop: removed %1").arg(path) };
}
