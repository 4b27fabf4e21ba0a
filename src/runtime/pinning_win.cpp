#include "desktopruntime.h"
#include "win32/desktop_win32.h"

#include <QWidget>
#include <QWindow>

void DesktopRuntime::pinToDesktop(QWidget &window)
{
    window.winId();
    QWindow *native = window.windowHandle();
    QWindow *previous = native->parent();
    const auto programManager = reinterpret_cast<WId>(win32::findProgramManager());
    if (previous && previous->winId() == programManager)
        return;

    // QWindow::setParent makes the SetParent call itself and switches the native window's style
    // between WS_POPUP and WS_CHILD, so that Qt goes on placing and drawing it as the child it has
    // become. Without a program manager the board is (again) a top-level window.
    QWindow *desktop = nullptr;
    if (programManager) {
        // Qt's stand-in for the program manager. The board's native window becomes its child, so
        // it must not go before the board does (the board's own children go first).
        desktop = QWindow::fromWinId(programManager);
        QObject::connect(native, &QObject::destroyed, desktop, &QObject::deleteLater);
    }
    native->setParent(desktop);
    delete previous;
}
