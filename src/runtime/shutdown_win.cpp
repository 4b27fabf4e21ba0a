#include "platform.h"
#include "win32/shutdown_win32.h"

namespace platform {

Runtime::ShutdownResult powerOff(bool force)
{
    const win32::PowerOffRequest request = win32::requestPowerOff(force);
    if (request.requested)
        return { true, {} };
    return { false,
        QString::fromLatin1(request.failedStep) + QStringLiteral("：")
            + qt_error_string(int(request.error)) };
}

} // namespace platform
