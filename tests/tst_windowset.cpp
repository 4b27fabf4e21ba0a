#include "app/windowset.h"
#include "fakeruntime.h"
#include "testsupport.h"
#include "windowsfixture.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

using namespace testsupport;

Q_DECLARE_METATYPE(WindowKind)

class TestWindowSet : public WindowsFixture
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensOneOfAKind();
    void destroyingTheLastWindowEndsTheProgram();
    void closingThroughTheWindowSystemCounts();
    void hiddenWindowStillCounts();
    void reopenedWindowIsBuiltAfresh();
    void openingBringsBackAMinimisedOrHiddenWindow_data();
    void openingBringsBackAMinimisedOrHiddenWindow();

private:
};

void TestWindowSet::init()
{
    setUpWindows();
}

void TestWindowSet::cleanup()
{
    tearDownWindows();
}

void TestWindowSet::opensOneOfAKind()
{
    QWidget *first = m_windows->open(WindowKind::Countdown);
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QCOMPARE(m_windows->open(WindowKind::Countdown), first);
    QCOMPARE(m_windows->openCount(), 1);
    QCOMPARE(QApplication::topLevelWidgets().count(first), 1);
    QCOMPARE(first->parentWidget(), nullptr);
}

void TestWindowSet::destroyingTheLastWindowEndsTheProgram()
{
    QSignalSpy allClosed(m_windows, &WindowSet::allClosed);
    QPointer<QWidget> board = m_windows->open(WindowKind::Countdown);
    m_windows->destroy(WindowKind::Countdown);
    QCOMPARE(m_windows->window(WindowKind::Countdown), nullptr);
    QCOMPARE(m_windows->openCount(), 0);
    QCOMPARE(allClosed.count(), 1);
    processDeletes();
    QVERIFY(board.isNull());
    QCOMPARE(allClosed.count(), 1);
    m_windows->destroy(WindowKind::Countdown);
    QCOMPARE(allClosed.count(), 1);
}

void TestWindowSet::closingThroughTheWindowSystemCounts()
{
    QSignalSpy allClosed(m_windows, &WindowSet::allClosed);
    QPointer<QWidget> board = m_windows->open(WindowKind::Countdown);
    board->close();
    processDeletes();
    QVERIFY(board.isNull());
    QCOMPARE(m_windows->openCount(), 0);
    QCOMPARE(allClosed.count(), 1);
}

void TestWindowSet::hiddenWindowStillCounts()
{
    QSignalSpy allClosed(m_windows, &WindowSet::allClosed);
    QWidget *board = m_windows->open(WindowKind::Countdown);
    board->hide();
    QCoreApplication::processEvents();
    QCOMPARE(m_windows->openCount(), 1);
    QCOMPARE(allClosed.count(), 0);
    // Opening it again brings it back.
    QCOMPARE(m_windows->open(WindowKind::Countdown), board);
    QVERIFY(board->isVisible());
}

void TestWindowSet::reopenedWindowIsBuiltAfresh()
{
    QWidget *first = m_windows->open(WindowKind::Countdown);
    auto *custom = first->findChild<QLabel *>(QStringLiteral("透明标签10"));
    custom->setText(QStringLiteral("edited"));
    m_windows->destroy(WindowKind::Countdown);
    processDeletes();
    QWidget *second = m_windows->open(WindowKind::Countdown);
    QVERIFY(second);
    QCOMPARE(second->findChild<QLabel *>(QStringLiteral("透明标签10"))->text(), QString());
}

void TestWindowSet::openingBringsBackAMinimisedOrHiddenWindow_data()
{
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<bool>("minimised"); // or hidden

    const std::pair<const char *, WindowKind> kinds[] = { { "board", WindowKind::Countdown },
        { "mini board", WindowKind::Mini }, { "editor", WindowKind::Editor },
        { "alarm", WindowKind::Alarm } };
    for (const auto &[name, kind] : kinds) {
        QTest::addRow("%s minimised", name) << kind << true;
        QTest::addRow("%s hidden", name) << kind << false;
    }
}

void TestWindowSet::openingBringsBackAMinimisedOrHiddenWindow()
{
    QFETCH(WindowKind, kind);
    QFETCH(bool, minimised);
    QWidget *window = m_windows->open(kind);
    if (minimised)
        window->showMinimized();
    else
        window->hide();
    QCoreApplication::processEvents();
    QCOMPARE(m_windows->open(kind), window);
    QVERIFY(window->isVisible());
    QVERIFY(!(window->windowState() & Qt::WindowMinimized));
    QVERIFY(window->windowHandle()->visibility() != QWindow::Minimized);
    QCOMPARE(m_windows->openCount(), 1);
}

QTEST_MAIN(TestWindowSet)
#include "tst_windowset.moc"
