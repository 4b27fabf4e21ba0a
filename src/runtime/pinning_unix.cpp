#include "platform.h"

#include <QWidget>

namespace platform {

void pinToDesktop(QWidget &window)
{
    // There is no program-manager window to adopt the board. Ask the window manager to keep it
    // below other windows and off the taskbar instead; Wayland compositors may ignore both.
    const Qt::WindowFlags pinned = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint;
    if ((window.windowFlags() & pinned) == pinned)
        return;
    const bool visible = window.isVisible();
    window.setWindowFlags(window.windowFlags() | pinned);
    if (!visible)
        return;
    window.show();
    keepOffTaskbar(window);
}

} // namespace platform
