#include "app/autostart.h"
#include "app/instanceguard.h"
#include "app/options.h"
#include "app/qttranslation.h"
#include "app/windowset.h"
#include "runtime/commandlineoutput.h"
#include "runtime/desktopruntime.h"
#include "widgets/bundledfaces.h"

#include <QApplication>
#include <QCommandLineParser>

namespace {

// Unless the user chose a platform, try the ones this build prefers, in order (on Linux, X11
// before Wayland). Returns whether it did, so that the choice can be kept from child processes.
bool preferPlatform(int argc, char *argv[])
{
    const QByteArray preferred = QByteArray(COUNTDOWN_PREFERRED_PLATFORMS).replace(',', ';');
    if (preferred.isEmpty() || qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "-platform" || argument == "--platform")
            return false;
    }
    qputenv("QT_QPA_PLATFORM", preferred);
    return true;
}

int changeAutostart(bool on, const Options &options)
{
    QStringList arguments;
    if (options.examDay)
        arguments << QStringLiteral("--exam-date") << options.examDateValue;
    const AutostartResult result = on
        ? enableAutostart(QCoreApplication::applicationFilePath(), arguments)
        : disableAutostart();
    showCommandLineOutput(result.ok ? OutputKind::Answer : OutputKind::Error, result.message);
    return result.ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool platformPreferred = preferPlatform(argc, argv);
    QApplication app(argc, argv);
    if (platformPreferred)
        qunsetenv("QT_QPA_PLATFORM");
    // The name the window system gives whatever the program leaves untitled (message boxes, the
    // mini board in the taskbar). Not the display name: that would be appended to every title.
    QApplication::setApplicationName(QStringLiteral("高考倒计时"));
    QApplication::setApplicationVersion(QStringLiteral(COUNTDOWN_VERSION));
    QApplication::setOrganizationName(QStringLiteral("gaokao-countdown"));
    QApplication::setOrganizationDomain(QStringLiteral("gaokao-countdown.invalid"));
    QGuiApplication::setDesktopFileName(QStringLiteral(COUNTDOWN_APP_ID));
    // A window hidden to the notification area still counts: the window set decides when to end.
    app.setQuitOnLastWindowClosed(false);
    loadBundledFaces();

    DesktopRuntime runtime;
    QCommandLineParser parser;
    const Options options = readOptions(parser, app.arguments(), runtime.now().date());
    if (!options.error.isEmpty()) {
        showCommandLineOutput(
            OutputKind::Error, QStringLiteral("gaokao-countdown: ") + options.error);
        return 2;
    }
    // Printed and returned rather than QCommandLineParser::showHelp(), which calls exit() with the
    // application still alive and leaves its fonts to the leak checker.
    if (parser.isSet(QStringLiteral("help"))) {
        showCommandLineOutput(OutputKind::Answer, parser.helpText().trimmed());
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        showCommandLineOutput(
            OutputKind::Answer, QStringLiteral("gaokao-countdown " COUNTDOWN_VERSION));
        return 0;
    }
    if (options.autostart)
        return changeAutostart(*options.autostart, options);

    installQtChineseTranslation(app);

    const QByteArray examDay =
        options.examDay ? options.examDay->toString(Qt::ISODate).toUtf8() : QByteArray();
    const std::unique_ptr<InstanceGuard> guard =
        makeInstanceGuard(instanceChannelName(QStringLiteral(COUNTDOWN_APP_ID)));
    if (guard->claim(examDay) == InstanceGuard::Role::Second)
        return 0;

    WindowSet windows(runtime);
    if (options.examDay)
        windows.setExamDate(dayText(*options.examDay));
    QObject::connect(guard.get(), &InstanceGuard::messageReceived, &windows,
        [&windows](const QByteArray &message) {
            const QDate day = QDate::fromString(QString::fromUtf8(message), Qt::ISODate);
            if (day.isValid())
                windows.setExamDate(dayText(day));
            windows.openBoard();
        });
    QObject::connect(
        &windows, &WindowSet::allClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    windows.open(WindowKind::Countdown);
    return app.exec();
}
