#include "app/windowset.h"
#include "fakeruntime.h"
#include "runtime/desktopruntime.h"
#include "testsupport.h"
#include "windows/boardwindow.h"
#include "windowsfixture.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <qpa/qplatformscreen.h>
#include <qpa/qwindowsysteminterface.h>

using namespace testsupport;

Q_DECLARE_METATYPE(WindowKind)

namespace {

// The fake runtime with the desktop's own boxes and colour dialog.
struct DesktopBoxes : FakeRuntime
{
    void messageBox(QWidget &owner, const QString &text, MessageStyle style, Answered done) override
    {
        desktop.messageBox(owner, text, style, std::move(done));
    }
    void chooseColour(QWidget &owner, const QColor &initial, ColourChosen chosen) override
    {
        desktop.chooseColour(owner, initial, std::move(chosen));
    }
    DesktopRuntime desktop;
};

} // namespace

class TestWindowSet : public WindowsFixture
{
    Q_OBJECT
private slots:
    void cleanup();

    void opensOneOfAKind();
    void destroyingTheLastWindowEndsTheProgram();
    void closingThroughTheWindowSystemCounts();
    void hiddenWindowStillCounts();
    void reopenedWindowIsBuiltAfresh();
    void openingBringsBackAMinimisedOrHiddenWindow_data();
    void openingBringsBackAMinimisedOrHiddenWindow();
    void windowsStayWithinReach_data();
    void windowsStayWithinReach();
    void endingWhileABoxIsOpen_data();
    void endingWhileABoxIsOpen();

private:
    // The screen as a screen change leaves it, with no panel taking part of it.
    static void setScreen(const QRect &geometry)
    {
        QWindowSystemInterface::handleScreenGeometryChange(
            QGuiApplication::primaryScreen(), geometry, geometry);
        QWindowSystemInterface::flushWindowSystemEvents();
    }
};

void TestWindowSet::cleanup()
{
    WindowsFixture::cleanup();
    setScreen(QGuiApplication::primaryScreen()->handle()->geometry());
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

void TestWindowSet::windowsStayWithinReach_data()
{
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("pinnedBy"); // the days figure, pressed to pin a board
    QTest::addColumn<bool>("secondStart"); // the screen stays, and a later start comes

    QTest::newRow("pinned board, screen shrinks") << WindowKind::Countdown << "透明标签2" << false;
    QTest::newRow("pinned mini board, screen shrinks") << WindowKind::Mini << "透明标签3" << false;
    QTest::newRow("editor, screen shrinks") << WindowKind::Editor << "" << false;
    QTest::newRow("alarm, screen shrinks") << WindowKind::Alarm << "" << false;
    QTest::newRow("pinned board off the screen, second start")
        << WindowKind::Countdown << "透明标签2" << true;
}

// A window the screen no longer holds whole moves inside it, a pinned board too, which stays
// pinned.
void TestWindowSet::windowsStayWithinReach()
{
    QFETCH(WindowKind, kind);
    QFETCH(QString, pinnedBy);
    QFETCH(bool, secondStart);
    QRect screen(0, 0, 1280, 800);
    setScreen(screen);
    QWidget *window = m_windows->open(kind);
    const QSize size = window->frameGeometry().size();
    if (!pinnedBy.isEmpty())
        press(window, pinnedBy);
    const qsizetype pins = m_runtime->pinned.size();

    if (secondStart) {
        window->move(1100, 500);
        QCOMPARE(m_windows->openBoard(), window);
    } else {
        screen = QRect(0, 0, 1024, 768);
        window->move(1270 - size.width(), 20);
        QVERIFY(!screen.contains(window->frameGeometry()));
        setScreen(screen);
    }
    QTRY_VERIFY2(screen.contains(window->frameGeometry()),
        qPrintable(QStringLiteral("at %1,%2").arg(window->x()).arg(window->y())));
    QCOMPARE(window->frameGeometry().size(), size);
    QVERIFY(window->isVisible());
    if (!pinnedBy.isEmpty())
        QVERIFY(!static_cast<BoardWindow *>(window)->isMovable());
    QCOMPARE(m_runtime->pinned.size(), pins);
}

void TestWindowSet::endingWhileABoxIsOpen_data()
{
    QTest::addColumn<WindowKind>("kind");
    QTest::addColumn<QString>("opener"); // the control pressed; none: a reminder at the next tick

    QTest::newRow("board's exit question") << WindowKind::Countdown << "透明标签6";
    QTest::newRow("mini board's exit question") << WindowKind::Mini << "透明标签2";
    QTest::newRow("alarm's hide question") << WindowKind::Alarm << "标签8";
    QTest::newRow("alarm's reminder") << WindowKind::Alarm << "";
    QTest::newRow("editor's colour dialog") << WindowKind::Editor << "颜色选择器1";
}

// The program is asked to end (a logout, SIGTERM) while a window waits for an answer.
void TestWindowSet::endingWhileABoxIsOpen()
{
    QFETCH(WindowKind, kind);
    QFETCH(QString, opener);
    DesktopBoxes runtime;
    WindowSet windows(runtime);
    QSignalSpy allClosed(&windows, &WindowSet::allClosed);
    QWidget *window = windows.open(kind);
    if (opener.isEmpty()) {
        window->findChild<QComboBox *>(QStringLiteral("组合框1"))->setCurrentIndex(1);
        window->findChild<QLineEdit *>(QStringLiteral("编辑框1"))->setText(QStringLiteral("1"));
        QTest::mouseClick(
            window->findChild<QPushButton *>(QStringLiteral("按钮1")), Qt::LeftButton);
        tick(window, QStringLiteral("时钟2"));
    } else {
        auto *control = window->findChild<QWidget *>(opener);
        QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
    }
    QPointer<QDialog> box = window->findChild<QDialog *>();
    QVERIFY(box && box->isVisible());
    // The window's own, keeping input from it alone.
    QCOMPARE(box->parentWidget(), window);
    QCOMPARE(box->windowModality(), Qt::WindowModal);

    windows.closeAll();
    QVERIFY(!box->isVisible());
    QCOMPARE(allClosed.count(), 1);
    processDeletes();
    QVERIFY(!box);
}

QTEST_MAIN(TestWindowSet)
#include "tst_windowset.moc"
