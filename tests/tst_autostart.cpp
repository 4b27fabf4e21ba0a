#include "runtime/autostart.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The XDG autostart entry, in a configuration folder of the test's own.
class TestAutostart : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void entryWrittenAndRemoved_data();
    void entryWrittenAndRemoved();
    void launchersStartTheEntry_data();
    void launchersStartTheEntry();
    void unwritableFolderIsReported();

private:
    QString entryPath() const
    {
        return m_config->filePath(QStringLiteral("autostart/" COUNTDOWN_APP_ID ".desktop"));
    }

    std::unique_ptr<QTemporaryDir> m_config;
};

void TestAutostart::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_config->filePath("data")));
}

void TestAutostart::cleanup()
{
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");
    m_config.reset();
}

void TestAutostart::entryWrittenAndRemoved_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("exec");

    QTest::newRow("installed") << "/usr/bin/gaokao-countdown" << QStringList{}
                               << "Exec=/usr/bin/gaokao-countdown";
    QTest::newRow("with an exam date")
        << "/usr/bin/gaokao-countdown" << QStringList{ "--exam-date", "next" }
        << "Exec=/usr/bin/gaokao-countdown --exam-date next";
    QTest::newRow("a path with blanks")
        << "/home/a b/gaokao countdown" << QStringList{ "--exam-date", "2027-06-07" }
        << R"(Exec="/home/a b/gaokao countdown" --exam-date 2027-06-07)";
    // A dollar would keep its backslash in systemd's launcher: a link beside the entry stands in.
    QTest::newRow("a path with a dollar") << "/home/a b/$x/gaokao-countdown" << QStringList{}
                                          << "Exec=<data>/" COUNTDOWN_APP_ID "/gaokao-countdown";
}

void TestAutostart::entryWrittenAndRemoved()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, exec);

    const AutostartResult on = enableAutostart(program, arguments);
    QCOMPARE(on.outcome, AutostartResult::Outcome::Started);
    QCOMPARE(on.where, entryPath());
    QFile entry(entryPath());
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(u'\n');
    QCOMPARE(lines.filter(QRegularExpression("^Exec=")),
        QStringList{ exec.replace(QStringLiteral("<data>"), m_config->filePath("data")) });
    QVERIFY(lines.contains(QStringLiteral("Name=高考倒计时")));
    // The menu's actions are not part of an autostart entry.
    QVERIFY(lines.filter(QRegularExpression("^(Actions=|\\[Desktop Action)")).isEmpty());
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty())
        QCOMPARE(QProcess::execute(validator, { entryPath() }), 0);

    const AutostartResult off = disableAutostart();
    QCOMPARE(off.outcome, AutostartResult::Outcome::Stopped);
    QVERIFY(!QFile::exists(entryPath()));
    QCOMPARE(disableAutostart().outcome, AutostartResult::Outcome::WasStopped);
}

void TestAutostart::launchersStartTheEntry_data()
{
    QTest::addColumn<QString>("folder"); // where the program lies
    QTest::newRow("100% sure") << "100% sure";
    QTest::newRow("$HOME, `quoted`") << "$HOME, `quoted`";
}

// As the desktop reads the entry, whatever the program's path holds: GLib's launcher starts the
// program with its arguments, and systemd's generator makes a unit of it.
void TestAutostart::launchersStartTheEntry()
{
    QFETCH(QString, folder);
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        QSKIP("no gio (libglib2.0-bin)");
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(folder));
    const QString program = root.filePath(folder + QStringLiteral("/gaokao-countdown"));
    const QString started = root.filePath(QStringLiteral("started"));
    QFile script(program);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\necho \"$@\" > '" + QFile::encodeName(started) + "'\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFile::ExeOwner));

    QCOMPARE(
        enableAutostart(program, { QStringLiteral("--exam-date"), QStringLiteral("next") }).outcome,
        AutostartResult::Outcome::Started);
    QCOMPARE(QProcess::execute(gio, { QStringLiteral("launch"), entryPath() }), 0);
    QTRY_VERIFY(QFile::exists(started));
    QFile arguments(started);
    QVERIFY(arguments.open(QIODevice::ReadOnly));
    QCOMPARE(arguments.readAll(), QByteArray("--exam-date next\n"));

    const QString generator =
        QStringLiteral("/usr/lib/systemd/user-generators/systemd-xdg-autostart-generator");
    if (!QFile::exists(generator))
        return;
    QProcess generate;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), root.filePath(QStringLiteral("none")));
    generate.setProcessEnvironment(environment);
    const QString units = root.filePath(QStringLiteral("units"));
    QVERIFY(QDir().mkpath(units));
    generate.start(generator, { units, units, units });
    QVERIFY(generate.waitForFinished());
    const QString unit = units + QStringLiteral("/app-" COUNTDOWN_APP_ID "@autostart.service");
    QVERIFY2(QFile::exists(unit), generate.readAllStandardError().constData());
    // The unit's command line, as systemd reads it: nothing it would not carry as written.
    const QString analyze = QStandardPaths::findExecutable(QStringLiteral("systemd-analyze"));
    if (analyze.isEmpty())
        return;
    QProcess verify;
    verify.start(analyze, { QStringLiteral("verify"), unit });
    QVERIFY(verify.waitForFinished());
    QCOMPARE(verify.readAllStandardError(), QByteArray());
}

void TestAutostart::unwritableFolderIsReported()
{
    // A file where the configuration folder should be: not even root can create folders in it.
    const QString blocked = m_config->filePath(QStringLiteral("file"));
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocked));
    const AutostartResult on = enableAutostart(QStringLiteral("/usr/bin/gaokao-countdown"), {});
    QCOMPARE(on.outcome, AutostartResult::Outcome::Failed);
    QVERIFY2(on.failure.contains(blocked + QStringLiteral("/autostart")), qPrintable(on.failure));
}

QTEST_MAIN(TestAutostart)
#include "tst_autostart.moc"
