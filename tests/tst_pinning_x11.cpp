#include "runtime/desktopruntime.h"

#include <QApplication>
#include <QTest>
#include <QWindow>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

// What the X server sees of a pinned board: its _NET_WM_STATE hints, as a taskbar or a pager
// reads them. Runs on an Xvfb server of its own and is skipped where there is none.
class TestPinningX11 : public QObject
{
    Q_OBJECT
private slots:
    void pinnedBoardAsksToStayOffTaskbarAndPager();
};

namespace {

template <typename Reply> using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

// The names in the window's _NET_WM_STATE property.
QStringList netWmState(QWidget &window)
{
    xcb_connection_t *connection =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    const char name[] = "_NET_WM_STATE";
    const XcbReply<xcb_intern_atom_reply_t> state(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, true, sizeof name - 1, name), nullptr),
        &std::free);
    const XcbReply<xcb_get_property_reply_t> property(
        xcb_get_property_reply(connection,
            xcb_get_property(connection, false, xcb_window_t(window.windowHandle()->winId()),
                state->atom, XCB_ATOM_ATOM, 0, 1024),
            nullptr),
        &std::free);
    QStringList names;
    if (!property || property->format != 32)
        return names;
    const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(property.get()));
    for (int i = 0; i < xcb_get_property_value_length(property.get()) / 4; ++i) {
        const XcbReply<xcb_get_atom_name_reply_t> atomName(
            xcb_get_atom_name_reply(connection, xcb_get_atom_name(connection, atoms[i]), nullptr),
            &std::free);
        names << QString::fromLatin1(
            xcb_get_atom_name_name(atomName.get()), xcb_get_atom_name_name_length(atomName.get()));
    }
    return names;
}

// Starts Xvfb on a display number it picks itself and points DISPLAY at it; 0 where it cannot.
pid_t startXvfb()
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return 0;
    const pid_t server = fork();
    if (server == 0) {
        ::close(pipe[0]);
        // The server goes with the test, even when the test crashes.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        // It says so on stderr whenever a display number it tries is taken.
        const int quiet = ::open("/dev/null", O_WRONLY);
        dup2(quiet, STDERR_FILENO);
        const std::string fd = std::to_string(pipe[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-screen", "0",
            "1024x768x24", static_cast<char *>(nullptr));
        _exit(127);
    }
    ::close(pipe[1]);
    char display[16] = {};
    pollfd ready{ pipe[0], POLLIN, 0 };
    const bool answered =
        server > 0 && poll(&ready, 1, 20000) == 1 && read(pipe[0], display, sizeof display - 1) > 0;
    ::close(pipe[0]);
    const QByteArray name = ":" + QByteArray(display).trimmed();
    // Qt aborts on a display it cannot reach: try it first.
    xcb_connection_t *probe = answered ? xcb_connect(name.constData(), nullptr) : nullptr;
    const bool reachable = probe && !xcb_connection_has_error(probe);
    if (probe)
        xcb_disconnect(probe);
    if (!reachable) {
        fprintf(
            stderr, "Xvfb did not start or cannot be reached (display \"%s\")\n", name.constData());
        if (server > 0) {
            kill(server, SIGTERM);
            waitpid(server, nullptr, 0);
        }
        return 0;
    }
    setenv("DISPLAY", name.constData(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Qt looks for a session bus; without one, libdbus would try to start a bus for this display.
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent", 1);
    return server;
}

} // namespace

void TestPinningX11::pinnedBoardAsksToStayOffTaskbarAndPager()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("No X server: Xvfb is missing or did not start.");
    DesktopRuntime runtime;
    QWidget board(nullptr, Qt::FramelessWindowHint);
    board.setGeometry(50, 50, 200, 100);
    board.show();
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    QVERIFY(!netWmState(board).contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")));

    runtime.pinToDesktop(board);
    QVERIFY(QTest::qWaitForWindowExposed(&board));
    for (const char *hint :
        { "_NET_WM_STATE_BELOW", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER" })
        QTRY_VERIFY2(netWmState(board).contains(QLatin1String(hint)), hint);
}

int main(int argc, char *argv[])
{
    const pid_t server = startXvfb();
    int result = 0;
    {
        QApplication app(argc, argv);
        TestPinningX11 test;
        result = QTest::qExec(&test, argc, argv);
    }
    if (server > 0) {
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
    }
    return result;
}

#include "tst_pinning_x11.moc"
