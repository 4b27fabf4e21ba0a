#include "runtime/desktopruntime.h"

#include <QTest>

// Pinning where there is no program-manager window: the window manager is asked to keep the board
// below other windows and off the taskbar.
class TestPinningLinux : public QObject
{
    Q_OBJECT
private slots:
    void pinnedBoardStaysBelowAndOffTheTaskbar();
};

void TestPinningLinux::pinnedBoardStaysBelowAndOffTheTaskbar()
{
    DesktopRuntime runtime;
    QWidget board(nullptr, Qt::FramelessWindowHint);
    board.setGeometry(50, 50, 200, 100);
    board.show();
    runtime.pinToDesktop(board);
    QVERIFY(board.isVisible());
    QVERIFY(board.windowFlags() & Qt::WindowStaysOnBottomHint);
    QVERIFY(board.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(board.windowType(), Qt::Tool);
    QCOMPARE(board.geometry(), QRect(50, 50, 200, 100));
    runtime.pinToDesktop(board);
    QVERIFY(board.isVisible());
    QCOMPARE(board.geometry(), QRect(50, 50, 200, 100));
}

QTEST_MAIN(TestPinningLinux)
#include "tst_pinning_linux.moc"
