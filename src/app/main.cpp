#include "app/options.h"
#include "app/qttranslation.h"
#include "app/windowset.h"
#include "runtime/autostart.h"
#include "runtime/commandlineoutput.h"
#include "runtime/desktopruntime.h"
#include "runtime/endrequests.h"
#include "runtime/instancechannel.h"
#include "runtime/instanceguard.h"
#include "widgets/bundledfaces.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <optional>

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

int changeAutostart(bool on, const Options &options, Language language)
{
    QStringList arguments;
    if (options.examDay)
        arguments << QStringLiteral("--exam-date") << options.examDateValue;
    const AutostartResult result = on
        ? enableAutostart(QCoreApplication::applicationFilePath(), arguments)
        : disableAutostart();
    const bool done = result.outcome != AutostartResult::Outcome::Failed;
    const bool shown = showCommandLineOutput(
        done ? OutputKind::Answer : OutputKind::Error, autostartText(result, language));
    return done && shown ? 0 : 1;
}

// Reads the command line before any window system is touched, so that help, version, a wrong
// option and --autostart answer also without a display. Returns the exit status where the program
// ends here; otherwise fills `options` for the board.
std::optional<int> answerCommandLine(
    int argc, char *argv[], QDate today, Language language, Options &options)
{
    if (argc < 2)
        return std::nullopt; // nothing to read: the board opens as it always does
    QCoreApplication core(argc, argv);
    // Qt's own words (an unknown option, a missing value) in Chinese too.
    if (language == Language::Chinese)
        installQtChineseTranslation(core);
    QCommandLineParser parser;
    options = readOptions(parser, core.arguments(), today, language);
    if (!options.error.isEmpty()) {
        showCommandLineOutput(
            OutputKind::Error, QStringLiteral("gaokao-countdown: ") + options.error);
        return 2;
    }
    // An answer that cannot be written (a full disk) is no answer.
    if (parser.isSet(QStringLiteral("help"))) {
        const HelpText help =
            helpText(language, QFileInfo(QCoreApplication::applicationFilePath()).fileName());
        return showCommandLineOutput(OutputKind::Answer, help.console, help.box) ? 0 : 1;
    }
    if (parser.isSet(QStringLiteral("version")))
        return showCommandLineOutput(OutputKind::Answer, answerText(Answer::Version, language)) ? 0
                                                                                                : 1;
    if (options.autostart)
        return changeAutostart(*options.autostart, options, language);
    return std::nullopt;
}

} // namespace

int main(int argc, char *argv[])
{
    // The name the window system gives whatever the program leaves untitled (message boxes, the
    // mini board in the taskbar). Not the display name: that would be appended to every title.
    QCoreApplication::setApplicationName(QStringLiteral("高考倒计时"));
    QCoreApplication::setApplicationVersion(QStringLiteral(COUNTDOWN_VERSION));
    QCoreApplication::setOrganizationName(QStringLiteral("gaokao-countdown"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("gaokao-countdown.invalid"));

    DesktopRuntime runtime;
    const Language language = userLanguage();
    Options options;
    if (const std::optional<int> status =
            answerCommandLine(argc, argv, runtime.now().date(), language, options))
        return *status;

    const bool platformPreferred = preferPlatform(argc, argv);
    // Qt's window-system plugins end the program with an abort where they find no display.
    if (platformPreferred && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        showCommandLineOutput(OutputKind::Error, answerText(Answer::NoDisplay, language));
        return 1;
    }
    settleRuntimeFolder();
    QApplication app(argc, argv);
    if (platformPreferred)
        qunsetenv("QT_QPA_PLATFORM");
    QGuiApplication::setDesktopFileName(QStringLiteral(COUNTDOWN_APP_ID));
    // A window hidden to the notification area still counts: the window set decides when to end.
    app.setQuitOnLastWindowClosed(false);
    EndRequests endRequests;

    installQtChineseTranslation(app);

    const QByteArray examDay =
        options.examDay ? options.examDay->toString(Qt::ISODate).toUtf8() : QByteArray();
    const std::unique_ptr<InstanceGuard> guard =
        makeInstanceGuard(instanceChannel(QStringLiteral(COUNTDOWN_APP_ID)));
    switch (guard->claim(examDay)) {
    case InstanceGuard::Role::First:
        break;
    case InstanceGuard::Role::Second:
        return 0;
    case InstanceGuard::Role::Unanswered:
        showCommandLineOutput(OutputKind::Error, answerText(Answer::Unanswered, language));
        return 1;
    }

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
    QObject::connect(&endRequests, &EndRequests::requested, &windows, &WindowSet::closeAll);
    QObject::connect(
        &windows, &WindowSet::allClosed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    windows.open(WindowKind::Countdown);
    // Nothing has measured a text yet, and the board is first painted from the event loop: the
    // faces (and with them the font database) are read while the window system maps it.
    loadBundledFaces();
    return app.exec();
}
