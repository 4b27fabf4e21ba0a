#include "runtime/instanceguard.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <atomic>
#include <thread>

// One running copy: a later start reaches the running one and ends; nothing else gets through.
class TestInstanceGuard : public QObject
{
    Q_OBJECT
private slots:
    void laterStartReachesTheRunningCopy_data();
    void laterStartReachesTheRunningCopy();
    void silentOwnerKeepsItsChannel();
    void whatADeadCopyLeftIsReplaced_data();
    void whatADeadCopyLeftIsReplaced();
    void copyThatCannotListenLetsGo();
    void channelDropsWhatIsNoMessage_data();
    void channelDropsWhatIsNoMessage();
    void warnsWhereNoLockCanBeTaken();
    void realProgramRunsOnce_data();
    void realProgramRunsOnce();
    void sigtermEndsCleanly_unix();

private:
    // A channel of the test's own: a server name no other run uses, and a lock in `folder` (a
    // mutex of that name on Windows).
    static InstanceChannel channelIn(const QTemporaryDir &folder)
    {
        const QString name =
            QStringLiteral("guard-test-") + QUuid::createUuid().toString(QUuid::Id128);
#ifdef Q_OS_WIN
        Q_UNUSED(folder);
        return { name, name, {} };
#else
        return { name, folder.filePath(QStringLiteral("guard.lock")), {} };
#endif
    }
    // A later start in this process, on a thread of its own: it waits for the running copy's
    // answer, which comes from this thread's event loop.
    static InstanceGuard::Role laterStart(const InstanceChannel &channel, const QByteArray &message)
    {
        std::atomic<bool> done = false;
        InstanceGuard::Role role = InstanceGuard::Role::First;
        std::thread start([&] {
            role = makeInstanceGuard(channel)->claim(message);
            done = true;
        });
        while (!done)
            QTest::qWait(10);
        start.join();
        return role;
    }
    // The real program, in a runtime folder of the test's own, and its channel there.
    QProcess *startProgram(const QStringList &arguments);
    InstanceChannel programChannel();
    static bool listening(const InstanceChannel &channel);

    QTemporaryDir m_runtimeFolder;
    QString m_runtimePath = m_runtimeFolder.path();
};

void TestInstanceGuard::laterStartReachesTheRunningCopy_data()
{
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<bool>("deadSocket"); // a socket's file with nobody listening (Unix)
    QTest::newRow("no exam date") << QByteArray() << false;
    QTest::newRow("an exam date") << QByteArray("2027-06-07") << false;
    QTest::newRow("over a dead copy's socket") << QByteArray() << true;
}

void TestInstanceGuard::laterStartReachesTheRunningCopy()
{
    QFETCH(QByteArray, message);
    QFETCH(bool, deadSocket);
    QTemporaryDir folder;
    const InstanceChannel channel = channelIn(folder);
    QFile socket(QDir::temp().filePath(channel.name));
    QVERIFY(!deadSocket || socket.open(QIODevice::WriteOnly));
    const auto running = makeInstanceGuard(channel);
    QCOMPARE(running->claim({}), InstanceGuard::Role::First);
    QSignalSpy received(running.get(), &InstanceGuard::messageReceived);

    for (int start = 0; start < 2; ++start) {
        QCOMPARE(laterStart(channel, message), InstanceGuard::Role::Second);
        QTRY_COMPARE(received.count(), start + 1);
        QCOMPARE(received.at(start).at(0).toByteArray(), message);
    }
}

// A live copy holds the lock but does not answer (busy, or out of file descriptors): a later start
// neither takes its socket nor opens a second board.
void TestInstanceGuard::silentOwnerKeepsItsChannel()
{
    QTemporaryDir folder;
    const InstanceChannel channel = channelIn(folder);
    InstanceLock owner(channel.lock);
    QString why;
    QCOMPARE(owner.tryTake(why), InstanceLock::Result::Taken);
    QFile socket(QDir::temp().filePath(channel.name));
    QVERIFY(socket.open(QIODevice::WriteOnly));
    QCOMPARE(laterStart(channel, {}), InstanceGuard::Role::Unanswered);
    QVERIFY(socket.exists());
}

