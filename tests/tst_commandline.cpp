#include "app/options.h"
#include "core/examdate.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void examDate_data();
    void examDate();
    void options_data();
    void options();
    void program_data();
    void program();
    void answersInTheUserLanguage_data();
    void answersInTheUserLanguage();

private:
    // Runs the real program as `process`, without a display, in a configuration folder of its
    // own, with LC_ALL at `locale`.
    static void run(QProcess &process, const QStringList &arguments, const QString &locale,
        const QTemporaryDir &configFolder);
};

void TestCommandLine::examDate_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QDate>("day"); // invalid: refused

    const QDate today(2026, 12, 8);
    QTest::newRow("a date") << "2027-06-07" << today << QDate(2027, 6, 7);
    QTest::newRow("a past date") << "2015-06-07" << today << QDate(2015, 6, 7);
    QTest::newRow("29 February of a leap year") << "2028-02-29" << today << QDate(2028, 2, 29);
    QTest::newRow("next, on 6 June") << "next" << QDate(2026, 6, 6) << QDate(2026, 6, 7);
    QTest::newRow("next, on 7 June: today") << "next" << QDate(2026, 6, 7) << QDate(2026, 6, 7);
    QTest::newRow("next, on 8 June") << "next" << QDate(2026, 6, 8) << QDate(2027, 6, 7);
    QTest::newRow("next, on 31 December") << "next" << QDate(2026, 12, 31) << QDate(2027, 6, 7);
    for (const char *refused : { "2027-02-30", "2027-02-29", "2027-13-01", "2027-00-10", "2027-6-7",
             "27-06-07", "2027/06/07", "20270607", " 2027-06-07", "2027-06-07T00:00",
             "2027年6月7日", "tomorrow", "Next", "", "0000-06-07", "+2027-06-07" })
        QTest::newRow(refused) << refused << today << QDate();
}

void TestCommandLine::examDate()
{
    QFETCH(QString, value);
    QFETCH(QDate, today);
    QFETCH(QDate, day);
    QCOMPARE(parseExamDate(value, today).value_or(QDate()), day);
}

void TestCommandLine::options_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QDate>("examDay");
    QTest::addColumn<int>("autostart"); // -1 unchanged, 0 off, 1 on
    QTest::addColumn<QStringList>("errorNames"); // what the message must name; empty: no error

    const QStringList datesForm{ "--exam-date", "YYYY-MM-DD", "next" };
    QTest::newRow("none") << QStringList{} << QDate() << -1 << QStringList{};
    QTest::newRow("a date") << QStringList{ "--exam-date", "2027-06-07" } << QDate(2027, 6, 7) << -1
                            << QStringList{};
    QTest::newRow("next, with =") << QStringList{ "--exam-date=next" } << QDate(2027, 6, 7) << -1
                                  << QStringList{};
    QTest::newRow("autostart on with a date") << QStringList{ "--autostart", "on", "--exam-date",
        "next" } << QDate(2027, 6, 7) << 1 << QStringList{};
    QTest::newRow("autostart off")
        << QStringList{ "--autostart=off" } << QDate() << 0 << QStringList{};
    QTest::newRow("impossible date") << QStringList{ "--exam-date", "2027-02-30" } << QDate() << -1
                                     << (datesForm + QStringList{ "2027-02-30" });
    QTest::newRow("a word") << QStringList{ "--exam-date", "tomorrow" } << QDate() << -1
                            << (datesForm + QStringList{ "tomorrow" });
    QTest::newRow("no value") << QStringList{ "--exam-date" } << QDate() << -1 << datesForm;
    QTest::newRow("autostart maybe") << QStringList{ "--autostart", "maybe" } << QDate() << -1
                                     << QStringList{ "--autostart", "maybe", "on", "off" };
    QTest::newRow("unknown option") << QStringList{ "--exam-day", "2027-06-07" } << QDate() << -1
                                    << (datesForm + QStringList{ "exam-day", "--autostart" });
    QTest::newRow("stray argument") << QStringList{ "2027-06-07" } << QDate() << -1
                                    << (datesForm + QStringList{ "2027-06-07" });
}

