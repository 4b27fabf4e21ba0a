#include "app/windowset.h"
#include "fakeruntime.h"
#include "runtime/desktopruntime.h"
#include "testsupport.h"

#include <QProcess>
#include <QScreen>
#include <QTest>
#include <windows.h>

// Pinning through the desktop's program-manager window, with Windows' own windows (the windows
// platform): the board's native window becomes the program manager's child, and Qt keeps drawing
// it and delivering presses to its labels. Wine has no program manager: a window of the helper
// program stands in for the one of another process, as on Windows; Wine draws no child window of
// another process's window, so a stand-in in the test's own process shows the drawing.
class TestPinningWin : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void pinnedByTheDaysFigure_data();
    void pinnedByTheDaysFigure();

private:
    HWND startProgramManager();

    QProcess m_programManager;
    HWND m_ownProgramManager = nullptr;
};

namespace {

enum ProgramManager { None, OtherProcess, ThisProcess };

// Pins the board for real; everything else stays fake.
class PinningRuntime : public FakeRuntime
{
public:
    void pinToDesktop(QWidget &window) override { m_desktop.pinToDesktop(window); }

private:
    DesktopRuntime m_desktop;
};

HWND nativeWindow(QWidget *window)
{
    return reinterpret_cast<HWND>(window->winId());
}

// A press and release of the left button at `pos` of the native window, as the system sends it.
void click(HWND window, QPoint pos)
{
    const LPARAM where = MAKELPARAM(pos.x(), pos.y());
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
}

} // namespace

HWND TestPinningWin::startProgramManager()
{
    m_programManager.start(QCoreApplication::applicationDirPath() + QStringLiteral("/progman.exe"));
    if (!m_programManager.waitForStarted())
        return nullptr;
    HWND found = nullptr;
    const auto started = [&found] { return (found = FindWindowA("Progman", "Program Manager")); };
    return QTest::qWaitFor(started, 30000) ? found : nullptr;
}

// A program-manager window of this process.
static HWND createProgramManager()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Progman";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassA(&windowClass);
    return CreateWindowExA(WS_EX_TOOLWINDOW, "Progman", "Program Manager",
        WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, GetSystemMetrics(SM_CXSCREEN),
        GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, windowClass.hInstance, nullptr);
}

void TestPinningWin::cleanup()
{
    if (m_ownProgramManager) {
        DestroyWindow(m_ownProgramManager);
        m_ownProgramManager = nullptr;
    }
    // Only the helper's own window ever goes: a real desktop's program manager is left alone.
    if (m_programManager.state() != QProcess::NotRunning) {
        m_programManager.kill();
        m_programManager.waitForFinished();
        QVERIFY(QTest::qWaitFor([] { return !FindWindowA("Progman", "Program Manager"); }));
    }
}

void TestPinningWin::pinnedByTheDaysFigure_data()
{
    QTest::addColumn<int>("programManager");
    QTest::newRow("child of another process's program manager") << int(OtherProcess);
    QTest::newRow("child of this process's program manager") << int(ThisProcess);
    QTest::newRow("top-level without one") << int(None);
}

void TestPinningWin::pinnedByTheDaysFigure()
{
    QFETCH(int, programManager);
    const bool withProgramManager = programManager != None;
    // A real Windows desktop has its own, in another process; under Wine stand-ins are made.
    HWND desktop = FindWindowA("Progman", "Program Manager");
    if (desktop && programManager != OtherProcess)
        QSKIP("This desktop has a program-manager window");
    if (!desktop && programManager == OtherProcess)
        desktop = startProgramManager();
    if (programManager == ThisProcess)
        desktop = m_ownProgramManager = createProgramManager();
    QCOMPARE(bool(desktop), withProgramManager);
    {
        PinningRuntime runtime;
        WindowSet windows(runtime);
        QWidget *board = windows.open(WindowKind::Countdown);
        QVERIFY(QTest::qWaitForWindowExposed(board));
        testsupport::press(board, QStringLiteral("透明标签2"));
        testsupport::press(board, QStringLiteral("透明标签2")); // a second pin changes nothing

        HWND native = nativeWindow(board);
        QCOMPARE(GetParent(native), desktop);
        const LONG_PTR style = GetWindowLongPtrA(native, GWL_STYLE);
        QCOMPARE(bool(style & WS_CHILD), withProgramManager);
        QCOMPARE(bool(style & WS_POPUP), !withProgramManager);
        QVERIFY(IsWindowVisible(native));
        QCOMPARE(board->pos(), QPoint(50, 50));

        // Still drawn: the chalkboard shows in the native window's own pixels.
        if (programManager != OtherProcess)
            QTRY_VERIFY([&] {
                const QImage shot = board->screen()->grabWindow(board->winId()).toImage();
                const QRgb middle = shot.pixel(shot.rect().center());
                return qGreen(middle) > qMax(qRed(middle), qBlue(middle)) + 10;
            }());

        // Still pressed through the system: the hours figure opens the editor.
        auto *hours = board->findChild<QWidget *>(QStringLiteral("透明标签4"));
        QVERIFY(hours);
        click(native, hours->geometry().center());
        QTRY_VERIFY(windows.window(WindowKind::Editor));
    }
    testsupport::processDeletes();
}

QTEST_MAIN(TestPinningWin)
#include "tst_pinning_win.moc"