void TestInstanceGuard::channelDropsWhatIsNoMessage_data()
{
    QTest::addColumn<QByteArray>("sent");
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("an endless line") << QByteArray(8 << 20, 'x');
    QTest::newRow("a line too long") << QByteArray(InstanceGuard::kMaxMessage + 1, '7') + '\n';
}

void TestInstanceGuard::whatADeadCopyLeftIsReplaced_data()
{
    QTest::addColumn<QByteArray>("content"); // of the lock file, or where a link points
    QTest::addColumn<bool>("link");
    QTest::newRow("an empty lock, as a power cut leaves it") << QByteArray() << false;
    QTest::newRow("a lock of random bytes") << QByteArray("\x8f\x00\xff\n\x01garbage", 13) << false;
    QTest::newRow("a link to a file") << QByteArray("the user's own file") << true;
    QTest::newRow("a dangling link") << QByteArray() << true;
}

// No owner can be read from what lies at the lock's place: the next start takes it at once, and
// writes through no link.
void TestInstanceGuard::whatADeadCopyLeftIsReplaced()
{
#ifdef Q_OS_WIN
    QSKIP("the lock is a mutex of the session on Windows, not a file");
#endif
    QFETCH(QByteArray, content);
    QFETCH(bool, link);
    QTemporaryDir folder;
    const InstanceChannel channel = channelIn(folder);
    const QString target = folder.filePath(QStringLiteral("target"));
    QFile file(link ? target : channel.lock);
    if (!link || !content.isEmpty())
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();
    if (link)
        QVERIFY(QFile::link(target, channel.lock));

    QElapsedTimer clock;
    clock.start();
    const auto running = makeInstanceGuard(channel);
    QCOMPARE(running->claim({}), InstanceGuard::Role::First);
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(laterStart(channel, {}), InstanceGuard::Role::Second);
    if (link)
        QCOMPARE(QFileInfo(target).size(), content.size());
}

// A copy that cannot listen says it runs unguarded and lets go of the lock: a later start runs
// as it does, at once, rather than wait for an answer and be refused.
void TestInstanceGuard::copyThatCannotListenLetsGo()
{
#ifdef Q_OS_WIN
    QSKIP("a socket in a missing folder cannot listen; a pipe of any name can");
#endif
    QTemporaryDir folder;
    InstanceChannel channel = channelIn(folder);
    channel.name = folder.filePath(QStringLiteral("missing/guard.socket"));
    QTest::ignoreMessage(
        QtWarningMsg, QRegularExpression("cannot listen on .*missing/guard.socket"));
    const auto first = makeInstanceGuard(channel);
    QCOMPARE(first->claim({}), InstanceGuard::Role::First);
    QTest::ignoreMessage(
        QtWarningMsg, QRegularExpression("cannot listen on .*missing/guard.socket"));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(makeInstanceGuard(channel)->claim({}), InstanceGuard::Role::First);
    QVERIFY(clock.elapsed() < 2000);
}

// A client of the same user that sends too much, or nothing, is cut off unheard, and the running
// copy still takes the next start's message.
void TestInstanceGuard::channelDropsWhatIsNoMessage()
{
    QFETCH(QByteArray, sent);
    QTemporaryDir folder;
    const InstanceChannel channel = channelIn(folder);
    const auto running = makeInstanceGuard(channel);
    QCOMPARE(running->claim({}), InstanceGuard::Role::First);
    QSignalSpy received(running.get(), &InstanceGuard::messageReceived);

    QLocalSocket client;
    client.connectToServer(channel.name);
    QVERIFY(client.waitForConnected());
    client.write(sent);
    QTRY_COMPARE_WITH_TIMEOUT(client.state(), QLocalSocket::UnconnectedState, 10000);
    QCOMPARE(received.count(), 0);

    QCOMPARE(laterStart(channel, "2027-06-07"), InstanceGuard::Role::Second);
    QTRY_COMPARE(received.count(), 1);
}

