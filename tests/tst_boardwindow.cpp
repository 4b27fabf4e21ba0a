#include "app/windowset.h"
#include "fakeruntime.h"
#include "testsupport.h"
#include "widgets/transparentlabel.h"
#include "windows/boardwindow.h"
#include "windowsfixture.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace testsupport;

namespace {

// The boards, each with the given names of its days figure, hours figure and exit label.
struct Board
{
    const char *tag;
    WindowKind kind;
    const char *days;
    const char *hours;
    const char *exit;
};
const Board kBoards[] = {
    { "large", WindowKind::Countdown, "透明标签2", "透明标签4", "透明标签6" },
    { "mini", WindowKind::Mini, "透明标签3", "透明标签7", "透明标签2" },
};

// A row for the board kBoards[board], for further columns after "board".
QTestData &boardRow(int board, const char *suffix = "")
{
    return QTest::addRow("%s%s", kBoards[board].tag, suffix) << board;
}

void boards()
{
    QTest::addColumn<int>("board");
    boardRow(0);
    boardRow(1);
}

// Notes a board's figures at the moment it is first shown.
class FirstShowWatcher : public QObject
{
public:
    explicit FirstShowWatcher(const Board &board) : m_board(board) { }
    QStringList figures;
    int shows = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->inherits("BoardWindow") && shows++ == 0) {
            for (const char *name : { m_board.days, m_board.hours })
                figures << watched->findChild<QLabel *>(QString::fromUtf8(name))->text();
        }
        return false;
    }

private:
    const Board &m_board;
};

} // namespace

// What both boards do: their figures, their ticks, the exit question and pinning.
class TestBoardWindow : public WindowsFixture
{
    Q_OBJECT
private slots:
    void timers_data() { boards(); }
    void timers();
    void figuresFilledBeforeFirstShow_data();
    void figuresFilledBeforeFirstShow();
    void ticks_data() { boards(); }
    void ticks();
    void exitAsksAndClosesOnOk_data();
    void exitAsksAndClosesOnOk();
    void exitCancelChangesNothing_data() { boards(); }
    void exitCancelChangesNothing();
    void pinAndUnlock_data() { boards(); }
    void pinAndUnlock();

private:
    // Opens the board of the current row.
    void open()
    {
        QFETCH(int, board);
        m_row = &kBoards[board];
        m_board = m_windows->open(m_row->kind);
        QVERIFY(m_board);
    }
    QString figure(const char *name) const
    {
        return m_board->findChild<TransparentLabel *>(QString::fromUtf8(name))->text();
    }

    const Board *m_row = nullptr;
    QWidget *m_board = nullptr;
};

void TestBoardWindow::timers()
{
    open();
    auto *seconds = m_board->findChild<QTimer *>(QStringLiteral("时钟1"));
    auto *minutes = m_board->findChild<QTimer *>(QStringLiteral("时钟2"));
    QVERIFY(seconds && minutes);
    QCOMPARE(seconds->interval(), 1000);
    QCOMPARE(seconds->timerType(), Qt::PreciseTimer);
    QVERIFY(seconds->isActive());
    QCOMPARE(minutes->interval(), 60000);
    QVERIFY(minutes->isActive());
}

void TestBoardWindow::figuresFilledBeforeFirstShow_data()
{
    QTest::addColumn<int>("board");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QStringList>("figures"); // days, hours
    struct Moment
    {
        const char *name;
        QDateTime now;
        QStringList figures;
    };
    const Moment moments[] = {
        { ", a week before", QDateTime(QDate(2015, 6, 1), QTime(8, 0)), { "6", "136" } },
        { ", before half past", QDateTime(QDate(2015, 6, 1), QTime(8, 29, 59)), { "6", "136" } },
        { ", after half past", QDateTime(QDate(2015, 6, 1), QTime(8, 30, 1)), { "6", "135" } },
        { ", evening before", QDateTime(QDate(2015, 6, 6), QTime(18, 0)), { "0", "6" } },
        { ", a day after", QDateTime(QDate(2015, 6, 8), QTime(0, 0)), { "-1", "-24" } },
        { ", last second of a year", QDateTime(QDate(2014, 12, 31), QTime(23, 59, 59)),
            { "157", "3768" } },
    };
    for (const Moment &moment : moments) {
        boardRow(0, moment.name) << moment.now << moment.figures;
        boardRow(1, moment.name) << moment.now << moment.figures;
    }
}

void TestBoardWindow::figuresFilledBeforeFirstShow()
{
    QFETCH(int, board);
    QFETCH(QDateTime, now);
    QFETCH(QStringList, figures);
    m_runtime->clock = now;

    FirstShowWatcher watcher(kBoards[board]);
    qApp->installEventFilter(&watcher);
    open();
    qApp->removeEventFilter(&watcher);
    QCOMPARE(watcher.shows, 1);
    QCOMPARE(watcher.figures, figures);
}

