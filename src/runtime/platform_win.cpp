#include "platform.h"
#include "win32/desktop_win32.h"

#include <QWidget>

namespace platform {

void pinToDesktop(QWidget &window)
{
    win32::setParentToProgramManager(reinterpret_cast<void *>(window.winId()));
}

} // namespace platform
