#include "runtime/desktopruntime.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <optional>
#include <sys/prctl.h>

// A logind of our own, on a bus of our own: it records the calls and answers PowerOff only when
// the test says so. It forwards nothing anywhere.
class StandInLogind : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    QString canPowerOff = QStringLiteral("yes");
    QList<bool> powerOffCalls; // the interactive flag of each
    QDBusMessage pending;

    void answer(const QString &error)
    {
        QDBusConnection(QStringLiteral("stand-in"))
            .send(error.isEmpty()
                    ? pending.createReply()
                    : pending.createErrorReply(
                        QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"), error));
    }

public slots:
    QString CanPowerOff() { return canPowerOff; }
    void PowerOff(bool interactive)
    {
        powerOffCalls << interactive;
        setDelayedReply(true);
        pending = message();
    }
};

// The desktop runtime's shutdown request against a stand-in logind on a private system bus,
// started by the test. Never the machine's own bus: the test stops before asking if the bus it
// would ask is not the private one.
class TestShutdownLinux : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void answerComesWithoutBlocking_data();
    void answerComesWithoutBlocking();
    void endingWhileTheRequestWaits();

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
    StandInLogind m_logind;
};

void TestShutdownLinux::initTestCase()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        QSKIP("dbus-daemon is missing: the shutdown request is not tried against a stand-in.");
    QVERIFY(m_dir.isValid());
    // No service directories: nothing on this bus can be started on demand.
    QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral(R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)")
                     .arg(m_dir.path())
                     .toUtf8());
    config.close();
    // The bus goes with the test, even when the test crashes.
    m_bus.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_bus.start(daemon,
        { QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
            QStringLiteral("--print-address") });
    QVERIFY(m_bus.waitForReadyRead(10000));
    const QString address = QString::fromUtf8(m_bus.readLine()).trimmed();
    QVERIFY(!address.isEmpty());
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", address.toUtf8());

    QDBusConnection standIn = QDBusConnection::connectToBus(address, QStringLiteral("stand-in"));
    QVERIFY(standIn.isConnected());
    QVERIFY(standIn.registerObject(
        QStringLiteral("/org/freedesktop/login1"), &m_logind, QDBusConnection::ExportAllSlots));
    QVERIFY(standIn.registerService(QStringLiteral("org.freedesktop.login1")));
    const QDBusConnection system = QDBusConnection::systemBus();
    QVERIFY(system.isConnected());
    QVERIFY2(system.interface()->serviceOwner(QStringLiteral("org.freedesktop.login1")).value()
            == standIn.baseService(),
        "the system bus is not the private one");
}

void TestShutdownLinux::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus(QStringLiteral("stand-in"));
    if (m_bus.state() != QProcess::NotRunning) {
        m_bus.terminate();
        m_bus.waitForFinished();
    }
}

void TestShutdownLinux::answerComesWithoutBlocking_data()
{
    QTest::addColumn<QString>("canPowerOff");
    QTest::addColumn<QString>("powerOffError"); // empty: granted
    QTest::addColumn<bool>("asked"); // whether PowerOff is called
    QTest::addColumn<bool>("requested");
    QTest::addColumn<QString>("reason"); // part of it

    QTest::newRow("granted") << "yes" << QString() << true << true << QString();
    QTest::newRow("refused after the password prompt")
        << "challenge" << QStringLiteral("Interactive authentication required.") << true << false
        << QStringLiteral("Interactive authentication required.");
    QTest::newRow("not allowed") << "no" << QString() << false << false
                                 << QStringLiteral("CanPowerOff: no");
}

void TestShutdownLinux::answerComesWithoutBlocking()
{
    QFETCH(QString, canPowerOff);
    QFETCH(QString, powerOffError);
    QFETCH(bool, asked);
    QFETCH(bool, requested);
    QFETCH(QString, reason);
    m_logind.canPowerOff = canPowerOff;
    m_logind.powerOffCalls.clear();

    // Ticks of the board and of the other countdown, while the system thinks it over.
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&ticks] { ++ticks; });
    clock.start(10);

    DesktopRuntime runtime;
    std::optional<Runtime::ShutdownResult> answer;
    runtime.shutDown(true, [&answer](const Runtime::ShutdownResult &result) {
        QVERIFY(!answer);
        answer = result;
    });
    QVERIFY(!answer);
    if (asked) {
        QTRY_COMPARE(m_logind.powerOffCalls, QList<bool>{ true });
        const int before = ticks;
        QTRY_VERIFY(ticks >= before + 5);
        QVERIFY(!answer);
        m_logind.answer(powerOffError);
    }
    QTRY_VERIFY(answer);
    QCOMPARE(answer->requested, requested);
    QVERIFY2(answer->reason.contains(reason), qPrintable(answer->reason));
    QCOMPARE(m_logind.powerOffCalls.size(), asked ? 1 : 0);
}

// The program may end while the system still thinks the request over: what waits for the answer
// is the application's, and goes with it.
void TestShutdownLinux::endingWhileTheRequestWaits()
{
    m_logind.canPowerOff = QStringLiteral("yes");
    m_logind.powerOffCalls.clear();
    DesktopRuntime runtime;
    runtime.shutDown(true, [](const Runtime::ShutdownResult &) { QFAIL("no answer was given"); });
    QTRY_COMPARE(m_logind.powerOffCalls, QList<bool>{ true });
    QCOMPARE(qApp->findChildren<QDBusPendingCallWatcher *>().size(), 1);
}

QTEST_MAIN(TestShutdownLinux)
#include "tst_shutdown_linux.moc"