// Where the lock cannot be made the program runs on, unguarded, and says so.
void TestInstanceGuard::warnsWhereNoLockCanBeTaken()
{
    QTemporaryDir folder;
    InstanceChannel channel = channelIn(folder);
#ifdef Q_OS_WIN
    QSKIP("the lock is a mutex of the session on Windows, not a file");
#endif
    channel.lock = folder.filePath(QStringLiteral("missing/guard.lock"));
    QTest::ignoreMessage(
        QtWarningMsg, QRegularExpression("cannot take the lock .*missing/guard.lock"));
    QCOMPARE(makeInstanceGuard(channel)->claim({}), InstanceGuard::Role::First);
}

InstanceChannel TestInstanceGuard::programChannel()
{
    qputenv("XDG_RUNTIME_DIR", m_runtimePath.toLocal8Bit());
    return instanceChannel(QStringLiteral(COUNTDOWN_APP_ID));
}

bool TestInstanceGuard::listening(const InstanceChannel &channel)
{
    // Reached as a later start reaches it, at any length of path: a line alone raises the board.
    return sendLine(channel.name, {}, 100);
}

QProcess *TestInstanceGuard::startProgram(const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(
        "gaokao-countdown", { QCoreApplication::applicationDirPath() + "/.." });
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", m_runtimePath);
    auto *process = new QProcess(this);
    process->setProcessEnvironment(environment);
    process->start(program, arguments);
    return process;
}

void TestInstanceGuard::realProgramRunsOnce_data()
{
    QTest::addColumn<bool>("atOnce"); // both at the same instant, over a killed copy's leftovers
    QTest::addColumn<bool>("longPath"); // a runtime folder too deep for a socket's address
    QTest::newRow("one after the other") << false << false;
    for (int round = 1; round <= 2; ++round)
        QTest::addRow("at the same instant over a killed copy, round %d", round) << true << false;
#ifndef Q_OS_WIN
    QTest::newRow("in a runtime folder too deep for a socket's address") << false << true;
#endif
}

// The real program twice: one board, and the later start ends with status 0.
void TestInstanceGuard::realProgramRunsOnce()
{
    QFETCH(bool, atOnce);
    QFETCH(bool, longPath);
    m_runtimePath = m_runtimeFolder.path();
    if (longPath) {
        m_runtimePath += QStringLiteral("/deeper").repeated(16);
        QVERIFY(QDir().mkpath(m_runtimePath));
        QVERIFY(QFile::setPermissions(
            m_runtimePath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    }
    const InstanceChannel channel = programChannel();
    if (atOnce) {
        QProcess *killed = startProgram({});
        QTRY_VERIFY_WITH_TIMEOUT(listening(channel), 20000);
        killed->kill();
        QVERIFY(killed->waitForFinished());
        if (QDir::isAbsolutePath(channel.name)) // Unix: its socket and lock are left to see
            QVERIFY(QFile::exists(channel.name) && QFile::exists(channel.lock));
    }
    QProcess *first = startProgram({});
    if (!atOnce)
        QTRY_VERIFY_WITH_TIMEOUT(listening(channel), 20000);
    QProcess *second = startProgram({ "--exam-date", "next" });

    QTRY_VERIFY_WITH_TIMEOUT(
        first->state() == QProcess::NotRunning || second->state() == QProcess::NotRunning, 20000);
    QProcess *ended = first->state() == QProcess::NotRunning ? first : second;
    QProcess *board = ended == first ? second : first;
    QCOMPARE(ended->exitStatus(), QProcess::NormalExit);
    QCOMPARE(ended->exitCode(), 0);
    QVERIFY(listening(channel));
    QCOMPARE(board->state(), QProcess::Running);
    board->kill();
    QVERIFY(board->waitForFinished());
}

// Ended as a logout or a service manager ends it, the program leaves neither socket nor lock.
void TestInstanceGuard::sigtermEndsCleanly_unix()
{
#ifdef Q_OS_WIN
    QSKIP("Windows sends no SIGTERM");
#endif
    const InstanceChannel channel = programChannel();
    QProcess *program = startProgram({});
    QTRY_VERIFY_WITH_TIMEOUT(listening(channel), 20000);
    program->terminate();
    QVERIFY(program->waitForFinished());
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
    QVERIFY(!QFile::exists(channel.name));
    QVERIFY(!QFile::exists(channel.lock));
}

QTEST_MAIN(TestInstanceGuard)
#include "tst_instanceguard.moc"