void TestCommandLine::options()
{
    QFETCH(QStringList, arguments);
    QFETCH(QDate, examDay);
    QFETCH(int, autostart);
    QFETCH(QStringList, errorNames);

    QCommandLineParser parser;
    const Options options = readOptions(parser, QStringList{ "gaokao-countdown" } + arguments,
        QDate(2026, 12, 8), Language::English);
    for (const QString &name : errorNames)
        QVERIFY2(options.error.contains(name), qPrintable(options.error));
    if (!errorNames.isEmpty())
        return;
    QVERIFY2(options.error.isEmpty(), qPrintable(options.error));
    QCOMPARE(options.examDay.value_or(QDate()), examDay);
    QCOMPARE(options.autostart ? int(*options.autostart) : -1, autostart);
}

void TestCommandLine::program_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // expected in standard output
    QTest::addColumn<QString>("error"); // expected in standard error
    QTest::addColumn<QString>("outputFile"); // where standard output goes; empty: a pipe

    QTest::newRow("--help") << QStringList{ "--help" } << 0 << "--exam-date"
                            << ""
                            << "";
    QTest::newRow("--version") << QStringList{ "--version" } << 0 << COUNTDOWN_VERSION << ""
                               << "";
    QTest::newRow("impossible date") << QStringList{ "--exam-date", "2027-02-30" } << 2 << ""
                                     << "--exam-date: '2027-02-30' is not a date; expected YYYY"
                                     << "";
    QTest::newRow("unknown option") << QStringList{ "--bogus" } << 2 << ""
                                    << "Unknown option 'bogus'"
                                    << "";
    QTest::newRow("--help-all is not offered") << QStringList{ "--help-all" } << 2 << ""
                                               << "Unknown option 'help-all'"
                                               << "";
#ifndef Q_OS_WIN
    // The entry goes into the test's own configuration folder (XDG_CONFIG_HOME).
    QTest::newRow("autostart on") << QStringList{ "--autostart", "on", "--exam-date", "next" } << 0
                                  << "/autostart/" COUNTDOWN_APP_ID ".desktop"
                                  << ""
                                  << "";
    QTest::newRow("help onto a full disk") << QStringList{ "--help" } << 1 << ""
                                           << ""
                                           << "/dev/full";
    QTest::newRow("no display, no options") << QStringList{} << 1 << ""
                                            << "no display"
                                            << "";
#endif
}

// The real program, as a user starts it, in a set-up script or over SSH without a display: these
// end before any window system is touched.
void TestCommandLine::program()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QFETCH(QString, error);
    QFETCH(QString, outputFile);

    QTemporaryDir configFolder;
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    run(process, arguments, QStringLiteral("C.UTF-8"), configFolder);
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), status);
    QVERIFY(QString::fromUtf8(process.readAllStandardOutput()).contains(output));
    const QString errors = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(errors.contains(error), qPrintable(errors));
}

void TestCommandLine::run(QProcess &process, const QStringList &arguments, const QString &locale,
    const QTemporaryDir &configFolder)
{
    const QString program = QStandardPaths::findExecutable(
        "gaokao-countdown", { QCoreApplication::applicationDirPath() + "/.." });
    QVERIFY(!program.isEmpty());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE" })
        environment.remove(name);
    environment.insert("XDG_CONFIG_HOME", configFolder.path());
    environment.insert("LC_ALL", locale);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    QVERIFY(process.waitForFinished(30000));
}

void TestCommandLine::answersInTheUserLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("chinese");

    QStringList locales{ "C.UTF-8" };
#ifndef Q_OS_WIN // Windows takes the language of its own settings, not of the environment
    locales << "zh_CN.UTF-8";
#endif
    for (const QString &locale : locales) {
        const bool chinese = locale.startsWith(u"zh");
        QTest::addRow("help, %s", qPrintable(locale))
            << locale << QStringList{ "--help" } << chinese;
        QTest::addRow("an impossible date, %s", qPrintable(locale))
            << locale << QStringList{ "--exam-date", "2027-02-30" } << chinese;
    }
}

// Chinese for a user whose desktop is in Chinese, English for the others; the option names stay.
void TestCommandLine::answersInTheUserLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, arguments);
    QFETCH(bool, chinese);
    QTemporaryDir configFolder;
    QProcess process;
    run(process, arguments, locale, configFolder);
    const QString said = QString::fromUtf8(process.readAll() + process.readAllStandardError());
    QVERIFY2(said.contains(QStringLiteral("--exam-date")), qPrintable(said));
    const bool hasChinese = std::any_of(
        said.begin(), said.end(), [](QChar c) { return c.script() == QChar::Script_Han; });
    QVERIFY2(hasChinese == chinese, qPrintable(said));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