void TestBoardWindow::ticks()
{
    open();
    // Just after noon the days figure would change, but only the minute timer writes it.
    m_runtime->setClock(2015, 6, 6, 12, 0, 1);
    tick(m_board, QStringLiteral("时钟1"));
    QCOMPARE(figure(m_row->hours), QStringLiteral("12"));
    QCOMPARE(figure(m_row->days), QStringLiteral("6"));
    m_runtime->setClock(2015, 6, 6, 12, 30, 1);
    tick(m_board, QStringLiteral("时钟2"));
    QCOMPARE(figure(m_row->days), QStringLiteral("0"));
    QCOMPARE(figure(m_row->hours), QStringLiteral("12"));
}

void TestBoardWindow::exitAsksAndClosesOnOk_data()
{
    QTest::addColumn<int>("board");
    QTest::addColumn<int>("other"); // the kind of window left open, or -1
    for (int board : { 0, 1 }) {
        boardRow(board, ", alone") << -1;
        boardRow(board, ", alarm open") << int(WindowKind::Alarm);
        boardRow(board, ", editor open") << int(WindowKind::Editor);
    }
}

void TestBoardWindow::exitAsksAndClosesOnOk()
{
    QFETCH(int, other);
    open();
    QWidget *otherWindow = other < 0 ? nullptr : m_windows->open(WindowKind(other));
    QSignalSpy allClosed(m_windows, &WindowSet::allClosed);
    m_runtime->answers = { Runtime::Answer::Ok };
    press(m_board, QString::fromUtf8(m_row->exit));
    QCOMPARE(m_windows->window(m_row->kind), m_board);
    m_runtime->answerBoxes();
    QCOMPARE(m_runtime->messageTexts(), QStringList{ QStringLiteral("老湿童鞋你真的要退出吗!!!") });
    QCOMPARE(m_runtime->messages.first().style, Runtime::MessageStyle::OkCancelQuestion);
    QVERIFY(!m_windows->window(m_row->kind));
    // The program ends with its last window, at once and once, and not before.
    QCOMPARE(m_windows->openCount(), otherWindow ? 1 : 0);
    QCOMPARE(allClosed.count(), otherWindow ? 0 : 1);
    processDeletes();
    QCOMPARE(allClosed.count(), otherWindow ? 0 : 1);
    if (otherWindow)
        QCOMPARE(m_windows->window(WindowKind(other)), otherWindow);
}

void TestBoardWindow::exitCancelChangesNothing()
{
    open();
    QSignalSpy allClosed(m_windows, &WindowSet::allClosed);
    m_runtime->answers = { Runtime::Answer::Cancel };
    press(m_board, QString::fromUtf8(m_row->exit));
    // Ticks go on while the question is up.
    m_runtime->setClock(2015, 6, 1, 9, 0, 0);
    tick(m_board, QStringLiteral("时钟1"));
    m_runtime->answerBoxes();
    processDeletes();
    QCOMPARE(m_runtime->messages.size(), 1);
    QCOMPARE(m_windows->window(m_row->kind), m_board);
    QVERIFY(m_board->isVisible());
    QCOMPARE(figure(m_row->hours), QStringLiteral("135"));
    QCOMPARE(figure(m_row->days), QStringLiteral("6"));
    QVERIFY(m_board->findChild<QTimer *>(QStringLiteral("时钟1"))->isActive());
    QVERIFY(m_board->findChild<QTimer *>(QStringLiteral("时钟2"))->isActive());
    QCOMPARE(allClosed.count(), 0);
}

void TestBoardWindow::pinAndUnlock()
{
    open();
    auto *board = static_cast<BoardWindow *>(m_board);
    QVERIFY(board->isMovable());
    press(m_board, QString::fromUtf8(m_row->days), Qt::RightButton);
    QVERIFY(board->isMovable());
    QVERIFY(m_runtime->pinned.isEmpty());

    press(m_board, QString::fromUtf8(m_row->days));
    QCOMPARE(m_runtime->pinned.size(), 1);
    QCOMPARE(m_runtime->pinned.first().data(), m_board);
    QVERIFY(!board->isMovable());

    press(m_board, QString::fromUtf8(m_row->days));
    QCOMPARE(m_runtime->pinned.size(), 2);
    QVERIFY(!board->isMovable());

    press(m_board, QString::fromUtf8(m_row->days), Qt::RightButton);
    QVERIFY(board->isMovable());
    QCOMPARE(m_runtime->pinned.size(), 2);
}

QTEST_MAIN(TestBoardWindow)
#include "tst_boardwindow.moc"
