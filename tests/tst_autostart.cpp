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
}

void TestAutostart::cleanup()
{
    qunsetenv("XDG_CONFIG_HOME");
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
    QTest::newRow("a path with a blank and a dollar")
        << "/home/a b/$x/gaokao-countdown" << QStringList{ "--exam-date", "2027-06-07" }
        << R"(Exec="/home/a b/\\$x/gaokao-countdown" --exam-date 2027-06-07)";
}

void TestAutostart::entryWrittenAndRemoved()
{
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(QString, exec);

    const AutostartResult on = enableAutostart(program, arguments);
    QVERIFY2(on.ok, qPrintable(on.message));
    QVERIFY(on.message.contains(entryPath()));
    QFile entry(entryPath());
    QVERIFY(entry.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split(u'\n');
    QCOMPARE(lines.filter(QRegularExpression("^Exec=")), QStringList{ exec });
    QVERIFY(lines.contains(QStringLiteral("Name=高考倒计时")));
    // The menu's actions are not part of an autostart entry.
    QVERIFY(lines.filter(QRegularExpression("^(Actions=|\\[Desktop Action)")).isEmpty());
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty())
        QCOMPARE(QProcess::execute(validator, { entryPath() }), 0);

    const AutostartResult off = disableAutostart();
    QVERIFY2(off.ok, qPrintable(off.message));
    QVERIFY(!QFile::exists(entryPath()));
    QVERIFY(disableAutostart().ok);
}

void TestAutostart::unwritableFolderIsReported()
{
    // A file where the configuration folder should be: not even root can create folders in it.
    const QString blocked = m_config->filePath(QStringLiteral("file"));
    QFile file(blocked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocked));
    const AutostartResult on = enableAutostart(QStringLiteral("/usr/bin/gaokao-countdown"), {});
    QVERIFY(!on.ok);
    QVERIFY2(on.message.contains(blocked + QStringLiteral("/autostart")), qPrintable(on.message));
}

QTEST_MAIN(TestAutostart)
#include "tst_autostart.moc"
