#include "desktopruntime.h"
#include "win32/shutdown_win32.h"

void DesktopRuntime::shutDown(bool force, ShutdownDone done)
{
    // ExitWindowsEx only starts the shutdown and returns at once: there is nothing to wait for.
    const win32::PowerOffRequest request = win32::requestPowerOff(force);
    if (request.requested) {
        done({ true, {} });
        return;
    }
    done({ false,
        QString::fromLatin1(request.failedStep) + QStringLiteral("：")
            + qt_error_string(int(request.error)) });
}
