#include "app/windowset.h"
#include "fakeruntime.h"
#include "testsupport.h"
#include "windowsfixture.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace testsupport;

// Long runs: the program must come back to the same number of live widgets after every round
// trip, and its figures must stay right through a whole simulated day.
class TestSoak : public WindowsFixture
{
    Q_OBJECT
public:
    TestSoak() : WindowsFixture({ WindowKind::Countdown }) { }

private slots:
    void initTestCase();
    void init();

    void switchingBoards();
    void openingAndClosingTheEditor();
    void openingAndClosingTheAlarm();
    void aDayOfTicks();

private:
    QWidget *board() const { return m_windows->window(WindowKind::Countdown); }
    QString caption(WindowKind kind, const char *name) const
    {
        return controlOf<QLabel>(*m_windows, kind, name)->text();
    }

    qsizetype m_liveWidgets = 0;
};

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform warns about every shaped or raised window; thousands of them would bury
// the messages that matter.
void withoutPlatformWarnings(
    QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        defaultHandler(type, context, message);
}

} // namespace

void TestSoak::initTestCase()
{
    defaultHandler = qInstallMessageHandler(withoutPlatformWarnings);
}

void TestSoak::init()
{
    WindowsFixture::init();
    processDeletes();
    m_liveWidgets = QApplication::allWidgets().size();
}

// A short run (COUNTDOWN_SHORT_RUN: the sanitizer pass of scripts/test) does 50 rounds.
const int kRounds = qEnvironmentVariableIsSet("COUNTDOWN_SHORT_RUN") ? 50 : 1000;

void TestSoak::switchingBoards()
{
    for (int round = 0; round < kRounds; ++round) {
        press(board(), QStringLiteral("透明标签8"));
        processDeletes();
        QVERIFY(!board());
        QWidget *mini = m_windows->window(WindowKind::Mini);
        QVERIFY(mini);
        press(mini, QStringLiteral("透明标签5"));
        processDeletes();
        QVERIFY(board());
        QCOMPARE(m_windows->openCount(), 1);
        QCOMPARE(QApplication::allWidgets().size(), m_liveWidgets);
    }
}

void TestSoak::openingAndClosingTheEditor()
{
    for (int round = 0; round < kRounds; ++round) {
        press(board(), QStringLiteral("透明标签4"));
        QWidget *editor = m_windows->window(WindowKind::Editor);
        QVERIFY(editor);
        editor->close();
        processDeletes();
        QCOMPARE(m_windows->openCount(), 1);
        QCOMPARE(QApplication::allWidgets().size(), m_liveWidgets);
    }
}

void TestSoak::openingAndClosingTheAlarm()
{
    for (int round = 0; round < kRounds; ++round) {
        press(board(), QStringLiteral("透明标签9"));
        QWidget *alarm = m_windows->window(WindowKind::Alarm);
        QVERIFY(alarm);
        if (round % 2) {
            m_runtime->answers = { Runtime::Answer::Ok };
            press(alarm, QStringLiteral("标签8"));
            m_runtime->answerBoxes();
            QVERIFY(!alarm->isVisible());
            QVERIFY(m_runtime->trayHandler);
            m_runtime->trayHandler(Runtime::IconEvent::Activated);
            QVERIFY(alarm->isVisible());
        }
        m_runtime->answers = { Runtime::Answer::Cancel };
        press(alarm, QStringLiteral("标签8"));
        m_runtime->answerBoxes();
        processDeletes();
        QCOMPARE(m_windows->openCount(), 1);
        QCOMPARE(QApplication::allWidgets().size(), m_liveWidgets);
    }
    QVERIFY(m_runtime->shutdowns.isEmpty());
}

namespace {

// Whole units left until the exam, rounded half away from zero, in integer arithmetic on the
// wall clock: a second way to the figures, sharing nothing with the program's.
qint64 unitsLeft(const QDateTime &now, qint64 unitSeconds)
{
    const QDateTime exam(QDate(2015, 6, 7), QTime(0, 0), Qt::LocalTime);
    const qint64 seconds =
        now.date().daysTo(exam.date()) * 86400 - now.time().msecsSinceStartOfDay() / 1000;
    const qint64 magnitude = (std::abs(seconds) + unitSeconds / 2) / unitSeconds;
    return seconds < 0 ? -magnitude : magnitude;
}

} // namespace

void TestSoak::aDayOfTicks()
{
    // From noon before the exam to noon of its first day: the figures reach zero and turn negative.
    m_runtime->setClock(2015, 6, 6, 12, 0, 0);
    m_windows->destroy(WindowKind::Countdown);
    processDeletes();
    m_windows->open(WindowKind::Countdown);
    QDateTime lastDaysWrite = m_runtime->clock;
    int lastSecond = m_runtime->clock.time().second();

    for (int step = 1; step <= 24 * 60 * 60; ++step) {
        m_runtime->clock = m_runtime->clock.addSecs(1);
        const QDateTime now = m_runtime->clock;
        tick(board(), QStringLiteral("时钟1"));
        if (step % 60 == 0) {
            tick(board(), QStringLiteral("时钟2"));
            lastDaysWrite = now;
        }
        const QString hours = caption(WindowKind::Countdown, "透明标签4");
        const QString days = caption(WindowKind::Countdown, "透明标签2");
        const QString clockLine = caption(WindowKind::Countdown, "透明标签11");
        const int second = caption(WindowKind::Countdown, "透明标签12").toInt();
        const QString expectedClockLine =
            now.toString(QStringLiteral("yyyy'年'M'月'd'日'H'时'm'分'"));
        if (hours != QString::number(unitsLeft(now, 3600))
            || days != QString::number(unitsLeft(lastDaysWrite, 86400))
            || clockLine != expectedClockLine || second != (lastSecond + 1) % 60
            || second != now.time().second()) {
            QFAIL(qPrintable(QStringLiteral("at %1: days %2, hours %3, %4, second %5")
                                 .arg(now.toString(Qt::ISODate), days, hours, clockLine)
                                 .arg(second)));
        }
        lastSecond = second;
        if (step % 3600 == 0)
            QCoreApplication::processEvents();
    }
    QCOMPARE(caption(WindowKind::Countdown, "透明标签4"), QStringLiteral("-12"));
    QCOMPARE(caption(WindowKind::Countdown, "透明标签2"), QStringLiteral("-1"));
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
