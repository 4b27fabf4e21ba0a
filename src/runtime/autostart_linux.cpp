#include "autostart.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

// The user's folder of that kind: $<variable> where it is an absolute path (the XDG base-directory
// rules say a relative one is to be ignored), else `fallback` in the home folder.
QString userFolder(const char *variable, const char *fallback)
{
    const QString given = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(given) ? given : QDir::homePath() + u'/' + QLatin1String(fallback);
}

QString entryPath()
{
    return userFolder("XDG_CONFIG_HOME", ".config")
        + QStringLiteral("/autostart/" COUNTDOWN_APP_ID ".desktop");
}

// Where a program is linked from that the entry cannot name itself: among the user's data, since
// every file in the autostart folder is read as an entry.
QString linkPath()
{
    return userFolder("XDG_DATA_HOME", ".local/share")
        + QStringLiteral("/" COUNTDOWN_APP_ID "/gaokao-countdown");
}

// Whether every common launcher starts the program at `path` as an Exec line names it. GLib's and
// systemd's look for the program before they undo the %% that a % is written as, and systemd's
// keeps the backslash that a $, ", ` or \ takes within quotes.
bool startsWhereNamed(const QString &path)
{
    static const QRegularExpression unsafe(QStringLiteral("[%$`\"\\\\]"));
    return !path.contains(unsafe);
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
    using Outcome = AutostartResult::Outcome;
    const QString path = entryPath();
    const QString link = linkPath();
    QFile::remove(link);
    // A path the launchers cannot take is reached through a link.
    QString started = program;
    if (!startsWhereNamed(program)) {
        started = link;
        if (!startsWhereNamed(link) || !QDir().mkpath(QFileInfo(link).path())
            || !QFile::link(program, link))
            return { Outcome::Failed, path, QStringLiteral("%1 -> %2").arg(link, program) };
    }
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder))
        return { Outcome::Failed, path, folder };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(autostartEntry(started, arguments)) < 0
        || !file.commit())
        return { Outcome::Failed, path, path + QStringLiteral(": ") + file.errorString() };
    return { Outcome::Started, path, {} };
}

AutostartResult disableAutostart()
{
    using Outcome = AutostartResult::Outcome;
    const QString path = entryPath();
    QFile::remove(linkPath());
    QFile file(path);
    if (!file.exists())
        return { Outcome::WasStopped, path, {} };
    if (!file.remove())
        return { Outcome::Failed, path, path + QStringLiteral(": ") + file.errorString() };
    return { Outcome::Stopped, path, {} };
}
