#include "app/windowset.h"
#include "fakeruntime.h"
#include "testsupport.h"
#include "windowsfixture.h"

#include <QLabel>
#include <QTest>

using namespace testsupport;

// The exam date given on the command line, on both boards.
class TestExamDate : public WindowsFixture
{
    Q_OBJECT
public:
    TestExamDate() : WindowsFixture({}, QStringLiteral("2027年6月7日")) { }

private slots:

    void figures_data();
    void figures();
    void newDateReachesOpenBoardsAtOnce();
    void largeBoardReopenedFromMiniKeepsTheDate();
    void secondStartBringsTheOpenBoard();

private:
    QString caption(WindowKind kind, const char *name) const
    {
        auto *label = controlOf<QLabel>(*m_windows, kind, name);
        return label ? label->text() : QStringLiteral("(no label)");
    }
    QStringList largeFigures() const
    {
        return { caption(WindowKind::Countdown, "透明标签2"),
            caption(WindowKind::Countdown, "透明标签4") };
    }
    QStringList miniFigures() const
    {
        return { caption(WindowKind::Mini, "透明标签3"), caption(WindowKind::Mini, "透明标签7") };
    }
};

void TestExamDate::figures_data()
{
    QTest::addColumn<QDateTime>("clock");
    QTest::addColumn<QStringList>("figures"); // days, hours

    auto at = [](int year, int month, int day, int hour) {
        return QDateTime(QDate(year, month, day), QTime(hour, 0), Qt::LocalTime);
    };
    QTest::newRow("a week before") << at(2027, 6, 1, 8) << QStringList{ "6", "136" };
    QTest::newRow("half a year before") << at(2026, 12, 8, 8) << QStringList{ "181", "4336" };
    QTest::newRow("on the day") << at(2027, 6, 7, 9) << QStringList{ "0", "-9" };
    QTest::newRow("the day after") << at(2027, 6, 8, 0) << QStringList{ "-1", "-24" };
}

void TestExamDate::figures()
{
    QFETCH(QDateTime, clock);
    QFETCH(QStringList, figures);

    m_runtime->clock = clock;
    m_windows->open(WindowKind::Countdown);
    m_windows->open(WindowKind::Mini);
    QCOMPARE(largeFigures(), figures);
    QCOMPARE(miniFigures(), figures);
    // The clock line does not depend on the exam date.
    QCOMPARE(caption(WindowKind::Countdown, "透明标签11"),
        QStringLiteral("%1年%2月%3日%4时0分")
            .arg(clock.date().year())
            .arg(clock.date().month())
            .arg(clock.date().day())
            .arg(clock.time().hour()));
}

void TestExamDate::newDateReachesOpenBoardsAtOnce()
{
    WindowSet windows(*m_runtime);
    windows.open(WindowKind::Countdown);
    windows.open(WindowKind::Mini);
    const auto figures = [&windows](WindowKind kind, const char *days, const char *hours) {
        return QStringList{ controlOf<QLabel>(windows, kind, days)->text(),
            controlOf<QLabel>(windows, kind, hours)->text() };
    };
    QCOMPARE(figures(WindowKind::Countdown, "透明标签2", "透明标签4"), QStringList({ "6", "136" }));

    windows.setExamDate(QStringLiteral("2015年6月2日"));
    // No tick has come: the days figure would otherwise wait up to a minute.
    QCOMPARE(figures(WindowKind::Countdown, "透明标签2", "透明标签4"), QStringList({ "1", "16" }));
    QCOMPARE(figures(WindowKind::Mini, "透明标签3", "透明标签7"), QStringList({ "1", "16" }));
}

void TestExamDate::largeBoardReopenedFromMiniKeepsTheDate()
{
    m_runtime->setClock(2026, 12, 8, 8, 0, 0);
    QWidget *large = m_windows->open(WindowKind::Countdown);
    press(large, QStringLiteral("透明标签8"));
    processDeletes();
    QCOMPARE(miniFigures(), QStringList({ "181", "4336" }));
    press(m_windows->window(WindowKind::Mini), QStringLiteral("透明标签5"));
    processDeletes();
    QVERIFY(!m_windows->window(WindowKind::Mini));
    QCOMPARE(largeFigures(), QStringList({ "181", "4336" }));
}

void TestExamDate::secondStartBringsTheOpenBoard()
{
    // Nothing open (the alarm alone): the large board opens.
    m_windows->open(WindowKind::Alarm);
    QWidget *large = m_windows->openBoard();
    QCOMPARE(large, m_windows->window(WindowKind::Countdown));
    QVERIFY(large && large->isVisible());
    QCOMPARE(m_windows->openBoard(), large);

    // The mini board open: it comes to the front, and no large board is added.
    press(large, QStringLiteral("透明标签8"));
    processDeletes();
    QWidget *mini = m_windows->window(WindowKind::Mini);
    QVERIFY(mini);
    QCOMPARE(m_windows->openBoard(), mini);
    QVERIFY(!m_windows->window(WindowKind::Countdown));
    QCOMPARE(m_windows->openCount(), 2);
}

QTEST_MAIN(TestExamDate)
#include "tst_examdate.moc"
