#include "app/instanceguard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// One running copy: a later start reaches the running one and ends.
class TestInstanceGuard : public QObject
{
    Q_OBJECT
private slots:
    void laterStartReachesTheRunningCopy_data();
    void laterStartReachesTheRunningCopy();
    void staleSocketIsReplaced();
    void secondProgramEndsAndFirstRunsOn();
};

void TestInstanceGuard::laterStartReachesTheRunningCopy_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("no exam date") << QByteArray();
    QTest::newRow("an exam date") << QByteArray("2027-06-07");
}

void TestInstanceGuard::laterStartReachesTheRunningCopy()
{
    QFETCH(QByteArray, message);
    QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("guard.socket"));
    const auto running = makeInstanceGuard(name);
    QCOMPARE(running->claim({}), InstanceGuard::Role::First);
    QSignalSpy received(running.get(), &InstanceGuard::messageReceived);

    for (int start = 0; start < 2; ++start) {
        QCOMPARE(makeInstanceGuard(name)->claim(message), InstanceGuard::Role::Second);
        QTRY_COMPARE(received.count(), start + 1);
        QCOMPARE(received.at(start).at(0).toByteArray(), message);
    }
}

void TestInstanceGuard::staleSocketIsReplaced()
{
    QTemporaryDir folder;
    const QString name = folder.filePath(QStringLiteral("guard.socket"));
    {
        // What a crashed copy leaves: the socket's file, with nobody listening.
        QFile leftover(name);
        QVERIFY(leftover.open(QIODevice::WriteOnly));
    }
    const auto running = makeInstanceGuard(name);
    QCOMPARE(running->claim({}), InstanceGuard::Role::First);
    QSignalSpy received(running.get(), &InstanceGuard::messageReceived);
    QCOMPARE(makeInstanceGuard(name)->claim("2027-06-07"), InstanceGuard::Role::Second);
    QTRY_COMPARE(received.count(), 1);
}

// The real program twice, in a runtime folder of the test's own.
void TestInstanceGuard::secondProgramEndsAndFirstRunsOn()
{
    const QString program = QStandardPaths::findExecutable(
        "gaokao-countdown", { QCoreApplication::applicationDirPath() + "/.." });
    QVERIFY(!program.isEmpty());
    QTemporaryDir runtimeFolder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtimeFolder.path());

    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(program, {});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(
        !QDir(runtimeFolder.path()).entryList({ "*.socket" }, QDir::System).isEmpty(), 20000);

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(program, { "--exam-date", "next" });
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

QTEST_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
