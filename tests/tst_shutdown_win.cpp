#include "runtime/win32/shutdown_win32.h"

#include <QTest>
#include <windows.h>

// The Win32 shutdown request, with ExitWindowsEx always a recording stand-in: under Wine the real
// one ends the whole session, on Windows it powers the machine off.
class TestShutdownWin : public QObject
{
    Q_OBJECT
private slots:
    void failingStepIsReported_data();
    void failingStepIsReported();
    void requestedWithTheProcessOwnPrivilege_data();
    void requestedWithTheProcessOwnPrivilege();
};

namespace {

struct Recorder
{
    QStringList steps;
    int openTokens = 0;
};

// The request's calls, each recorded; `failing` fails with `error` (after succeeding, for
// AdjustTokenPrivileges, which reports a missing privilege only through the last error).
win32::PowerOffCalls recordingCalls(Recorder &recorder, const QString &failing, DWORD error)
{
    auto step = [&recorder, failing, error](const char *name) {
        recorder.steps << QString::fromLatin1(name);
        if (failing != QLatin1String(name))
            return true;
        SetLastError(error);
        return false;
    };
    win32::PowerOffCalls calls;
    calls.openProcessToken = [&recorder, step](void **token) {
        if (!step("OpenProcessToken"))
            return false;
        *token = &recorder;
        ++recorder.openTokens;
        return true;
    };
    calls.lookupShutdownPrivilege = [step](void *) { return step("LookupPrivilegeValue"); };
    calls.adjustTokenPrivileges = [step, failing, error](void *, void *) {
        const bool granted = step("AdjustTokenPrivileges");
        if (failing == QLatin1String("AdjustTokenPrivileges") && error == ERROR_NOT_ALL_ASSIGNED)
            return true; // the last error alone tells
        return granted;
    };
    calls.closeHandle = [&recorder](void *token) {
        QCOMPARE(token, static_cast<void *>(&recorder));
        --recorder.openTokens;
    };
    calls.exitWindowsEx = [step](unsigned, unsigned long) { return step("ExitWindowsEx"); };
    return calls;
}

} // namespace

void TestShutdownWin::failingStepIsReported_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<DWORD>("error");
    QTest::addColumn<int>("stepsTaken");
    QTest::newRow("no token") << "OpenProcessToken" << DWORD(ERROR_ACCESS_DENIED) << 1;
    QTest::newRow("unknown privilege")
        << "LookupPrivilegeValue" << DWORD(ERROR_NO_SUCH_PRIVILEGE) << 2;
    QTest::newRow("token without the privilege")
        << "AdjustTokenPrivileges" << DWORD(ERROR_NOT_ALL_ASSIGNED) << 3;
    QTest::newRow("privilege not adjusted")
        << "AdjustTokenPrivileges" << DWORD(ERROR_ACCESS_DENIED) << 3;
    QTest::newRow("shutdown refused") << "ExitWindowsEx" << DWORD(ERROR_PRIVILEGE_NOT_HELD) << 4;
}

void TestShutdownWin::failingStepIsReported()
{
    QFETCH(QString, step);
    QFETCH(DWORD, error);
    QFETCH(int, stepsTaken);
    Recorder recorder;
    const win32::PowerOffRequest request =
        win32::requestPowerOff(false, recordingCalls(recorder, step, error));
    QVERIFY(!request.requested);
    QCOMPARE(QString::fromLatin1(request.failedStep), step);
    QCOMPARE(request.error, error);
    QCOMPARE(recorder.steps.size(), stepsTaken);
    QCOMPARE(recorder.steps.last(), step);
    QCOMPARE(recorder.openTokens, 0); // the token is closed on every way out
}

void TestShutdownWin::requestedWithTheProcessOwnPrivilege_data()
{
    QTest::addColumn<bool>("forceIfHung");
    QTest::addColumn<unsigned>("flags");
    QTest::newRow("asking applications") << false << unsigned(EWX_POWEROFF);
    QTest::newRow("ending hung applications") << true << unsigned(EWX_POWEROFF | EWX_FORCEIFHUNG);
}

void TestShutdownWin::requestedWithTheProcessOwnPrivilege()
{
    QFETCH(bool, forceIfHung);
    QFETCH(unsigned, flags);
    // The system's token and privilege calls, for real; only the last step is recorded.
    QList<unsigned> exitFlags;
    win32::PowerOffCalls calls = win32::systemPowerOffCalls();
    calls.exitWindowsEx = [&exitFlags](unsigned flags, unsigned long reason) {
        exitFlags << flags;
        return (reason & SHTDN_REASON_FLAG_PLANNED) != 0;
    };
    const win32::PowerOffRequest request = win32::requestPowerOff(forceIfHung, calls);
    QVERIFY2(request.requested, request.failedStep);
    QCOMPARE(request.failedStep, nullptr);
    QCOMPARE(exitFlags, QList<unsigned>{ flags });
}

QTEST_MAIN(TestShutdownWin)
#include "tst_shutdown_win.moc"
